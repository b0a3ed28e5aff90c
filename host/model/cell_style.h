#pragma once

#include <QRgb>
#include <QString>

// What a cell format states about a cell's look, as the styles part records it: the records
// are shared by index between formats, as in the file, and colours stay as stated (theme and
// palette colours are resolved where they are drawn, so that a changed palette shows).
namespace host::model {

struct StyleColor
{
    enum class Kind
    {
        Automatic, // the system's colour: black text, no fill, black lines
        Rgb,
        Indexed, // 0–63 the palette (0–7 fixed), 64 the system foreground, 65 its background
        Theme    // 0–11 the theme's colours, light and dark of the first two pairs swapped
    };
    Kind kind = Kind::Automatic;
    QRgb rgb = 0xff000000;
    int index = 0;
    double tint = 0; // −1 darkest … 1 lightest

    friend bool operator==(const StyleColor&, const StyleColor&) = default;
};

enum class Underline
{
    None,
    Single,
    Double,
    SingleAccounting,
    DoubleAccounting
};

struct CellFont
{
    QString name;    // empty: the workbook's default font
    double size = 0; // points; 0: the default font's size
    bool bold = false;
    bool italic = false;
    bool strike = false;
    Underline underline = Underline::None;
    StyleColor color;
};

enum class FillPattern
{
    None,
    Solid,
    Gray125,
    Gray0625,
    LightGray,
    MediumGray,
    DarkGray,
    Hatched // the line patterns (darkHorizontal, lightTrellis …) and gradients
};

struct CellFill
{
    FillPattern pattern = FillPattern::None;
    StyleColor foreground; // the pattern's colour; a solid fill's colour
    StyleColor background;
};

enum class BorderStyle
{
    None,
    Hair,
    Dotted,
    DashDotDot,
    DashDot,
    Dashed,
    Thin,
    MediumDashDotDot,
    SlantDashDot,
    MediumDashDot,
    MediumDashed,
    Medium,
    Double,
    Thick
};

struct BorderLine
{
    BorderStyle style = BorderStyle::None;
    StyleColor color;
};

struct CellBorder
{
    BorderLine left;
    BorderLine right;
    BorderLine top;
    BorderLine bottom;
    BorderLine diagonal;
    bool diagonalUp = false;
    bool diagonalDown = false;
};

enum class HorizontalAlignment
{
    General, // by the value: numbers right, text left, logical values and errors centred
    Left,
    Center,
    Right,
    Fill,
    Justify,
    CenterContinuous,
    Distributed
};

enum class VerticalAlignment
{
    Top,
    Center,
    Bottom,
    Justify,
    Distributed
};

struct CellAlignment
{
    HorizontalAlignment horizontal = HorizontalAlignment::General;
    VerticalAlignment vertical = VerticalAlignment::Bottom;
    bool wrap = false;
    bool shrinkToFit = false;
    int indent = 0;   // levels of three spaces' width
    int rotation = 0; // degrees as stated (0–180, 255 vertical); not drawn
};

} // namespace host::model
