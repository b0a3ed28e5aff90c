// Inputs the fuzzers found faults with, replayed through the same cases (fuzz_cases.h): each
// must now be answered without a crash or a sanitizer report, and as its file name says:
// "refused-…" is refused with the host's error, "accepted-…" opens or decodes.
#include "tests/fuzz/fuzz_cases.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

using fuzz_cases::Outcome;

using Case = Outcome (*)(const std::uint8_t*, std::size_t);

void replay(const char* folder, Case run)
{
    fuzz_cases::initialise();
    const QDir dir(QStringLiteral(FUZZ_REGRESSIONS_DIR "/") + QString::fromLatin1(folder));
    const QStringList names = dir.entryList(QDir::Files, QDir::Name);
    if (names.isEmpty())
        GTEST_SKIP() << "no input kept for " << folder;
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const bool refused = name.startsWith(QStringLiteral("refused-"));
        ASSERT_TRUE(refused || name.startsWith(QStringLiteral("accepted-")))
            << "name a kept input refused-… or accepted-…";
        const Outcome outcome = run(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                    std::size_t(bytes.size()));
        EXPECT_EQ(outcome, refused ? Outcome::Refused : Outcome::Accepted);
    }
}

TEST(FuzzRegressions, OpenWorkbook)
{
    replay("open_workbook", fuzz_cases::openWorkbook);
}

TEST(FuzzRegressions, ResaveWorkbook)
{
    replay("resave_workbook", fuzz_cases::resaveWorkbook);
}

TEST(FuzzRegressions, DecodePicture)
{
    replay("decode_picture", fuzz_cases::decodePicture);
}

} // namespace
