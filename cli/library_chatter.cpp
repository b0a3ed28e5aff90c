#include "cli/library_chatter.h"

#include <QLoggingCategory>
#include <QString>
#include <QtGlobal>

#include <atomic>
#include <cstdio>

namespace cli {

namespace {

std::atomic<QtMessageHandler> g_previous{nullptr};

bool isImageLibraryChatter(QtMsgType type, const QMessageLogContext& context,
                           const QString& message)
{
    if (type == QtFatalMsg)
        return false;
    const QLatin1String category(context.category ? context.category : "");
    // Qt's image plugins log under qt.gui.imageio.*; its PNG reader passes libpng's own
    // warnings and errors on in the default category.
    return category.startsWith(QLatin1String("qt.gui.imageio")) ||
           message.startsWith(QLatin1String("libpng "));
}

// Picture files are read on worker threads too: this runs on any thread.
void filter(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (isImageLibraryChatter(type, context, message))
        return;
    if (const QtMessageHandler previous = g_previous.load())
        previous(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

} // namespace

void dropImageLibraryChatter()
{
    g_previous.store(qInstallMessageHandler(filter));
}

} // namespace cli
