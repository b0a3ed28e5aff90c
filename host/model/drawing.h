#pragma once

#include "host/imaging/encoded_image.h"
#include "host/model/cell_ref.h"

#include <QRgb>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

// The drawing objects of a sheet: pictures, text boxes, groups, and what the host only keeps
// (cell comments, charts, other shapes). Geometry is in points, as the host reports it; the
// .xlsx layer converts to and from anchors and EMUs, so the object model never sees either.
namespace host::model {

struct DrawingSource; // defined by the .xlsx layer: where a shape came from in its part

// The host's shape type numbers.
enum class ShapeKind
{
    AutoShape = 1,
    Chart = 3,
    Comment = 4,
    Group = 6,
    Picture = 13,
    TextBox = 17,
    Other = -2,
};

// The host's placement numbers.
enum class Placement
{
    MoveAndSize = 1,
    Move = 2,
    FreeFloating = 3
};

// How the shape is anchored in the file. Kept from loading so that saving writes the same
// kind; new shapes are two-cell anchored.
enum class AnchorKind
{
    TwoCell,
    OneCell,
    Absolute
};

struct PictureData
{
    imaging::EncodedImage image; // the bytes exactly as inserted, pasted or read
    double untouchedWidth = 0;   // points: the size at 100 %, crops not subtracted
    double untouchedHeight = 0;
    // Points of the untouched size; negative crops add an empty margin.
    double cropLeft = 0;
    double cropTop = 0;
    double cropRight = 0;
    double cropBottom = 0;
    double brightness = 0.5; // 0–1, 0.5 unchanged
    double contrast = 0.5;
    int colorType = 1; // 1 automatic, 2 grayscale, 3 black and white, 4 watermark
    bool transparentBackground = false;
    // Set when the picture part and its crop/adjustment in the file no longer match the data
    // read (the writer then writes new blip attributes or a new media part).
    bool imageChanged = false;
};

struct TextFont
{
    QString name;       // empty: the workbook's default font
    double size = 11;   // points
    int colorIndex = 1; // into the workbook's palette (1 black); 0 for an explicit colour
    QRgb color = 0xff000000;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    bool superscript = false;
    bool subscript = false;
    bool outline = false;
    bool shadow = false;
};

// The host's alignment numbers.
inline constexpr int kAlignLeft = -4131;
inline constexpr int kAlignCenter = -4108;
inline constexpr int kAlignRight = -4152;
inline constexpr int kAlignTop = -4160;
inline constexpr int kAlignBottom = -4107;
inline constexpr int kAlignJustify = -4130;
inline constexpr int kAlignDistributed = -4117;

struct TextBody
{
    QString text;  // paragraphs separated by "\n"
    TextFont font; // one font for the whole text
    int horizontalAlignment = kAlignLeft;
    int verticalAlignment = kAlignTop;
    int orientation = 1; // the host's text orientation: 1 horizontal
    bool autoSize = false;
    double lineSpacing = 1.0; // of single spacing: 0.6 sets lines at 60 % of their height
    double marginLeft = 7.2;  // points
    double marginRight = 7.2;
    double marginTop = 3.6;
    double marginBottom = 3.6;
};

struct Shape
{
    int id = 0; // unique in the sheet's drawing, groups' members included
    QString name;
    ShapeKind kind = ShapeKind::Picture;
    QString description; // alternative text

    // The unrotated box in points from the sheet's top-left corner.
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    double rotation = 0; // degrees clockwise about the box's centre, 0 ≤ r < 360
    bool flipH = false;
    bool flipV = false;

    Placement placement = Placement::MoveAndSize;
    AnchorKind anchor = AnchorKind::TwoCell;
    bool lockAspectRatio = true;
    bool hidden = false;

    bool fillVisible = false;
    QRgb fillColor = 0xffffffff;
    bool lineVisible = false;
    QRgb lineColor = 0xff000000;
    double lineWeight = 0.75;
    bool shadowVisible = false;
    int autoShapeType = 1; // the host's numbers: 1 rectangle

    std::optional<PictureData> picture; // kind Picture
    std::optional<TextBody> text;       // kind TextBox, and autoshapes with text
    std::vector<Shape> members;         // kind Group: in z-order, bottom first

    int commentRow = 0; // kind Comment: the cell it belongs to (1-based)
    int commentColumn = 0;

    // The element as read, for kinds the host keeps without understanding (charts, other
    // shapes, comments); null for new shapes.
    std::shared_ptr<const DrawingSource> source;
    // The shape differs from what was read (or is new): the writer builds its element anew.
    bool dirty = true;
};

struct Drawing
{
    // Top-level shapes in z-order, bottom first: the order of the host's Shapes collection.
    // Cell comments come last, in the order their cells were read.
    std::vector<Shape> shapes;
    int nextId = 1; // the id the next new shape takes (also its number in the host's naming)

    // Runtime state, never saved: ids of the selected top-level shapes (or group members);
    // empty when cells are selected.
    std::vector<int> selection;

    // The list changed (a shape added, removed, reordered or edited): the writer rewrites the
    // drawing part from `shapes`, copying the elements of clean shapes as they were read.
    bool dirty = false;

    // The shape with `id` anywhere in the tree; null when there is none.
    Shape* find(int id);
    const Shape* find(int id) const;
    // The group holding the shape with `id`, or null when it is a top-level shape.
    Shape* parentOf(int id);
    int takeId() { return nextId++; }
};

} // namespace host::model
