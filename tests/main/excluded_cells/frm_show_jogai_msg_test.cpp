// The excluded-cell list: its rows, its header sorting, its option link and its owner.
#include "main/controls/modal_loop.h"
#include "main/excluded_cells/frm_show_jogai_msg.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

using picrows::frmShowJogaiMsg;

QString q(const char* text)
{
    return QString::fromUtf8(text);
}

QStringList rows(const frmShowJogaiMsg& dialog)
{
    QStringList texts;
    QTreeWidget* list = dialog.lstJogaiMsg();
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        texts << list->topLevelItem(i)->text(0) + u'|' + list->topLevelItem(i)->text(1);
    return texts;
}

void clickHeader(const frmShowJogaiMsg& dialog, int section)
{
    QHeaderView* header = dialog.lstJogaiMsg()->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(header->sectionViewportPosition(section) + 5, header->height() / 2));
}

TEST(frmShowJogaiMsg, ListsTheEntriesAndSortsByTheClickedColumnsText)
{
    QWidget owner;
    frmShowJogaiMsg dialog(&owner);
    for (const char* entry : {"$A$2\t値代入", "$A$10\tサイズ制限", "$B$1\t値代入", "$C$3\tロック"})
        dialog.addEntry(q(entry));
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));

    EXPECT_EQ(dialog.windowTitle(), q("ピクロウアドイン - 除外されたセル一覧"));
    EXPECT_EQ(dialog.parentWidget(), &owner);
    QTreeWidget* list = dialog.lstJogaiMsg();
    EXPECT_EQ(list->objectName(), q("lstJogaiMsg"));
    EXPECT_EQ(list->headerItem()->text(0), q("除外セル"));
    EXPECT_EQ(list->headerItem()->text(1), q("原因"));
    EXPECT_EQ(rows(dialog), QStringList({q("$A$2|値代入"), q("$A$10|サイズ制限"), q("$B$1|値代入"),
                                         q("$C$3|ロック")}));
    EXPECT_EQ(dialog.findChild<QPushButton*>(q("cmdClose"))->text(), q("閉じる"));

    clickHeader(dialog, 1);
    EXPECT_EQ(rows(dialog), QStringList({q("$A$10|サイズ制限"), q("$C$3|ロック"), q("$A$2|値代入"),
                                         q("$B$1|値代入")}));
    clickHeader(dialog, 1);
    EXPECT_EQ(rows(dialog).front(), q("$A$2|値代入"));
    EXPECT_EQ(rows(dialog).back(), q("$A$10|サイズ制限"));
    clickHeader(dialog, 0); // another column: ascending, addresses as text
    EXPECT_EQ(rows(dialog), QStringList({q("$A$10|サイズ制限"), q("$A$2|値代入"), q("$B$1|値代入"),
                                         q("$C$3|ロック")}));
    EXPECT_EQ(list->header()->sortIndicatorSection(), 0);
    EXPECT_EQ(list->header()->sortIndicatorOrder(), Qt::AscendingOrder);
}

// Where the link leads is tested with the insertion dialog, over a host.
TEST(frmShowJogaiMsg, TheOptionLinkNamesTheSettings)
{
    frmShowJogaiMsg dialog;
    auto* link = dialog.findChild<QLabel*>(q("lblOption_Cell"));
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->toolTip(), q("環境設定を開く"));
    EXPECT_TRUE(link->text().contains(q("オプション")));
}

TEST(JogaiMsgView, ShowsTheListModallyUntilItIsClosed)
{
    QWidget owner;
    picrows::JogaiMsgView view(&owner);
    QStringList seen;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<frmShowJogaiMsg*>(picrows::currentModalDialog());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->parentWidget(), &owner);
        seen = rows(*dialog);
        QTest::mouseClick(dialog->findChild<QPushButton*>(q("cmdClose")), Qt::LeftButton);
    });
    view.showExclusions({q("$B$2\t非表示"), q("$C$2\t０サイズ")});
    EXPECT_EQ(seen, QStringList({q("$B$2|非表示"), q("$C$2|０サイズ")}));
    EXPECT_EQ(picrows::currentModalDialog(), nullptr);
}

} // namespace
