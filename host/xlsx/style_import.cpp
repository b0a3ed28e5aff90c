#include "host/xlsx/style_import.h"

#include "host/model/workbook.h"
#include "host/xlsx/new_package.h"
#include "host/xlsx/package_state.h"
#include "host/xlsx/style_records.h"
#include "host/xlsx/styles_part.h"
#include "host/xlsx/xml_util.h"

#include <algorithm>
#include <sstream>

namespace host::xlsx {

namespace {

std::string canonical(pugi::xml_node node)
{
    std::ostringstream out;
    node.print(out, "", pugi::format_raw);
    return out.str();
}

} // namespace

pugi::xml_document currentStyles(const model::Workbook& book)
{
    const model::PackageState* package = book.package.get();
    pugi::xml_document doc;
    std::vector<model::CellFormat> inPart{model::CellFormat{}};
    if (package && !package->stylesPart.isEmpty()) {
        doc = xml::parse(package->readPart(package->stylesPart), package->stylesPart);
        inPart = package->stylesFormats;
    } else {
        doc = xml::parse(
            newStylesPart(book.defaultFontName, book.defaultFontSize, package && package->strict),
            QStringLiteral("xl/styles.xml"));
    }
    patchStyles(doc.document_element(), book, inPart, false);
    return doc;
}

StyleImporter::StyleImporter(const model::Workbook& from, model::Workbook& to)
    : m_fromBook(from), m_toBook(to), m_from(currentStyles(from)), m_to(currentStyles(to))
{
    m_cellFormats[0] = 0; // the default format stays the target's default
}

int StyleImporter::record(const char* list, const char* item, pugi::xml_node source)
{
    pugi::xml_node root = m_to.document_element();
    pugi::xml_node target = xml::child(root, list);
    if (!target)
        target = xml::insertInOrder(root, list, kStyleSheetOrder);
    const std::vector<pugi::xml_node> existing = xml::children(target, item);
    pugi::xml_node copy = target.append_copy(source);
    xml::adoptPrefix(copy, xml::prefix(root));
    const std::string text = canonical(copy);
    for (size_t i = 0; i < existing.size(); ++i) {
        if (canonical(existing[i]) == text) {
            target.remove_child(copy);
            return int(i);
        }
    }
    xml::setAttr(target, "count", int(existing.size() + 1));
    m_changed = true;
    return int(existing.size());
}

int StyleImporter::numberFormat(int id)
{
    if (id < 164)
        return id; // built in
    if (const auto done = m_numberFormats.find(id); done != m_numberFormats.end())
        return done->second;
    QString code;
    for (pugi::xml_node n :
         xml::children(xml::child(m_from.document_element(), "numFmts"), "numFmt")) {
        if (xml::intValue(n.attribute("numFmtId")) == id)
            code = xml::text(n.attribute("formatCode"));
    }
    pugi::xml_node root = m_to.document_element();
    pugi::xml_node formats = xml::child(root, "numFmts");
    int maxId = 163;
    for (pugi::xml_node n : xml::children(formats, "numFmt")) {
        const int theirs = xml::intValue(n.attribute("numFmtId")).value_or(0);
        if (xml::text(n.attribute("formatCode")) == code)
            return m_numberFormats[id] = theirs;
        maxId = std::max(maxId, theirs);
    }
    if (!formats)
        formats = xml::insertInOrder(root, "numFmts", kStyleSheetOrder);
    pugi::xml_node added = xml::appendChild(formats, "numFmt");
    xml::setAttr(added, "numFmtId", maxId + 1);
    xml::setAttr(added, "formatCode", code);
    xml::setAttr(formats, "count", int(xml::children(formats, "numFmt").size()));
    m_changed = true;
    return m_numberFormats[id] = maxId + 1;
}

int StyleImporter::cellFormat(int index)
{
    if (const auto done = m_cellFormats.find(index); done != m_cellFormats.end())
        return done->second;
    const pugi::xml_node fromRoot = m_from.document_element();
    const std::vector<pugi::xml_node> xfs = xml::children(xml::child(fromRoot, "cellXfs"), "xf");
    if (index < 0 || size_t(index) >= xfs.size())
        return m_cellFormats[index] = 0;
    pugi::xml_document scratch;
    pugi::xml_node xf = scratch.append_copy(xfs[size_t(index)]);
    const struct
    {
        const char* attribute;
        const char* list;
        const char* item;
    } parts[] = {{"fontId", "fonts", "font"},
                 {"fillId", "fills", "fill"},
                 {"borderId", "borders", "border"}};
    for (const auto& p : parts) {
        const int id = xml::intValue(xf.attribute(p.attribute)).value_or(0);
        const std::vector<pugi::xml_node> list =
            xml::children(xml::child(fromRoot, p.list), p.item);
        if (id >= 0 && size_t(id) < list.size())
            xml::setAttr(xf, p.attribute, record(p.list, p.item, list[size_t(id)]));
        else
            xml::setAttr(xf, p.attribute, 0);
    }
    xml::setAttr(xf, "numFmtId", numberFormat(xml::intValue(xf.attribute("numFmtId")).value_or(0)));
    xml::setAttr(xf, "xfId", 0); // named cell styles stay behind; the format itself comes along
    model::CellFormat format = m_fromBook.format(index);
    format.baseFormat = 0;
    setCellProtection(xf, format);

    const size_t before =
        xml::children(xml::child(m_to.document_element(), "cellXfs"), "xf").size();
    const int mine = record("cellXfs", "xf", xf);
    if (size_t(mine) >= before)
        m_toBook.cellFormats.push_back(format);
    return m_cellFormats[index] = mine;
}

int StyleImporter::differentialFormat(int index)
{
    if (const auto done = m_differential.find(index); done != m_differential.end())
        return done->second;
    const std::vector<pugi::xml_node> dxfs =
        xml::children(xml::child(m_from.document_element(), "dxfs"), "dxf");
    if (index < 0 || size_t(index) >= dxfs.size())
        return m_differential[index] = index;
    return m_differential[index] = record("dxfs", "dxf", dxfs[size_t(index)]);
}

void StyleImporter::finish()
{
    model::PackageState& package = *m_toBook.package;
    const bool hadPart = !package.stylesPart.isEmpty();
    if (!m_changed && hadPart && package.stylesFormats.size() == m_toBook.cellFormats.size())
        return;
    if (!hadPart)
        package.stylesPart = package.freePartName(QStringLiteral("xl"), QStringLiteral("styles"),
                                                  QStringLiteral("xml"));
    package.putPart(package.stylesPart, xml::serialize(m_to),
                    hadPart ? package.contentTypeOf(package.stylesPart)
                            : QString::fromUtf8(kStylesType));
    const pugi::xml_node root = m_to.document_element();
    package.stylesFormats = readCellFormats(root);
    // The formats brought along point into the target's records now.
    readStyleRecords(root, m_toBook);
    const size_t known = std::min(m_toBook.cellFormats.size(), package.stylesFormats.size());
    for (size_t i = 0; i < known; ++i) {
        model::CellFormat& f = m_toBook.cellFormats[i];
        const model::CellFormat& inPart = package.stylesFormats[i];
        f.font = inPart.font;
        f.fill = inPart.fill;
        f.border = inPart.border;
        f.numberFormat = inPart.numberFormat;
        f.alignment = inPart.alignment;
    }
}

} // namespace host::xlsx
