#include "main/save_picture/save_picture_command.h"

#include "host/imaging/emf.h"
#include "host/render/copy_paste.h"
#include "main/save_picture/clip_formats.h"
#include "main/startup/startup_context.h"
#include "platform/clipboard.h"
#include "platform/message_box.h"
#include "tests/host/objects/shape_test_support.h"
#include "tests/main/save_picture/image_compare.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QMimeData>

#include <set>

using namespace picrows;
using namespace objects_test;
using platform::Message;
using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;
using savepic_test::meanDistance;
using savepic_test::quadrants;

namespace {

Message critical(const QString& text)
{
    return {text, MsgButtons::OK, MsgIcon::Critical, platform::programTitle()};
}

const Message kOneCellQuestion{QStringLiteral("選択セルが１つだけの状態です。続行しますか？"),
                               MsgButtons::OKCancel, MsgIcon::Question,
                               QStringLiteral("ピクロウアドイン")};

// Hides formats of the clipboard until the command puts them there itself: a host that
// offers only some of what it renders.
class HidingClipFormats : public ClipFormats
{
public:
    HidingClipFormats(ClipFormats& inner, std::set<int> hidden)
        : m_inner(inner), m_hidden(std::move(hidden))
    {
    }
    bool offers(int code) const override { return !m_hidden.count(code) && m_inner.offers(code); }
    QVariant data(int code) const override
    {
        return m_hidden.count(code) ? QVariant() : m_inner.data(code);
    }
    void clear() override { m_inner.clear(); }
    void setData(int code, const QVariant& value) override
    {
        m_hidden.erase(code);
        m_inner.setData(code, value);
    }

private:
    ClipFormats& m_inner;
    std::set<int> m_hidden;
};

// The in-process host on the desktop clipboard, attached as the main program attaches it,
// with an 80 × 60 pixel picture at B2 and the cells B2:D5 selected.
class SavePicCommand : public ShapeTest
{
protected:
    SavePicCommand() : m_messagesInPlace(messages)
    {
        QGuiApplication::clipboard()->clear();
        startupContext().gobjXlApp = app;
        range("B2").Select();
        m_picturePath = writeImage(quadrants(80, 60), QStringLiteral("quad.png"), "png");
        picture = pictures().Insert(m_picturePath);
        range("B2:D5").Select();
        io.askFileName = [this](const SaveAsRequest& request) {
            requests.push_back(request);
            interactiveWhileAsked = app.Interactive();
            return answer;
        };
    }
    ~SavePicCommand() override
    {
        startupContext().gobjXlApp = xl::Application();
        QGuiApplication::clipboard()->clear();
    }

    QString file(const char* name) const { return m_dir.filePath(QString::fromUtf8(name)); }

    // What the user had copied before the command.
    static void putUsersClipboard()
    {
        auto* mime = new QMimeData;
        mime->setText(QStringLiteral("users text"));
        mime->setImageData(quadrants(6, 4));
        mime->setData(QStringLiteral("image/x-emf"), "users EMF");
        QGuiApplication::clipboard()->setMimeData(mime);
    }
    static const QMimeData& held() { return *QGuiApplication::clipboard()->mimeData(); }

    // What the host's Copy of the selection renders, taken after the command.
    host::render::ClipContent copyOfSelection()
    {
        xl::Object(app.Selection()).call(QStringLiteral("Copy"));
        return *m_host.options().clipboard->content();
    }

    bool run(const QString& fileName)
    {
        answer = host::Variant(fileName);
        return s_SavePic(io);
    }

    platform::ScriptedMessages messages;
    SavePicIo io;
    host::Variant answer;
    std::vector<SaveAsRequest> requests;
    bool interactiveWhileAsked = true;
    xl::Picture picture;

private:
    platform::ScopedMessageService m_messagesInPlace;
    QString m_picturePath;
};

TEST(SavePicRules, TheFileTypeIsTheLastFourCharactersInUpperCase)
{
    const struct
    {
        const char* name;
        SavePicFileType type;
    } cases[] = {
        {"a.emf", SavePicFileType::Emf},        {"a.EMF", SavePicFileType::Emf},
        {"a.Bmp", SavePicFileType::Bmp},        {"a.jpg", SavePicFileType::Jpg},
        {"/x.emf/a.JpG", SavePicFileType::Jpg}, {".jpg", SavePicFileType::Jpg},
        {"a.jpeg", SavePicFileType::Unknown},   {"a.png", SavePicFileType::Unknown},
        {"a.jpg ", SavePicFileType::Unknown},   {"jpg", SavePicFileType::Unknown},
        {"", SavePicFileType::Unknown},
    };
    for (const auto& c : cases)
        EXPECT_EQ(savePicFileType(QString::fromUtf8(c.name)), c.type) << c.name;
}

TEST(SavePicRules, JpegIsProposedForCellsAndPicturesAndEmfForOtherObjects)
{
    const struct
    {
        const char* typeName;
        int index;
    } cases[] = {{"Range", 3},     {"RANGE", 3},   {"Picture", 3},        {"picture", 3},
                 {"ChartArea", 1}, {"TextBox", 1}, {"DrawingObjects", 1}, {"Rectangle", 1}};
    for (const auto& c : cases)
        EXPECT_EQ(savePicDefaultFilterIndex(QString::fromUtf8(c.typeName)), c.index) << c.typeName;
}

TEST_F(SavePicCommand, TheSaveDialogIsAskedWithTheProposedTypeFilterAndTitle)
{
    answer = host::Variant(false);
    EXPECT_FALSE(s_SavePic(io));
    picture.Select();
    EXPECT_FALSE(s_SavePic(io));
    shapes().AddTextbox(1, 200, 10, 50, 20).Select();
    EXPECT_FALSE(s_SavePic(io));

    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].initialFileName, QString());
    EXPECT_EQ(requests[0].fileFilter,
              QStringLiteral("meta (*.emf),*.emf,bitmap (*.bmp),*.bmp,jpeg (*.jpg),*.jpg"));
    EXPECT_EQ(requests[0].title, QStringLiteral("ピクロウアドイン - 画像の保存"));
    EXPECT_EQ(requests[0].filterIndex, 3); // cells
    EXPECT_EQ(requests[1].filterIndex, 3); // a picture
    EXPECT_EQ(requests[2].filterIndex, 1); // a text box
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(SavePicCommand, OneSelectedCellIsConfirmedFirstAndTwoAreNot)
{
    answer = host::Variant(false);
    range("C3").Select();
    messages.answerNext(MsgAnswer::Cancel);
    EXPECT_FALSE(s_SavePic(io));
    EXPECT_EQ(messages.shown(), std::vector<Message>{kOneCellQuestion});
    EXPECT_TRUE(requests.empty());
    EXPECT_TRUE(app.Interactive());

    messages.clear();
    messages.answerNext(MsgAnswer::OK);
    EXPECT_TRUE(run(file("one.jpg")));
    EXPECT_EQ(messages.shown(), std::vector<Message>{kOneCellQuestion});

    messages.clear();
    range("C3:C4").Select();
    EXPECT_TRUE(run(file("two.jpg")));
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(SavePicCommand, CellsWithAPictureAreSavedAsTheCopyRendersThem)
{
    ASSERT_TRUE(run(file("cells.jpg")));
    ASSERT_TRUE(run(file("cells.bmp")));
    ASSERT_TRUE(run(file("cells.EMF")));
    EXPECT_TRUE(messages.shown().empty());
    const host::render::ClipContent copy = copyOfSelection();
    const QImage rendered = copy.bitmap.convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(rendered.isNull());
    // The picture is part of the rendering: its red top-left quadrant sits in B2.
    EXPECT_EQ(rendered.pixel(5, 5), qRgb(200, 0, 0));

    QImageReader bmp(file("cells.bmp"));
    EXPECT_EQ(bmp.format(), QByteArray("bmp"));
    EXPECT_EQ(bmp.read(), rendered);

    QImageReader jpg(file("cells.jpg"));
    EXPECT_EQ(jpg.format(), QByteArray("jpeg"));
    const QImage jpeg = jpg.read();
    ASSERT_EQ(jpeg.size(), rendered.size());
    EXPECT_LT(meanDistance(jpeg, rendered), 3.0);

    QFile emfFile(file("cells.EMF"));
    ASSERT_TRUE(emfFile.open(QIODevice::ReadOnly));
    const QByteArray emf = emfFile.readAll();
    EXPECT_EQ(emf, copy.emf);
    const auto header = host::imaging::readEmfHeader(emf);
    ASSERT_TRUE(header);
    const xl::Range cells = range("B2:D5");
    EXPECT_NEAR(header->points.width(), cells.Width(), 0.75);
    EXPECT_NEAR(header->points.height(), cells.Height(), 0.75);
    EXPECT_EQ(host::imaging::readEmf(emf).convertToFormat(QImage::Format_RGB32), rendered);
}

TEST_F(SavePicCommand, APictureIsSavedWithTheCopyMarginInItsFrame)
{
    picture.Select();
    ASSERT_TRUE(run(file("picture.emf")));
    ASSERT_TRUE(run(file("picture.bmp")));
    // The copy is transparent around the picture; the file is opaque there, and white.
    const QImage bmp(file("picture.bmp"));
    EXPECT_FALSE(bmp.hasAlphaChannel());
    EXPECT_EQ(bmp.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(bmp.pixel(5, 5), qRgb(200, 0, 0));
    QFile emfFile(file("picture.emf"));
    ASSERT_TRUE(emfFile.open(QIODevice::ReadOnly));
    const auto header = host::imaging::readEmfHeader(emfFile.readAll());
    ASSERT_TRUE(header);
    // The copy is rendered at 1.5 pixels a point: the frame is whole pixels of that.
    const double margins = 2 * host::render::kCopyMargin;
    const double pixel = 1 / 1.5;
    EXPECT_NEAR(header->points.width(), picture.Width() + margins, pixel);
    EXPECT_NEAR(header->points.height(), picture.Height() + margins, pixel);
}

TEST_F(SavePicCommand, TheUsersClipboardComesBackAndTheCopyIsGone)
{
    putUsersClipboard();
    ASSERT_TRUE(run(file("cells.jpg")));
    EXPECT_EQ(held().text(), QStringLiteral("users text"));
    EXPECT_EQ(qvariant_cast<QImage>(held().imageData()).convertToFormat(QImage::Format_RGB32),
              quadrants(6, 4));
    EXPECT_FALSE(held().hasFormat(QStringLiteral("image/x-emf"))); // not kept, by design
    EXPECT_FALSE(held().hasFormat(QStringLiteral("application/x-picrows-copy")));
    EXPECT_EQ(app.CutCopyMode().toInt32(), 0);
    EXPECT_TRUE(app.Interactive());
    EXPECT_FALSE(interactiveWhileAsked);
}

TEST_F(SavePicCommand, CancellingTheDialogTouchesNeitherFileNorClipboard)
{
    putUsersClipboard();
    for (const host::Variant& cancelled :
         {host::Variant(false), host::Variant(QString()), host::Variant(QStringLiteral("false"))}) {
        answer = cancelled;
        EXPECT_FALSE(s_SavePic(io));
    }
    EXPECT_EQ(requests.size(), 3u);
    EXPECT_EQ(held().data(QStringLiteral("image/x-emf")), QByteArray("users EMF"));
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_TRUE(app.Interactive());
    EXPECT_FALSE(QFile::exists(file("false")));
}

TEST_F(SavePicCommand, FailuresAreReportedAndTheClipboardIsStillPutBack)
{
    const QString accessError = QStringLiteral("Err(75\r\nPath/File access error");
    const struct
    {
        const char* name;
        std::vector<Message> shown;
    } cases[] = {
        {"cells.jpeg", {critical(QStringLiteral("Err:Unknown Format"))}},
        {"cells.png", {critical(QStringLiteral("Err:Unknown Format"))}},
        {"missing/cells.bmp", {critical(accessError)}},
        {"missing/cells.emf", {critical(accessError)}},
        {"missing/cells.jpg", {}}, // the JPEG writer's answer is not looked at
    };
    for (const auto& c : cases) {
        putUsersClipboard();
        messages.clear();
        EXPECT_FALSE(run(file(c.name))) << c.name;
        EXPECT_EQ(messages.shown(), c.shown) << c.name;
        EXPECT_FALSE(QFile::exists(file(c.name))) << c.name;
        EXPECT_EQ(held().text(), QStringLiteral("users text")) << c.name;
        EXPECT_TRUE(app.Interactive()) << c.name;
    }
}

TEST_F(SavePicCommand, WithOnlyAMetafileTheBitmapIsTheMetafileDrawnAtItsNaturalSize)
{
    const auto desktop = clipFormatsOf(platform::clipboard());
    HidingClipFormats noBitmap(*desktop, {kClipBitmap});
    io.clipboard = &noBitmap;
    ASSERT_TRUE(run(file("drawn.bmp")));
    HidingClipFormats noBitmapAgain(*desktop, {kClipBitmap});
    io.clipboard = &noBitmapAgain;
    ASSERT_TRUE(run(file("drawn.jpg")));
    EXPECT_TRUE(messages.shown().empty());

    const QImage rendered = copyOfSelection().bitmap.convertToFormat(QImage::Format_RGB32);
    const QImage bmp(file("drawn.bmp"));
    ASSERT_EQ(bmp.size(), rendered.size()); // the frame at 96 dpi
    EXPECT_LT(meanDistance(bmp, rendered), 1.0);
    EXPECT_LT(meanDistance(QImage(file("drawn.jpg")), rendered), 3.0);
}

TEST_F(SavePicCommand, AMissingSourceFormatIsReportedByName)
{
    const auto desktop = clipFormatsOf(platform::clipboard());
    const struct
    {
        const char* name;
        std::set<int> hidden;
        const char* message;
    } cases[] = {
        {"x.emf", {kClipEnhMetafile}, "Err:EMF"},
        {"x.bmp", {kClipBitmap, kClipEnhMetafile}, "Err:BMP or JPEG"},
        {"x.jpg", {kClipBitmap, kClipEnhMetafile}, "Err:BMP or JPEG"},
    };
    for (const auto& c : cases) {
        HidingClipFormats partial(*desktop, c.hidden);
        io.clipboard = &partial;
        messages.clear();
        EXPECT_FALSE(run(file(c.name))) << c.name;
        EXPECT_EQ(messages.shown(), std::vector<Message>{critical(QString::fromUtf8(c.message))})
            << c.name;
        EXPECT_FALSE(QFile::exists(file(c.name))) << c.name;
    }
}

TEST_F(SavePicCommand, AnErrorOfTheSaveDialogStillLeavesTheHostInteractive)
{
    io.askFileName = [](const SaveAsRequest&) -> host::Variant {
        host::raise(host::err::NotSupported);
    };
    EXPECT_THROW(s_SavePic(io), host::HostError);
    EXPECT_TRUE(app.Interactive());
}

TEST_F(SavePicCommand, TheHostStateIsCheckedFirst)
{
    sheet(2).Select(false);
    EXPECT_FALSE(run(file("grouped.jpg")));
    EXPECT_EQ(messages.shown(),
              std::vector<Message>{critical(QStringLiteral("串刺し状態では実行できません。"))});
    EXPECT_TRUE(requests.empty());
}

} // namespace
