#pragma once

#include "host/automation/member_table.h"

#include <memory>
#include <vector>

namespace host::objects {

class Workbook;
class Worksheet;

enum class SheetFilter
{
    All,        // Sheets: every sheet
    Worksheets, // Worksheets: the sheets of cells
    Selected,   // a window's SelectedSheets: the grouped sheets
};

// A view over a workbook's sheets: Count, Item by index or name, Add, For Each.
class Sheets : public TableDispatch<Sheets>
{
public:
    Sheets(std::shared_ptr<Workbook> book, SheetFilter filter);

    static const MemberTable<Sheets>& members();
    QString className() const override { return QStringLiteral("Sheets"); }
    std::vector<Variant> enumerate() override;

    std::vector<std::shared_ptr<Worksheet>> items() const;

private:
    std::shared_ptr<Worksheet> item(const Variant& index) const;
    ObjectRef add(const BoundArgs& args);

    std::shared_ptr<Workbook> m_book;
    SheetFilter m_filter;
};

} // namespace host::objects
