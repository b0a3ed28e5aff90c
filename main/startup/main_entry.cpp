#include "main/startup/main_entry.h"

#include "host/automation/host_error.h"
#include "host/running/running_hosts.h"
#include "host/xl/workbook.h"
#include "main/settings/setting.h"
#include "main/startup/commands.h"
#include "main/startup/host_window.h"
#include "main/startup/single_instance.h"
#include "main/startup/startup_context.h"
#include "platform/message_box.h"
#include "platform/settings_store.h"

#include <QGuiApplication>
#include <QWindow>

#include <cstdio>

namespace picrows {

namespace {

void refuse(const QString& text, platform::MsgIcon icon = platform::MsgIcon::Critical)
{
    platform::showMessage(text, platform::MsgButtons::OK, icon, platform::programTitle());
}

QString field(const QStringList& fields, int index)
{
    return index < fields.size() ? QString(fields[index]).remove(QLatin1Char('"')) : QString();
}

// Step 5: the host that holds the workbook, by its file first, else the running host if it
// holds a workbook of that full name. None after the message that says why.
host::ObjectRef attach(const QString& fullName)
{
    auto& table = host::running::RunningHosts::instance();
    host::ObjectRef app;
    try {
        app = table.bindToFile(fullName);
    } catch (const host::HostError&) {
    }
    if (app)
        return app;
    app = table.activeApplication();
    if (!app) {
        refuse(
            QStringLiteral("エクセルブックのインスタンスを見つけることができませんでした。\r\n\r\n"
                           "エクセルの修復インストールまたは再インストールが必要です。"));
        return {};
    }
    bool found = false;
    try {
        const xl::Workbooks books = xl::Application(app).Workbooks();
        const std::int32_t count = books.Count();
        for (std::int32_t i = 1; i <= count && !found; ++i)
            found = books.Item(i).FullName().compare(fullName, Qt::CaseInsensitive) == 0;
    } catch (const host::HostError&) {
        found = false;
    }
    if (!found) {
        refuse(QStringLiteral(
            "エクセルのインスタンスを見つけることができませんでした。\r\nもし、複数のエクセルを起動"
            "している場合は、本アドインを開こうとしているブック以外のインスタンスを終了させてから、"
            "再度お試しください。"));
        return {};
    }
    return app;
}

// Steps 8 and 9: false after the message when the host is refused or cannot tell.
bool checkHost(StartupContext& context)
{
    try {
        if (context.gobjXlApp.Path().contains(QStringLiteral("/Windows/Apps/"),
                                              Qt::CaseInsensitive)) {
            refuse(QStringLiteral(
                "このエクセルは「ストアアプリ版」です。「デスクトップアプリ版」のエクセルに入れ直し"
                "てから再度お試しください。\r\n\r\n※Microsoft Excel (または Office)には、デスクトッ"
                "プアプリ版とストアアプリ版の２種類があります。本アドインは、デスクトップアプリ版に"
                "の"
                "み対応しています。"));
            return false;
        }
        const std::int16_t version =
            host::Variant(host::leadingNumber(context.gobjXlApp.Version())).toInt16();
        context.gblnXl64bit = false;
        if (version > 12) {
            std::int32_t instance = 0;
            try {
                instance = context.gobjXlApp.hInstance();
            } catch (const host::HostError&) {
                instance = 0;
            }
            context.gblnXl64bit = instance == 0;
        }
    } catch (const host::HostError& e) {
        platform::showMessage(QStringLiteral("OnConnection-Err:") + QString::number(e.number()) +
                                  QStringLiteral("\r\n") + e.description(),
                              platform::MsgButtons::OK, platform::MsgIcon::None,
                              platform::programTitle());
        return false;
    }
    return true;
}

void closeEveryWindow()
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;
    for (QWindow* window : QGuiApplication::topLevelWindows())
        window->close();
}

void runCommand(const CommandEntry& command)
{
    if (!command.run) {
        refuse(QStringLiteral("このコマンド（%1）は、このバージョンではまだ使用できません。")
                   .arg(QLatin1String(command.word)));
        return;
    }
    try {
        command.run();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "TORVA_PicrowsMain: %s: %s\n", command.routine, e.what());
    } catch (...) {
        std::fprintf(stderr, "TORVA_PicrowsMain: %s ended with an error\n", command.routine);
    }
}

} // namespace

CommandLine splitCommandLine(const QString& text)
{
    const QStringList fields = text.split(QLatin1Char('\t'));
    CommandLine line;
    line.bookFullName = field(fields, 0);
    try {
        line.windowId = host::Variant(host::leadingNumber(field(fields, 1))).toInt32();
    } catch (const host::HostError&) {
        line.windowId = 0;
    }
    line.commandWord = field(fields, 2);
    return line;
}

void Main(const QString& commandLine, const MainOptions& options)
{
    const InstanceLock lock(options.instanceLockPath.isEmpty() ? InstanceLock::defaultPath()
                                                               : options.instanceLockPath);
    if (!lock.acquired()) {
        refuse(QStringLiteral("起動中のメイン画面を閉じてください。"),
               platform::MsgIcon::Information);
        return;
    }
    const CommandLine line = splitCommandLine(commandLine);
    if (line.bookFullName.isEmpty())
        return;
    const CommandEntry* command = findCommand(options.commands, line.commandWord);
    if (!command) {
        refuse(QStringLiteral("不明なエラー"));
        return;
    }

    StartupContext& context = startupContext();
    context.clear();
    context.gobjXlApp = xl::Application(attach(line.bookFullName));
    if (context.gobjXlApp.isNothing())
        return;
    if (f_GetXlHwnd() != line.windowId) {
        context.clear();
        refuse(QStringLiteral("不明なエラー(XlHandle is not found.)"));
        return;
    }
    if (!checkHost(context)) {
        context.clear();
        return;
    }
    context.glngXlHwnd = line.windowId;
    context.store = std::make_unique<platform::SettingsStore>(options.configFolder);
    context.gobjSetting = std::make_unique<c_Setting>(*context.store, context.gobjXlApp.ref());

    if (options.runCommand)
        options.runCommand(*command);
    else
        runCommand(*command);

    // Settings first (their save reads nothing of the windows), then the windows, then the
    // host.
    try {
        context.gobjSetting->SaveAll();
    } catch (const platform::StoreError& e) {
        std::fprintf(stderr, "TORVA_PicrowsMain: %s\n", e.what());
    }
    context.gobjSetting.reset();
    context.store.reset();
    closeEveryWindow();
    context.clear();
}

} // namespace picrows
