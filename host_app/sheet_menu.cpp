#include "host_app/sheet_menu.h"

#include "host/automation/host_error.h"
#include "host/model/workbook.h"
#include "host/objects/application.h"
#include "host/objects/workbook.h"
#include "host/objects/worksheet.h"
#include "host_app/commands/sheet_commands.h"
#include "host_app/host_dialogs.h"
#include "platform/message_box.h"

#include <QMenu>

#include <functional>

namespace host_app {

void SheetActions::run(const std::function<void()>& action) const
{
    if (!m_book->attached())
        return;
    try {
        action();
    } catch (const host::HostError& e) {
        platform::showMessage(e.description(), platform::MsgButtons::OK,
                              platform::MsgIcon::Exclamation, m_book->app().caption());
    }
}

void SheetActions::rename(int sheet)
{
    run([&] {
        const auto target = m_book->sheetAt(sheet);
        const auto name = m_dialogs.sheetName(m_owner, target->sheet().name);
        if (name)
            commands::renameSheet(m_history, *target, *name);
    });
}

void SheetActions::move(int sheet, int to)
{
    run([&] { commands::moveSheet(m_history, *m_book->sheetAt(sheet), to); });
}

void SheetActions::group(int sheet, bool span)
{
    run([&] { commands::groupSheet(*m_book->sheetAt(sheet), span); });
}

void SheetActions::remove(int sheet)
{
    run([&] {
        const auto target = m_book->sheetAt(sheet);
        const platform::MsgAnswer answer =
            platform::showMessage(commands::deleteQuestion(), platform::MsgButtons::OKCancel,
                                  platform::MsgIcon::Exclamation, m_book->app().caption());
        if (answer == platform::MsgAnswer::OK)
            commands::deleteSheet(m_history, *target);
    });
}

void SheetActions::protect(int sheet)
{
    run([&] {
        const auto target = m_book->sheetAt(sheet);
        if (const auto answer = m_dialogs.sheetProtection(m_owner))
            commands::protectSheet(m_history, *target, answer->password, answer->contents,
                                   answer->drawingObjects);
    });
}

void SheetActions::unprotect(int sheet)
{
    run([&] {
        const auto target = m_book->sheetAt(sheet);
        QString password;
        if (!target->sheet().protection.password.isEmpty()) {
            const auto given = m_dialogs.unprotectPassword(m_owner);
            if (!given)
                return;
            password = *given;
        }
        commands::unprotectSheet(m_history, *target, password);
    });
}

void SheetActions::fillMenu(QMenu& menu, int sheet)
{
    if (!m_book->attached() || sheet < 0 || sheet >= m_book->sheetCount())
        return;
    const host::model::Workbook& model = m_book->model();
    const host::model::Sheet& s = *model.sheets[size_t(sheet)];
    const auto add = [&](const QString& text, std::function<void()> action) {
        QAction* a = menu.addAction(text);
        QObject::connect(a, &QAction::triggered, &menu,
                         [this, action = std::move(action)] { run(action); });
        return a;
    };
    add(tr("挿入(&I)"), [this] { commands::addSheet(m_history, *m_book); });
    add(tr("削除(&D)"), [this, sheet] { remove(sheet); });
    add(tr("名前の変更(&R)"), [this, sheet] { rename(sheet); });
    add(tr("左へ移動(&L)"), [this, sheet] { move(sheet, sheet - 1); })->setEnabled(sheet > 0);
    add(tr("右へ移動(&G)"), [this, sheet] {
        move(sheet, sheet + 1);
    })->setEnabled(sheet + 1 < int(model.sheets.size()));
    menu.addSeparator();
    if (s.protection.sheet)
        add(tr("シート保護の解除(&P)..."), [this, sheet] { unprotect(sheet); });
    else
        add(tr("シートの保護(&P)..."), [this, sheet] { protect(sheet); });
    menu.addSeparator();
    add(tr("すべてのシートを選択(&S)"), [this] {
        for (int i = 0; i < m_book->sheetCount(); ++i)
            if (m_book->model().sheets[size_t(i)]->visibility == -1)
                m_book->sheetAt(i)->call(QStringLiteral("Select"), {host::Variant(false)});
    });
    const bool grouped = std::count_if(model.sheets.begin(), model.sheets.end(),
                                       [](const auto& x) { return x->view.tabSelected; }) > 1;
    if (grouped)
        add(tr("シートのグループ解除(&N)"), [this] {
            if (const auto active = m_book->activeSheet())
                active->call(QStringLiteral("Select"), {host::Variant(true)});
        });
}

} // namespace host_app
