// The window against the other ways of looking at a workbook: its drawing of the sample album
// is what `picrows render` makes of the same block, and a workbook a user worked on in the
// window (selected cells and a picture with mouse and keys, typed a value, inserted a picture
// with the built-in command and undid it, saved) opens in LibreOffice with all of it there.
#include "tests/host_app/host_app_support.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QUndoStack>

using namespace host_app_test;
using host::Variant;

namespace {

class ProofTest : public HostAppTest
{
protected:
    // Keys go where the user's would: to the widget with the focus (the cell editor once
    // typing began).
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &view();
        QTest::keyClick(target, key, modifiers);
        settle();
    }
    void type(const QString& text)
    {
        for (const QChar c : text) {
            QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &view();
            QTest::keyClick(target, c.toLatin1());
        }
        settle();
    }
    QString run(const QString& program, const QStringList& args, int timeoutMs = 120000)
    {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, args);
        if (!process.waitForFinished(timeoutMs)) {
            process.kill();
            ADD_FAILURE() << program.toStdString() << " did not finish";
            return {};
        }
        const QString output = QString::fromUtf8(process.readAll());
        EXPECT_EQ(process.exitCode(), 0) << program.toStdString() << ": " << output.toStdString();
        return output;
    }
};

TEST_F(ProofTest, TheWindowDrawsTheSampleAlbumAsTheBatchRenderDoes)
{
    window.workbookCommands().open({sourcePath("samples/photo_album.xlsx")});
    settle();
    app.ActiveSheet().Range(q("H30")).Select(); // no selection shading over the block
    const QString out = dir.filePath(q("render.png"));
    run(q(PICROWS_PROGRAM), {q("render"), sourcePath("samples/photo_album.xlsx"), q("--range"),
                             q("A1:E12"), q("--grid"), q("-o"), out});
    const QImage rendered = QImage(out).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(rendered.isNull());

    const QImage image = grabView();
    const host_app::SheetLayout l = layout();
    const QRect shown = l.cellRect({1, 1, 12, 5}).toRect();
    ASSERT_TRUE(l.cellArea().contains(shown)) << "the block must show whole";
    const QImage block = image.copy(shown);
    ASSERT_EQ(block.size(), rendered.size());
    EXPECT_EQ(block, rendered);

    // The title is drawn centred across its merged cells, not from their left edge: its ink
    // lies about the middle of B1:D1.
    const QRect title = l.cellRect({1, 2, 1, 4}).toRect().adjusted(2, 2, -2, -2);
    int first = image.width(), last = -1;
    for (int y = title.top(); y <= title.bottom(); ++y)
        for (int x = title.left(); x <= title.right(); ++x)
            if (qGray(image.pixel(x, y)) < 100) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    ASSERT_GE(last, first) << "the title has ink";
    EXPECT_NEAR((first + last) / 2.0, title.center().x(), 4);
    EXPECT_GT(first - title.left(), 20) << "not left-aligned";
}

TEST_F(ProofTest, AWorkbookEditedInTheWindowOpensInLibreOfficeAsSaved)
{
    if (QStandardPaths::findExecutable(q("soffice")).isEmpty() ||
        QStandardPaths::findExecutable(q("pdftotext")).isEmpty())
        GTEST_SKIP() << "LibreOffice or poppler-utils missing";
    window.workbookCommands().open({sourcePath("samples/photo_album.xlsx")});
    settle();
    QImage photo(120, 90, QImage::Format_RGB32);
    photo.fill(QColor(0x20, 0x80, 0x40));
    const QString first = dir.filePath(q("first.png"));
    const QString second = dir.filePath(q("second.png"));
    photo.save(first);
    photo.save(second);

    // Cells by mouse and keys.
    click("B11");
    key(Qt::Key_Right);
    key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(selectionAddress(), q("$C$11:$D$11"));
    // A picture inserted by the built-in command, then selected with the mouse.
    dialogs.picturesAnswer = {first};
    app.CommandBars().FindControl(2619).Execute();
    settle();
    ASSERT_EQ(app.ActiveSheet().Shapes().Count(), 1);
    press(Qt::Key_Escape);
    const xl::Shape picture = app.ActiveSheet().Shapes().Item(1);
    click(layout()
              .toView(QPointF(picture.Left() + picture.Width() / 2,
                              picture.Top() + picture.Height() / 2))
              .toPoint());
    EXPECT_EQ(app.Selection().TypeName(), q("Picture"));
    press(Qt::Key_Escape);

    // A value typed into a cell.
    click("B3");
    type(q("Hanami"));
    key(Qt::Key_Return);
    EXPECT_EQ(app.ActiveSheet().Range(q("B3")).Value().toString(), q("Hanami"))
        << app.ActiveCell().Address().toStdString();

    // A second picture inserted and undone.
    click("B20");
    dialogs.picturesAnswer = {second};
    app.CommandBars().FindControl(2619).Execute();
    settle();
    ASSERT_EQ(app.ActiveSheet().Shapes().Count(), 2);
    key(Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(app.ActiveSheet().Shapes().Count(), 1);

    const QString saved = dir.filePath(q("edited.xlsx"));
    dialogs.saveAsAnswer = saved;
    ASSERT_TRUE(window.workbookCommands().saveAs(*host.app().activeWorkbook()));

    const QString pdfDir = dir.filePath(q("pdf"));
    run(q("soffice"),
        {q("-env:UserInstallation=file://") + dir.filePath(q("lo")), q("--headless"),
         q("--convert-to"), q("pdf"), q("--outdir"), pdfDir, saved},
        240000);
    const QString pdf = pdfDir + q("/edited.pdf");
    ASSERT_TRUE(QFile::exists(pdf));
    const QString text = run(q("pdftotext"), {pdf, q("-")});
    EXPECT_TRUE(text.contains(q("Hanami"))) << text.toStdString();
    EXPECT_TRUE(text.contains(q("写真アルバム"))) << "the title";
    // One picture on the page: the one kept, not the one undone.
    const QString images = run(q("pdfimages"), {q("-list"), pdf});
    EXPECT_EQ(images.split(u'\n', Qt::SkipEmptyParts).size() - 2, 1) << images.toStdString();
}

} // namespace
