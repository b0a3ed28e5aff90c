#pragma once

#include "host/model/cell_ref.h"
#include "host/model/cell_style.h"
#include "host/model/drawing.h"

#include <QRgb>
#include <QString>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <utility>
#include <vector>

// The workbook model: plain data that the .xlsx reader fills and the writer reads. The model
// keeps what the host works with; everything else of the file is kept by the package layer
// (see `PackageState` and `SheetSource`), which the model holds without knowing.
namespace host::model {

struct PackageState; // defined by the .xlsx layer
struct SheetSource;  // defined by the .xlsx layer
struct LookCache;    // defined by the renderer: cell formats resolved for drawing

enum class CellKind
{
    Empty,
    Number,
    Text,
    Boolean,
    Error
};

struct Cell
{
    CellKind kind = CellKind::Empty;
    double number = 0;
    QString text; // Text value, or the error's text ("#N/A")
    bool boolean = false;
    QString formula; // without the leading "="; empty when the cell holds no formula
    int style = 0;   // index into the workbook's cell formats

    bool hasValue() const { return kind != CellKind::Empty || !formula.isEmpty(); }
};

using CellKey = std::pair<int, int>; // row, column (1-based)

// Column widths are in characters of the maximum digit width, as the file states them.
struct ColumnSpan
{
    int first = 1;
    int last = 1;
    std::optional<double> width; // absent: the sheet's default width
    bool customWidth = false;
    bool hidden = false;
    int style = 0;
};

struct RowInfo
{
    std::optional<double> height; // points; absent: the sheet's default height
    bool customHeight = false;
    bool hidden = false;
    std::optional<int> style; // the row's own format, when it has one
};

struct SheetProtection
{
    bool sheet = false;   // contents are protected
    bool objects = false; // drawing objects are protected (only while the sheet is)
    bool scenarios = false;
    // The legacy password hash as the file writes it ("CBEB"); empty without a password.
    QString password;
};

enum class SheetKind
{
    Worksheet,
    Chartsheet,
    Dialogsheet,
    Macrosheet
};

struct SheetView
{
    QString activeCell = QStringLiteral("A1");
    std::vector<CellRect> selection{CellRect{}};
    int topRow = 1;     // first visible row
    int leftColumn = 1; // first visible column
    int zoom = 100;
    bool tabSelected = false;
};

struct Sheet
{
    QString name;
    SheetKind kind = SheetKind::Worksheet;
    int visibility = -1; // -1 visible, 0 hidden, 2 very hidden (the host's numbers)

    std::map<CellKey, Cell> cells;
    std::vector<CellRect> merges;
    std::vector<ColumnSpan> columns; // sorted, not overlapping
    std::map<int, RowInfo> rows;

    double defaultRowHeight = 15;             // points
    std::optional<double> defaultColumnWidth; // characters; absent: from baseColumnWidth
    int baseColumnWidth = 8;                  // characters
    bool rowsHiddenByDefault = false;

    SheetProtection protection;
    SheetView view;
    Drawing drawing; // pictures, text boxes, groups, comments and the other drawing objects

    // What changed since loading, so that the writer touches only that.
    std::set<CellKey> dirtyCells;
    std::set<int> dirtyRows;
    bool columnsDirty = false;
    bool mergesDirty = false;
    bool formatDirty = false; // default sizes
    bool protectionDirty = false;
    bool viewDirty = false;

    std::shared_ptr<SheetSource> source; // the sheet's part as read; none for a new sheet

    const Cell* cell(int row, int column) const;
    Cell& editCell(int row, int column); // creates the cell and marks it changed
    void clearCell(int row, int column);
    const RowInfo* row(int row) const;
    RowInfo& editRow(int row);
    const ColumnSpan* column(int column) const;
    void setColumn(int first, int last, const std::function<void(ColumnSpan&)>& change);
};

struct CellFormat
{
    bool locked = true;
    bool formulaHidden = false;
    // For a format appended since loading: the format whose font, fill, border and number
    // format it shares (the writer copies that record and changes its protection).
    int baseFormat = 0;
    // The look: indexes into the workbook's fonts, fills and borders, and the number format's
    // id (built-in below 164, else one of the workbook's codes).
    int font = 0;
    int fill = 0;
    int border = 0;
    int numberFormat = 0;
    CellAlignment alignment;
};

struct Workbook
{
    std::vector<std::unique_ptr<Sheet>> sheets;
    int activeSheet = 0; // index into sheets
    int firstVisibleTab = 0;
    bool windowMinimized = false;

    std::vector<CellFormat> cellFormats{CellFormat{}};
    QString defaultFontName = QStringLiteral("Calibri");
    double defaultFontSize = 11;
    // The records the cell formats point into, and the workbook's own number format codes.
    std::vector<CellFont> fonts;
    std::vector<CellFill> fills;
    std::vector<CellBorder> borders;
    std::map<int, QString> numberFormats;
    // dk1, lt1, dk2, lt2, accent1–6, hlink, folHlink as the theme states them.
    std::array<QRgb, 12> themeColors = defaultThemeColors();
    bool date1904 = false; // serial numbers count days from 1904 rather than 1900

    // The 56-entry palette; `customPalette` when the file brings its own.
    std::array<QRgb, 56> palette{};
    bool customPalette = false;
    bool paletteDirty = false;

    bool sheetListDirty = false; // names, order, visibility, active sheet

    std::shared_ptr<PackageState> package; // the package as read; none for a new workbook

    // Counts changes of the look (formats, their records, palette, theme); what is built
    // from the look is rebuilt when it differs. `lookCache` is the renderer's and lives
    // as long as the workbook.
    int lookRevision = 0;
    mutable std::shared_ptr<LookCache> lookCache;

    static std::array<QRgb, 56> defaultPalette();
    static std::array<QRgb, 12> defaultThemeColors();
    Workbook();
    const CellFormat& format(int index) const;
    void lookChanged() { ++lookRevision; }
};

} // namespace host::model
