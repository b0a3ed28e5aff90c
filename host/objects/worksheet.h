#pragma once

#include "host/automation/member_table.h"
#include "host/model/cell_ref.h"
#include "host/model/geometry.h"
#include "host/objects/change_notifier.h"

#include <memory>
#include <vector>

namespace host::model {
struct Sheet;
}

namespace host::objects {

class Workbook;
enum class RangeKind;

// A sheet of a workbook. Chart sheets and other kinds answer their own class names and have
// no cells.
class Worksheet : public TableDispatch<Worksheet>
{
public:
    Worksheet(Workbook& book, model::Sheet& sheet) : m_book(&book), m_sheet(&sheet) {}

    static const MemberTable<Worksheet>& members();
    QString className() const override;
    Variant invoke(const QString& member, CallKind kind, const Args& args) override;

    Workbook& book() const;
    model::Sheet& sheet() const;
    bool attached() const { return m_book != nullptr; }
    void detach();
    std::shared_ptr<Worksheet> self();

    int index() const;     // 1-based position in the workbook
    bool hasCells() const; // a worksheet, not a chart or dialog sheet
    bool isActive() const; // the active sheet of the active workbook
    model::SheetGeometry geometry() const;
    // The workbook has unsaved changes; the views learn what kind of change.
    void markChanged(ChangeKind kind = ChangeKind::Cells);

    ObjectRef range(std::vector<model::CellRect> areas, RangeKind kind);
    ObjectRef wholeSheet(RangeKind kind);
    ObjectRef selection();  // cells; a chart sheet's chart area
    ObjectRef activeCell(); // none on a sheet without cells
    // Makes `areas` the selection with `active` as the active cell, and raises the
    // application's SheetSelectionChange unless `raiseEvent` is false (a gesture still under
    // way raises it once when it ends).
    void select(const std::vector<model::CellRect>& areas, const model::CellRect& active,
                bool raiseEvent = true);
    // The selection or active cell changed: the views learn of it.
    void selectionChanged();

    void activate();
    // Moves the sheet to 0-based position `to` among the workbook's sheets.
    void moveTo(int to);

private:
    ObjectRef rangeOf(const BoundArgs& args);
    ObjectRef usedRange();
    void setVisible(const Variant& value);
    void copy(const BoundArgs& args);
    void remove();
    void selectSheet(bool replace);
    int nextVisibleFrom(int index) const; // 0-based; another visible sheet, or -1

    Workbook* m_book;
    model::Sheet* m_sheet;
};

} // namespace host::objects
