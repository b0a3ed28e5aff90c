#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <ostream>

// Texts in test failures as UTF-8.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

// Runs the built batch command as a separate process, the way users and scripts run it.
namespace clitest {

struct Result
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Result runPicrows(const QStringList& args, int timeoutMs = 300000);

// The source tree's fixture folder, the sample folder and the shared workbook corpus (none
// when the corpus is not beside the source tree).
QString fixturePath(const QString& name);
QString samplePath(const QString& name);
QString corpusDir();

} // namespace clitest
