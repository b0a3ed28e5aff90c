// Which file names the picture list accepts, and the file dialog's filter.
#include "main/engine/image_file_match.h"

#include <gtest/gtest.h>

namespace {

using picrows::f_MatchImageFile;

QString q(const char* text)
{
    return QString::fromUtf8(text);
}

struct NameCase
{
    const char* name;
    bool accepted;
};

void PrintTo(const NameCase& c, std::ostream* os)
{
    *os << c.name;
}

class MatchImageFile : public ::testing::TestWithParam<NameCase>
{
};

TEST_P(MatchImageFile, DecidesByTheTextAfterTheLastDot)
{
    EXPECT_EQ(f_MatchImageFile(q(GetParam().name)), GetParam().accepted) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Names, MatchImageFile,
    ::testing::Values(NameCase{"photo.JPG", true}, NameCase{"photo.jpg", true},
                      NameCase{"photo.Jpg", true}, NameCase{"photo.jpeg", true},
                      NameCase{"C:\\pic\\scan.TIFF", true}, NameCase{"/home/u/写真.png", true},
                      NameCase{"a.b.c.gif", true}, NameCase{"photo.jpg.bak", false},
                      NameCase{"photo", false}, NameCase{"photo.", false}, NameCase{".png", true},
                      NameCase{"C:\\my.pictures\\scan", false},
                      NameCase{"drawing.jph", false}, // named by the dialog's filter only
                      NameCase{"drawing.jbh", true}, NameCase{"photo.webp", true},
                      NameCase{"IMG_0001.HEIC", true}, NameCase{"photo.heif", true},
                      NameCase{"photo.Avif", true}, NameCase{"photo.heics", false},
                      NameCase{"photo.jpg ", false}, NameCase{"", false}));

TEST(MatchImageFileList, AcceptsExactlyTheListedExtensionsInAnyCase)
{
    const QStringList expected =
        q("EMF WMF JPG JPEG JFIF JPE PNG BMP DIB RLE BMZ GIF GFA EMZ WMZ PCZ PCT PIC PICT TIF "
          "TIFF PCD PCX CGM EPS FPX JAH JBH JSH MIX WPG DRW DXF TGA CDR HEIC HEIF AVIF WEBP")
            .split(u' ');
    EXPECT_EQ(picrows::acceptedImageExtensions(), expected);
    for (const QString& ext : expected) {
        EXPECT_TRUE(f_MatchImageFile(q("x.") + ext)) << ext.toStdString();
        EXPECT_TRUE(f_MatchImageFile(q("x.") + ext.toLower())) << ext.toStdString();
        EXPECT_FALSE(f_MatchImageFile(q("x.") + ext + q("X"))) << ext.toStdString();
    }
}

TEST(ImageFileFilter, HasTheTwentyFiveEntriesInOrder)
{
    const auto& entries = picrows::imageFileFilterEntries();
    ASSERT_EQ(entries.size(), 25u);
    EXPECT_EQ(entries[0].description,
              q("すべての図 (*.emf;*.wmf;*.jpg;*.jpeg;*.jfif;*.jpe;*.png;*.bmp;*.dib;*.rle;*.bmz;"
                "*.gif;*.gfa;*.emz;*.wmz;*.pcz;*.pct;*.pic;*.pict;*.tif;*.tiff;*.pcd;*.pcx;*.cgm;"
                "*.eps;*.fpx;*.jah;*.jbh;*.jsh;*.mix;*.wpg;*.drw;*.dxf;*.tga;*.cdr;*.heic;*.heif;"
                "*.avif;*.webp)"));
    EXPECT_EQ(entries[0].patterns.size(), 39);
    EXPECT_EQ(entries[0].patterns.front(), q("*.emf"));
    EXPECT_EQ(entries[0].patterns.back(), q("*.webp"));
    EXPECT_EQ(entries[3].description, q("JPEG 形式 (*.jpg;*.jpeg;*.jfif;*.jpe)"));
    EXPECT_EQ(entries[10].description, q("PICT形式 (*.pct;*.pic;*.pict)"));
    EXPECT_EQ(entries[17].description, q("花子 (*.jah;*.jph;*.jsh)"));
    EXPECT_EQ(entries[17].patterns, q("*.jah;*.jph;*.jsh").split(u';'));
    EXPECT_EQ(entries[20].description, q("Micrografx Designer/Draw(*.drw)"));
    EXPECT_EQ(entries[24].description, q("すべてのファイル (*.*)"));
    EXPECT_EQ(entries[24].patterns, QStringList{q("*.*")});
}

TEST(ImageFileFilter, JoinsEntriesInTheCommonDialogSyntax)
{
    const QString filter = picrows::imageFileDialogFilter();
    EXPECT_EQ(filter.count(u'|'), 49); // 25 descriptions and 25 pattern lists
    EXPECT_TRUE(
        filter.contains(q("|拡張メタファイル (*.emf)|*.emf|Windows メタファイル (*.wmf)|*.wmf|")));
    EXPECT_TRUE(filter.contains(q("|Targa (*.tga)|*.tga|CorelDraw (*.cdr)|*.cdr|")));
    EXPECT_TRUE(filter.endsWith(q("|すべてのファイル (*.*)|*.*")));
    EXPECT_TRUE(filter.startsWith(q("すべての図 (*.emf;*.wmf;")));
    EXPECT_TRUE(filter.contains(q("*.cdr;*.heic;*.heif;*.avif;*.webp)|*.emf;*.wmf;*.jpg;")));
}

} // namespace
