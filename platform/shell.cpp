#include "platform/shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include <utility>

namespace platform {

Shell::~Shell() = default;

namespace {

Shell*& installedShell()
{
    static Shell* s = nullptr;
    return s;
}

} // namespace

Shell& shell()
{
    if (Shell* s = installedShell())
        return *s;
    static DesktopShell fallback;
    return fallback;
}

Shell* exchangeShell(Shell* s)
{
    return std::exchange(installedShell(), s);
}

bool DesktopShell::open(const QString& target)
{
    const bool isAddress = target.contains(QStringLiteral("://"));
    const QUrl url = isAddress ? QUrl(target) : QUrl::fromLocalFile(target);
    return url.isValid() && QDesktopServices::openUrl(url);
}

QString DesktopShell::browseFolder(const QString&, const QString&)
{
    return {};
}

QString F_GetBrowseFolder(const QString& prompt, const QString& initialFolder)
{
    const QString chosen = shell().browseFolder(prompt, initialFolder);
    if (chosen.isEmpty() || !QFileInfo(chosen).isDir())
        return {};
    return chosen;
}

} // namespace platform
