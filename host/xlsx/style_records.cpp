#include "host/xlsx/style_records.h"

#include "host/model/workbook.h"
#include "host/xlsx/xml_util.h"

#include <algorithm>
#include <string_view>

namespace host::xlsx {

namespace {

using model::BorderStyle;
using model::FillPattern;
using model::HorizontalAlignment;
using model::StyleColor;
using model::VerticalAlignment;

model::Underline underlineOf(pugi::xml_node u)
{
    if (!u)
        return model::Underline::None;
    const std::string_view v = u.attribute("val") ? u.attribute("val").value() : "single";
    if (v == "double")
        return model::Underline::Double;
    if (v == "singleAccounting")
        return model::Underline::SingleAccounting;
    if (v == "doubleAccounting")
        return model::Underline::DoubleAccounting;
    if (v == "none")
        return model::Underline::None;
    return model::Underline::Single;
}

// A flag element (<b/>, <i val="0"/>): on unless its value says otherwise.
bool flag(pugi::xml_node font, std::string_view name)
{
    const pugi::xml_node n = xml::child(font, name);
    return n && xml::boolValue(n.attribute("val"), true);
}

model::CellFont fontOf(pugi::xml_node f)
{
    model::CellFont font;
    font.name = xml::text(xml::child(f, "name").attribute("val"));
    if (font.name.isEmpty()) // the differential form's name
        font.name = xml::text(xml::child(f, "rFont").attribute("val"));
    font.size = std::max(0.0, xml::doubleValue(xml::child(f, "sz").attribute("val")).value_or(0));
    font.bold = flag(f, "b");
    font.italic = flag(f, "i");
    font.strike = flag(f, "strike");
    font.underline = underlineOf(xml::child(f, "u"));
    font.color = readColor(xml::child(f, "color"));
    return font;
}

FillPattern patternOf(std::string_view type)
{
    if (type == "solid")
        return FillPattern::Solid;
    if (type == "gray125")
        return FillPattern::Gray125;
    if (type == "gray0625")
        return FillPattern::Gray0625;
    if (type == "lightGray")
        return FillPattern::LightGray;
    if (type == "mediumGray")
        return FillPattern::MediumGray;
    if (type == "darkGray")
        return FillPattern::DarkGray;
    if (type.empty() || type == "none")
        return FillPattern::None;
    return FillPattern::Hatched;
}

model::CellFill fillOf(pugi::xml_node f)
{
    model::CellFill fill;
    if (const pugi::xml_node p = xml::child(f, "patternFill")) {
        fill.pattern = patternOf(p.attribute("patternType").value());
        fill.foreground = readColor(xml::child(p, "fgColor"));
        fill.background = readColor(xml::child(p, "bgColor"));
    } else if (const pugi::xml_node g = xml::child(f, "gradientFill")) {
        // Shown as its first and last stops' mean: a cell-sized gradient is nearly that.
        const auto stops = xml::children(g, "stop");
        if (!stops.empty()) {
            fill.pattern = FillPattern::Hatched;
            fill.foreground = readColor(xml::child(stops.front(), "color"));
            fill.background = readColor(xml::child(stops.back(), "color"));
        }
    }
    return fill;
}

BorderStyle borderStyleOf(std::string_view s)
{
    static const struct
    {
        std::string_view name;
        BorderStyle style;
    } kStyles[] = {{"hair", BorderStyle::Hair},
                   {"dotted", BorderStyle::Dotted},
                   {"dashDotDot", BorderStyle::DashDotDot},
                   {"dashDot", BorderStyle::DashDot},
                   {"dashed", BorderStyle::Dashed},
                   {"thin", BorderStyle::Thin},
                   {"mediumDashDotDot", BorderStyle::MediumDashDotDot},
                   {"slantDashDot", BorderStyle::SlantDashDot},
                   {"mediumDashDot", BorderStyle::MediumDashDot},
                   {"mediumDashed", BorderStyle::MediumDashed},
                   {"medium", BorderStyle::Medium},
                   {"double", BorderStyle::Double},
                   {"thick", BorderStyle::Thick}};
    for (const auto& k : kStyles)
        if (k.name == s)
            return k.style;
    return BorderStyle::None;
}

model::BorderLine lineOf(pugi::xml_node side)
{
    model::BorderLine line;
    if (!side)
        return line;
    line.style = borderStyleOf(side.attribute("style").value());
    line.color = readColor(xml::child(side, "color"));
    return line;
}

model::CellBorder borderOf(pugi::xml_node b)
{
    model::CellBorder border;
    // "start" and "end" are the strict flavour's left and right.
    border.left = lineOf(xml::child(b, "left") ? xml::child(b, "left") : xml::child(b, "start"));
    border.right = lineOf(xml::child(b, "right") ? xml::child(b, "right") : xml::child(b, "end"));
    border.top = lineOf(xml::child(b, "top"));
    border.bottom = lineOf(xml::child(b, "bottom"));
    border.diagonal = lineOf(xml::child(b, "diagonal"));
    border.diagonalUp = xml::boolValue(b.attribute("diagonalUp"), false);
    border.diagonalDown = xml::boolValue(b.attribute("diagonalDown"), false);
    return border;
}

HorizontalAlignment horizontalOf(std::string_view h)
{
    if (h == "left")
        return HorizontalAlignment::Left;
    if (h == "center")
        return HorizontalAlignment::Center;
    if (h == "right")
        return HorizontalAlignment::Right;
    if (h == "fill")
        return HorizontalAlignment::Fill;
    if (h == "justify")
        return HorizontalAlignment::Justify;
    if (h == "centerContinuous")
        return HorizontalAlignment::CenterContinuous;
    if (h == "distributed")
        return HorizontalAlignment::Distributed;
    return HorizontalAlignment::General;
}

VerticalAlignment verticalOf(std::string_view v)
{
    if (v == "top")
        return VerticalAlignment::Top;
    if (v == "center")
        return VerticalAlignment::Center;
    if (v == "justify")
        return VerticalAlignment::Justify;
    if (v == "distributed")
        return VerticalAlignment::Distributed;
    return VerticalAlignment::Bottom;
}

template <class Record, class Read>
std::vector<Record> readList(pugi::xml_node root, std::string_view list, std::string_view item,
                             Read read)
{
    std::vector<Record> out;
    for (pugi::xml_node n : xml::children(xml::child(root, list), item))
        out.push_back(read(n));
    return out;
}

} // namespace

model::StyleColor readColor(pugi::xml_node c)
{
    StyleColor color;
    if (!c || xml::boolValue(c.attribute("auto"), false))
        return color;
    color.tint = std::clamp(xml::doubleValue(c.attribute("tint")).value_or(0), -1.0, 1.0);
    if (const pugi::xml_attribute rgb = c.attribute("rgb")) {
        bool ok = false;
        QString text = xml::text(rgb);
        if (text.size() == 6)
            text.prepend(QStringLiteral("FF"));
        const uint argb = text.toUInt(&ok, 16);
        if (ok) {
            color.kind = StyleColor::Kind::Rgb;
            // The alpha byte is ignored by the programs that draw cells; some writers leave
            // it 00.
            color.rgb = argb | 0xff000000u;
        }
    } else if (const auto theme = xml::intValue(c.attribute("theme"))) {
        color.kind = StyleColor::Kind::Theme;
        color.index = *theme;
    } else if (const auto indexed = xml::intValue(c.attribute("indexed"))) {
        color.kind = StyleColor::Kind::Indexed;
        color.index = *indexed;
    }
    return color;
}

void readStyleRecords(pugi::xml_node root, model::Workbook& book)
{
    book.fonts = readList<model::CellFont>(root, "fonts", "font", fontOf);
    book.fills = readList<model::CellFill>(root, "fills", "fill", fillOf);
    book.borders = readList<model::CellBorder>(root, "borders", "border", borderOf);
    book.numberFormats.clear();
    for (pugi::xml_node n : xml::children(xml::child(root, "numFmts"), "numFmt"))
        if (const auto id = xml::intValue(n.attribute("numFmtId")))
            book.numberFormats[*id] = xml::text(n.attribute("formatCode"));
    book.lookChanged();
}

void readCellLook(pugi::xml_node xf, model::CellFormat& format)
{
    format.font = std::max(0, xml::intValue(xf.attribute("fontId")).value_or(0));
    format.fill = std::max(0, xml::intValue(xf.attribute("fillId")).value_or(0));
    format.border = std::max(0, xml::intValue(xf.attribute("borderId")).value_or(0));
    format.numberFormat = std::max(0, xml::intValue(xf.attribute("numFmtId")).value_or(0));
    model::CellAlignment& a = format.alignment;
    a = model::CellAlignment{};
    if (const pugi::xml_node n = xml::child(xf, "alignment")) {
        a.horizontal = horizontalOf(n.attribute("horizontal").value());
        a.vertical = verticalOf(n.attribute("vertical").value());
        a.wrap = xml::boolValue(n.attribute("wrapText"), false);
        a.shrinkToFit = xml::boolValue(n.attribute("shrinkToFit"), false);
        a.indent = std::clamp(xml::intValue(n.attribute("indent")).value_or(0), 0, 250);
        a.rotation = xml::intValue(n.attribute("textRotation")).value_or(0);
    }
}

} // namespace host::xlsx
