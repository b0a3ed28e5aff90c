#include "host/xlsx/styles_part.h"

#include "host/model/workbook.h"
#include "host/xlsx/opc.h"
#include "host/xlsx/style_records.h"
#include "host/xlsx/xml_util.h"

namespace host::xlsx {

using model::CellFormat;

namespace {

constexpr std::string_view kXfOrder[] = {"alignment", "protection", "extLst"};
constexpr std::string_view kColorsOrder[] = {"indexedColors", "mruColors"};

// The eight fixed colours in front of the 56 that a palette may change.
constexpr QRgb kFixedColours[8] = {0xFF000000, 0xFFFFFFFF, 0xFFFF0000, 0xFF00FF00,
                                   0xFF0000FF, 0xFFFFFF00, 0xFFFF00FF, 0xFF00FFFF};

CellFormat protectionOf(pugi::xml_node xf)
{
    CellFormat f;
    if (const pugi::xml_node p = xml::child(xf, "protection")) {
        f.locked = xml::boolValue(p.attribute("locked"), true);
        f.formulaHidden = xml::boolValue(p.attribute("hidden"), false);
    }
    return f;
}

} // namespace

void setCellProtection(pugi::xml_node xf, const CellFormat& f)
{
    pugi::xml_node p = xml::child(xf, "protection");
    if (!p)
        p = xml::insertInOrder(xf, "protection", kXfOrder);
    if (f.locked)
        xml::removeAttr(p, "locked");
    else
        xml::setAttr(p, "locked", "0");
    if (f.formulaHidden)
        xml::setAttr(p, "hidden", "1");
    else
        xml::removeAttr(p, "hidden");
    xml::setAttr(xf, "applyProtection", "1");
}

namespace {

QString argbText(QRgb c)
{
    return QString::number(c | 0xFF000000u, 16).toUpper().rightJustified(8, u'0');
}

void writePalette(pugi::xml_node root, const model::Workbook& book)
{
    pugi::xml_node colors = xml::child(root, "colors");
    pugi::xml_node indexed = colors ? xml::child(colors, "indexedColors") : pugi::xml_node();
    if (!book.customPalette) {
        if (indexed)
            colors.remove_child(indexed);
        if (colors && !colors.first_child())
            root.remove_child(colors);
        return;
    }
    if (!colors)
        colors = xml::insertInOrder(root, "colors", kStyleSheetOrder);
    // Keep the file's first eight entries when it has them; they are fixed in practice.
    QRgb fixed[8];
    std::copy(std::begin(kFixedColours), std::end(kFixedColours), fixed);
    if (indexed) {
        const auto old = xml::children(indexed, "rgbColor");
        for (size_t i = 0; i < 8 && i < old.size(); ++i)
            fixed[i] = QRgb(QString::fromUtf8(old[i].attribute("rgb").value()).toUInt(nullptr, 16));
        colors.remove_child(indexed);
    }
    indexed = xml::insertInOrder(colors, "indexedColors", kColorsOrder);
    for (QRgb c : fixed)
        xml::setAttr(xml::appendChild(indexed, "rgbColor"), "rgb", argbText(c));
    for (QRgb c : book.palette)
        xml::setAttr(xml::appendChild(indexed, "rgbColor"), "rgb", argbText(c));
}

} // namespace

std::vector<CellFormat> readCellFormats(pugi::xml_node root)
{
    std::vector<CellFormat> out;
    if (const pugi::xml_node xfs = xml::child(root, "cellXfs")) {
        for (pugi::xml_node xf : xfs.children()) {
            if (xml::is(xf, "xf")) {
                out.push_back(protectionOf(xf));
                readCellLook(xf, out.back());
            }
        }
    }
    if (out.empty())
        out.push_back(CellFormat{});
    return out;
}

void readStyles(pugi::xml_node root, model::Workbook& book)
{
    book.cellFormats = readCellFormats(root);
    readStyleRecords(root, book);
    if (const pugi::xml_node fonts = xml::child(root, "fonts")) {
        if (const pugi::xml_node font = xml::child(fonts, "font")) {
            if (const pugi::xml_node name = xml::child(font, "name"); name.attribute("val"))
                book.defaultFontName = xml::text(name.attribute("val"));
            if (const auto size = xml::doubleValue(xml::child(font, "sz").attribute("val"));
                size && *size > 0)
                book.defaultFontSize = *size;
        }
    }
    const pugi::xml_node colors = xml::child(root, "colors");
    if (const pugi::xml_node indexed = colors ? xml::child(colors, "indexedColors") : colors) {
        const auto entries = xml::children(indexed, "rgbColor");
        for (size_t i = 8; i < entries.size() && i < 64; ++i) {
            bool ok = false;
            const uint argb =
                QString::fromUtf8(entries[i].attribute("rgb").value()).toUInt(&ok, 16);
            if (ok)
                book.palette[i - 8] = qRgb(qRed(argb), qGreen(argb), qBlue(argb));
        }
        book.customPalette = true;
    }
}

bool patchStyles(pugi::xml_node root, const model::Workbook& book,
                 const std::vector<CellFormat>& inPart, bool palette)
{
    bool changed = false;
    const auto differs = [](const CellFormat& a, const CellFormat& b) {
        return a.locked != b.locked || a.formulaHidden != b.formulaHidden;
    };
    bool formatsChanged = book.cellFormats.size() != inPart.size();
    for (size_t i = 0; !formatsChanged && i < inPart.size(); ++i)
        formatsChanged = differs(book.cellFormats[i], inPart[i]);
    if (formatsChanged) {
        pugi::xml_node xfs = xml::child(root, "cellXfs");
        if (!xfs) {
            xfs = xml::insertInOrder(root, "cellXfs", kStyleSheetOrder);
            xml::setAttr(xml::appendChild(xfs, "xf"), "xfId", "0");
        }
        std::vector<pugi::xml_node> xf = xml::children(xfs, "xf");
        for (size_t i = 0; i < book.cellFormats.size(); ++i) {
            const CellFormat& wanted = book.cellFormats[i];
            if (i < xf.size()) {
                if (i >= inPart.size() || differs(wanted, inPart[i]))
                    setCellProtection(xf[i], wanted);
                continue;
            }
            const size_t base =
                size_t(wanted.baseFormat) < xf.size() ? size_t(wanted.baseFormat) : 0;
            pugi::xml_node added = xfs.append_copy(xf[base]);
            setCellProtection(added, wanted);
            xf.push_back(added);
        }
        xml::setAttr(xfs, "count", int(xf.size()));
        changed = true;
    }
    if (palette) {
        writePalette(root, book);
        changed = true;
    }
    return changed;
}

QByteArray newStylesPart(const QString& fontName, double fontSize, bool strict)
{
    pugi::xml_document doc = xml::newDocument();
    pugi::xml_node root = doc.append_child("styleSheet");
    root.append_attribute("xmlns") = strict ? opc::kStrictMainNs : opc::kTransitionalMainNs;
    pugi::xml_node fonts = root.append_child("fonts");
    fonts.append_attribute("count") = 1;
    pugi::xml_node font = fonts.append_child("font");
    xml::setAttr(font.append_child("sz"), "val", fontSize);
    xml::setAttr(font.append_child("name"), "val", fontName);
    xml::setAttr(font.append_child("family"), "val", "2");
    pugi::xml_node fills = root.append_child("fills");
    fills.append_attribute("count") = 2;
    xml::setAttr(fills.append_child("fill").append_child("patternFill"), "patternType", "none");
    xml::setAttr(fills.append_child("fill").append_child("patternFill"), "patternType", "gray125");
    pugi::xml_node borders = root.append_child("borders");
    borders.append_attribute("count") = 1;
    pugi::xml_node border = borders.append_child("border");
    for (const char* side : {"left", "right", "top", "bottom", "diagonal"})
        border.append_child(side);
    for (const char* list : {"cellStyleXfs", "cellXfs"}) {
        pugi::xml_node xfs = root.append_child(list);
        xfs.append_attribute("count") = 1;
        pugi::xml_node xf = xfs.append_child("xf");
        for (const char* a : {"numFmtId", "fontId", "fillId", "borderId"})
            xf.append_attribute(a) = 0;
        if (std::string_view(list) == "cellXfs")
            xf.append_attribute("xfId") = 0;
    }
    pugi::xml_node styles = root.append_child("cellStyles");
    styles.append_attribute("count") = 1;
    pugi::xml_node normal = styles.append_child("cellStyle");
    normal.append_attribute("name") = "Normal";
    normal.append_attribute("xfId") = 0;
    normal.append_attribute("builtinId") = 0;
    return xml::serialize(doc);
}

} // namespace host::xlsx
