// picrows-host [--version N] [--64bit] [FILE...]: the spreadsheet host application.
// picrows-host --register-addins: registers the suite's add-ins for the user and ends.
#include "host/model/workbook.h"
#include "host/objects/application.h"
#include "host/objects/host.h"
#include "host/objects/picture_commands.h"
#include "host/objects/worksheet.h"
#include "host/running/served_host.h"
#include "host_app/add_ins/add_in_list.h"
#include "host_app/add_ins/add_in_loader.h"
#include "host_app/add_ins/add_in_registration.h"
#include "host_app/commands/selection_commands.h"
#include "host_app/host_dialogs.h"
#include "host_app/host_publication.h"
#include "host_app/main_window.h"
#include "host_app/recent_files.h"
#include "host_app/ribbon/ribbon_install.h"
#include "macro_workbook/macro_workbook.h"
#include "platform/qt_translations.h"
#include "platform/widgets/dialog_services.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include <cstdio>
#include <cstring>

namespace {

// Window ids must cross processes (the main program's dialogs are owned by this window), so
// the host runs on X11 unless the environment names a platform.
void chooseX11()
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

// The running host is served to the user's other processes (the main program, the add-ins,
// `picrows --attach`) and listed in the registry of running hosts with its window id, title
// and open files, kept current as the window and the workbooks change. A host that cannot
// serve (no private socket folder) still runs as a plain spreadsheet window.
std::unique_ptr<host::running::ServedHost> startAutomation(host::objects::Host& host,
                                                           host_app::MainWindow& window)
{
    auto served = std::make_unique<host::running::ServedHost>(host.application());
    QString error;
    if (!served->start(&error)) {
        std::fprintf(
            stderr, "picrows-host: %s\n",
            qPrintable(QApplication::translate("main", "自動操作を開始できません: %1").arg(error)));
    }
    const auto publish = [server = served.get()](const host_app::PublishedHost& published) {
        server->setWindowId(published.windowId);
        server->setWindowTitle(published.title);
    };
    QObject::connect(&window.publication(), &host_app::HostPublication::changed, served.get(),
                     publish);
    publish(window.publication().current());
    return served;
}

// Registers the suite's add-ins found beside this program (or in the installed suite folder)
// in the user's add-in list; needs no display, so that installing can do it.
int registerAddIns(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString list = host_app::addInListPath();
    const QStringList done =
        host_app::registerSuiteAddIns(QCoreApplication::applicationDirPath(), list);
    for (const QString& progId : done)
        std::printf("%s\t%s\n", qPrintable(progId), qPrintable(list));
    if (done.isEmpty())
        std::fprintf(stderr, "%s\n", "picrows-host: no add-in library found to register");
    return done.isEmpty() ? 1 : 0;
}

// Selects the active sheet's first picture and puts it into crop mode.
void cropFirstPicture(host::objects::Application& app)
{
    const auto sheet = app.activeSheet();
    if (!sheet || !sheet->hasCells())
        return;
    for (const host::model::Shape& shape : sheet->sheet().drawing.shapes)
        if (shape.kind == host::model::ShapeKind::Picture) {
            host_app::commands::selectShapes(*sheet, {shape.id}, true);
            host::objects::executeMso(app, QStringLiteral("PictureCrop"));
            return;
        }
}

} // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--register-addins") == 0)
            return registerAddIns(argc, argv);
    chooseX11();
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("picrows-host"));
    platform::installQtTranslations();

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QApplication::translate("main", "Picrows のスプレッドシート ホスト"));
    parser.addHelpOption();
    const QCommandLineOption version(QStringLiteral("version"),
                                     QApplication::translate("main", "ホストのバージョン (9–16)"),
                                     QStringLiteral("N"), QStringLiteral("16"));
    const QCommandLineOption bits64(QStringLiteral("64bit"),
                                    QApplication::translate("main", "64 ビット版のホスト"));
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QApplication::translate("main", "開いたウィンドウを PNG に保存して終了する"),
        QStringLiteral("PNG"));
    // For the screenshots script: crop mode is only reached through a selected picture.
    const QCommandLineOption cropShot(
        QStringLiteral("crop-first-picture"),
        QApplication::translate("main", "最初の図を選択してトリミング モードにする"));
    const QCommandLineOption registerOption(
        QStringLiteral("register-addins"),
        QApplication::translate("main",
                                "スイートのアドインをこのユーザーのアドイン一覧に登録する"));
    parser.addOption(version);
    parser.addOption(bits64);
    parser.addOption(screenshot);
    parser.addOption(cropShot);
    parser.addOption(registerOption);
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QApplication::translate("main", "開くブック"),
                                 QStringLiteral("[FILE...]"));
    parser.process(qtApp);

    bool ok = false;
    const int number = parser.value(version).toInt(&ok);
    if (!ok || number < 9 || number > 16) {
        std::fprintf(
            stderr, "%s\n",
            qPrintable(QApplication::translate("main", "--version は 9 から 16 の数です。")));
        return 2;
    }
    if (parser.isSet(bits64) && number <= 12) {
        std::fprintf(stderr, "%s\n",
                     qPrintable(QApplication::translate(
                         "main", "バージョン 12 以前のホストは 64 ビット版になりません。")));
        return 2;
    }
    host::objects::HostOptions options;
    options.version = QString::number(number) + QStringLiteral(".0");
    options.is64Bit = parser.isSet(bits64);
    host::objects::Host host(std::move(options));
    // The suite's macro workbook comes with the host application, so that the trimming checks
    // answer before any add-in is loaded.
    host.registerAddInWorkbook(picrows::macroWorkbook());

    host_app::FileDialogs dialogs;
    host_app::RecentFiles recent;
    std::unique_ptr<host::running::ServedHost> served;
    {
        host_app::MainWindow window(host.app(), dialogs, recent);
        platform::DialogMessages messages(&window);
        platform::ScopedMessageService messageScope(messages);
        window.resize(1200, 800);
        window.show();
        served = startAutomation(host, window);
        // The add-ins connect before the files open, as the platform's host loads them.
        host_app::AddInLoader addIns(host.app());
        addIns.load(host_app::readAddInList(host_app::addInListPath()));
        host_app::installRibbon(window, addIns);
        if (!parser.positionalArguments().isEmpty())
            window.workbookCommands().open(parser.positionalArguments());
        else
            window.workbookCommands().newWorkbook();
        if (parser.isSet(cropShot))
            QTimer::singleShot(200, &window, [&host] { cropFirstPicture(host.app()); });
        if (parser.isSet(screenshot)) {
            // Once the windows have been laid out and drawn: the picture, then the end.
            QTimer::singleShot(500, &window, [&window, path = parser.value(screenshot)] {
                QApplication::exit(window.grab().save(path, "PNG") ? 0 : 3);
            });
        }
        const int code = QApplication::exec();
        addIns.disconnectAll(host::RemoveMode::HostShutdown);
        // Clients are let go and the registry entry removed while the window still exists.
        served.reset();
        return code;
    }
}
