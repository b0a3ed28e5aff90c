// A headless host in a process of its own, for the tests of automation across processes: it
// opens workbooks in an in-process host, serves it and lists it in the registry of running
// hosts, with --window-id and --title standing in for the host application's window.
//
//   remote_test_host [--window-id N] [--title TEXT] [BOOK...]
//
// Like the host application it provides the suite's macro workbook, so that the suite's runs
// across processes see the trimming checks answered as in process.
//
// It prints "ready SOCKET" once it serves, and ends on SIGTERM or SIGINT, removing its entry.
// A helper object, COMAddIns("PicrowsTest.Helper").Object, offers Sleep(ms) (a call that takes
// its time) and SelectLater(address, ms) (a selection made as if by the user).
#include "host/automation/member_table.h"
#include "host/objects/host.h"
#include "host/running/served_host.h"
#include "host/xl/application.h"
#include "host/xl/range.h"
#include "host/xl/workbook.h"
#include "host/xl/worksheet.h"
#include "macro_workbook/macro_workbook.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

int g_signalPipe[2];

void onSignal(int)
{
    const char byte = 1;
    (void)!write(g_signalPipe[1], &byte, 1);
}

class Helper : public host::TableDispatch<Helper>
{
public:
    explicit Helper(host::ObjectRef app) : m_app(std::move(app)) {}
    QString className() const override { return QStringLiteral("Helper"); }

    static const host::MemberTable<Helper>& members()
    {
        static const host::MemberTable<Helper> table = [] {
            host::MemberTable<Helper> t;
            t.member(QStringLiteral("Sleep"), {QStringLiteral("Milliseconds")}, 1,
                     [](Helper&, const host::BoundArgs& args) {
                         QThread::msleep(std::uint32_t(args.at(0).toInt32()));
                         return host::Variant(true);
                     });
            t.member(QStringLiteral("SelectLater"),
                     {QStringLiteral("Address"), QStringLiteral("Milliseconds")}, 2,
                     [](Helper& h, const host::BoundArgs& args) {
                         const QString address = args.at(0).toString();
                         const std::weak_ptr<host::Dispatch> app = h.m_app;
                         QTimer::singleShot(args.at(1).toInt32(), [app, address] {
                             if (const host::ObjectRef a = app.lock())
                                 xl::Application(a).ActiveSheet().Range(address).Select();
                         });
                         return host::Variant();
                     });
            return t;
        }();
        return table;
    }

private:
    host::ObjectRef m_app;
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption windowOption(QStringLiteral("window-id"),
                                          QStringLiteral("The main window's id."),
                                          QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption titleOption(QStringLiteral("title"),
                                         QStringLiteral("The main window's title."),
                                         QStringLiteral("TEXT"));
    parser.addOptions({windowOption, titleOption});
    parser.addPositionalArgument(QStringLiteral("BOOK"), QStringLiteral("Workbooks to open."));
    parser.process(app);

    host::objects::HostOptions options;
    if (parser.isSet(titleOption))
        options.caption = parser.value(titleOption);
    host::objects::Host host(options);
    host.registerAddInWorkbook(picrows::macroWorkbook());
    const xl::Application application(host.application());
    try {
        for (const QString& book : parser.positionalArguments())
            application.Workbooks().Open(book);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "remote_test_host: %s\n", e.what());
        return 3;
    }
    host.registerComAddIn(QStringLiteral("PicrowsTest.Helper"), QStringLiteral("test helper"),
                          std::make_shared<Helper>(host.application()));

    host::running::ServedHost served(host.application());
    served.setWindowId(parser.value(windowOption).toInt());
    QString error;
    if (!served.start(&error)) {
        std::fprintf(stderr, "remote_test_host: %s\n", qPrintable(error));
        return 3;
    }

    if (pipe(g_signalPipe) != 0)
        return 3;
    std::signal(SIGTERM, onSignal);
    std::signal(SIGINT, onSignal);
    QSocketNotifier quitter(g_signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&quitter, &QSocketNotifier::activated, &app, &QCoreApplication::quit);

    std::printf("ready %s\n", qPrintable(served.socketPath()));
    std::fflush(stdout);
    const int code = app.exec();
    served.stop();
    return code;
}
