// The options of frmGet: what a run receives from each control, which controls each choice
// enables, the template's placeholder buttons, and the options' way from the settings and back.
#include "main/controls/use_text_box.h"
#include "main/excluded_cells/frm_show_jogai_msg.h"
#include "main/insert_dialog/point_squares.h"
#include "main/settings_dialog/frm_setting.h"
#include "tests/main/insert_dialog/dialog_test_support.h"
#include "tests/main/settings_dialog/dialog_driver.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <functional>

namespace {

using namespace dialog_test;
using picrows::frmGet;
using picrows::RunOptions;

class OptionsTest : public DialogTest
{
protected:
    // Records the options the selected-cells runner receives.
    void recordRuns(frmGet& dialog)
    {
        picrows::InsertRunners runners;
        runners.selectedOrClickMode = [this](picrows::PasteRun& run, picrows::PictureList&,
                                             xl::Range, bool, const picrows::SelectedRunSettings&,
                                             picrows::ExclusionListView*) {
            received.push_back(run.options);
            return picrows::RunOutcome{};
        };
        dialog.setRunners(runners);
    }

    static void clickSquare(frmGet& dialog, const char* group, int index)
    {
        QTest::mouseClick(
            control<QAbstractButton>(dialog, q(group) + QStringLiteral("(%1)").arg(index)),
            Qt::LeftButton);
    }

    // A click on the check box's indicator, as the user's.
    static void toggle(QCheckBox* box)
    {
        QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(6, box->height() / 2));
    }

    static void typeInto(QLineEdit* edit, const QString& text)
    {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    std::vector<RunOptions> received;
};

struct OptionCase
{
    const char* name;
    std::function<void(frmGet&)> act;
    std::int32_t size;
    std::int32_t point;
    bool info;
    const char* text;
    std::int16_t type;
    std::int32_t x;
    std::int32_t y;
    std::int16_t infoPoint;
    bool group;
};

TEST_F(OptionsTest, EveryOptionReachesTheRunnerAsTheControlsShowIt)
{
    const OptionCase cases[] = {
        {"stored defaults", [](frmGet&) {}, 3, 2, false, "[FILENAME1]", 0, 0, 1, 1, false},
        {"stretch, text into the cell beside",
         [](frmGet& d) {
             control<QComboBox>(d, q("icboResize"))->setCurrentIndex(0);
             toggle(control<QCheckBox>(d, q("chkPasteInfo")));
             auto* text = control<QPlainTextEdit>(d, q("txtPasteInfo"));
             text->selectAll();
             QTest::keyClicks(text, q("No."));
             QTest::mouseClick(control<QToolButton>(d, q("FILENAME2")), Qt::LeftButton);
             auto* x = control<picrows::useTextBox>(d, q("utxtPasteInfo_X"));
             for (int i = 0; i < 3; ++i)
                 QTest::mouseClick(x->cmdUp(), Qt::LeftButton);
             typeInto(control<picrows::useTextBox>(d, q("utxtPasteInfo_Y"))->txtMain(), q("-2"));
         },
         0, 2, true, "No.[FILENAME2]", 0, 3, -2, 1, false},
        {"fit inside at the top left",
         [](frmGet& d) {
             control<QComboBox>(d, q("icboResize"))->setCurrentIndex(1);
             clickSquare(d, "picPastePoint", 3);
         },
         1, 3, false, "[FILENAME1]", 0, 0, 1, 1, false},
        {"fill at the top right, text box grouped at the centre",
         [](frmGet& d) {
             control<QComboBox>(d, q("icboResize"))->setCurrentIndex(2);
             clickSquare(d, "picPastePoint", 4);
             toggle(control<QCheckBox>(d, q("chkPasteInfo")));
             control<QComboBox>(d, q("cboPasteInfo_Type"))->setCurrentIndex(1);
             clickSquare(d, "picPasteInfo_Point", 2);
             toggle(control<QCheckBox>(d, q("chkPasteInfo_Group")));
         },
         2, 4, true, "[FILENAME1]", 1, 0, 1, 2, true},
        {"a square of a disabled group does not change",
         [](frmGet& d) {
             control<QComboBox>(d, q("icboResize"))->setCurrentIndex(0);
             clickSquare(d, "picPastePoint", 0);
             clickSquare(d, "picPasteInfo_Point", 4);
         },
         0, 2, false, "[FILENAME1]", 0, 0, 1, 1, false},
    };
    const QString file = picture(q("a.png"));
    for (const OptionCase& c : cases) {
        SCOPED_TRACE(c.name);
        setting().ResetAll(); // what the last case's dialog stored goes
        received.clear();
        auto dialog = openDialog();
        recordRuns(*dialog);
        dialog->pictureFiles().append(file);
        c.act(*dialog);
        QTest::mouseClick(control<QToolButton>(*dialog, q("SELECTEDMODE")), Qt::LeftButton);
        ASSERT_EQ(received.size(), 1u);
        const RunOptions& o = received.front();
        EXPECT_EQ(o.glngPasteSize, c.size);
        EXPECT_EQ(o.glngPastePoint, c.point);
        EXPECT_EQ(o.gblnPasteInfo, c.info);
        EXPECT_EQ(o.gstrPasteInfo_Value, q(c.text));
        EXPECT_EQ(o.gintPasteInfo_Type, c.type);
        EXPECT_EQ(o.glngPasteInfo_X, c.x);
        EXPECT_EQ(o.glngPasteInfo_Y, c.y);
        EXPECT_EQ(o.gintPasteInfo_Point, c.infoPoint);
        EXPECT_EQ(o.gblnPasteInfo_Group, c.group);
        // The rest of the run's options come from the settings.
        EXPECT_EQ(o.InsertSyukusyou, setting().InsertSyukusyou);
        EXPECT_EQ(o.InsertSyukusyou_Bairitsu, setting().InsertSyukusyou_Bairitsu);
        EXPECT_EQ(o.Textbox_Fontname, setting().Textbox_Fontname);
        dialog->close();
    }
}

TEST_F(OptionsTest, EachChoiceEnablesTheControlsItConcerns)
{
    auto dialog = openDialog();
    auto* size = control<QComboBox>(*dialog, q("icboResize"));
    ASSERT_EQ(size->count(), 4);
    const char* names[] = {"ぴったり", "すっぽり", "びっしり（自動）", "びっしり（手動）"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(size->itemText(i), q(names[i]));
        EXPECT_EQ(size->itemData(i).toInt(), i);
        size->setCurrentIndex(i);
        const bool points = i == 1 || i == 2;
        for (int s = 0; s < 5; ++s)
            EXPECT_EQ(
                control<QWidget>(*dialog, QStringLiteral("picPastePoint(%1)").arg(s))->isEnabled(),
                points)
                << i;
        EXPECT_EQ(control<QLabel>(*dialog, q("lblPastePoint"))->isEnabled(), points);
    }
    // Size modes 0 and 3 keep the chosen square.
    EXPECT_TRUE(dialog->findChild<picrows::PointSquare*>(q("picPastePoint(2)"))->isOn());

    QCheckBox* info = control<QCheckBox>(*dialog, q("chkPasteInfo"));
    auto* type = control<QComboBox>(*dialog, q("cboPasteInfo_Type"));
    ASSERT_EQ(type->count(), 2);
    EXPECT_EQ(type->itemText(0), q("セルに文字列を挿入"));
    EXPECT_EQ(type->itemText(1), q("テキストボックスとして挿入"));
    auto* panel = control<QWidget>(*dialog, q("fraPasteInfo"));
    auto state = [&] {
        return std::vector<bool>{
            control<QWidget>(*dialog, q("txtPasteInfo"))->isEnabled(),
            control<QWidget>(*dialog, q("FULLPATH"))->isEnabled(),
            type->isEnabled(),
            control<picrows::useTextBox>(*dialog, q("utxtPasteInfo_X"))->Enabled(),
            control<picrows::useTextBox>(*dialog, q("utxtPasteInfo_Y"))->Enabled(),
            control<QWidget>(*dialog, q("lblPasteInfo_X"))->isEnabled(),
            control<QWidget>(*dialog, q("picPasteInfo_Point(0)"))->isEnabled(),
            control<QWidget>(*dialog, q("lblPasteInfo_Point"))->isEnabled(),
            control<QWidget>(*dialog, q("chkPasteInfo_Group"))->isEnabled(),
        };
    };
    EXPECT_FALSE(info->isChecked());
    EXPECT_EQ(state(), std::vector<bool>(9, false));
    EXPECT_EQ(panel->height(), 28) << "420 twips: the heading only";
    toggle(info);
    EXPECT_EQ(state(),
              (std::vector<bool>{true, true, true, true, true, true, false, false, false}));
    EXPECT_EQ(panel->height(), 174) << "2608 twips";
    type->setCurrentIndex(1);
    EXPECT_EQ(state(),
              (std::vector<bool>{true, true, true, false, false, false, true, true, true}));
    toggle(info);
    EXPECT_EQ(state(), std::vector<bool>(9, false));
    EXPECT_TRUE(info->isEnabled());
}

TEST_F(OptionsTest, PlaceholderButtonsAndCtrlJWriteIntoTheTemplate)
{
    auto dialog = openDialog();
    toggle(control<QCheckBox>(*dialog, q("chkPasteInfo")));
    auto* text = control<QPlainTextEdit>(*dialog, q("txtPasteInfo"));
    text->setFocus();
    text->selectAll();
    QTest::mouseClick(control<QToolButton>(*dialog, q("FOLDERNAME")), Qt::LeftButton);
    EXPECT_EQ(text->toPlainText(), q("[FOLDERNAME]")) << "the whole template was selected";
    EXPECT_EQ(text->textCursor().position(), 12);
    EXPECT_TRUE(text->hasFocus());
    QTest::keyClick(text, Qt::Key_J, Qt::ControlModifier);
    QTest::keyClick(text, Qt::Key_Return); // not typed: line breaks come by Ctrl+J
    QTest::mouseClick(control<QToolButton>(*dialog, q("FILEDATECREATED_DATE")), Qt::LeftButton);
    QTest::keyClick(text, Qt::Key_J, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::mouseClick(control<QToolButton>(*dialog, q("FILEDATECREATED_TIME")), Qt::LeftButton);
    EXPECT_EQ(text->toPlainText(),
              q("[FOLDERNAME]\n[FILEDATECREATED_DATE]\n[FILEDATECREATED_TIME]"));
    const char* keys[] = {"FULLPATH",  "FOLDERNAME",           "FILENAME1",
                          "FILENAME2", "FILEDATECREATED_DATE", "FILEDATECREATED_TIME"};
    const char* tips[] = {"ファイルのフルパス",
                          "ファイルのフォルダ名",
                          "ファイル名(拡張子付き)",
                          "ファイル名(拡張子なし)",
                          "作成日",
                          "作成時刻"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(control<QToolButton>(*dialog, q(keys[i]))->toolTip(), q(tips[i]));
}

TEST_F(OptionsTest, ControlsCarryTheirToolTips)
{
    auto dialog = openDialog();
    const std::pair<const char*, const char*> tips[] = {
        {"icboResize", "セルサイズに合わせる方法を指定"},
        {"picPastePoint(0)", "左下を基準に配置（またはトリミング）"},
        {"picPastePoint(1)", "右下を基準に配置（またはトリミング）"},
        {"picPastePoint(2)", "中央を基準に配置（またはトリミング）"},
        {"picPastePoint(3)", "左上を基準に配置（またはトリミング）"},
        {"picPastePoint(4)", "右上を基準に配置（またはトリミング）"},
        {"chkPasteInfo", "チェックすると、下のテキストボックスの内容を貼り付け"},
        {"txtPasteInfo", "実際に貼り付ける文字列を入力"},
        {"cboPasteInfo_Type", "挿入の方法を指定"},
        {"utxtPasteInfo_X", "右方向がプラス、左方向がマイナス"},
        {"utxtPasteInfo_Y", "下方向がプラス、上方向がマイナス"},
        {"picPasteInfo_Point(0)", "左下を基準に配置"},
        {"picPasteInfo_Point(1)", "右下を基準に配置"},
        {"picPasteInfo_Point(2)", "中央を基準に配置"},
        {"picPasteInfo_Point(3)", "左上を基準に配置"},
        {"picPasteInfo_Point(4)", "右上を基準に配置"},
        {"chkPasteInfo_Group", "図と文字列をグループ化"},
        {"END", "本フォームを閉じて終了します"},
        {"lblOption_Size", "環境設定を開く"},
        {"lblOption_PasteInfo", "環境設定を開く"},
    };
    for (const auto& [name, tip] : tips)
        EXPECT_EQ(control<QWidget>(*dialog, q(name))->toolTip(), q(tip)) << name;
    EXPECT_EQ(control<QCheckBox>(*dialog, q("chkPasteInfo"))->text(), q("文字列の挿入"));
    EXPECT_EQ(control<QCheckBox>(*dialog, q("chkPasteInfo_Group"))->text(), q("グループ化する"));
    for (const char* name : {"utxtPasteInfo_X", "utxtPasteInfo_Y"}) {
        auto* box = control<picrows::useTextBox>(*dialog, q(name));
        EXPECT_EQ(box->Min(), -10);
        EXPECT_EQ(box->Max(), 10);
        EXPECT_EQ(box->DecimalLength(), 0);
        EXPECT_FALSE(box->BackToTop());
        EXPECT_EQ(box->UpDownChangeValue(), 1);
    }
}

TEST_F(OptionsTest, OptionsGoBackToTheSettingsOnCloseAndComeBackOnOpen)
{
    {
        auto dialog = openDialog();
        control<QComboBox>(*dialog, q("icboResize"))->setCurrentIndex(1);
        clickSquare(*dialog, "picPastePoint", 0);
        toggle(control<QCheckBox>(*dialog, q("chkPasteInfo")));
        auto* text = control<QPlainTextEdit>(*dialog, q("txtPasteInfo"));
        text->selectAll();
        text->insertPlainText(q("写真"));
        control<QComboBox>(*dialog, q("cboPasteInfo_Type"))->setCurrentIndex(1);
        clickSquare(*dialog, "picPasteInfo_Point", 3);
        toggle(control<QCheckBox>(*dialog, q("chkPasteInfo_Group")));
        control<picrows::useTextBox>(*dialog, q("utxtPasteInfo_X"))->setNumText(-7);
        QTest::mouseClick(control<QToolButton>(*dialog, q("CLICKMODE")), Qt::LeftButton);
        QTest::mouseClick(control<QToolButton>(*dialog, q("END")), Qt::LeftButton);
        EXPECT_FALSE(dialog->isVisible());
    }
    const picrows::c_Setting& s = setting();
    EXPECT_TRUE(s.IsClicMode);
    EXPECT_EQ(s.PasteSize, 1);
    EXPECT_EQ(s.PastePoint, 0);
    EXPECT_TRUE(s.PasteInfo);
    EXPECT_EQ(s.PasteInfo_Value, q("写真"));
    EXPECT_EQ(s.PasteInfo_Type, 1);
    EXPECT_EQ(s.PasteInfo_X, -7);
    EXPECT_EQ(s.PasteInfo_Y, 1);
    EXPECT_EQ(s.PasteInfo_Point, 3);
    EXPECT_TRUE(s.PasteInfo_Group);

    auto dialog = openDialog();
    EXPECT_TRUE(control<QToolButton>(*dialog, q("CLICKMODE"))->isChecked());
    EXPECT_FALSE(control<QToolButton>(*dialog, q("EXCELMODE"))->isEnabled());
    EXPECT_FALSE(control<QToolButton>(*dialog, q("SELECTEDMODE"))->isEnabled());
    EXPECT_EQ(control<QComboBox>(*dialog, q("icboResize"))->currentIndex(), 1);
    EXPECT_TRUE(dialog->findChild<picrows::PointSquare*>(q("picPastePoint(0)"))->isOn());
    EXPECT_EQ(dialog->findChild<picrows::PointSquare*>(q("picPastePoint(0)"))->tag(), q("on"));
    EXPECT_EQ(dialog->findChild<picrows::PointSquare*>(q("picPastePoint(2)"))->tag(), QString());
    EXPECT_TRUE(control<QCheckBox>(*dialog, q("chkPasteInfo"))->isChecked());
    EXPECT_EQ(control<QPlainTextEdit>(*dialog, q("txtPasteInfo"))->toPlainText(), q("写真"));
    EXPECT_EQ(control<QComboBox>(*dialog, q("cboPasteInfo_Type"))->currentIndex(), 1);
    EXPECT_EQ(control<picrows::useTextBox>(*dialog, q("utxtPasteInfo_X"))->NumText(), -7);
    EXPECT_TRUE(dialog->findChild<picrows::PointSquare*>(q("picPasteInfo_Point(3)"))->isOn());
    EXPECT_TRUE(control<QCheckBox>(*dialog, q("chkPasteInfo_Group"))->isChecked());

    // Releasing click mode gives the other two buttons back.
    QTest::mouseClick(control<QToolButton>(*dialog, q("CLICKMODE")), Qt::LeftButton);
    EXPECT_TRUE(control<QToolButton>(*dialog, q("EXCELMODE"))->isEnabled());
    EXPECT_TRUE(control<QToolButton>(*dialog, q("SELECTEDMODE"))->isEnabled());
}

TEST_F(OptionsTest, ThePlacementIsSavedAndRestoredInTwips)
{
    QRect frame;
    {
        auto dialog = openDialog();
        dialog->setGeometry(120, 90, 500, 700);
        frame = dialog->frameGeometry();
        dialog->close();
    }
    EXPECT_EQ(store().value(q("position"), q("Get_Left")), QString::number(frame.left() * 15));
    EXPECT_EQ(store().value(q("position"), q("Get_Top")), QString::number(frame.top() * 15));
    EXPECT_EQ(store().value(q("position"), q("Get_Width")), QString::number(frame.width() * 15));
    EXPECT_EQ(store().value(q("position"), q("Get_Height")), QString::number(frame.height() * 15));
    // Opened again, twice: the same place and outer size, the frame not added on top.
    for (int i = 0; i < 2; ++i) {
        auto dialog = openDialog();
        QTest::qWait(20);
        EXPECT_EQ(dialog->frameGeometry(), frame) << i;
        dialog->close();
    }

    store().setValue(q("position"), q("Get_Left"), q("-300"));
    store().setValue(q("position"), q("Get_Width"), q("1200")); // below the least width
    auto dialog = openDialog();
    QTest::qWait(20);
    EXPECT_EQ(dialog->frameGeometry().left(), 0);
    EXPECT_EQ(dialog->frameGeometry().top(), frame.top());
    EXPECT_EQ(dialog->frameGeometry().width(), 3800 / 15) << "the least width holds";
    EXPECT_EQ(dialog->frameGeometry().height(), frame.height());
}

TEST_F(OptionsTest, WithoutASavedPlacementTheDialogOpensOverTheHostWindow)
{
    hostWindow.rect = QRect(200, 100, 800, 900);
    auto dialog = openDialog();
    const QPoint centre = dialog->frameGeometry().center();
    EXPECT_NEAR(centre.x(), QRect(200, 100, 800, 900).center().x(), 3);
    EXPECT_NEAR(centre.y(), QRect(200, 100, 800, 900).center().y(), 3);
}

TEST_F(OptionsTest, OptionLinksOpenTheSettingsDialogAtTheirTabOverTheDialog)
{
    auto dialog = openDialog();
    // The size modes are on the settings' second tab, the paste-info on its fifth.
    for (const auto& [name, tab] : {std::pair{"lblOption_Size", 2}, {"lblOption_PasteInfo", 4}}) {
        auto* label = control<QLabel>(*dialog, q(name));
        EXPECT_EQ(label->text(), q("<a href=\"#\">オプション</a>"));
        int shownTab = -1;
        QWidget* shownOwner = nullptr;
        dialogs_test::whenShown<picrows::frmSetting>([&](picrows::frmSetting& settings) {
            shownTab = settings.tabMain()->currentIndex();
            shownOwner = settings.parentWidget();
            settings.reject();
        });
        Q_EMIT label->linkActivated(q("#"));
        EXPECT_EQ(shownTab, tab) << name;
        EXPECT_EQ(shownOwner, dialog.get()) << name;
    }
    EXPECT_TRUE(messages.shown().empty());

    // The excluded-cell list's link opens the exclusions' tab, the list being no owner for it.
    picrows::frmShowJogaiMsg list(dialog.get());
    int shownTab = -1;
    dialogs_test::whenShown<picrows::frmSetting>([&](picrows::frmSetting& settings) {
        shownTab = settings.tabMain()->currentIndex();
        settings.reject();
    });
    Q_EMIT control<QLabel>(list, q("lblOption_Cell"))->linkActivated(q("#"));
    EXPECT_EQ(shownTab, 1);
}

} // namespace
