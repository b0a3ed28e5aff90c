// `picrows insert`: pictures placed into the sample album, read back with `picrows inspect`;
// exclusions, leftovers, the paste-info question, the host-standard mode and the refusals.
#include "tests/cli/run_picrows.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using clitest::runPicrows;
using clitest::samplePath;

QString q(const char* text)
{
    return QString::fromUtf8(text);
}

const char* kFrames = "B3:B10,D3:D10,B13:B20,D13:D20"; // the album's four merged photo frames

class Insert : public ::testing::Test
{
protected:
    QString out() const { return dir.filePath(q("out.xlsx")); }
    QString photo(int i) const
    {
        static const char* names[] = {"01_sakura.jpg", "02_nyugakushiki.jpg", "03_ensoku.jpg",
                                      "04_undokai.jpg"};
        return QDir(samplePath(q("photos"))).filePath(q(names[i - 1]));
    }

    // Runs insert on the album with a settings folder of its own.
    clitest::Result insert(const QStringList& args, const QString& book = {})
    {
        return runPicrows(QStringList{q("insert"),
                                      book.isEmpty() ? samplePath(q("photo_album.xlsx")) : book,
                                      q("--config-dir"), dir.filePath(q("config"))} +
                          args);
    }

    QString brokenPicture() const
    {
        QFile file(dir.filePath(q("broken.jpg")));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("not a picture");
        return file.fileName();
    }

    QJsonObject sheetOf(const QString& book, const QStringList& more = {})
    {
        const clitest::Result r = runPicrows(QStringList{q("inspect"), book, q("--json")} + more);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return QJsonDocument::fromJson(r.out).object()[q("sheets")].toArray().at(0).toObject();
    }

    QTemporaryDir dir;
};

QJsonObject cellOf(const QJsonObject& sheet, const QString& address)
{
    for (const QJsonValue& c : sheet[q("cells")].toArray())
        if (c[q("address")].toString() == address)
            return c.toObject();
    return {};
}

// Every frame gets one photograph, filling it exactly.
TEST_F(Insert, FillsTheAlbumFramesFromAFolder)
{
    const clitest::Result r =
        insert({q("--range"), q(kFrames), q("--one-per-area"), q("--no-exclude"), q("--size"),
                q("fill"), samplePath(q("photos")), q("-o"), out()});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
    EXPECT_EQ(QString::fromUtf8(r.err),
              q("picrows insert: inserted 4 pictures into 4 targets; saved ") + out() + u'\n');

    const QJsonObject sheet = sheetOf(out(), {q("--range"), q("B3:D20")});
    const QJsonArray shapes = sheet[q("shapes")].toArray();
    ASSERT_EQ(shapes.size(), 4);
    const char* frames[] = {"$B$3", "$D$3", "$B$13", "$D$13"};
    for (int i = 0; i < 4; ++i) {
        const QJsonObject shape = shapes[i].toObject();
        const QJsonObject cell = cellOf(sheet, q(frames[i]));
        SCOPED_TRACE(frames[i]);
        EXPECT_EQ(shape[q("type")].toInt(), 13);
        ASSERT_EQ(cell[q("merge_area")].toString().count(u':'), 1);
        EXPECT_NEAR(shape[q("left")].toDouble(), cell[q("left")].toDouble(), 0.01);
        EXPECT_NEAR(shape[q("top")].toDouble(), cell[q("top")].toDouble(), 0.01);
        // The merged frame is 8 rows of 18 points; a fill covers it, cropping the rest.
        EXPECT_NEAR(shape[q("height")].toDouble(), 8 * 18, 0.01);
        EXPECT_NEAR(shape[q("width")].toDouble(), cell[q("width")].toDouble(), 0.01);
        EXPECT_GT(shape[q("crop_left")].toDouble() + shape[q("crop_top")].toDouble(), 0);
    }
}

// B3 and D3 hold "（写真）": skipped with the value test; the narrow C3 takes the first file.
TEST_F(Insert, ListsExclusionsAndLeftoversAndAnswersOne)
{
    const clitest::Result r =
        insert({q("--range"), q("B3:D3"), q("--one-per-cell"), q("--no-exclude"),
                q("--exclude-values"), photo(1), photo(2), photo(3), q("-o"), out()});
    EXPECT_EQ(r.exitCode, 1) << r.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(r.out),
              q("excluded\t$B$3\t値代入\nexcluded\t$D$3\t値代入\nleft over\t") + photo(2) +
                  q("\nleft over\t") + photo(3) + u'\n');
    const QJsonArray shapes = sheetOf(out())[q("shapes")].toArray();
    ASSERT_EQ(shapes.size(), 1);
    EXPECT_EQ(QString::fromUtf8(r.err),
              q("picrows insert: inserted 1 picture into 1 target; saved ") + out() + u'\n');
}

// The caption below a frame is occupied: the question is printed on one line and answered by
// --overwrite-info.
TEST_F(Insert, PasteInfoIntoAnOccupiedCellFollowsTheFlag)
{
    const QStringList args{q("--range"),
                           q("B3:B10"),
                           q("--no-exclude"),
                           q("--one-per-area"),
                           q("--info"),
                           q("[FILENAME1]"),
                           q("--info-cell"),
                           q("0,1"),
                           photo(1),
                           q("-o"),
                           out()};
    clitest::Result r = insert(args);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QString question =
        q("ピクロウアドイン: [exclamation] "
          "パスを貼り付けようとしているセルに、すでに値または数式が入力されています。 "
          "上書きしますか？ → No\n");
    EXPECT_EQ(QString::fromUtf8(r.err),
              question + q("picrows insert: inserted 1 picture into 1 target; saved ") + out() +
                  u'\n');
    EXPECT_EQ(cellOf(sheetOf(out(), {q("--range"), q("B11")}), q("$B$11"))[q("value")].toString(),
              q("桜の下で"));

    r = insert(args + QStringList{q("--overwrite-info")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(QString::fromUtf8(r.err).contains(q("→ Yes\npicrows insert: inserted")))
        << r.err.toStdString();
    EXPECT_EQ(cellOf(sheetOf(out(), {q("--range"), q("B11")}), q("$B$11"))[q("value")].toString(),
              q("01_sakura.jpg"));
}

// Host-standard mode: natural size at the range's first cell, cascading by 10 points.
TEST_F(Insert, ExcelModeCascadesFromTheFirstCell)
{
    const clitest::Result r = insert(
        {q("--range"), q("C22:E30"), q("--mode"), q("excel"), photo(1), photo(2), q("-o"), out()});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(r.err),
              q("picrows insert: inserted 2 pictures at $C$22; saved ") + out() + u'\n');
    const QJsonObject sheet = sheetOf(out(), {q("--range"), q("C22")});
    const QJsonObject c22 = cellOf(sheet, q("$C$22"));
    const QJsonArray shapes = sheet[q("shapes")].toArray();
    ASSERT_EQ(shapes.size(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_NEAR(shapes[i][q("left")].toDouble(), c22[q("left")].toDouble() + 10 * i, 0.01);
        EXPECT_NEAR(shapes[i][q("top")].toDouble(), c22[q("top")].toDouble() + 10 * i, 0.01);
        // Natural size: the file's own, unscaled; the unlinked copy has only the edge the
        // host's copy adds cropped away.
        const double edge = 20.0 / 15;
        EXPECT_NEAR(shapes[i][q("width")].toDouble(),
                    shapes[i][q("untouched_width")].toDouble() - 2 * edge, 0.01);
        EXPECT_NEAR(shapes[i][q("crop_left")].toDouble(), edge, 0.01);
    }
}

// The stored size mode applies unless --size overrides it, and the override is not stored.
TEST_F(Insert, OptionsOverrideTheStoredSettingsForOneRunOnly)
{
    const QStringList config{q("--config-dir"), dir.filePath(q("config"))};
    ASSERT_EQ(
        runPicrows(QStringList{q("settings"), q("set"), q("PasteSize"), q("1")} + config).exitCode,
        0);
    const QStringList frame{
        q("--range"), q("B3:B10"), q("--one-per-area"), q("--no-exclude"), photo(1),
        q("-o"),      out()};
    const auto shapeIn = [&](const QStringList& extra) {
        const clitest::Result r = insert(frame + extra);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return sheetOf(out())[q("shapes")].toArray().at(0).toObject();
    };
    // Fit inside (stored): the 4:3 photograph keeps its proportions in the tall frame.
    QJsonObject shape = shapeIn({});
    EXPECT_NEAR(shape[q("width")].toDouble(), 126, 0.01);
    EXPECT_NEAR(shape[q("height")].toDouble() / shape[q("width")].toDouble(), 3.0 / 4, 0.001);
    // Stretch (given): the whole frame.
    shape = shapeIn({q("--size"), q("stretch")});
    EXPECT_NEAR(shape[q("width")].toDouble(), 126, 0.01);
    EXPECT_NEAR(shape[q("height")].toDouble(), 144, 0.01);
    const clitest::Result stored =
        runPicrows(QStringList{q("settings"), q("get"), q("PasteSize")} + config);
    EXPECT_EQ(stored.out, QByteArray("1\n"));
}

TEST_F(Insert, InPlaceSavesOverTheBook)
{
    const QString book = dir.filePath(q("album.xlsx"));
    ASSERT_TRUE(QFile::copy(samplePath(q("photo_album.xlsx")), book));
    clitest::Result r = insert({q("--range"), q("B3:B10,D3:D10"), q("--one-per-area"),
                                q("--no-exclude"), photo(4), brokenPicture(), q("--in-place")},
                               book);
    ASSERT_EQ(r.exitCode, 1) << r.err.toStdString();
    EXPECT_EQ(sheetOf(book)[q("shapes")].toArray().size(), 1);
    EXPECT_TRUE(QString::fromUtf8(r.err).endsWith(
        q("picrows insert: inserted 1 picture into 1 of 2 targets; saved ") + book + u'\n'))
        << r.err.toStdString();

    // -q: nothing to say when all went well.
    r = insert({q("--range"), q("D3:D10"), q("--no-exclude"), photo(3), q("--in-place"), q("-q")},
               book);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    EXPECT_EQ(sheetOf(book)[q("shapes")].toArray().size(), 2);
}

// Files the host cannot read: each is named with the reason on standard error, without the
// image libraries' own chatter, and listed as left over; the exit code says not all went in.
TEST_F(Insert, UnreadablePicturesAreNamedAndLeftOver)
{
    const auto write = [&](const char* name, const QByteArray& bytes) {
        QFile file(dir.filePath(q(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    };
    QFile jpeg(photo(1));
    ASSERT_TRUE(jpeg.open(QIODevice::ReadOnly));
    QImage image(300, 200, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 7 % 256, y * 5 % 256, (x ^ y) % 256));
    const auto encode = [&](const char* format, bool progressive) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, format);
        writer.setProgressiveScanWrite(progressive);
        EXPECT_TRUE(writer.write(image));
        return bytes;
    };
    const QByteArray png = encode("png", false);
    const QByteArray progressive = encode("jpeg", true); // decoded by Qt's own plugin
    const QStringList bad{write("empty.jpg", {}), write("head.jpg", jpeg.read(300)),
                          write("cut.png", png.left(png.size() / 2)),
                          write("cut.jpg", progressive.left(progressive.size() / 2)),
                          write("notes.png", "not a picture\n")};

    clitest::Result r =
        insert(QStringList{q("--range"), q(kFrames), q("--one-per-area"), q("--no-exclude")} + bad +
               QStringList{photo(2), q("-o"), out()});
    EXPECT_EQ(r.exitCode, 1) << r.err.toStdString();
    QString expectedOut;
    for (const QString& path : bad)
        expectedOut += q("left over\t") + path + u'\n';
    EXPECT_EQ(QString::fromUtf8(r.out), expectedOut);
    const QString err = QString::fromUtf8(r.err);
    for (const QString& path : bad)
        EXPECT_TRUE(err.contains(path)) << err.toStdString();
    EXPECT_FALSE(err.contains(q("libpng"))) << err.toStdString();
    EXPECT_FALSE(err.contains(q("qt.gui.imageio"))) << err.toStdString();
    EXPECT_EQ(sheetOf(out())[q("shapes")].toArray().size(), 1);

    // Nothing readable at all: the same, in either mode.
    for (const char* mode : {"selected", "excel"}) {
        r = insert(QStringList{q("--range"), q("B3:B10"), q("--no-exclude"), q("--mode"), q(mode)} +
                   bad + QStringList{q("-o"), out()});
        EXPECT_EQ(r.exitCode, 1) << mode << r.err.toStdString();
        EXPECT_EQ(QString::fromUtf8(r.out), expectedOut) << mode;
    }
}

// Every target excluded: the pictures read ahead are never placed. The process ends with
// exit 1 all the same, however far the reading has got (it crashed at exit while workers
// were still decoding).
TEST_F(Insert, NothingPlacedEndsCleanlyWhileReadingAhead)
{
    QImage noise(2400, 1800, QImage::Format_RGB32);
    QRandomGenerator random(11);
    for (int y = 0; y < noise.height(); ++y) {
        auto* line = reinterpret_cast<quint32*>(noise.scanLine(y));
        for (int x = 0; x < noise.width(); ++x)
            line[x] = 0xff000000U | (random.generate() & 0xffffffU);
    }
    const QString folder = dir.filePath(q("big"));
    ASSERT_TRUE(QDir().mkpath(folder));
    for (int i = 0; i < 6; ++i)
        ASSERT_TRUE(noise.save(QDir(folder).filePath(QStringLiteral("%1.jpg").arg(i)), "JPEG", 95));
    for (int run = 0; run < 10; ++run) {
        const clitest::Result r =
            insert({q("--range"), q("B1:B2"), q("--exclude-values"), folder, q("-o"), out()});
        ASSERT_EQ(r.exitCode, 1) << "run " << run << ": " << r.err.toStdString();
        EXPECT_FALSE(r.err.contains("QMutex")) << r.err.toStdString();
    }
}

TEST_F(Insert, Refusals)
{
    const QString photo1 = photo(1);
    const struct
    {
        QStringList args;
        int exitCode;
    } cases[] = {
        {{photo1, q("-o"), out()}, 2},        // no --range
        {{q("--range"), q("B3"), photo1}, 2}, // nowhere to save
        {{q("--range"), q("B3"), photo1, q("-o"), out(), q("--in-place")}, 2},
        {{q("--range"), q("B3"), q("-o"), out()}, 2}, // no PATH
        {{q("--range"), q("B3"), dir.filePath(q("none.jpg")), q("-o"), out()}, 2},
        {{q("--range"), q("B3"), q("--size"), q("huge"), photo1, q("-o"), out()}, 2},
        {{q("--range"), q("B3"), q("--reduce"), q("11"), photo1, q("-o"), out()}, 2},
        {{q("--range"), q("B3"), q("--info-cell"), q("0"), photo1, q("-o"), out()}, 2},
        {{q("--range"), q("B3"), q("--mode"), q("click"), photo1, q("-o"), out()}, 2},
        {{q("--range"), q("not a range"), photo1, q("-o"), out()}, 2},
        {{q("--range"), q("B3"), q("--sheet"), q("nope"), photo1, q("-o"), out()}, 2},
    };
    for (const auto& c : cases) {
        const clitest::Result r = insert(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args.join(u' ').toStdString();
        EXPECT_FALSE(r.err.isEmpty());
        EXPECT_FALSE(QFile::exists(out()));
    }
    const clitest::Result r =
        insert({q("--range"), q("B3"), photo1, q("-o"), out()}, dir.filePath(q("missing.xlsx")));
    EXPECT_EQ(r.exitCode, 3);
}

} // namespace
