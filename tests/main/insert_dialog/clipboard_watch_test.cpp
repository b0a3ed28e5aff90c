// The clipboard watch of frmGet on the application's clipboard (the offscreen platform keeps
// one in the process; the desktop's across processes is tested under Xvfb).
#include "host/imaging/picture_codecs.h"
#include "main/insert_dialog/picture_list_model.h"
#include "main/insert_dialog/thumbnail_loader.h"
#include "tests/main/insert_dialog/dialog_test_support.h"

#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

using namespace dialog_test;
using platform::MsgButtons;
using platform::MsgIcon;

class ClipboardWatchTest : public DialogTest
{
protected:
    ClipboardWatchTest() : m_tmpdir(qgetenv("TMPDIR"))
    {
        qputenv("TMPDIR", dir.path().toLocal8Bit());
        QGuiApplication::clipboard()->clear();
    }
    ~ClipboardWatchTest() override
    {
        QGuiApplication::clipboard()->clear();
        if (m_tmpdir.isEmpty())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", m_tmpdir);
    }

    static QImage swatch(QColor colour)
    {
        QImage image(30, 20, QImage::Format_RGB32);
        image.fill(colour);
        return image;
    }

    static bool clipboardEmpty()
    {
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        return !data || data->formats().isEmpty();
    }

    // Two ticks of the 200 ms watch.
    static void waitTwoTicks() { QTest::qWait(450); }

private:
    QByteArray m_tmpdir;
};

TEST_F(ClipboardWatchTest, PicturesCopiedWhileTheWatchIsOnJoinTheListAsTemporaryFiles)
{
    auto dialog = openDialog();
    auto* clip = control<QToolButton>(*dialog, q("CLIP"));
    auto* timer = control<QTimer>(*dialog, q("timClipboard"));
    EXPECT_FALSE(clip->isChecked()) << "the watch is off whenever the dialog opens";
    EXPECT_EQ(timer->interval(), 200);

    QGuiApplication::clipboard()->setImage(swatch(Qt::red));
    QTest::mouseClick(clip, Qt::LeftButton);
    EXPECT_TRUE(clip->isChecked());
    EXPECT_TRUE(timer->isActive());
    EXPECT_TRUE(clipboardEmpty()) << "what was there before the watch is not taken";
    waitTwoTicks();
    EXPECT_EQ(dialog->pictureFiles().count(), 0);

    QGuiApplication::clipboard()->setImage(swatch(Qt::blue));
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog->pictureFiles().count() == 1; }));
    const QString first = dialog->pictureFiles().first();
    EXPECT_TRUE(QFileInfo(first).fileName().startsWith(q("Cli")));
    EXPECT_EQ(QFileInfo(first).path(), dir.path());
    const QImage saved(first);
    ASSERT_EQ(saved.size(), QSize(30, 20));
    EXPECT_EQ(saved.pixelColor(5, 5), QColor(Qt::blue));
    EXPECT_TRUE(clipboardEmpty());

    // The same picture copied again is a second entry with a file of its own.
    QGuiApplication::clipboard()->setImage(swatch(Qt::blue));
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog->pictureFiles().count() == 2; }));
    EXPECT_NE(dialog->pictureFiles().at(1), first);

    // Text, and cells copied in the host (its marker says cells, with text and a rendering),
    // are not pictures to take.
    QGuiApplication::clipboard()->setText(q("A1\tB1"));
    waitTwoTicks();
    auto* cellsCopy = new QMimeData;
    cellsCopy->setImageData(swatch(Qt::green));
    cellsCopy->setText(q("1\t2"));
    cellsCopy->setData(q("application/x-picrows-copy"), R"({"cells":true})");
    QGuiApplication::clipboard()->setMimeData(cellsCopy);
    waitTwoTicks();
    EXPECT_EQ(dialog->pictureFiles().count(), 2);

    // A picture copied in the host carries the marker too, without cells: taken.
    auto* pictureCopy = new QMimeData;
    pictureCopy->setImageData(swatch(Qt::yellow));
    pictureCopy->setData(q("application/x-picrows-copy"), R"({"cells":false,"margin":0})");
    QGuiApplication::clipboard()->setMimeData(pictureCopy);
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog->pictureFiles().count() == 3; }));

    // An enhanced metafile alone: its bytes are saved as they are, and it gets a thumbnail.
    const QByteArray emf =
        host::imaging::encodePicture(swatch(Qt::magenta), host::imaging::ImageFormat::Emf);
    auto* metafile = new QMimeData;
    metafile->setData(q("image/x-emf"), emf);
    QGuiApplication::clipboard()->setMimeData(metafile);
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog->pictureFiles().count() == 4; }));
    QFile saved4(dialog->pictureFiles().at(3));
    ASSERT_TRUE(saved4.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved4.readAll(), emf);
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog->thumbnails()->outstanding() == 0; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog->listModel()
                  ->data(dialog->listModel()->index(3, 0), picrows::PictureListModel::IconKeyRole)
                  .toString(),
              dialog->pictureFiles().at(3));

    // Released: nothing more is taken.
    QTest::mouseClick(clip, Qt::LeftButton);
    EXPECT_FALSE(timer->isActive());
    QGuiApplication::clipboard()->setImage(swatch(Qt::black));
    waitTwoTicks();
    EXPECT_EQ(dialog->pictureFiles().count(), 4);

    // Closing deletes every capture, inserted or not.
    const QStringList captures = dialog->capturedFiles();
    ASSERT_EQ(captures.size(), 4);
    dialog->close();
    for (const QString& file : captures)
        EXPECT_FALSE(QFile::exists(file)) << file.toStdString();
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(ClipboardWatchTest, WithoutATemporaryFolderTheWatchSaysSoAndSwitchesItselfOff)
{
    auto dialog = openDialog();
    auto* clip = control<QToolButton>(*dialog, q("CLIP"));
    QTest::mouseClick(clip, Qt::LeftButton);
    qputenv("TMPDIR", dir.filePath(q("missing")).toLocal8Bit());
    QGuiApplication::clipboard()->setImage(swatch(Qt::red));
    ASSERT_TRUE(QTest::qWaitFor([&] { return messages.shown().size() == 2; }));
    EXPECT_EQ(messages.shown()[0].text.left(25), q("Err:GetTempFileFullpath\r\n"));
    EXPECT_EQ(messages.shown()[1],
              message(q("OSの一時フォルダが利用できないため、クリップボードから取得できません。"
                        "\r\nOKを押すと、本機能を停止します。"),
                      MsgButtons::OK, MsgIcon::Critical));
    EXPECT_FALSE(clip->isChecked());
    EXPECT_FALSE(clip->isEnabled());
    EXPECT_FALSE(control<QTimer>(*dialog, q("timClipboard"))->isActive());
    EXPECT_EQ(dialog->pictureFiles().count(), 0);
}

TEST_F(ClipboardWatchTest, WhatARunPutsOnTheClipboardIsNeverCaptured)
{
    auto dialog = openDialog();
    picrows::InsertRunners runners;
    bool pausedDuringRun = false;
    runners.selectedOrClickMode = [&](picrows::PasteRun&, picrows::PictureList& list, xl::Range,
                                      bool, const picrows::SelectedRunSettings&,
                                      picrows::ExclusionListView*) {
        pausedDuringRun = !control<QTimer>(*dialog, q("timClipboard"))->isActive();
        // The engine's re-paste goes through the clipboard.
        QGuiApplication::clipboard()->setImage(swatch(Qt::cyan));
        list.RemoveFastList();
        return picrows::RunOutcome{};
    };
    dialog->setRunners(runners);
    dialog->pictureFiles().append(picture(q("a.png")));
    QTest::mouseClick(control<QToolButton>(*dialog, q("CLIP")), Qt::LeftButton);
    QTest::mouseClick(control<QToolButton>(*dialog, q("SELECTEDMODE")), Qt::LeftButton);
    EXPECT_TRUE(pausedDuringRun);
    EXPECT_TRUE(control<QTimer>(*dialog, q("timClipboard"))->isActive());
    EXPECT_TRUE(clipboardEmpty());
    waitTwoTicks();
    EXPECT_EQ(dialog->pictureFiles().count(), 0);
}

} // namespace
