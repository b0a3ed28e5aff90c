#include "host/xlsx/cell_writer.h"

#include "host/automation/host_error.h"
#include "host/xlsx/formula_shift.h"
#include "host/xlsx/sheet_reader.h"
#include "host/xlsx/sheet_writer.h"
#include "host/xlsx/xml_util.h"

namespace host::xlsx {

using model::Cell;
using model::CellKey;
using model::CellKind;

namespace {

std::optional<std::pair<int, int>> cellPosition(pugi::xml_node c)
{
    const auto rect = model::parseA1(xml::text(c.attribute("r")));
    if (!rect || !rect->isSingleCell())
        return std::nullopt;
    return std::make_pair(rect->top, rect->left);
}

QString cellName(int row, int column)
{
    return model::columnName(column) + QString::number(row);
}

bool needsPreserve(const QString& s)
{
    return !s.isEmpty() && (s.front().isSpace() || s.back().isSpace() || s.contains(u'\n'));
}

} // namespace

CellWriter::CellWriter(pugi::xml_node sheetData, const model::Sheet& sheet,
                       const SheetWriteContext& context)
    : m_data(sheetData), m_sheet(sheet), m_context(context), m_prefix(xml::prefix(sheetData))
{
}

void CellWriter::indexRows()
{
    // Rows and cells may leave out their numbers (each then follows the previous one); the
    // patch needs them, so they are written out.
    int rowNumber = 0;
    for (pugi::xml_node row : m_data.children()) {
        if (!xml::is(row, "row"))
            continue;
        if (const auto r = xml::intValue(row.attribute("r")))
            rowNumber = *r;
        else
            xml::setAttr(row, "r", ++rowNumber);
        m_rows[rowNumber] = row;
        int column = 0;
        for (pugi::xml_node c : row.children()) {
            if (!xml::is(c, "c"))
                continue;
            if (const auto pos = cellPosition(c))
                column = pos->second;
            else
                xml::setAttr(c, "r", cellName(rowNumber, ++column));
        }
    }
}

pugi::xml_node CellWriter::rowNode(int row)
{
    const auto it = m_rows.lower_bound(row);
    if (it != m_rows.end() && it->first == row)
        return it->second;
    const std::string name = m_prefix + "row";
    pugi::xml_node node = it != m_rows.end() ? m_data.insert_child_before(name.c_str(), it->second)
                                             : m_data.append_child(name.c_str());
    xml::setAttr(node, "r", row);
    m_rows.emplace(row, node);
    return node;
}

void CellWriter::write(const std::set<CellKey>& cells, const std::set<int>& rows)
{
    const auto offSheet = [](int row, int column) {
        return row < 1 || row > model::kMaxRows || column < 1 || column > model::kMaxColumns;
    };
    bool outside = !rows.empty() && (offSheet(*rows.begin(), 1) || offSheet(*rows.rbegin(), 1));
    for (auto k = cells.begin(); k != cells.end() && !outside; ++k)
        outside = offSheet(k->first, k->second);
    if (outside)
        fail(QStringLiteral("sheet '%1' has a cell or row beyond the sheet")
                 .arg(clipped(m_sheet.name)));
    indexRows();
    std::set<int> touched = rows;
    for (const CellKey& k : cells)
        touched.insert(k.first);
    auto cell = cells.begin();
    for (const int row : touched) {
        auto end = cell;
        while (end != cells.end() && end->first == row)
            ++end;
        writeRow(row, cell, end, rows.count(row) != 0);
        cell = end;
    }
    unshare();
}

void CellWriter::writeRow(int row, std::set<CellKey>::const_iterator begin,
                          std::set<CellKey>::const_iterator end, bool attributes)
{
    const bool existed = m_rows.count(row) != 0;
    bool anyCell = false;
    for (auto it = begin; it != end && !anyCell; ++it)
        anyCell = m_sheet.cell(it->first, it->second) != nullptr;
    if (!existed && !anyCell && !m_sheet.row(row))
        return; // nothing to write and nothing to remove
    pugi::xml_node node = rowNode(row);

    std::map<int, pugi::xml_node> columns;
    for (pugi::xml_node c : node.children()) {
        if (xml::is(c, "c")) {
            if (const auto pos = cellPosition(c))
                columns[pos->second] = c;
        }
    }
    bool added = false;
    for (auto it = begin; it != end; ++it) {
        const int column = it->second;
        const Cell* cell = m_sheet.cell(row, column);
        const auto found = columns.find(column);
        if (!cell) {
            if (found != columns.end()) {
                if (const pugi::xml_node f = xml::child(found->second, "f");
                    f && std::string_view(f.attribute("t").value()) == "shared" &&
                    f.attribute("ref"))
                    m_unshare.insert(xml::intValue(f.attribute("si")).value_or(-1));
                node.remove_child(found->second);
                columns.erase(found);
            }
            continue;
        }
        pugi::xml_node c;
        if (found != columns.end()) {
            c = found->second;
        } else {
            const auto next = columns.upper_bound(column);
            pugi::xml_node before =
                next != columns.end() ? next->second : xml::child(node, "extLst");
            const std::string name = m_prefix + "c";
            c = before ? node.insert_child_before(name.c_str(), before)
                       : node.append_child(name.c_str());
            xml::setAttr(c, "r", cellName(row, column));
            columns[column] = c;
            added = true;
        }
        writeCell(c, *cell, row, column);
    }
    if (added)
        xml::removeAttr(node, "spans"); // a hint that may no longer hold
    if (attributes)
        writeRowAttributes(node, row);

    // A row left with no cells and nothing of its own goes.
    bool keep = false;
    for (pugi::xml_node n = node.first_child(); n && !keep; n = n.next_sibling())
        keep = n.type() == pugi::node_element;
    for (pugi::xml_attribute a = node.first_attribute(); a && !keep; a = a.next_attribute()) {
        const std::string_view name = a.name();
        keep = name != "r" && name != "spans" && xml::localName(a.name()) != "dyDescent";
    }
    if (!keep) {
        m_data.remove_child(node);
        m_rows.erase(row);
    }
}

void CellWriter::writeRowAttributes(pugi::xml_node node, int row)
{
    const model::RowInfo* info = m_sheet.row(row);
    if (info && info->height)
        xml::setAttr(node, "ht", *info->height);
    else
        xml::removeAttr(node, "ht");
    if (info && info->customHeight)
        xml::setAttr(node, "customHeight", "1");
    else
        xml::removeAttr(node, "customHeight");
    if (info && info->hidden)
        xml::setAttr(node, "hidden", "1");
    else
        xml::removeAttr(node, "hidden");
    if (info && info->style) {
        xml::setAttr(node, "s", *info->style);
        xml::setAttr(node, "customFormat", "1");
    } else {
        xml::removeAttr(node, "s");
        xml::removeAttr(node, "customFormat");
    }
}

void CellWriter::indexMasters()
{
    if (m_mastersIndexed)
        return;
    m_mastersIndexed = true;
    for (const auto& [row, node] : m_rows) {
        for (pugi::xml_node c : node.children()) {
            const pugi::xml_node f = xml::child(c, "f");
            if (!f || std::string_view(f.attribute("t").value()) != "shared" || !f.attribute("ref"))
                continue;
            const auto pos = cellPosition(c);
            const auto si = xml::intValue(f.attribute("si"));
            if (pos && si)
                m_masters[*si] = Master{xml::text(f), pos->first, pos->second};
        }
    }
}

QString CellWriter::formulaOf(pugi::xml_node f, int row, int column)
{
    if (!f)
        return QString();
    if (std::string_view(f.attribute("t").value()) == "shared" && !f.attribute("ref")) {
        indexMasters();
        const auto m = m_masters.find(xml::intValue(f.attribute("si")).value_or(-1));
        if (m == m_masters.end())
            return QString();
        return shiftFormula(m->second.text, row - m->second.row, column - m->second.column);
    }
    return xml::text(f);
}

void CellWriter::writeCell(pugi::xml_node c, const Cell& cell, int row, int column)
{
    pugi::xml_node f = xml::child(c, "f");
    const bool keepFormula =
        f && !cell.formula.isEmpty() && formulaOf(f, row, column) == cell.formula;
    if (!keepFormula) {
        if (f) {
            if (std::string_view(f.attribute("t").value()) == "shared" && f.attribute("ref"))
                m_unshare.insert(xml::intValue(f.attribute("si")).value_or(-1));
            c.remove_child(f);
            f = pugi::xml_node();
        }
        xml::removeAttr(c, "cm"); // cell metadata described the old formula
        if (!cell.formula.isEmpty()) {
            f = c.prepend_child((m_prefix + "f").c_str());
            xml::setText(f, cell.formula);
            m_newFormula = true;
        }
    }
    writeValue(c, f, cell);
    if (cell.style > 0)
        xml::setAttr(c, "s", cell.style);
    else
        xml::removeAttr(c, "s");
}

void CellWriter::writeValue(pugi::xml_node c, pugi::xml_node f, const Cell& cell)
{
    pugi::xml_node v = xml::child(c, "v");
    const std::string_view type = c.attribute("t").value();
    // An unchanged text keeps its place in the shared strings.
    if (cell.kind == CellKind::Text && cell.formula.isEmpty() && type == "s" && v) {
        bool ok = false;
        const long long index = xml::text(v).trimmed().toLongLong(&ok);
        const auto& strings = *m_context.sharedStrings;
        if (ok && index >= 0 && size_t(index) < strings.size() &&
            strings[size_t(index)] == cell.text)
            return;
    }
    // So does an unchanged inline text, with its runs.
    if (cell.kind == CellKind::Text && cell.formula.isEmpty() && type == "inlineStr") {
        if (const pugi::xml_node is = xml::child(c, "is"); is && richText(is) == cell.text)
            return;
    }
    const bool sameError =
        cell.kind == CellKind::Error && type == "e" && v && xml::text(v) == cell.text;
    if (!sameError)
        xml::removeAttr(
            c, "vm"); // value metadata (such as a picture in the cell) described the old value
    if (v)
        c.remove_child(v);
    if (const pugi::xml_node is = xml::child(c, "is"))
        c.remove_child(is);
    xml::removeAttr(c, "t");

    auto addValue = [&](const char* type, const QString& text) {
        if (type)
            xml::setAttr(c, "t", type);
        const std::string name = m_prefix + "v";
        pugi::xml_node value =
            f ? c.insert_child_after(name.c_str(), f) : c.prepend_child(name.c_str());
        xml::setText(value, text);
    };
    switch (cell.kind) {
    case CellKind::Empty:
        break;
    case CellKind::Number:
        addValue(nullptr, QString::fromStdString(xml::formatDouble(cell.number)));
        break;
    case CellKind::Boolean:
        addValue("b", cell.boolean ? QStringLiteral("1") : QStringLiteral("0"));
        break;
    case CellKind::Error:
        addValue("e", cell.text);
        break;
    case CellKind::Text:
        if (!cell.formula.isEmpty()) {
            addValue("str", xml::encodeEscapes(cell.text));
            break;
        }
        {
            xml::setAttr(c, "t", "inlineStr");
            const std::string name = m_prefix + "is";
            pugi::xml_node is =
                f ? c.insert_child_after(name.c_str(), f) : c.prepend_child(name.c_str());
            pugi::xml_node t = xml::appendChild(is, "t");
            if (needsPreserve(cell.text))
                t.append_attribute("xml:space") = "preserve";
            xml::setText(t, xml::encodeEscapes(cell.text));
        }
        break;
    }
}

void CellWriter::unshare()
{
    m_unshare.erase(-1);
    if (m_unshare.empty())
        return;
    // The master of these shared formulas changed or went: every member still pointing at it
    // gets its own formula, as the model holds it.
    for (const auto& [row, node] : m_rows) {
        for (pugi::xml_node c : node.children()) {
            pugi::xml_node f = xml::child(c, "f");
            if (!f || std::string_view(f.attribute("t").value()) != "shared")
                continue;
            if (!m_unshare.count(xml::intValue(f.attribute("si")).value_or(-1)))
                continue;
            const auto pos = cellPosition(c);
            const Cell* cell = pos ? m_sheet.cell(pos->first, pos->second) : nullptr;
            if (!cell || cell->formula.isEmpty()) {
                c.remove_child(f);
                continue;
            }
            xml::removeAttr(f, "t");
            xml::removeAttr(f, "si");
            xml::removeAttr(f, "ref");
            xml::setText(f, cell->formula);
        }
    }
}

} // namespace host::xlsx
