#include "host/xlsx/sheet_writer.h"

#include "host/model/workbook.h"
#include "host/xlsx/cell_writer.h"
#include "host/xlsx/opc.h"
#include "host/xlsx/sheet_reader.h"
#include "host/xlsx/xml_util.h"

#include <QStringList>

#include <cmath>

namespace host::xlsx {

using model::CellRect;
using model::Sheet;
using model::SheetKind;

namespace {

constexpr std::string_view kWorksheetOrder[] = {"sheetPr",
                                                "dimension",
                                                "sheetViews",
                                                "sheetFormatPr",
                                                "cols",
                                                "sheetData",
                                                "sheetCalcPr",
                                                "sheetProtection",
                                                "protectedRanges",
                                                "scenarios",
                                                "autoFilter",
                                                "sortState",
                                                "dataConsolidate",
                                                "customSheetViews",
                                                "mergeCells",
                                                "phoneticPr",
                                                "conditionalFormatting",
                                                "dataValidations",
                                                "hyperlinks",
                                                "printOptions",
                                                "pageMargins",
                                                "pageSetup",
                                                "headerFooter",
                                                "rowBreaks",
                                                "colBreaks",
                                                "customProperties",
                                                "cellWatches",
                                                "ignoredErrors",
                                                "smartTags",
                                                "drawing",
                                                "legacyDrawing",
                                                "legacyDrawingHF",
                                                "drawingHF",
                                                "picture",
                                                "oleObjects",
                                                "controls",
                                                "webPublishItems",
                                                "tableParts",
                                                "extLst"};

constexpr std::string_view kChartsheetOrder[] = {
    "sheetPr",         "sheetViews",      "sheetProtection", "customSheetViews",
    "pageMargins",     "pageSetup",       "headerFooter",    "drawing",
    "legacyDrawing",   "legacyDrawingHF", "drawingHF",       "picture",
    "webPublishItems", "extLst"};

constexpr std::string_view kSheetViewOrder[] = {"pane", "selection", "pivotSelection", "extLst"};

QString areaText(const CellRect& r)
{
    const QString first = model::columnName(r.left) + QString::number(r.top);
    if (r.isSingleCell())
        return first;
    return first + u':' + model::columnName(r.right) + QString::number(r.bottom);
}

// The width a column without its own width shows, in the file's units: the default width when
// the sheet states one, else the base width plus padding, rounded as spreadsheet programs do
// for a maximum digit width of 7 pixels.
double defaultWidth(const Sheet& sheet)
{
    if (sheet.defaultColumnWidth)
        return *sheet.defaultColumnWidth;
    const int pixels = (sheet.baseColumnWidth * 7 + 5 + 7) / 8 * 8;
    return std::floor(pixels / 7.0 * 256) / 256;
}

void writeDimension(pugi::xml_node root, const Sheet& sheet)
{
    CellRect box;
    bool any = false;
    for (const auto& [key, cell] : sheet.cells) {
        if (!any) {
            box = CellRect{key.first, key.second, key.first, key.second};
            any = true;
            continue;
        }
        box.top = std::min(box.top, key.first);
        box.bottom = std::max(box.bottom, key.first);
        box.left = std::min(box.left, key.second);
        box.right = std::max(box.right, key.second);
    }
    pugi::xml_node dimension = xml::ensureChild(root, "dimension", kWorksheetOrder);
    xml::setAttr(dimension, "ref", areaText(box));
}

void writeColumns(pugi::xml_node root, const Sheet& sheet)
{
    // The file's <col> elements, to carry over what the model does not hold (outline levels,
    // best fit, …) into the spans that replace them.
    pugi::xml_document keep;
    struct Old
    {
        int first, last;
        pugi::xml_node node;
    };
    std::vector<Old> old;
    for (pugi::xml_node cols = xml::child(root, "cols"); cols; cols = xml::child(root, "cols")) {
        for (pugi::xml_node col : cols.children()) {
            if (!xml::is(col, "col"))
                continue;
            old.push_back(Old{xml::intValue(col.attribute("min")).value_or(0),
                              xml::intValue(col.attribute("max")).value_or(0),
                              keep.append_copy(col)});
        }
        root.remove_child(cols);
    }
    auto covering = [&](int column) -> pugi::xml_node {
        for (const Old& o : old) {
            if (column >= o.first && column <= o.last)
                return o.node;
        }
        return {};
    };
    pugi::xml_node cols;
    for (const model::ColumnSpan& span : sheet.columns) {
        const pugi::xml_node was = covering(span.first);
        if (!was && !span.width && !span.hidden && span.style == 0 && !span.customWidth)
            continue; // nothing to say about these columns
        if (!cols)
            cols = xml::insertInOrder(root, "cols", kWorksheetOrder);
        pugi::xml_node col = was ? cols.append_copy(was) : xml::appendChild(cols, "col");
        col.set_name((xml::prefix(cols) + "col").c_str());
        xml::setAttr(col, "min", span.first);
        xml::setAttr(col, "max", span.last);
        xml::setAttr(col, "width", span.width ? *span.width : defaultWidth(sheet));
        if (span.style > 0)
            xml::setAttr(col, "style", span.style);
        else
            xml::removeAttr(col, "style");
        if (span.hidden)
            xml::setAttr(col, "hidden", "1");
        else
            xml::removeAttr(col, "hidden");
        if (span.customWidth)
            xml::setAttr(col, "customWidth", "1");
        else
            xml::removeAttr(col, "customWidth");
    }
}

void writeMerges(pugi::xml_node root, const Sheet& sheet)
{
    while (const pugi::xml_node old = xml::child(root, "mergeCells"))
        root.remove_child(old);
    if (sheet.merges.empty())
        return;
    pugi::xml_node merges = xml::insertInOrder(root, "mergeCells", kWorksheetOrder);
    xml::setAttr(merges, "count", int(sheet.merges.size()));
    for (const CellRect& r : sheet.merges)
        xml::setAttr(xml::appendChild(merges, "mergeCell"), "ref", areaText(r));
}

void writeFormat(pugi::xml_node root, const Sheet& sheet)
{
    pugi::xml_node format = xml::ensureChild(root, "sheetFormatPr", kWorksheetOrder);
    const auto before = xml::doubleValue(format.attribute("defaultRowHeight"));
    xml::setAttr(format, "defaultRowHeight", sheet.defaultRowHeight);
    if (before && *before != sheet.defaultRowHeight)
        xml::setAttr(format, "customHeight", "1");
    if (sheet.defaultColumnWidth)
        xml::setAttr(format, "defaultColWidth", *sheet.defaultColumnWidth);
    else
        xml::removeAttr(format, "defaultColWidth");
    if (sheet.baseColumnWidth != 8)
        xml::setAttr(format, "baseColWidth", sheet.baseColumnWidth);
    else
        xml::removeAttr(format, "baseColWidth");
    if (sheet.rowsHiddenByDefault)
        xml::setAttr(format, "zeroHeight", "1");
    else
        xml::removeAttr(format, "zeroHeight");
}

void writeProtection(pugi::xml_node root, const Sheet& sheet, xml::Order order,
                     const char* sheetAttribute)
{
    pugi::xml_node protection = xml::child(root, "sheetProtection");
    if (!sheet.protection.sheet) {
        if (protection)
            root.remove_child(protection);
        return;
    }
    if (!protection)
        protection = xml::insertInOrder(root, "sheetProtection", order);
    xml::setAttr(protection, sheetAttribute, "1");
    if (sheet.protection.password.isEmpty())
        xml::removeAttr(protection, "password");
    else
        xml::setAttr(protection, "password", sheet.protection.password);
    for (const auto& [name, on] : {std::pair{"objects", sheet.protection.objects},
                                   std::pair{"scenarios", sheet.protection.scenarios}}) {
        if (on)
            xml::setAttr(protection, name, "1");
        else
            xml::removeAttr(protection, name);
    }
}

void writeView(pugi::xml_node root, const Sheet& sheet, xml::Order order, bool cells)
{
    const model::SheetView& v = sheet.view;
    pugi::xml_node views = xml::ensureChild(root, "sheetViews", order);
    pugi::xml_node view = xml::child(views, "sheetView");
    if (!view) {
        view = xml::appendChild(views, "sheetView");
        xml::setAttr(view, "workbookViewId", "0");
    }
    if (v.tabSelected)
        xml::setAttr(view, "tabSelected", "1");
    else
        xml::removeAttr(view, "tabSelected");
    if (v.zoom != 100)
        xml::setAttr(view, "zoomScale", v.zoom);
    else
        xml::removeAttr(view, "zoomScale");
    if (!cells)
        return;
    if (v.topRow > 1 || v.leftColumn > 1)
        xml::setAttr(view, "topLeftCell",
                     model::columnName(v.leftColumn) + QString::number(v.topRow));
    else
        xml::removeAttr(view, "topLeftCell");

    // The selection of the active pane, as the reader took it.
    const std::string activePane = activePaneName(view);
    pugi::xml_node selection = activeSelection(view);
    if (!selection) {
        selection = xml::insertInOrder(view, "selection", kSheetViewOrder);
        if (!activePane.empty() && activePane != "topLeft")
            xml::setAttr(selection, "pane", activePane.c_str());
    }
    xml::setAttr(selection, "activeCell", v.activeCell);
    QStringList areas;
    for (const CellRect& r : v.selection)
        areas.append(areaText(r));
    xml::setAttr(selection, "sqref", areas.join(u' '));
}

} // namespace

bool isDirty(const Sheet& sheet)
{
    return !sheet.dirtyCells.empty() || !sheet.dirtyRows.empty() || sheet.columnsDirty ||
           sheet.mergesDirty || sheet.formatDirty || sheet.protectionDirty || sheet.viewDirty;
}

void setDrawingReference(pugi::xml_node root, const QString& relationshipId, bool strict)
{
    const xml::Order order =
        xml::is(root, "chartsheet") ? xml::Order(kChartsheetOrder) : xml::Order(kWorksheetOrder);
    pugi::xml_node drawing = xml::ensureChild(root, "drawing", order);
    const std::string name =
        xml::prefixForNamespace(root, {opc::kTransitionalRelNs, opc::kStrictRelNs}, "r",
                                strict ? opc::kStrictRelNs : opc::kTransitionalRelNs) +
        "id";
    pugi::xml_attribute id = xml::prefixedAttr(drawing, "id");
    if (id)
        id.set_value(relationshipId.toUtf8().constData());
    else
        xml::setAttr(drawing, name.c_str(), relationshipId);
}

pugi::xml_document newSheetPart(bool strict)
{
    pugi::xml_document doc = xml::newDocument();
    pugi::xml_node root = doc.append_child("worksheet");
    root.append_attribute("xmlns") = strict ? opc::kStrictMainNs : opc::kTransitionalMainNs;
    root.append_attribute("xmlns:r") = strict ? opc::kStrictRelNs : opc::kTransitionalRelNs;
    root.append_child("sheetData");
    return doc;
}

bool patchSheet(pugi::xml_node root, const Sheet& sheet, const SheetWriteContext& context,
                bool everything)
{
    if (sheet.kind == SheetKind::Chartsheet) {
        if (everything || sheet.protectionDirty)
            writeProtection(root, sheet, kChartsheetOrder, "content");
        if (everything || sheet.viewDirty)
            writeView(root, sheet, kChartsheetOrder, false);
        return false;
    }
    bool newFormula = false;
    const bool hasCells = sheet.kind != SheetKind::Dialogsheet;
    if (hasCells && (everything || !sheet.dirtyCells.empty() || !sheet.dirtyRows.empty())) {
        std::set<model::CellKey> cells;
        std::set<int> rows;
        if (everything) {
            for (const auto& entry : sheet.cells)
                cells.insert(entry.first);
            for (const auto& entry : sheet.rows)
                rows.insert(entry.first);
        }
        CellWriter writer(xml::ensureChild(root, "sheetData", kWorksheetOrder), sheet, context);
        writer.write(everything ? cells : sheet.dirtyCells, everything ? rows : sheet.dirtyRows);
        newFormula = writer.wroteNewFormula();
        writeDimension(root, sheet);
    }
    if (hasCells && (everything || sheet.columnsDirty))
        writeColumns(root, sheet);
    if (hasCells && (everything || sheet.mergesDirty))
        writeMerges(root, sheet);
    if (everything || sheet.formatDirty)
        writeFormat(root, sheet);
    if (everything || sheet.protectionDirty)
        writeProtection(root, sheet, kWorksheetOrder, "sheet");
    if (everything || sheet.viewDirty)
        writeView(root, sheet, kWorksheetOrder, true);
    return newFormula;
}

} // namespace host::xlsx
