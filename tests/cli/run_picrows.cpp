#include "tests/cli/run_picrows.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

namespace clitest {

Result runPicrows(const QStringList& args, int timeoutMs)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(PICROWS_BIN), args);
    Result result;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        result.err = "timed out or failed to start: " + process.errorString().toUtf8();
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

QString fixturePath(const QString& name)
{
    return QStringLiteral(PICROWS_SOURCE_DIR "/tests/fixtures/") + name;
}

QString samplePath(const QString& name)
{
    return QStringLiteral(PICROWS_SOURCE_DIR "/samples/") + name;
}

QString corpusDir()
{
    const QString fromEnv = qEnvironmentVariable("PICROWS_CORPUS_DIR");
    const QString dir =
        fromEnv.isEmpty() ? QStringLiteral(PICROWS_SOURCE_DIR "/../shared/corpus") : fromEnv;
    return QFileInfo::exists(dir + QStringLiteral("/MANIFEST.tsv")) ? QDir(dir).absolutePath()
                                                                    : QString();
}

} // namespace clitest
