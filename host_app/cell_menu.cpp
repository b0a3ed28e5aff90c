#include "host_app/cell_menu.h"

#include "host/automation/host_error.h"
#include "host/model/workbook.h"
#include "host/objects/application.h"
#include "host/objects/workbook.h"
#include "host/objects/worksheet.h"
#include "host_app/commands/edit_commands.h"
#include "host_app/commands/line_commands.h"
#include "host_app/commands/selection_commands.h"
#include "host_app/edit_history.h"
#include "host_app/sheet_view.h"
#include "platform/message_box.h"

#include <QMenu>

#include <functional>

namespace host_app {

using commands::Lines;
using host::model::CellRect;

void editShownSheet(SheetView& view, const std::function<void(host::objects::Worksheet&)>& edit)
{
    const auto sheet = view.sheet();
    if (!sheet)
        return;
    try {
        edit(*sheet);
    } catch (const host::HostError& e) {
        platform::showMessage(e.description(), platform::MsgButtons::OK,
                              platform::MsgIcon::Exclamation, sheet->book().app().caption());
    }
}

void CellMenu::fill(QMenu& menu, ViewHit::Part part, SheetView& view, EditHistory& history)
{
    const auto add = [&](const QString& text, std::function<void(host::objects::Worksheet&)> edit) {
        QAction* action = menu.addAction(text);
        QObject::connect(action, &QAction::triggered, &view,
                         [&view, edit = std::move(edit)] { editShownSheet(view, edit); });
        return action;
    };
    const auto selection = [](host::objects::Worksheet& sheet) {
        return sheet.sheet().view.selection;
    };
    // The first area's lines: inserting and deleting take one block, as the platform does.
    const auto lineEdit = [&](Lines lines, bool insert) {
        return [&history, lines, insert, selection](host::objects::Worksheet& sheet) {
            const CellRect area = selection(sheet).front();
            if (insert)
                commands::insertLines(history, sheet, area, lines);
            else
                commands::deleteLines(history, sheet, area, lines);
        };
    };
    const auto hideEdit = [&](Lines lines, bool hide) {
        return [&history, lines, hide, selection](host::objects::Worksheet& sheet) {
            commands::hideLines(history, sheet, selection(sheet), lines, hide);
        };
    };
    const auto clear = [&history, selection](host::objects::Worksheet& sheet) {
        commands::clearContents(history, sheet, selection(sheet));
    };

    if (part == ViewHit::Part::ColumnHeader || part == ViewHit::Part::RowHeader) {
        const Lines lines = part == ViewHit::Part::ColumnHeader ? Lines::Columns : Lines::Rows;
        add(tr("挿入(&I)"), lineEdit(lines, true));
        add(tr("削除(&D)"), lineEdit(lines, false));
        add(tr("数式と値のクリア(&N)"), clear);
        menu.addSeparator();
        add(tr("表示しない(&H)"), hideEdit(lines, true));
        add(tr("再表示(&U)"), hideEdit(lines, false));
        return;
    }
    add(tr("行の挿入(&R)"), lineEdit(Lines::Rows, true));
    add(tr("列の挿入(&C)"), lineEdit(Lines::Columns, true));
    add(tr("行の削除(&W)"), lineEdit(Lines::Rows, false));
    add(tr("列の削除(&O)"), lineEdit(Lines::Columns, false));
    add(tr("数式と値のクリア(&N)"), clear);
    menu.addSeparator();
    add(tr("セルを結合(&M)"), [&history, selection](host::objects::Worksheet& sheet) {
        commands::mergeCells(history, sheet, selection(sheet), true);
    });
    add(tr("セル結合の解除(&S)"), [&history, selection](host::objects::Worksheet& sheet) {
        commands::mergeCells(history, sheet, selection(sheet), false);
    });
}

} // namespace host_app
