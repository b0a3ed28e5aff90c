#include "main/about/program_version.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace picrows {

platform::VersionNumbers programVersion()
{
    if (const auto record = platform::readVersionRecord(programFile()))
        return *record;
    return {PICROWS_VERSION_MAJOR, PICROWS_VERSION_MINOR, PICROWS_VERSION_BUILD,
            PICROWS_VERSION_REVISION};
}

QString programFile()
{
    return QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : QString();
}

QDateTime programFileDate()
{
    return QFileInfo(programFile()).lastModified();
}

QString statusVersionText(const platform::VersionNumbers& v)
{
    return QStringLiteral("Ver.%1.%2.0.%3")
        .arg(v.major)
        .arg(v.minor, 2, 10, QLatin1Char('0'))
        .arg(v.revision, 2, 10, QLatin1Char('0'));
}

QString aboutDateText(const QDateTime& date)
{
    return date.toString(QStringLiteral("yyyy/M/d"));
}

} // namespace picrows
