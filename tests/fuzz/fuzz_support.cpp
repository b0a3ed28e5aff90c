#include "tests/fuzz/fuzz_cases.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdlib>

namespace fuzz_cases {

namespace {

void quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

void initialise()
{
    if (QCoreApplication::instance())
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Library warnings about damaged data (libpng, Qt's image readers) are the inputs' point:
    // they would only drown the fuzzer's own output.
    qInstallMessageHandler(quiet);
    static int argc = 1;
    static char name[] = "picrows-fuzz";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

} // namespace fuzz_cases
