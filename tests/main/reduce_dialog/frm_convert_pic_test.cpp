// The reduction tool's dialog over a real workbook with large photographs: the options it
// loads and stores, the result list a run fills (marks, texts, icons), a click on a row
// selecting its object, cancelling between pictures, and the command around it.
#include "host/xl/window.h"
#include "main/controls/use_text_box.h"
#include "main/reduce_dialog/command_resmall.h"
#include "main/reduce_dialog/frm_convert_pic.h"
#include "main/settings/setting.h"
#include "main/startup/startup_context.h"
#include "platform/event_pump.h"
#include "platform/key_state.h"
#include "platform/settings_store.h"
#include "tests/main/reduce/reduce_test_support.h"
#include "tests/main/settings_dialog/dialog_driver.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>

namespace {

using namespace reduce_test;
using picrows::frmConvertPic;
using picrows::ReduceRow;
using platform::MsgAnswer;

const platform::Message kCancelQuestion{q("読み込みをキャンセルしますか？"),
                                        platform::MsgButtons::YesNo, platform::MsgIcon::Question,
                                        q("ピクロウアドイン")};

class StepPump : public platform::EventPump
{
public:
    void run() override
    {
        if (step)
            step();
    }
    std::function<void()> step;
};

// A photograph-like picture: a sky, a sun and hills, with the grain of a camera's sensor so
// that it compresses no better than a photograph does.
QImage photograph(int w, int h, int seed)
{
    QImage image(w, h, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor::fromHsv((200 + seed * 40) % 360, 120, 240));
    sky.setColorAt(1, QColor::fromHsv((180 + seed * 40) % 360, 40, 255));
    p.fillRect(image.rect(), sky);
    p.setBrush(QColor(0xf6, 0xc0, 0x40));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(w * 0.3, h * 0.3), h * 0.12, h * 0.12);
    p.setBrush(QColor::fromHsv((90 + seed * 30) % 360, 150, 140));
    p.drawRect(0, int(h * 0.65), w, h);
    p.end();
    std::uint32_t state = 2463534242u + std::uint32_t(seed);
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            const int grain = int(state % 41) - 20;
            const QRgb c = line[x];
            line[x] =
                qRgb(std::clamp(qRed(c) + grain, 0, 255), std::clamp(qGreen(c) + grain, 0, 255),
                     std::clamp(qBlue(c) + grain, 0, 255));
        }
    }
    return image;
}

// The sample album with three 1600 × 1200 photographs (1200 × 900 points untouched) shown
// 160 points wide on its first sheet, one of them cropped, a small picture that needs
// nothing, and two small pictures grouped; saved as a workbook file and opened again.
class FrmConvertPicTest : public ReduceTest
{
protected:
    FrmConvertPicTest() : m_keysInPlace(keys), m_pumpInPlace(pump)
    {
        picrows::StartupContext& context = picrows::startupContext();
        context.clear();
        context.gobjXlApp = app;
        context.store = std::make_unique<platform::SettingsStore>(m_dir.filePath(q("config")));
        context.gobjSetting = std::make_unique<picrows::c_Setting>(*context.store, app.ref());
    }
    ~FrmConvertPicTest() override { picrows::startupContext().clear(); }

    static picrows::c_Setting& setting() { return *picrows::startupContext().gobjSetting; }

    xl::Workbook openAlbum()
    {
        const xl::Workbook source =
            app.Workbooks().Open(q(PICROWS_SAMPLES_DIR "/photo_album.xlsx"));
        const xl::Worksheet sheet = source.Worksheets(1);
        const char* cells[] = {"B3", "D3", "B13"};
        for (int i = 0; i < 3; ++i) {
            sheet.Range(q(cells[i])).Select();
            const QString file = writeImage(photograph(1600, 1200, i),
                                            QStringLiteral("photo%1.jpg").arg(i + 1), "jpg");
            const xl::ShapeRange picture = sheet.Pictures().Insert(file).ShapeRange();
            picture.setWidth(160);
            if (i == 1)
                picture.PictureFormat().setCropLeft(300);
        }
        sheet.Range(q("D13")).Select();
        sheet.Pictures().Insert(writeImage(photograph(200, 150, 5), q("small.jpg"), "jpg"));
        sheet.Range(q("F3")).Select();
        for (int i = 0; i < 2; ++i)
            sheet.Pictures().Insert(writeImage(photograph(40, 30, i), q("tiny.png"), "png"));
        const xl::Shapes shapes = sheet.Shapes();
        shapes.Range(QStringList{shapes.Item(5).Name(), shapes.Item(6).Name()}).Group();
        const QString path = m_dir.filePath(q("album.xlsx"));
        source.SaveAs(path);
        source.Close(false);
        return app.Workbooks().Open(path);
    }

    std::unique_ptr<frmConvertPic> open()
    {
        auto dialog =
            std::make_unique<frmConvertPic>(setting(), app, [this](picrows::ReduceView& view) {
                return std::make_unique<picrows::ReduceRun>(app, clipboard(), view);
            });
        dialog->show();
        return dialog;
    }

    // "mark|book|sheet|object|description|icon" of each row of the list.
    static QStringList listed(const frmConvertPic& dialog)
    {
        QStringList out;
        for (int i = 0; i < dialog.lstKekka->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = dialog.lstKekka->topLevelItem(i);
            QStringList cells;
            for (int c = 0; c < 5; ++c)
                cells << item->text(c);
            cells << item->data(0, frmConvertPic::kIconKeyRole).toString();
            out << cells.join(u'|');
        }
        return out;
    }

    platform::ScriptedKeys keys;
    StepPump pump;

private:
    platform::ScopedKeyState m_keysInPlace;
    platform::ScopedEventPump m_pumpInPlace;
};

TEST_F(FrmConvertPicTest, LoadsItsOptionsAndStoresThemWhenClosed)
{
    setting().ConvertTaisyou = 1;
    setting().ConvertSyukusyou = true;
    setting().ConvertSyukusyouBairitsu = 4;
    setting().ConvertCutTrimming = false;
    setting().ConvertListWidth_5 = 4500;
    auto dialog = open();
    frmConvertPic& d = *dialog;

    EXPECT_EQ(d.windowTitle(), q("ピクロウアドイン - 原型サイズの縮小"));
    ASSERT_EQ(d.cboTaisyou->count(), 3);
    EXPECT_EQ(d.cboTaisyou->itemText(0), q("このシートの全ての図"));
    EXPECT_EQ(d.cboTaisyou->itemText(1), q("このブックの全ての図"));
    EXPECT_EQ(d.cboTaisyou->itemText(2), q("開いているブックの全ての図"));
    EXPECT_EQ(d.cboTaisyou->currentIndex(), 1);
    EXPECT_EQ(d.lblTaisyou[1]->text(), q("※グループ化された図は除外されます"));
    EXPECT_TRUE(d.chkSyukusyou->isChecked());
    EXPECT_FALSE(d.chkCutTrimming->isChecked());
    EXPECT_EQ(d.utxtSyukusyou->txtMain()->text(), q("4"));
    EXPECT_EQ(d.utxtSyukusyou->Min(), 1);
    EXPECT_EQ(d.utxtSyukusyou->Max(), 10);
    EXPECT_EQ(d.cmdOK->text(), q("開始"));
    EXPECT_EQ(d.cmdCancel->text(), q("閉じる"));
    EXPECT_FALSE(d.lstKekka->isVisible()); // until a run starts
    const QStringList headers = {QString(), q("対象ブック"), q("対象シート"), q("対象オブジェクト"),
                                 q("説明")};
    const int widths[] = {20, 80, 80, 80, 300}; // twips at 15 a pixel
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(d.lstKekka->headerItem()->text(c), headers[c]);
        EXPECT_EQ(d.lstKekka->columnWidth(c), widths[c]) << c;
    }

    // The start button wants something to do; the factor box follows its check box.
    struct Case
    {
        bool reduce, cut, start;
    } cases[] = {
        {true, false, true}, {false, false, false}, {false, true, true}, {true, true, true}};
    for (const Case& c : cases) {
        if (d.chkSyukusyou->isChecked() != c.reduce)
            d.chkSyukusyou->click();
        if (d.chkCutTrimming->isChecked() != c.cut)
            d.chkCutTrimming->click();
        EXPECT_EQ(d.cmdOK->isEnabled(), c.start);
        EXPECT_EQ(d.utxtSyukusyou->Enabled(), c.reduce);
        EXPECT_EQ(d.lblSyukusyou[0]->isEnabled(), c.reduce);
    }

    d.cboTaisyou->setCurrentIndex(2);
    d.utxtSyukusyou->txtMain()->setText(q("7"));
    d.chkSyukusyou->click();             // off, cut stays on
    QTest::keyClick(&d, Qt::Key_Escape); // the close button
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(setting().ConvertTaisyou, 2);
    EXPECT_FALSE(setting().ConvertSyukusyou);
    EXPECT_EQ(setting().ConvertSyukusyouBairitsu, 7);
    EXPECT_TRUE(setting().ConvertCutTrimming);
    EXPECT_EQ(setting().ConvertListWidth_5, 4500); // widths are not stored
}

TEST_F(FrmConvertPicTest, AStoredScopeThatIsNoItemStartsOnTheFirst)
{
    setting().ConvertTaisyou = 7;
    auto dialog = open();
    EXPECT_EQ(dialog->cboTaisyou->currentIndex(), 0);
}

// A run over the album: a row per picture with its mark, texts and icon; the large ones are
// replaced by copies twice their shown size, the file shrinks when saved.
TEST_F(FrmConvertPicTest, ARunListsEveryPictureWithItsMarkAndIcon)
{
    const xl::Workbook album = openAlbum();
    const QString albumPath = album.FullName();
    const qint64 sizeBefore = QFileInfo(albumPath).size();
    const xl::Worksheet sheet = album.Worksheets(1);
    QStringList names;
    for (const xl::Picture& picture : sheet.Pictures().items())
        names << picture.Name();
    ASSERT_EQ(names.size(), 6);

    setting().ConvertTaisyou = 0;
    auto dialog = open();
    QStringList captions;
    bool runningLook = false;
    pump.step = [&] {
        captions << dialog->windowTitle();
        runningLook = dialog->cmdOK->text() == q("キャンセル") && !dialog->cmdCancel->isEnabled() &&
                      !dialog->cboTaisyou->isEnabled() && !dialog->chkSyukusyou->isEnabled() &&
                      !dialog->utxtSyukusyou->Enabled() && dialog->lstKekka->isVisible();
    };
    dialog->cmdOK->click();

    EXPECT_TRUE(runningLook);
    EXPECT_EQ(captions.first(), q("album.xlsx!アルバム  (1/6)"));
    EXPECT_EQ(dialog->windowTitle(), q("ピクロウアドイン - 原型サイズの縮小"));
    EXPECT_EQ(dialog->cmdOK->text(), q("開始"));
    EXPECT_TRUE(dialog->cmdCancel->isEnabled());
    EXPECT_TRUE(dialog->cboTaisyou->isEnabled());
    EXPECT_TRUE(dialog->lstKekka->isVisible());

    const QStringList rows = listed(*dialog);
    ASSERT_EQ(rows.size(), 6);
    const QString book = q("album.xlsx|アルバム|");
    const QStringList pictures = [&] {
        QStringList now;
        for (const xl::Picture& picture : sheet.Pictures().items())
            now << picture.Name();
        return now;
    }();
    // The replacements are the sheet's newest pictures, in the order they were made.
    ASSERT_EQ(pictures.size(), 6);
    EXPECT_EQ(rows[0], q("○|") + book + pictures[3] + q("|成功:1200×900→322×242|SEIKOU"));
    EXPECT_EQ(rows[1], q("○|") + book + pictures[4] + q("|成功:1200×900→322×242|SEIKOU"));
    EXPECT_EQ(rows[2], q("○|") + book + pictures[5] + q("|成功:1200×900→322×242|SEIKOU"));
    EXPECT_EQ(rows[3], q("|") + book + names[3] + q("|縮小化の必要がありません|HITSUYOUNASHI"));
    EXPECT_EQ(rows[4],
              q("×|") + book + names[4] + q("|グループ化されているため縮小化できません|SHIPPAI"));
    EXPECT_EQ(rows[5],
              q("×|") + book + names[5] + q("|グループ化されているため縮小化できません|SHIPPAI"));
    EXPECT_EQ(dialog->rows().size(), 6u);

    // Each row's icon is the one of its key; names and reasons cut by the column widths read
    // whole in their tooltips.
    for (int i = 0; i < 6; ++i) {
        const QTreeWidgetItem* item = dialog->lstKekka->topLevelItem(i);
        for (int c = 1; c < 5; ++c)
            EXPECT_EQ(item->toolTip(c), item->text(c)) << i << "/" << c;
        const QString key = item->data(0, frmConvertPic::kIconKeyRole).toString();
        EXPECT_EQ(item->icon(0).pixmap(16, 16).toImage(),
                  frmConvertPic::kekkaIcon(key).pixmap(16, 16).toImage())
            << i;
    }
    EXPECT_NE(frmConvertPic::kekkaIcon(q("SEIKOU")).pixmap(16).toImage(),
              frmConvertPic::kekkaIcon(q("SHIPPAI")).pixmap(16).toImage());
    EXPECT_NE(frmConvertPic::kekkaIcon(q("SHIPPAI")).pixmap(16).toImage(),
              frmConvertPic::kekkaIcon(q("HITSUYOUNASHI")).pixmap(16).toImage());

    album.Save();
    EXPECT_LT(QFileInfo(albumPath).size(), sizeBefore / 3);
    EXPECT_TRUE(messages.shown().empty());
}

// A click on a row selects its object, on its sheet. Clicks during a run are left alone: the run
// works on the active sheet.
TEST_F(FrmConvertPicTest, AClickOnARowSelectsItsObject)
{
    const xl::Workbook album = openAlbum();
    setting().ConvertTaisyou = 1;
    setting().ConvertSyukusyou = false;
    setting().ConvertCutTrimming = true; // only the cropped photograph is replaced
    auto dialog = open();
    bool clickedDuringRun = false;
    pump.step = [&] {
        if (clickedDuringRun || dialog->lstKekka->topLevelItemCount() == 0)
            return;
        clickedDuringRun = true;
        album.Worksheets(2).Activate();
        album.Worksheets(2).Range(q("A1")).Select();
        const QTreeWidgetItem* first = dialog->lstKekka->topLevelItem(0);
        QTest::mouseClick(dialog->lstKekka->viewport(), Qt::LeftButton, {},
                          dialog->lstKekka->visualItemRect(first).center());
        EXPECT_EQ(app.Selection().TypeName(), q("Range"));
        album.Worksheets(1).Activate();
    };
    dialog->cmdOK->click();
    ASSERT_TRUE(clickedDuringRun);
    ASSERT_EQ(dialog->rows().size(), 6u);
    EXPECT_EQ(dialog->rows()[1].mark, q("○"));

    album.Worksheets(2).Activate();
    const auto click = [&](int row) {
        const QTreeWidgetItem* item = dialog->lstKekka->topLevelItem(row);
        QTest::mouseClick(dialog->lstKekka->viewport(), Qt::LeftButton, {},
                          dialog->lstKekka->visualItemRect(item).center());
        return xl::Object(app.Selection()).get(q("Name")).toString();
    };
    EXPECT_EQ(click(1), dialog->rows()[1].object);
    EXPECT_EQ(app.ActiveSheet().Name(), q("アルバム"));
    EXPECT_EQ(click(3), dialog->rows()[3].object);
    // The host selects a picture inside a group by its name, as it does on the sheet.
    EXPECT_EQ(click(4), dialog->rows()[4].object);
    EXPECT_TRUE(app.ScreenUpdating());
}

// The start button turns into the cancel button: a click (or Escape, or closing the dialog)
// asks after the current picture; No goes on, Yes stops.
TEST_F(FrmConvertPicTest, CancelBetweenPictures)
{
    openAlbum();
    setting().ConvertTaisyou = 0;
    auto dialog = open();
    struct Case
    {
        const char* name;
        std::function<void(frmConvertPic&)> ask;
    } cases[] = {
        {"the start button", [](frmConvertPic& d) { d.cmdOK->click(); }},
        {"Escape", [](frmConvertPic& d) { QTest::keyClick(&d, Qt::Key_Escape); }},
        {"closing the dialog", [](frmConvertPic& d) { d.close(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages.clear();
        // Once while the first picture is worked on, once while the second is: the pump runs
        // several times a picture, the progress caption changes once.
        QStringList askedAt;
        bool disabledAfterAsking = false;
        pump.step = [&] {
            const QString caption = dialog->windowTitle();
            if (askedAt.size() < 2 && !askedAt.contains(caption)) {
                askedAt << caption;
                c.ask(*dialog);
                EXPECT_TRUE(dialog->isVisible());
                disabledAfterAsking = disabledAfterAsking || !dialog->cmdOK->isEnabled();
            }
        };
        messages.answerNext(MsgAnswer::No);
        messages.answerNext(MsgAnswer::Yes);
        dialog->cmdOK->click();
        EXPECT_EQ(messages.shown(),
                  (std::vector<platform::Message>{kCancelQuestion, kCancelQuestion}));
        EXPECT_EQ(dialog->lstKekka->topLevelItemCount(), 2);
        EXPECT_FALSE(dialog->isRunning());
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_TRUE(dialog->cmdOK->isEnabled());
        if (QString::fromUtf8(c.name) == q("the start button")) {
            EXPECT_TRUE(disabledAfterAsking);
        }
    }

    // Escape held on the keyboard while the run works asks as well.
    pump.step = {};
    keys.held.insert(platform::vk::Escape);
    messages.clear();
    messages.answerNext(MsgAnswer::Yes);
    dialog->cmdOK->click();
    EXPECT_EQ(messages.shown(), std::vector<platform::Message>{kCancelQuestion});
    EXPECT_EQ(dialog->lstKekka->topLevelItemCount(), 1);
}

TEST_F(FrmConvertPicTest, NoPicturesFoundIsSaid)
{
    auto dialog = open();
    dialog->cmdOK->click();
    const platform::Message nothingFound{q("対象となる図が見つかりませんでした。"),
                                         platform::MsgButtons::OK, platform::MsgIcon::Information,
                                         q("ピクロウアドイン")};
    EXPECT_EQ(messages.shown(), std::vector<platform::Message>{nothingFound});
    EXPECT_EQ(dialog->lstKekka->topLevelItemCount(), 0);
    EXPECT_TRUE(dialog->lstKekka->isVisible());
}

// The command: the state checks, the dialog with the host held, and the host's copies taken
// from the clipboard the host puts them on.
TEST_F(FrmConvertPicTest, TheCommandOpensTheDialogWithTheHostHeld)
{
    m_host.options().clipboard = host::render::makeDefaultClipboard();
    placePicture(800, 600).setWidth(100);
    bool interactive = true;
    QStringList rows;
    dialogs_test::whenShown<frmConvertPic>([&](frmConvertPic& dialog) {
        interactive = app.Interactive();
        dialog.cmdOK->click();
        rows = listed(dialog);
        dialog.cmdCancel->click();
    });
    picrows::s_Command_Tool_ReSmall();
    EXPECT_FALSE(interactive);
    EXPECT_TRUE(app.Interactive());
    ASSERT_EQ(rows.size(), 1);
    EXPECT_TRUE(rows[0].startsWith(q("○|Book1|Sheet1|"))) << rows[0].toStdString();
    EXPECT_TRUE(rows[0].endsWith(q("|成功:800×600→202×152|SEIKOU"))) << rows[0].toStdString();

    sheet().Protect(true, false);
    picrows::s_Command_Tool_ReSmall();
    const platform::Message protectedSheet{
        q("描画オブジェクトが保護されている状態では実行できません。"), platform::MsgButtons::OK,
        platform::MsgIcon::Critical, q("ピクロウアドイン")};
    EXPECT_EQ(messages.shown(), std::vector<platform::Message>{protectedSheet});
}

} // namespace
