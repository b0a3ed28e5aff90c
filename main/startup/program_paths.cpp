#include "main/startup/program_paths.h"

#include "platform/version_record.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace picrows {

namespace {

QString& mainFolderOverride()
{
    static QString folder;
    return folder;
}

// The folder an installation with one folder per deliverable gives the main program, and
// those of the others.
const QString kMainProgramFolder = QStringLiteral("/製品_メイン実行EXE/");
const QString kMenuAddinFolder = QStringLiteral("/製品_旧アドイン/");
const QString kRibbonAddinFolder = QStringLiteral("/製品_リボン用アドイン/");
const QString kHelpFolder = QStringLiteral("/製品_ヘルプ/");

// The first of the two places where the file exists; empty when neither holds it.
QString firstExisting(const QString& file, const QString& siblingFolder)
{
    const QString first = joinPath(mainFolder(), file);
    if (f_CheckDirFile(first))
        return first;
    const QString fallback = QString(first).replace(kMainProgramFolder, siblingFolder);
    return f_CheckDirFile(fallback) ? fallback : QString();
}

} // namespace

QString mainFolder()
{
    if (!mainFolderOverride().isEmpty())
        return mainFolderOverride();
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
}

void setMainFolder(const QString& folder)
{
    mainFolderOverride() = folder;
}

QString joinPath(const QString& folder, const QString& file)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + file : folder + QLatin1Char('/') + file;
}

bool f_CheckDirFile(const QString& path)
{
    if (path.isEmpty() || path.endsWith(QLatin1Char('/')))
        return false;
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

QString f_GetBaseProgramPath()
{
    return firstExisting(kMenuAddinFile, kMenuAddinFolder);
}

QString f_GetRibbonProgramPath(bool macroWorkbook)
{
    return macroWorkbook ? firstExisting(kMacroWorkbookFile, QStringLiteral("/"))
                         : firstExisting(kRibbonAddinFile, kRibbonAddinFolder);
}

QString helpFilePath()
{
    return joinPath(mainFolder(), kHelpFile);
}

QString helpFileFallbackPath()
{
    return QString(helpFilePath()).replace(kMainProgramFolder, kHelpFolder);
}

bool F_GetVersionInfoByFile(const QString& path, std::int32_t& major, std::int32_t& minor,
                            std::int32_t& build, std::int32_t& revision, QDateTime& date)
{
    if (!f_CheckDirFile(path))
        return false;
    const std::optional<platform::VersionNumbers> record = platform::readVersionRecord(path);
    if (!record)
        return false;
    major = record->major;
    minor = record->minor;
    build = record->build;
    revision = record->revision;
    date = QFileInfo(path).lastModified();
    return true;
}

} // namespace picrows
