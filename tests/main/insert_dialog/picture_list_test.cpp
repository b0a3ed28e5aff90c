// The picture list of frmGet: adding by the file dialog and by drops, Escape during a long
// addition, sorting, moving, deleting, thumbnails, the properties menu and the column widths.
#include "main/engine/image_file_match.h"
#include "main/insert_dialog/picture_list_model.h"
#include "main/insert_dialog/picture_list_view.h"
#include "main/insert_dialog/thumbnail_loader.h"
#include "platform/file_date.h"
#include "tests/main/insert_dialog/dialog_test_support.h"

#include <QDir>
#include <QDropEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

namespace {

using namespace dialog_test;
using picrows::PictureListModel;
using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;

class PictureListTest : public DialogTest
{
protected:
    QString mkdir(const QString& relative)
    {
        const QString path = dir.filePath(relative);
        QDir().mkpath(path);
        return path;
    }

    // Drops `paths` as a file manager does: a URL list dragged in and dropped.
    static void drop(QWidget* target, const QStringList& paths)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& p : paths)
            urls << QUrl::fromLocalFile(p);
        data.setUrls(urls);
        dropData(target, data);
    }
    static void dropData(QWidget* target, QMimeData& data)
    {
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        QDropEvent event(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &event);
    }

    static QStringList column(const picrows::frmGet& dialog, int column)
    {
        QStringList texts;
        for (int row = 0; row < dialog.listModel()->rowCount(); ++row)
            texts << dialog.listModel()->text(row, column);
        return texts;
    }

    static void clickHeader(picrows::frmGet& dialog, int section)
    {
        QHeaderView* header = dialog.lstFiles()->header();
        const QPoint at(header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    }

    static QString panel1(const picrows::frmGet& dialog)
    {
        return dialog.findChild<QLabel*>(QStringLiteral("stbMain_Panel1"))->text();
    }
};

TEST_F(PictureListTest, OpensEmptyWithTheStoredColumnWidthsAndTheDropTip)
{
    setting().InsertListWidth_1 = 1500;
    setting().InsertListWidth_2 = 3000;
    setting().InsertListWidth_3 = 1800;
    setting().InsertListWidth_4 = 2250;
    setting().InsertListWidth_5 = 900;
    auto dialog = openDialog();

    EXPECT_EQ(dialog->windowTitle(), kTitle);
    const QStringList headers = {q("No"), q("ファイル名"), q("パス"), q("更新日時"), q("作成日時")};
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(dialog->listModel()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(),
                  headers[c]);
    // 15 twips a pixel at 96 dots per inch.
    const int pixels[] = {100, 200, 120, 150, 60};
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(dialog->lstFiles()->columnWidth(c), pixels[c]) << c;
    EXPECT_TRUE(control<QLabel>(*dialog, q("picDropTip"))->isVisible());
    for (const char* key : {"DEL", "UP", "DOWN"})
        EXPECT_FALSE(control<QToolButton>(*dialog, q(key))->isEnabled()) << key;
    EXPECT_TRUE(control<QToolButton>(*dialog, q("OPEN"))->isEnabled());
    const std::pair<const char*, const char*> tips[] = {{"OPEN", "図を開く"},
                                                        {"DEL", "選択アイテムを削除"},
                                                        {"UP", "選択アイテムを上に移動"},
                                                        {"DOWN", "選択アイテムを下に移動"},
                                                        {"CLIP", "クリップボードの監視"}};
    for (const auto& [key, tip] : tips)
        EXPECT_EQ(control<QToolButton>(*dialog, q(key))->toolTip(), q(tip)) << key;
}

TEST_F(PictureListTest, TheFileDialogAddsTheChosenFilesAsTheyAreInItsOrder)
{
    const QString b = picture(q("b.png"));
    const QString notes = textFile(q("notes.txt"));
    openFiles.files = {b, notes};
    auto dialog = openDialog();
    QTest::mouseClick(control<QToolButton>(*dialog, q("OPEN")), Qt::LeftButton);

    EXPECT_EQ(openFiles.lastTitle, q("画像ファイルを選択してください。"));
    ASSERT_EQ(openFiles.lastFilters.size(), 25);
    // The description the list gives, then the patterns as Qt reads them.
    QStringList all;
    for (const QString& ext : picrows::acceptedImageExtensions())
        all << q("*.") + ext.toLower();
    EXPECT_EQ(openFiles.lastFilters.front(),
              q("すべての図 (") + all.join(u';') + q(") (") + all.join(u' ') + q(")"));
    EXPECT_EQ(openFiles.lastFilters[3],
              q("JPEG 形式 (*.jpg;*.jpeg;*.jfif;*.jpe) (*.jpg *.jpeg *.jfif *.jpe)"));
    EXPECT_EQ(openFiles.lastFilters.back(), q("すべてのファイル (*.*) (*)"));
    EXPECT_EQ(openFiles.lastSelected, openFiles.lastFilters.front());

    EXPECT_EQ(dialog->pictureFiles().paths(), QStringList({b, notes}));
    EXPECT_EQ(column(*dialog, PictureListModel::No), QStringList({q("1"), q("2")}));
    EXPECT_EQ(column(*dialog, PictureListModel::FileName),
              QStringList({q("b.png"), q("notes.txt")}));
    EXPECT_EQ(column(*dialog, PictureListModel::Folder), QStringList({dir.path(), dir.path()}));
    const QDateTime modified =
        platform::F_GetFileDate(b, platform::DatePart::DateTime, platform::DateKind::Modified);
    EXPECT_EQ(dialog->listModel()->text(0, PictureListModel::Modified),
              modified.toString(q("yyyy/MM/dd HH:mm:ss")));
    EXPECT_EQ(dialog->listModel()->text(0, PictureListModel::Created).size(), 19);
    EXPECT_EQ(
        dialog->listModel()->data(dialog->listModel()->index(1, 2), PictureListModel::TagRole),
        notes);
    EXPECT_FALSE(control<QLabel>(*dialog, q("picDropTip"))->isVisible());

    openFiles.files.clear(); // the user cancels
    QTest::mouseClick(control<QToolButton>(*dialog, q("OPEN")), Qt::LeftButton);
    EXPECT_EQ(openFiles.calls, 2);
    EXPECT_EQ(dialog->pictureFiles().count(), 2);
}

TEST_F(PictureListTest, DroppedFilesAndFoldersAddTheirPicturesWhileTheDialogIsBusy)
{
    const QString loose = picture(q("loose.png"));
    const QString notes = textFile(q("notes.txt"));
    const QString album = mkdir(q("album"));
    picture(q("album/b.png"));
    picture(q("album/A.jpg"), {40, 30}, "JPEG");
    textFile(q("album/c.txt"));
    mkdir(q("album/sub"));
    picture(q("album/sub/d.gif"), {20, 20}, "PNG");
    // Only subfolders: its pictures are not looked for.
    const QString nested = mkdir(q("nested/inner"));
    picture(q("nested/inner/e.png"));

    auto dialog = openDialog();
    QStringList seen;
    bool refused = false;
    pump.step = [&] {
        seen << panel1(*dialog);
        if (!dialog->isBusyAdding())
            return;
        EXPECT_FALSE(dialog->lstFiles()->isVisible());
        EXPECT_TRUE(control<QLabel>(*dialog, q("lblLoading"))->isVisible());
        dialog->close(); // refused while busy
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
        refused = dialog->isVisible();
    };
    drop(control<QLabel>(*dialog, q("picDropTip")),
         {loose, notes, album, dir.filePath(q("nested"))});
    pump.step = nullptr;

    EXPECT_TRUE(refused);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->isBusyAdding());
    EXPECT_TRUE(dialog->lstFiles()->isVisible());
    EXPECT_EQ(dialog->pictureFiles().paths(),
              QStringList({loose, dir.filePath(q("album/A.jpg")), dir.filePath(q("album/b.png")),
                           dir.filePath(q("album/sub/d.gif"))}));
    EXPECT_TRUE(seen.contains(q("現在、1/4 を解析中...(ESCでキャンセル)")));
    EXPECT_TRUE(seen.contains(q("現在、album を解析中...(ESCでキャンセル)")));
    EXPECT_TRUE(seen.contains(q("現在、nested を解析中...(ESCでキャンセル)")));
    EXPECT_EQ(panel1(*dialog), QString());
    EXPECT_TRUE(messages.shown().empty());

    // A second drop on the list itself appends; a drop without files does nothing.
    drop(dialog->lstFiles()->viewport(), {loose});
    EXPECT_EQ(dialog->pictureFiles().count(), 5);
    QMimeData text;
    text.setText(q("just text"));
    dropData(dialog->lstFiles()->viewport(), text);
    EXPECT_EQ(dialog->pictureFiles().count(), 5);
}

TEST_F(PictureListTest, EscapeDuringALongFolderOffersToStopAfterAHundredFiles)
{
    const QString big = mkdir(q("big"));
    for (int i = 0; i < 250; ++i)
        textFile(QStringLiteral("big/p%1.png").arg(i, 3, 10, QLatin1Char('0')));
    auto dialog = openDialog();
    keys.held = {platform::vk::Escape};
    messages.answerNext(MsgAnswer::Yes);
    drop(dialog->lstFiles()->viewport(), {big});
    keys.held.clear();

    EXPECT_EQ(dialog->pictureFiles().count(), 100);
    EXPECT_EQ(dialog->pictureFiles().paths().back(), dir.filePath(q("big/p099.png")));
    EXPECT_EQ(
        messages.shown(),
        (std::vector<platform::Message>{
            message(q("読み込みをキャンセルしますか？"), MsgButtons::YesNo, MsgIcon::Question),
            message(q("キャンセルしました。"), MsgButtons::OK, MsgIcon::Information)}));
    EXPECT_FALSE(dialog->isBusyAdding());
}

TEST_F(PictureListTest, HeaderClicksSortByTheShownTextsAndTheNumbersFollow)
{
    const QString c = picture(q("c.png"));
    const QString a = picture(q("a.png"));
    const QString b = picture(q("B.png"));
    openFiles.files = {c, a, b};
    auto dialog = openDialog();
    QTest::mouseClick(control<QToolButton>(*dialog, q("OPEN")), Qt::LeftButton);
    QHeaderView* header = dialog->lstFiles()->header();

    clickHeader(*dialog, PictureListModel::FileName);
    EXPECT_EQ(dialog->pictureFiles().paths(), QStringList({a, b, c}));
    EXPECT_EQ(column(*dialog, PictureListModel::No), QStringList({q("1"), q("2"), q("3")}));
    EXPECT_TRUE(header->isSortIndicatorShown());
    EXPECT_EQ(header->sortIndicatorSection(), 1);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);

    clickHeader(*dialog, PictureListModel::FileName);
    EXPECT_EQ(dialog->pictureFiles().paths(), QStringList({c, b, a}));
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);

    clickHeader(*dialog, PictureListModel::No); // does nothing
    EXPECT_EQ(dialog->pictureFiles().paths(), QStringList({c, b, a}));
    EXPECT_EQ(header->sortIndicatorSection(), 1);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_EQ(column(*dialog, PictureListModel::No), QStringList({q("1"), q("2"), q("3")}));

    // Adding a file takes the indicator away; the next click sorts ascending again.
    openFiles.files = {a};
    QTest::mouseClick(control<QToolButton>(*dialog, q("OPEN")), Qt::LeftButton);
    EXPECT_FALSE(header->isSortIndicatorShown());
    clickHeader(*dialog, PictureListModel::FileName);
    EXPECT_EQ(dialog->pictureFiles().paths(), QStringList({a, a, b, c}));
}

TEST_F(PictureListTest, MovingAndDeletingActOnTheSelectedItemWhileTheirButtonsAllow)
{
    const QString one = picture(q("one.png"));
    const QString two = picture(q("two.png"));
    const QString three = picture(q("three.png"));
    openFiles.files = {one, two, three};
    auto dialog = openDialog();
    QTest::mouseClick(control<QToolButton>(*dialog, q("OPEN")), Qt::LeftButton);
    auto* up = control<QToolButton>(*dialog, q("UP"));
    auto* down = control<QToolButton>(*dialog, q("DOWN"));
    auto* del = control<QToolButton>(*dialog, q("DEL"));
    picrows::PictureListView* list = dialog->lstFiles();

    list->selectRow(0);
    EXPECT_FALSE(up->isEnabled());
    EXPECT_TRUE(down->isEnabled());
    EXPECT_TRUE(del->isEnabled());
    QTest::keyClick(list, Qt::Key_Up, Qt::AltModifier); // the first cannot go up
    EXPECT_EQ(dialog->pictureFiles().paths(), QStringList({one, two, three}));
    QTest::mouseClick(down, Qt::LeftButton);
    EXPECT_EQ(dialog->pictureFiles().paths(), QStringList({two, one, three}));
    EXPECT_EQ(list->selectedRow(), 1);
    QTest::keyClick(list, Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(dialog->pictureFiles().paths(), QStringList({two, three, one}));
    EXPECT_EQ(list->selectedRow(), 2);
    EXPECT_FALSE(down->isEnabled());
    QTest::keyClick(list, Qt::Key_Down, Qt::AltModifier); // the last cannot go down
    EXPECT_EQ(dialog->pictureFiles().paths(), QStringList({two, three, one}));
    QTest::mouseClick(up, Qt::LeftButton);
    EXPECT_EQ(dialog->pictureFiles().paths(), QStringList({two, one, three}));
    EXPECT_EQ(column(*dialog, PictureListModel::FileName),
              QStringList({q("two.png"), q("one.png"), q("three.png")}));

    const platform::Message ask = message(q("選択中のアイテムを削除します。\r\n続行しますか？"),
                                          MsgButtons::OKCancel, MsgIcon::Question);
    list->selectRow(1);
    messages.answerNext(MsgAnswer::Cancel);
    QTest::mouseClick(del, Qt::LeftButton);
    EXPECT_EQ(dialog->pictureFiles().count(), 3);
    messages.answerNext(MsgAnswer::OK);
    QTest::mouseClick(del, Qt::LeftButton);
    EXPECT_EQ(dialog->pictureFiles().paths(), QStringList({two, three}));
    EXPECT_EQ(column(*dialog, PictureListModel::No), QStringList({q("1"), q("2")}));
    list->selectRow(0);
    messages.answerNext(MsgAnswer::OK);
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(dialog->pictureFiles().paths(), QStringList({three}));
    EXPECT_EQ(messages.shown(), (std::vector<platform::Message>{ask, ask, ask}));
    EXPECT_EQ(del->isEnabled(), list->selectedRow() >= 0);
}

TEST_F(PictureListTest, ThumbnailsArriveInTheBackgroundKeyedByPathOrErrorImage)
{
    const QString wide = picture(q("wide.png"), {200, 100});
    const QString broken = textFile(q("broken.png"));
    openFiles.files = {wide, broken, wide};
    auto dialog = openDialog();
    ASSERT_NE(dialog->thumbnails(), nullptr);
    EXPECT_EQ(dialog->lstFiles()->iconSize(), QSize(80, 50));
    QTest::mouseClick(control<QToolButton>(*dialog, q("OPEN")), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog->thumbnails()->outstanding() == 0; }, 10000));
    QCoreApplication::processEvents();

    PictureListModel* model = dialog->listModel();
    auto key = [&](int row) {
        return model->data(model->index(row, 0), PictureListModel::IconKeyRole).toString();
    };
    EXPECT_EQ(key(0), wide);
    EXPECT_EQ(key(1), q("ERRORIMAGE"));
    EXPECT_EQ(key(2), wide) << "the same file shares its thumbnail";
    const QImage thumb =
        model->data(model->index(0, 0), Qt::DecorationRole).value<QPixmap>().toImage();
    ASSERT_EQ(thumb.size(), QSize(80, 50));
    const QColor colour = QColor::fromHsv(int(qHash(q("wide.png")) % 360), 180, 220);
    const QColor centre = thumb.pixelColor(40, 25);
    EXPECT_LE(std::abs(centre.red() - colour.red()) + std::abs(centre.green() - colour.green()) +
                  std::abs(centre.blue() - colour.blue()),
              6);
    const QImage error =
        model->data(model->index(1, 0), Qt::DecorationRole).value<QPixmap>().toImage();
    ASSERT_EQ(error.size(), QSize(80, 50));
    EXPECT_EQ(error.pixelColor(1, 1), QColor(Qt::white));
    EXPECT_TRUE(model->data(model->index(0, 1), Qt::DecorationRole).isNull());
}

TEST_F(PictureListTest, WithoutAnIconSizeTheListHasNoThumbnails)
{
    setting().SetIconSize(0, 50);
    openFiles.files = {picture(q("a.png"))};
    auto dialog = openDialog();
    QTest::mouseClick(control<QToolButton>(*dialog, q("OPEN")), Qt::LeftButton);
    EXPECT_EQ(dialog->thumbnails(), nullptr);
    EXPECT_TRUE(
        dialog->listModel()->data(dialog->listModel()->index(0, 0), Qt::DecorationRole).isNull());
}

TEST_F(PictureListTest, TheRightButtonOffersTheSelectedFilesProperties)
{
    const QString a = picture(q("a.png"));
    const QString b = picture(q("b.png"));
    openFiles.files = {a, b};
    auto dialog = openDialog();
    QTest::mouseClick(control<QToolButton>(*dialog, q("OPEN")), Qt::LeftButton);
    picrows::PictureListView* list = dialog->lstFiles();
    const QRect second = list->visualRect(dialog->listModel()->index(1, 1));
    QString entry;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->objectName(), q("mnuProperties"));
        ASSERT_EQ(menu->actions().size(), 1);
        entry = menu->actions().front()->text();
        QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    QTest::mouseClick(list->viewport(), Qt::RightButton, Qt::NoModifier, second.center());
    EXPECT_EQ(entry, q("プロパティ(&R)"));
    EXPECT_EQ(properties.shown, std::vector<QString>{b});
}

TEST_F(PictureListTest, ClosingStoresTheWidthsOfTheFirstThreeColumnsOnly)
{
    auto dialog = openDialog();
    const float fourth = setting().InsertListWidth_4;
    for (int c = 0; c < 5; ++c)
        dialog->lstFiles()->setColumnWidth(c, 40 + 10 * c);
    dialog->close();
    EXPECT_TRUE(dialog->hasClosed());
    EXPECT_FLOAT_EQ(setting().InsertListWidth_1, 600);
    EXPECT_FLOAT_EQ(setting().InsertListWidth_2, 750);
    EXPECT_FLOAT_EQ(setting().InsertListWidth_3, 900);
    EXPECT_FLOAT_EQ(setting().InsertListWidth_4, fourth);
}

} // namespace
