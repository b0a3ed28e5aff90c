#include "menu_addin/launcher.h"

#include "host/automation/host_error.h"
#include "host/running/running_hosts.h"
#include "host/xl/workbook.h"
#include "platform/message_box.h"
#include "platform/shell.h"

#include <QFileInfo>
#include <QProcess>

#include <dlfcn.h>

namespace menu_addin {

namespace {

const QString kAddinFolderPart = QStringLiteral("/製品_旧アドイン/");
const QString kMainFolderPart = QStringLiteral("/製品_メイン実行EXE/");

QString& folderOverride()
{
    static QString folder;
    return folder;
}

ProcessStarter& starter()
{
    static ProcessStarter current;
    return current;
}

bool startDetached(const QString& program, const QString& argument)
{
    return QProcess::startDetached(program, {argument});
}

} // namespace

QString commandWord(std::int32_t number)
{
    static const char* const words[] = {"get",          "setting",      "help",
                                        "about",        "savepic",      "retrimming",
                                        "tool_resmall", "tool_temload", "tool_temsave"};
    if (number < 0 || number > 8)
        return {};
    return QString::fromLatin1(words[number]);
}

QString addinFolder()
{
    if (!folderOverride().isEmpty())
        return folderOverride();
    // The library that holds this function: the add-in's own file.
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&addinFolder), &info) && info.dli_fname)
        return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath();
    return {};
}

void setAddinFolder(const QString& folder)
{
    folderOverride() = folder;
}

QString f_MainProgramPath(const QString& folder)
{
    QString path =
        folder.endsWith(u'/') ? folder + kMainProgramFile : folder + u'/' + kMainProgramFile;
    if (!QFileInfo(path).isFile() && path.contains(kAddinFolderPart))
        path.replace(kAddinFolderPart, kMainFolderPart);
    return path;
}

QString f_BuildCommandLine(const QString& program, const QString& bookFullName,
                           std::int32_t windowId, const QString& word)
{
    return u'"' + program + QStringLiteral("\" \"") + bookFullName + u'"' + u'\t' +
           QString::number(windowId) + u'\t' + word;
}

std::int32_t f_GetXlHwnd(const xl::Application& app)
{
    QString caption;
    try {
        caption = app.Caption();
    } catch (const host::HostError&) {
        return 0;
    }
    return host::running::RunningHosts::instance().findWindow(host::running::kHostWindowClass,
                                                              caption);
}

ProcessStarter exchangeProcessStarter(ProcessStarter replacement)
{
    ProcessStarter previous = std::move(starter());
    starter() = std::move(replacement);
    return previous;
}

void s_CommandByShell(const xl::Application& app, std::int32_t number)
{
    const QString word = commandWord(number);
    if (word.isEmpty()) {
        platform::showMessage(QStringLiteral("err:dev"), platform::MsgButtons::OK,
                              platform::MsgIcon::None, platform::programTitle());
        return;
    }
    const QString program = f_MainProgramPath(addinFolder());
    if (!QFileInfo(program).isFile()) {
        platform::showMessage(QStringLiteral("err:必要ファイルが見つかりません。\r\n") + program,
                              platform::MsgButtons::OK, platform::MsgIcon::Critical,
                              platform::programTitle());
        return;
    }
    const QString book = app.ActiveWorkbook().FullName();
    const QString line = f_BuildCommandLine(program, book, f_GetXlHwnd(app), word);
    // The program's own field and the blank after it are the process's name; the main
    // program reads the rest as its one argument.
    const QString argument = line.mid(program.size() + 3);
    if (starter())
        starter()(program, argument);
    else
        startDetached(program, argument);
}

void s_OpenHomePage()
{
    platform::shell().open(kHomePage);
}

} // namespace menu_addin
