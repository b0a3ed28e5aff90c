// The paste-info template: keywords, file dates and the formula mode the host evaluates.
#include "main/engine/paste_info_text.h"
#include "platform/file_date.h"
#include "tests/host/objects/objects_support.h"

#include <QFile>

namespace {

using namespace objects_test;
using picrows::f_GetPasteInfoText;

struct Case
{
    const char* path;
    const char* templateText;
    const char* expected;
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.templateText << " for " << c.path;
}

class PasteInfoText : public HostTest, public ::testing::WithParamInterface<Case>
{
protected:
    PasteInfoText() { range("A1").setValue(host::Variant(3.0)); }
};

TEST_P(PasteInfoText, ExpandsTheTemplate)
{
    const Case& c = GetParam();
    EXPECT_EQ(f_GetPasteInfoText(app, q(c.path), q(c.templateText)), q(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Keywords, PasteInfoText,
    ::testing::Values(Case{"C:\\pic\\a.jpg", "[FILENAME1]", "a.jpg"},
                      Case{"C:\\pic\\a.jpg", "[FOLDERNAME]", "C:\\pic\\"},
                      Case{"C:\\pic\\a.jpg", "[FILENAME2]", "C:\\pic\\a"},
                      Case{"C:\\pic\\a.jpg", "[FULLPATH]", "C:\\pic\\a.jpg"},
                      Case{"/home/u/写真/b.png", "[FOLDERNAME]|[FILENAME1]|[FILENAME2]",
                           "/home/u/写真/|b.png|/home/u/写真/b"},
                      Case{"C:\\my.pictures\\scan", "[FILENAME2]", "C:\\my"},
                      Case{"noext", "[FOLDERNAME]<[FILENAME1]>[FILENAME2]", "<noext>noext"},
                      Case{"C:\\pic\\a.jpg", "名前：[FILENAME1]、再び[FILENAME1]",
                           "名前：a.jpg、再びa.jpg"},
                      Case{"C:\\pic\\a.jpg", "[filename1] [FILENAME]", "[filename1] [FILENAME]"},
                      Case{"C:\\pic\\a.jpg", "", ""}));

INSTANTIATE_TEST_SUITE_P(
    FormulaMode, PasteInfoText,
    ::testing::Values(Case{"C:\\pic\\a.jpg", "=LEN([FILENAME1])", "5"},
                      Case{"C:\\pic\\a.jpg", "=\"写真 \"&[FILENAME1]", "写真 a.jpg"},
                      Case{"C:\\pic\\a.jpg", "=UPPER([FILENAME1])&A1", "A.JPG3"},
                      Case{"C:\\pic\\a.jpg", "=MID([FOLDERNAME],4,3)", "pic"},
                      Case{"C:\\pic\\a.jpg", "=LEFT([FILENAME1],LEN([FILENAME1])-4)", "a"},
                      Case{"C:\\pic\\a.jpg", "=[FILENAME1]=\"A.JPG\"", "True"},
                      // An unmatched quote: the host cannot evaluate it, the formula stays.
                      Case{"C:\\pic\\a.jpg", "=[FILENAME2]", "=\"C:\\pic\\a"},
                      // An error value or a block does not convert to text.
                      Case{"C:\\pic\\a.jpg", "=1/0", "=1/0"},
                      Case{"C:\\pic\\a.jpg", "=A1:B2", "=A1:B2"},
                      Case{"C:\\pic\\a.jpg", "=NOSUCH([FILENAME1])", "=NOSUCH(\"a.jpg\")"}));

// File dates: the default text of the date value, the date alone or the time alone.
class PasteInfoDates : public HostTest
{
protected:
    PasteInfoDates()
    {
        file = dir.filePath(q("写真.jpg"));
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        EXPECT_TRUE(f.setFileTime(QDateTime(QDate(2021, 3, 4), QTime(5, 6, 7)),
                                  QFileDevice::FileModificationTime));
        EXPECT_TRUE(f.setFileTime(QDateTime(QDate(2022, 11, 12), QTime(13, 14, 15)),
                                  QFileDevice::FileAccessTime));
    }

    QString expand(const char* templateText) const
    {
        return f_GetPasteInfoText(app, file, q(templateText));
    }

    QTemporaryDir dir;
    QString file;
};

TEST_F(PasteInfoDates, ModifiedAndAccessedDates)
{
    EXPECT_EQ(expand("[FILEDATELASTMODIFIED]"), q("2021/03/04 5:06:07"));
    EXPECT_EQ(expand("[FILEDATELASTMODIFIED_DATE]|[FILEDATELASTMODIFIED_TIME]"),
              q("2021/03/04|5:06:07"));
    EXPECT_EQ(expand("[FILEDATELASTACCESSED] [FILEDATELASTACCESSED_DATE] "
                     "[FILEDATELASTACCESSED_TIME]"),
              q("2022/11/12 13:14:15 2022/11/12 13:14:15"));
}

TEST_F(PasteInfoDates, ATimeAtMidnightShowsNoDate)
{
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(QDateTime(QDate(2021, 3, 4), QTime(0, 0)),
                              QFileDevice::FileModificationTime));
    EXPECT_EQ(expand("[FILEDATELASTMODIFIED_TIME]"), q("0:00:00"));
    EXPECT_EQ(expand("[FILEDATELASTMODIFIED]|[FILEDATELASTMODIFIED_DATE]"),
              q("2021/03/04|2021/03/04"));
}

TEST_F(PasteInfoDates, CreatedDateComesFromTheFileDateService)
{
    const auto text = [&](platform::DatePart part) {
        return host::Variant::fromDateTime(
                   platform::F_GetFileDate(file, part, platform::DateKind::Created))
            .toString();
    };
    EXPECT_EQ(expand("[FILEDATECREATED]"), text(platform::DatePart::DateTime));
    EXPECT_EQ(expand("[FILEDATECREATED_DATE]"), text(platform::DatePart::DateOnly));
    EXPECT_EQ(expand("[FILEDATECREATED_TIME]"), text(platform::DatePart::TimeOnly));
    EXPECT_NE(expand("[FILEDATECREATED_DATE]"), expand("[FILEDATECREATED_TIME]"));
}

TEST_F(PasteInfoDates, DatesInAFormulaAreTextTheHostCanReadAsDates)
{
    EXPECT_EQ(expand("=TEXT([FILEDATELASTMODIFIED],\"yyyymmdd-hhmmss\")"), q("20210304-050607"));
    EXPECT_EQ(expand("=YEAR([FILEDATELASTACCESSED_DATE])+1"), q("2023"));
}

// A photograph's own date from its EXIF block; the modification date for a file without one.
TEST_F(PasteInfoDates, ShootingDateIsThePhotographsOwnElseTheModificationDate)
{
    EXPECT_EQ(expand("[SHOOTINGDATE]|[SHOOTINGDATE_DATE]|[SHOOTINGDATE_TIME]"),
              q("2021/03/04 5:06:07|2021/03/04|5:06:07"));

    // A JPEG's header with an EXIF block stating DateTimeOriginal: the IFD0 at 8 points to the
    // EXIF IFD at 26, whose one entry points to the text at 44.
    QByteArray tiff("II*\0\x08\0\0\0", 8);
    tiff.append(QByteArray::fromHex("0100"
                                    "6987"
                                    "0400"
                                    "01000000"
                                    "1a000000"
                                    "00000000"));
    tiff.append(QByteArray::fromHex("0100"
                                    "0390"
                                    "0200"
                                    "14000000"
                                    "2c000000"
                                    "00000000"));
    tiff.append("2018:07:06 17:18:19").append('\0');
    const QByteArray app1 = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray jpeg = QByteArray::fromHex("ffd8ffe1");
    jpeg.append(char((app1.size() + 2) >> 8)).append(char((app1.size() + 2) & 0xFF));
    jpeg.append(app1).append(QByteArray::fromHex("ffd9"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(jpeg);
    f.close();
    EXPECT_EQ(expand("[SHOOTINGDATE]|[SHOOTINGDATE_DATE]|[SHOOTINGDATE_TIME]"),
              q("2018/07/06 17:18:19|2018/07/06|17:18:19"));
    EXPECT_EQ(expand("=TEXT([SHOOTINGDATE],\"yyyymmdd-hhmmss\")"), q("20180706-171819"));
}

TEST(PasteInfoKeywords, ListsEveryKeywordInReplacementOrder)
{
    EXPECT_EQ(picrows::pasteInfoKeywords().join(u' '),
              q("[FULLPATH] [FOLDERNAME] [FILENAME1] [FILENAME2] [FILEDATECREATED] "
                "[FILEDATECREATED_DATE] [FILEDATECREATED_TIME] [FILEDATELASTACCESSED] "
                "[FILEDATELASTACCESSED_DATE] [FILEDATELASTACCESSED_TIME] [FILEDATELASTMODIFIED] "
                "[FILEDATELASTMODIFIED_DATE] [FILEDATELASTMODIFIED_TIME] [SHOOTINGDATE] "
                "[SHOOTINGDATE_DATE] [SHOOTINGDATE_TIME]"));
}

TEST_F(PasteInfoDates, AFileThatCannotBeReadGivesTheZeroDate)
{
    const QString zero = host::Variant::fromDateTime(platform::zeroDate()).toString();
    EXPECT_EQ(f_GetPasteInfoText(app, dir.filePath(q("missing.jpg")), q("[FILEDATECREATED]")),
              zero);
    EXPECT_EQ(
        f_GetPasteInfoText(app, dir.filePath(q("missing.jpg")), q("[FILEDATELASTMODIFIED_DATE]")),
        zero);
}

} // namespace
