#include "host_app/edit_menu.h"

#include "host/automation/host_error.h"
#include "host/model/workbook.h"
#include "host/objects/application.h"
#include "host/objects/workbook.h"
#include "host/objects/worksheet.h"
#include "host_app/cell_menu.h"
#include "host_app/commands/clipboard_commands.h"
#include "host_app/commands/shape_commands.h"
#include "host_app/sheet_view.h"
#include "platform/message_box.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>

namespace host_app {

void EditMenu::copy(SheetView& view)
{
    editShownSheet(view, [](host::objects::Worksheet& sheet) { commands::copySelection(sheet); });
}

void EditMenu::paste(SheetView& view, EditHistory& history)
{
    editShownSheet(view, [&history](host::objects::Worksheet& sheet) {
        commands::paste(history, sheet, QGuiApplication::clipboard()->mimeData());
    });
}

void EditMenu::group(SheetView& view, EditHistory& history)
{
    editShownSheet(view, [&history](host::objects::Worksheet& sheet) {
        if (commands::canGroup(sheet.sheet().drawing))
            commands::groupSelectedShapes(history, sheet);
    });
}

void EditMenu::ungroup(SheetView& view, EditHistory& history)
{
    editShownSheet(view, [&history](host::objects::Worksheet& sheet) {
        if (commands::canUngroup(sheet.sheet().drawing))
            commands::ungroupSelectedShapes(history, sheet);
    });
}

void EditMenu::fill(QMenu& menu, SheetView& view, EditHistory& history)
{
    const auto sheet = view.sheet();
    const auto add = [&](const QString& text, const QKeySequence& keys, bool enabled,
                         std::function<void()> run) {
        QAction* action = menu.addAction(text);
        // The keys are the view's (ClipboardKeys): shown here, not bound twice.
        if (!keys.isEmpty())
            action->setText(text + u'\t' + keys.toString(QKeySequence::NativeText));
        action->setEnabled(enabled);
        QObject::connect(action, &QAction::triggered, &menu, std::move(run));
    };
    SheetView* shown = &view;
    EditHistory* edits = &history;
    menu.addSeparator();
    add(tr("コピー(&C)"), QKeySequence::Copy, sheet != nullptr, [shown] { copy(*shown); });
    add(tr("貼り付け(&P)"), QKeySequence::Paste,
        sheet && commands::canPaste(QGuiApplication::clipboard()->mimeData()),
        [shown, edits] { paste(*shown, *edits); });
    menu.addSeparator();
    add(tr("グループ化(&G)"), {}, sheet && commands::canGroup(sheet->sheet().drawing),
        [shown, edits] { group(*shown, *edits); });
    add(tr("グループ解除(&U)"), {}, sheet && commands::canUngroup(sheet->sheet().drawing),
        [shown, edits] { ungroup(*shown, *edits); });
}

bool ClipboardKeys::key(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        EditMenu::copy(m_view);
        return true;
    }
    if (event->matches(QKeySequence::Paste)) {
        EditMenu::paste(m_view, m_history);
        return true;
    }
    return false;
}

} // namespace host_app
