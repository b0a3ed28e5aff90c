#include "host/objects/chart_area.h"

#include "host/objects/application.h"
#include "host/objects/workbook.h"
#include "host/objects/worksheet.h"

namespace host::objects {

const MemberTable<ChartArea>& ChartArea::members()
{
    static const MemberTable<ChartArea> table = [] {
        MemberTable<ChartArea> t;
        t.prop(QStringLiteral("Name"), [](ChartArea& c) {
            c.m_sheet->sheet();
            return Variant(QStringLiteral("Chart Area"));
        });
        t.prop(QStringLiteral("Parent"), [](ChartArea& c) {
            c.m_sheet->sheet();
            return Variant(ObjectRef(c.m_sheet));
        });
        t.prop(QStringLiteral("Application"),
               [](ChartArea& c) { return Variant(c.m_sheet->book().app().shared_from_this()); });
        return t;
    }();
    return table;
}

} // namespace host::objects
