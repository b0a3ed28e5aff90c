#include "host/xlsx/sheet_reader.h"

#include "host/automation/host_error.h"
#include "host/model/workbook.h"
#include "host/xlsx/formula_shift.h"
#include "host/xlsx/xml_util.h"

#include <QDateTime>

#include <algorithm>
#include <map>

namespace host::xlsx {

using model::Cell;
using model::CellKind;
using model::CellRect;
using model::Sheet;

QString richText(pugi::xml_node element)
{
    QString out;
    for (pugi::xml_node n : element.children()) {
        if (xml::is(n, "t")) {
            out += xml::text(n);
        } else if (xml::is(n, "r")) {
            for (pugi::xml_node t : n.children()) {
                if (xml::is(t, "t"))
                    out += xml::text(t);
            }
        }
    }
    return xml::decodeEscapes(out);
}

double dateSerial(const QString& iso, bool date1904, bool* ok)
{
    QString s = iso.trimmed();
    if (s.startsWith(u'T'))
        s.prepend(QStringLiteral("1899-12-30"));
    QDateTime when = QDateTime::fromString(s, Qt::ISODateWithMs);
    if (!when.isValid()) {
        const QDate day = QDate::fromString(s, Qt::ISODate);
        if (day.isValid())
            when = QDateTime(day, QTime(0, 0));
    }
    *ok = when.isValid();
    if (!*ok)
        return 0;
    const QDate base = date1904 ? QDate(1904, 1, 1) : QDate(1899, 12, 30);
    double serial =
        double(base.daysTo(when.date())) + when.time().msecsSinceStartOfDay() / 86400000.0;
    // The 1900 system counts a 29 February 1900 that never was.
    if (!date1904 && when.date() < QDate(1900, 3, 1) && when.date() >= QDate(1900, 1, 1))
        serial -= 1;
    return serial;
}

namespace {

std::optional<CellRect> parseRef(pugi::xml_attribute a)
{
    return a ? model::parseA1(xml::text(a)) : std::nullopt;
}

// A list of areas separated by spaces, as sqref and merge lists write them.
std::vector<CellRect> parseSqref(const QString& text)
{
    std::vector<CellRect> out;
    for (const QString& part : text.split(u' ', Qt::SkipEmptyParts)) {
        if (const auto r = model::parseA1(part))
            out.push_back(*r);
    }
    return out;
}

struct SharedFormula
{
    QString text;
    int row = 0;
    int column = 0;
};

class WorksheetReader
{
public:
    WorksheetReader(Sheet& sheet, const SheetReadContext& context)
        : m_sheet(sheet), m_context(context)
    {
    }

    void read(pugi::xml_node root)
    {
        for (pugi::xml_node n : root.children()) {
            if (n.type() != pugi::node_element)
                continue;
            const std::string_view name = xml::localName(n.name());
            if (name == "sheetFormatPr")
                readFormat(n);
            else if (name == "cols")
                readColumns(n);
            else if (name == "sheetData")
                readData(n);
            else if (name == "mergeCells")
                readMerges(n);
            else if (name == "sheetProtection")
                readProtection(n, "sheet");
            else if (name == "sheetViews")
                readViews(n);
        }
        resolveSharedFormulas();
    }

    void readFormat(pugi::xml_node n)
    {
        if (const auto h = xml::doubleValue(n.attribute("defaultRowHeight")); h && *h >= 0)
            m_sheet.defaultRowHeight = *h;
        if (const auto w = xml::doubleValue(n.attribute("defaultColWidth")); w && *w >= 0)
            m_sheet.defaultColumnWidth = *w;
        if (const auto b = xml::intValue(n.attribute("baseColWidth")); b && *b >= 0 && *b <= 255)
            m_sheet.baseColumnWidth = *b;
        m_sheet.rowsHiddenByDefault = xml::boolValue(n.attribute("zeroHeight"), false);
    }

    void readColumns(pugi::xml_node cols)
    {
        for (pugi::xml_node c : cols.children()) {
            if (!xml::is(c, "col"))
                continue;
            model::ColumnSpan span;
            span.first =
                std::clamp(xml::intValue(c.attribute("min")).value_or(1), 1, model::kMaxColumns);
            span.last = std::clamp(xml::intValue(c.attribute("max")).value_or(span.first),
                                   span.first, model::kMaxColumns);
            span.width = xml::doubleValue(c.attribute("width"));
            span.customWidth = xml::boolValue(c.attribute("customWidth"), false);
            span.hidden = xml::boolValue(c.attribute("hidden"), false);
            span.style = std::max(0, xml::intValue(c.attribute("style")).value_or(0));
            m_sheet.columns.push_back(span);
        }
        std::stable_sort(m_sheet.columns.begin(), m_sheet.columns.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        // Overlapping spans are cut so that each column has one.
        for (size_t i = 1; i < m_sheet.columns.size();) {
            auto& prev = m_sheet.columns[i - 1];
            auto& cur = m_sheet.columns[i];
            if (cur.first <= prev.last)
                cur.first = prev.last + 1;
            if (cur.first > cur.last)
                m_sheet.columns.erase(m_sheet.columns.begin() + qsizetype(i));
            else
                ++i;
        }
    }

    void readData(pugi::xml_node data)
    {
        int rowNumber = 0;
        for (pugi::xml_node row : data.children()) {
            if (!xml::is(row, "row"))
                continue;
            rowNumber = xml::intValue(row.attribute("r")).value_or(rowNumber + 1);
            if (rowNumber < 1 || rowNumber > model::kMaxRows)
                fail(QStringLiteral("sheet '%1' has a row numbered %2, beyond the sheet")
                         .arg(clipped(m_sheet.name))
                         .arg(rowNumber));
            readRow(row, rowNumber);
        }
    }

    void readRow(pugi::xml_node row, int rowNumber)
    {
        model::RowInfo info;
        bool any = false;
        if (const auto h = xml::doubleValue(row.attribute("ht")); h && *h >= 0) {
            info.height = *h;
            any = true;
        }
        info.customHeight = xml::boolValue(row.attribute("customHeight"), false);
        info.hidden = xml::boolValue(row.attribute("hidden"), false);
        if (xml::boolValue(row.attribute("customFormat"), false))
            info.style = std::max(0, xml::intValue(row.attribute("s")).value_or(0));
        any = any || info.customHeight || info.hidden || info.style;
        if (any)
            m_sheet.rows[rowNumber] = info;

        int column = 0;
        for (pugi::xml_node c : row.children()) {
            if (!xml::is(c, "c"))
                continue;
            int r = rowNumber;
            if (const pugi::xml_attribute ref = c.attribute("r")) {
                const auto rect = parseRef(ref);
                if (!rect || !rect->isSingleCell())
                    fail(QStringLiteral("sheet '%1' has a cell named '%2'")
                             .arg(clipped(m_sheet.name), clipped(xml::text(ref))));
                r = rect->top;
                column = rect->left;
            } else {
                ++column;
            }
            if (column < 1 || column > model::kMaxColumns)
                fail(QStringLiteral("sheet '%1' has a cell beyond the last column")
                         .arg(clipped(m_sheet.name)));
            readCell(c, r, column);
        }
    }

    void readCell(pugi::xml_node c, int row, int column)
    {
        Cell cell;
        cell.style = std::max(0, xml::intValue(c.attribute("s")).value_or(0));
        const std::string_view type = c.attribute("t") ? c.attribute("t").value() : "n";
        const pugi::xml_node v = xml::child(c, "v");
        const QString value = xml::text(v);
        if (type == "s") {
            bool ok = false;
            const long long i = value.trimmed().toLongLong(&ok);
            if (ok && v) {
                cell.kind = CellKind::Text;
                const auto& strings = *m_context.sharedStrings;
                if (i >= 0 && size_t(i) < strings.size())
                    cell.text = strings[size_t(i)];
            }
        } else if (type == "str") {
            if (v) {
                cell.kind = CellKind::Text;
                cell.text = xml::decodeEscapes(value);
            }
        } else if (type == "inlineStr") {
            cell.kind = CellKind::Text;
            cell.text = richText(xml::child(c, "is"));
        } else if (type == "b") {
            if (v) {
                cell.kind = CellKind::Boolean;
                cell.boolean = value.trimmed() != u"0" && value.trimmed() != u"false";
            }
        } else if (type == "e") {
            if (v) {
                cell.kind = CellKind::Error;
                cell.text = value;
            }
        } else if (type == "d") {
            bool ok = false;
            const double serial = dateSerial(value, m_context.date1904, &ok);
            if (ok) {
                cell.kind = CellKind::Number;
                cell.number = serial;
            }
        } else if (v) {
            if (const auto d = xml::doubleValue(v.child_value())) {
                cell.kind = CellKind::Number;
                cell.number = *d;
            }
        }
        if (const pugi::xml_node f = xml::child(c, "f"))
            readFormula(f, cell, row, column);
        m_sheet.cells[{row, column}] = std::move(cell);
    }

    void readFormula(pugi::xml_node f, Cell& cell, int row, int column)
    {
        const std::string_view type = f.attribute("t").value();
        const QString text = xml::text(f);
        if (type == "shared") {
            const int si = xml::intValue(f.attribute("si")).value_or(-1);
            if (!text.isEmpty() && f.attribute("ref")) {
                m_shared[si] = SharedFormula{text, row, column};
                cell.formula = text;
            } else {
                m_pending.push_back({row, column, si});
            }
            return;
        }
        cell.formula = text; // normal, array (on its first cell) or empty for a data table
    }

    void resolveSharedFormulas()
    {
        for (const Pending& p : m_pending) {
            const auto master = m_shared.find(p.si);
            if (master == m_shared.end())
                continue;
            Cell& cell = m_sheet.cells[{p.row, p.column}];
            cell.formula = shiftFormula(master->second.text, p.row - master->second.row,
                                        p.column - master->second.column);
        }
    }

    void readMerges(pugi::xml_node merges)
    {
        for (pugi::xml_node m : merges.children()) {
            if (!xml::is(m, "mergeCell"))
                continue;
            if (const auto rect = parseRef(m.attribute("ref")); rect && !rect->isSingleCell())
                m_sheet.merges.push_back(*rect);
        }
    }

    void readProtection(pugi::xml_node n, const char* sheetAttribute)
    {
        m_sheet.protection.sheet = xml::boolValue(n.attribute(sheetAttribute), false);
        m_sheet.protection.objects = xml::boolValue(n.attribute("objects"), false);
        m_sheet.protection.scenarios = xml::boolValue(n.attribute("scenarios"), false);
        m_sheet.protection.password = QString::fromUtf8(n.attribute("password").value());
    }

    void readViews(pugi::xml_node views)
    {
        const pugi::xml_node view = xml::child(views, "sheetView");
        if (!view)
            return;
        model::SheetView& out = m_sheet.view;
        out.tabSelected = xml::boolValue(view.attribute("tabSelected"), false);
        if (const auto zoom = xml::intValue(view.attribute("zoomScale")); zoom && *zoom > 0)
            out.zoom = *zoom;
        if (const auto top = parseRef(view.attribute("topLeftCell"))) {
            out.topRow = top->top;
            out.leftColumn = top->left;
        }
        const pugi::xml_node selection = activeSelection(view);
        if (!selection)
            return;
        if (const pugi::xml_attribute active = selection.attribute("activeCell");
            active && model::parseA1(xml::text(active)))
            out.activeCell = xml::text(active).remove(u'$');
        if (const pugi::xml_attribute sqref = selection.attribute("sqref")) {
            std::vector<CellRect> areas = parseSqref(xml::text(sqref));
            if (!areas.empty())
                out.selection = std::move(areas);
        }
    }

private:
    struct Pending
    {
        int row;
        int column;
        int si;
    };
    Sheet& m_sheet;
    const SheetReadContext& m_context;
    std::map<int, SharedFormula> m_shared;
    std::vector<Pending> m_pending;
};

} // namespace

void readWorksheet(pugi::xml_node root, Sheet& sheet, const SheetReadContext& context)
{
    WorksheetReader(sheet, context).read(root);
}

void readChartsheet(pugi::xml_node root, Sheet& sheet)
{
    static const std::vector<QString> noStrings;
    SheetReadContext context{&noStrings, false};
    WorksheetReader reader(sheet, context);
    for (pugi::xml_node n : root.children()) {
        if (xml::is(n, "sheetViews"))
            reader.readViews(n);
        else if (xml::is(n, "sheetProtection"))
            reader.readProtection(n, "content");
    }
}

std::string activePaneName(pugi::xml_node view)
{
    const pugi::xml_node pane = xml::child(view, "pane");
    if (!pane)
        return {};
    return pane.attribute("activePane") ? pane.attribute("activePane").value() : "topLeft";
}

pugi::xml_node activeSelection(pugi::xml_node view)
{
    const std::string activePane = activePaneName(view);
    for (pugi::xml_node s : view.children()) {
        if (!xml::is(s, "selection"))
            continue;
        const std::string mine = s.attribute("pane") ? s.attribute("pane").value() : "topLeft";
        if (activePane.empty() || mine == activePane)
            return s;
    }
    return {};
}

} // namespace host::xlsx
