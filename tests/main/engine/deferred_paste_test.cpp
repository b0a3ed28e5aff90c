// The host keeps copies of pictures unrendered and encodes pasted ones only when their bytes
// are needed; inserting through that shortcut must look like inserting without it, on the
// sheet and in the saved workbook.
#include "host/imaging/pending_picture.h"
#include "host/render/sheet_render.h"
#include "host/xl/workbook.h"
#include "host/xlsx/xlsx_io.h"
#include "main/engine/insert_picture.h"
#include "main/engine/run_paste.h"
#include "tests/main/engine/engine_host_support.h"
#include "tests/support/image_distance.h"

#include <QLinearGradient>
#include <QTemporaryDir>

#include <cmath>

namespace {

using namespace engine_test;

class DeferredPastes : public EngineTest
{
protected:
    DeferredPastes()
    {
        setVersion("16.0");                   // inserting unlinks through a re-paste too
        range("B2:D2").setColumnWidth(27.86); // 200 pixels: 150 points
        range("B2:D2").setRowHeight(100);
        run.options.glngPasteSize = 2; // fill
        run.options.glngPastePoint = 2;
        run.options.InsertSyukusyou = true;
        run.options.InsertSyukusyou_Bairitsu = 2;
    }

    // A photograph-like JPEG: gradients with soft rings, so scale and crop both show.
    QString photo(int w, int h, const char* name)
    {
        QImage image(w, h, QImage::Format_RGB32);
        QPainter painter(&image);
        QLinearGradient gradient(0, 0, w, h);
        gradient.setColorAt(0, QColor(30, 60, 200));
        gradient.setColorAt(0.5, QColor(240, 200, 40));
        gradient.setColorAt(1, QColor(200, 30, 90));
        painter.fillRect(image.rect(), gradient);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(40, 20, 10), w / 30.0));
        for (int r = w / 10; r < w; r += w / 10)
            painter.drawEllipse(QPointF(w * 0.4, h * 0.6), r, r * 0.7);
        painter.end();
        return writeImage(image, q(name), "jpg");
    }

    // Three photographs of different shapes into B2:D2, each filled into its cell, unlinked
    // and reduced.
    void insertAll(const QStringList& files)
    {
        const char* cells[] = {"B2", "C2", "D2"};
        picrows::s_ReadAheadPictureFiles(app, files);
        for (int i = 0; i < files.size(); ++i)
            ASSERT_FALSE(f_RunPaste(run, files[i], range(cells[i]), 1).isNothing());
    }

    QImage rendered()
    {
        return host::render::renderRange(model(), modelSheet(), host::model::CellRect{2, 2, 2, 4},
                                         4.0 / 3);
    }

    void removeAll()
    {
        while (shapes().Count() > 0)
            shapes().Item(1).Delete();
    }
};

TEST_F(DeferredPastes, InsertionLooksTheSameWithAndWithoutTheShortcut)
{
    const QStringList files{photo(1600, 1200, "wide.jpg"), photo(900, 1200, "tall.jpg"),
                            photo(1000, 1000, "square.jpg")};
    m_host.options().deferPictureWork = false;
    insertAll(files);
    const QImage eager = rendered();
    std::vector<host::model::Shape> eagerShapes = drawing().shapes;
    removeAll();

    m_host.options().deferPictureWork = true;
    insertAll(files);
    ASSERT_EQ(drawing().shapes.size(), eagerShapes.size());
    for (size_t i = 0; i < eagerShapes.size(); ++i) {
        const host::model::Shape& was = eagerShapes[i];
        const host::model::Shape& now = drawing().shapes[i];
        // The same geometry, the same stored picture size; only the encoding is put off.
        EXPECT_DOUBLE_EQ(now.picture->untouchedWidth, was.picture->untouchedWidth);
        EXPECT_DOUBLE_EQ(now.picture->untouchedHeight, was.picture->untouchedHeight);
        EXPECT_DOUBLE_EQ(now.picture->cropLeft, was.picture->cropLeft);
        EXPECT_DOUBLE_EQ(now.picture->cropTop, was.picture->cropTop);
        EXPECT_DOUBLE_EQ(now.width, was.width);
        EXPECT_DOUBLE_EQ(now.left, was.left);
        EXPECT_DOUBLE_EQ(now.top, was.top);
        EXPECT_DOUBLE_EQ(now.height, was.height);
        EXPECT_DOUBLE_EQ(now.picture->cropRight, was.picture->cropRight);
        EXPECT_DOUBLE_EQ(now.picture->cropBottom, was.picture->cropBottom);
        EXPECT_EQ(now.picture->image.pixelSize, was.picture->image.pixelSize);
        EXPECT_DOUBLE_EQ(now.picture->image.dpiX, was.picture->image.dpiX);
        EXPECT_EQ(now.picture->image.format, was.picture->image.format);
        EXPECT_TRUE(now.picture->image.bytes.isEmpty() && now.picture->image.pending)
            << "pasted pictures are encoded when needed, not at once";
    }
    // Shown before saving, each picture rendered straight from the one it was copied from:
    // the same within what resampling along another path changes on sharp edges (a crop or
    // placement gone wrong differs by tens of levels).
    const QImage deferred = rendered();
    ASSERT_EQ(deferred.size(), eager.size());
    EXPECT_LT(test_support::meanLevels(eager, deferred), 5.0);

    // Saved and opened again: the pictures were encoded on saving and show the same.
    QTemporaryDir dir;
    const QString path = dir.filePath(q("deferred.xlsx"));
    book().SaveAs(path);
    for (const host::model::Shape& shape : drawing().shapes)
        EXPECT_TRUE(shape.picture->image.pending->isMade());
    const std::unique_ptr<host::model::Workbook> reopened = host::xlsx::load(path);
    const QImage read = host::render::renderRange(*reopened, *reopened->sheets[0],
                                                  host::model::CellRect{2, 2, 2, 4}, 4.0 / 3);
    ASSERT_EQ(read.size(), eager.size());
    EXPECT_LT(test_support::meanLevels(eager, read), 3.0);
}

} // namespace
