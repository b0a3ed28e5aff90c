// Copy and paste through the desktop clipboard: cells copied and pasted here bring their
// values, moved formulas and formats; text and pictures from other programs arrive as cells
// and pictures; a copied picture pastes as a new one; every paste is one undo step.
#include "host/model/workbook.h"
#include "host_app/edit_history.h"
#include "tests/host_app/host_app_support.h"

#include <QBuffer>
#include <QClipboard>
#include <QMimeData>
#include <QUndoStack>

using namespace host_app_test;
using host::Variant;

namespace {

class ClipboardTest : public HostAppTest
{
protected:
    ClipboardTest()
    {
        QGuiApplication::clipboard()->clear();
        app.Workbooks().Add();
        settle();
    }
    xl::Worksheet sheet() { return app.ActiveSheet(); }
    const host::model::Cell* cellAt(int row, int column)
    {
        return host.app().activeSheet()->sheet().cell(row, column);
    }
    QUndoStack& stack() { return window.history().stackFor(*host.app().activeWorkbook()); }
    void copyKeys() { press(Qt::Key_C, Qt::ControlModifier); }
    void pasteKeys() { press(Qt::Key_V, Qt::ControlModifier); }
    // What another program offers: the clipboard takes `data`.
    void offer(QMimeData* data) { QGuiApplication::clipboard()->setMimeData(data); }
};

TEST_F(ClipboardTest, CellsCopiedHerePasteWithValuesMovedFormulasAndFormats)
{
    sheet().Range(q("A1")).setValue(Variant(2.0));
    sheet().Range(q("B1")).let(q("Formula"), Variant(q("=A1*10")));
    sheet().Range(q("A2")).setValue(Variant(q("名前")));
    sheet().Range(q("B2")).setValue(Variant(7.0));
    sheet().Range(q("A1")).let(q("Locked"), Variant(false)); // a format of its own
    sheet().Range(q("E6")).setValue(Variant(q("消える")));   // where the formula lands
    settle();

    sheet().Range(q("A1:B2")).Select();
    settle();
    ASSERT_EQ(selectionAddress(), q("$A$1:$B$2"));
    ASSERT_EQ(sheet().Range(q("B1")).Formula(), Variant(q("=A1*10")));
    copyKeys();
    const QStringList lines = QGuiApplication::clipboard()->text().remove(u'\r').split(u'\n');
    ASSERT_GE(lines.size(), 2);
    // Other programs get the cells as tab-separated text.
    EXPECT_TRUE(lines[0].startsWith(q("2"))) << lines[0].toStdString();
    EXPECT_EQ(lines[1], q("名前\t7"));

    click("D6");
    pasteKeys();
    EXPECT_EQ(sheet().Range(q("D6")).Value(), Variant(2.0));
    EXPECT_EQ(sheet().Range(q("E6")).Formula(), Variant(q("=D6*10")))
        << "a relative reference moves with the cell";
    EXPECT_EQ(sheet().Range(q("D7")).Value(), Variant(q("名前")));
    EXPECT_EQ(sheet().Range(q("E7")).Value(), Variant(7.0));
    ASSERT_TRUE(cellAt(6, 4));
    EXPECT_EQ(cellAt(6, 4)->style, cellAt(1, 1)->style) << "the format came too";
    EXPECT_NE(cellAt(6, 4)->style, 0);
    EXPECT_EQ(selectionAddress(), q("$D$6:$E$7"));
    EXPECT_EQ(stack().count(), 1);

    stack().undo();
    settle();
    EXPECT_TRUE(sheet().Range(q("D6")).Value().isEmpty());
    EXPECT_EQ(sheet().Range(q("E6")).Value(), Variant(q("消える")));
}

TEST_F(ClipboardTest, TextFromAnotherProgramFillsCellsFromTheActiveCell)
{
    auto* data = new QMimeData;
    data->setText(q("1\t2\r\nx\t\t3.5\r\n"));
    offer(data);
    click("B2");
    pasteKeys();
    EXPECT_EQ(sheet().Range(q("B2")).Value(), Variant(1.0)) << "numbers arrive as numbers";
    EXPECT_EQ(sheet().Range(q("C2")).Value(), Variant(2.0));
    EXPECT_EQ(sheet().Range(q("B3")).Value(), Variant(q("x")));
    EXPECT_TRUE(sheet().Range(q("C3")).Value().isEmpty());
    EXPECT_EQ(sheet().Range(q("D3")).Value(), Variant(3.5));
    EXPECT_EQ(selectionAddress(), q("$B$2:$D$3"));
    stack().undo();
    settle();
    EXPECT_TRUE(sheet().Range(q("B2")).Value().isEmpty());
}

TEST_F(ClipboardTest, PicturesFromAnotherProgramArriveAsPicturesAtTheActiveCell)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    for (const char* format : {"png", "jpeg", "bmp"}) {
        SCOPED_TRACE(format);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(image.save(&buffer, format == std::string("jpeg") ? "jpg" : format));
        auto* data = new QMimeData;
        data->setData(q("image/") + QString::fromLatin1(format), bytes);
        offer(data);
        const int before = sheet().Shapes().Count();
        click("C3");
        pasteKeys();
        ASSERT_EQ(sheet().Shapes().Count(), before + 1);
        const xl::Shape pasted = sheet().Shapes().Item(before + 1);
        EXPECT_EQ(pasted.Type(), 13);
        const xl::Range c3 = sheet().Range(q("C3"));
        EXPECT_DOUBLE_EQ(pasted.Left(), c3.Left());
        EXPECT_DOUBLE_EQ(pasted.Top(), c3.Top());
        EXPECT_NEAR(pasted.Width(), 30, 0.01); // 40 pixels at 96 dpi
        // The bytes as the other program gave them.
        const host::model::Shape* shape =
            host.app().activeSheet()->sheet().drawing.find(pasted.ID());
        ASSERT_TRUE(shape && shape->picture);
        EXPECT_EQ(shape->picture->image.encodedBytes(), bytes);
    }
    EXPECT_EQ(stack().count(), 3);
    stack().undo();
    settle();
    EXPECT_EQ(sheet().Shapes().Count(), 2);
}

TEST_F(ClipboardTest, ACopiedPictureGoesOutAsAnImageAndPastesAsANewPicture)
{
    QImage image(80, 60, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    const QString file = dir.filePath(q("green.png"));
    image.save(file);
    sheet().Range(q("B2")).Select();
    sheet().Pictures().Insert(file);
    settle();
    const xl::Shape original = sheet().Shapes().Item(1);
    original.Select();
    settle();
    ASSERT_EQ(app.Selection().TypeName(), q("Picture"));
    copyKeys();
    const QImage offered = QGuiApplication::clipboard()->image();
    ASSERT_FALSE(offered.isNull()) << "other programs are offered an image";
    EXPECT_EQ(QColor(offered.pixel(offered.width() / 2, offered.height() / 2)),
              QColor(Qt::darkGreen));

    press(Qt::Key_Escape);
    click("F8");
    pasteKeys();
    ASSERT_EQ(sheet().Shapes().Count(), 2);
    const xl::Shape pasted = sheet().Shapes().Item(2);
    EXPECT_EQ(pasted.Type(), 13);
    EXPECT_NEAR(pasted.Width(), original.Width(), 0.01)
        << "the picture itself, not a picture of it";
    EXPECT_NEAR(pasted.Left(), sheet().Range(q("F8")).Left(), 0.8);
    EXPECT_NEAR(pasted.Top(), sheet().Range(q("F8")).Top(), 0.8);
    stack().undo();
    settle();
    EXPECT_EQ(sheet().Shapes().Count(), 1);
}

TEST_F(ClipboardTest, CopyingSeveralAreasIsRefusedAndTold)
{
    click("A1");
    click("C3", Qt::ControlModifier);
    copyKeys();
    EXPECT_EQ(messages.shown().size(), 1u);
}

} // namespace
