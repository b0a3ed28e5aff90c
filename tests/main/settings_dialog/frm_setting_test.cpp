// The settings dialog on an in-process host: every tab's controls loaded from the settings,
// changed, stored, saved and loaded again; the checks of OK, reset, the host's font list, the
// colour dialog, the palette, the template folder and which controls are enabled.
#include "main/controls/use_text_box.h"
#include "main/settings_dialog/colour_palette.h"
#include "main/settings_dialog/frm_setting.h"
#include "main/tools/rotated_picture.h"
#include "tests/main/settings_dialog/dialog_driver.h"
#include "tests/main/settings_dialog/settings_dialog_support.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include <functional>

namespace {

using namespace dialogs_test;
using picrows::frmSetting;
using picrows::useTextBox;
using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;

// What every control shows, by its name: ticks, texts, the font, the palette's choice and the
// background colour.
QMap<QString, QString> snapshot(const frmSetting& dialog)
{
    QMap<QString, QString> out;
    for (const QCheckBox* box : dialog.findChildren<QCheckBox*>())
        out[box->objectName()] = box->isChecked() ? q("ticked") : q("clear");
    for (const QRadioButton* option : dialog.findChildren<QRadioButton*>())
        out[option->objectName()] = option->isChecked() ? q("chosen") : q("clear");
    for (const useTextBox* box : dialog.findChildren<useTextBox*>())
        out[box->objectName()] = box->txtMain()->text();
    out[q("txtFolder")] = dialog.txtFolder->text();
    out[q("cboTextbox_Fontname")] = dialog.cboTextbox_Fontname->currentText();
    out[q("lblTextBox_ColorIndex")] = QString::number(dialog.lblTextBox_ColorIndex->chosen());
    out[q("cmdTrimmingForm_BackColor")] = dialog.backColor().name();
    return out;
}

void type(useTextBox* box, const QString& text)
{
    box->txtMain()->setText(text);
}

class FrmSettingTest : public DialogTest
{
protected:
    std::unique_ptr<frmSetting> open(int tab = 0)
    {
        auto dialog = std::make_unique<frmSetting>(setting(), app, tab);
        dialog->show();
        return dialog;
    }

    QString stored(const char* key) const
    {
        return setting().textOf(*picrows::c_Setting::findKey(q(key)));
    }

    QString pictureFile()
    {
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        const QString path = m_dir.filePath(q("pic.png"));
        image.save(path);
        return path;
    }
};

// Each tab: its controls changed as a user would, OK, the settings saved and loaded by a new
// store, and a new dialog over them showing exactly what the first one showed when OK was
// pressed.
TEST_F(FrmSettingTest, EveryTabRoundTripsThroughTheStore)
{
    const QString templates = folder("テンプレート置き場");
    struct Case
    {
        const char* name;
        int tab;
        std::function<void(frmSetting&)> change;
        std::vector<std::pair<const char*, QString>> keys;
    } cases[] = {
        {"全般",
         0,
         [&](frmSetting& d) {
             d.chkShowTooltipImages->click();
             type(d.utxtIconWidth, q("120"));
             type(d.utxtIconHeight, q("90"));
             d.txtFolder->setText(templates);
             d.chkDefaultCommandHook->click();
             d.chkReTrimmingAdd->click();
         },
         {{"ShowToolTipImages", q("False")},
          {"IconWidth", q("120")},
          {"IconHeight", q("90")},
          {"MyDocPath", templates},
          {"DefaultCommandHookOn", q("True")},
          {"ReTrimmingAdd", q("False")}}},
        {"選択セル",
         1,
         [](frmSetting& d) {
             d.chkUnPaste_Lock->click();
             d.chkUnPaste_Value->click();
             type(d.utxtUnPaste_Size_Width, q("150"));
             type(d.utxtUnPaste_Size_Height, q("40"));
             d.chkUnPaste_ShowMsg->click();
             d.chkOneCellOnePaste->click();
         },
         {{"UnPaste_Lock", q("True")},
          {"UnPaste_Value", q("False")},
          {"UnPaste_Size", q("True")},
          {"UnPaste_Size_Width", q("150")},
          {"UnPaste_Size_Height", q("40")},
          {"UnPaste_ShowMsg", q("False")},
          {"OneCellOnePaste", q("True")}}},
        {"図の縮小",
         2,
         [](frmSetting& d) {
             type(d.utxtSyukusyou, q("5"));
             d.chkCutTrimming->click();
             d.chkCutTrimmingNotAuto->click();
         },
         {{"InsertSyukusyou", q("True")},
          {"InsertSyukusyou_Bairitsu", q("5")},
          {"InsertCutTrimming", q("True")},
          {"InsertCutTrimming_NotAuto", q("False")}}},
        {"図の回転: own engine, another colour",
         3,
         [](frmSetting& d) {
             whenShown<QColorDialog>([](QColorDialog& colours) {
                 colours.setCurrentColor(QColor(0x10, 0x20, 0x30));
                 colours.accept();
             });
             d.cmdTrimmingForm_BackColor->click();
         },
         {{"Rotate_ApiMode", q("True")}, {"Rotate_BackColor", q("3153936")}}}, // 0x302010
        {"図の回転: the host's rotation",
         3,
         [](frmSetting& d) { d.optTrimmingForm_Rotate[0]->click(); },
         {{"Rotate_ApiMode", q("False")}, {"Rotate_BackColor", q("16777215")}}},
        {"文字挿入のテキストボックス",
         4,
         [](frmSetting& d) {
             d.cboTextbox_Fontname->setCurrentIndex(d.cboTextbox_Fontname->count() - 1);
             type(d.utxtTextBox_Fontsize, q("14"));
             QTest::mouseClick(d.lblTextBox_ColorIndex->label(5), Qt::LeftButton);
         },
         {{"Textbox_Fontsize", q("14")}, {"Textbox_ColorIndex", q("5")}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        forgetSettings();
        QMap<QString, QString> shown;
        QString font;
        {
            auto dialog = open(c.tab);
            EXPECT_EQ(dialog->tabMain()->currentIndex(), c.tab);
            const QMap<QString, QString> before = snapshot(*dialog);
            c.change(*dialog);
            shown = snapshot(*dialog);
            EXPECT_NE(shown, before);
            font = dialog->cboTextbox_Fontname->currentText();
            dialog->cmdOK->click();
            EXPECT_EQ(dialog->result(), QDialog::Accepted);
        }
        saveAndReload();
        for (const auto& [key, text] : c.keys)
            EXPECT_EQ(stored(key), text) << key;
        if (c.tab == 4) {
            EXPECT_EQ(setting().Textbox_Fontname, font);
        }
        auto again = open(c.tab);
        EXPECT_EQ(snapshot(*again), shown);
        again->reject();
    }
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(FrmSettingTest, CancelStoresNothing)
{
    auto dialog = open(1);
    dialog->chkUnPaste_Lock->click();
    type(dialog->utxtUnPaste_Size_Width, q("500"));
    dialog->cmdCancel->click();
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(setting().UnPaste_Lock);
    EXPECT_EQ(setting().UnPaste_Size_Width, 70);
}

TEST_F(FrmSettingTest, OpensOnTheTabItWasAskedFor)
{
    const QStringList captions = {q("全般"),
                                  q("選択セル"),
                                  q("図の縮小"),
                                  q("図の回転"),
                                  q("文字挿入のテキストボックス"),
                                  q("最新版チェック")};
    for (int tab = 0; tab < 6; ++tab) {
        auto dialog = open(tab);
        EXPECT_EQ(dialog->windowTitle(), q("ピクロウアドイン - 設定"));
        ASSERT_EQ(dialog->tabMain()->count(), 6);
        EXPECT_EQ(dialog->tabMain()->tabText(tab), captions[tab]);
        EXPECT_EQ(dialog->tabMain()->currentIndex(), tab);
        EXPECT_EQ(dialog->tabMain()->currentWidget()->objectName(),
                  q("picOption") + QString::number(tab));
        dialog->reject();
    }
}

// OK checks the factor (only while it applies) and the icon size, naming the bound; the font
// size is brought into its range without a word.
TEST_F(FrmSettingTest, OkChecksTheNumbersFirst)
{
    const QString factor = q("挿入サイズの倍率が不正です。");
    const QString icon = q("アイコンサイズが不正です。");
    struct Case
    {
        const char* factor;
        bool shrink;
        const char* width;
        const char* height;
        const char* fontSize;
        QString message; // empty: accepted
    } cases[] = {
        {"0", true, "80", "50", "11", factor + q("1以上の正数を指定してください。")},
        {"11", true, "80", "50", "11", factor + q("10以下の正数を指定してください。")},
        {"11", false, "80", "50", "11", {}},
        {"3", true, "301", "50", "11", icon + q("300以下の正数を指定してください。")},
        {"3", true, "80", "-5", "11", icon + q("0以上の正数を指定してください。")},
        {"0", true, "301", "50", "11", factor + q("1以上の正数を指定してください。")},
        {"3", true, "300", "0", "500", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.factor) + " " + c.width + " " + c.height);
        messages.clear();
        forgetSettings();
        auto dialog = open(2);
        if (!c.shrink)
            dialog->chkSyukusyou->click();
        type(dialog->utxtSyukusyou, q(c.factor));
        type(dialog->utxtIconWidth, q(c.width));
        type(dialog->utxtIconHeight, q(c.height));
        type(dialog->utxtTextBox_Fontsize, q(c.fontSize));
        dialog->chkDefaultCommandHook->click();
        dialog->cmdOK->click();
        if (c.message.isEmpty()) {
            EXPECT_TRUE(messages.shown().empty());
            EXPECT_EQ(dialog->result(), QDialog::Accepted);
            EXPECT_TRUE(setting().DefaultCommandHookOn);
        } else {
            EXPECT_EQ(messages.shown(),
                      std::vector<platform::Message>{message(c.message, MsgIcon::Critical)});
            EXPECT_TRUE(dialog->isVisible());
            EXPECT_EQ(dialog->utxtIconWidth->txtMain()->text(), q(c.width));
            EXPECT_FALSE(setting().DefaultCommandHookOn); // nothing stored
            dialog->reject();
        }
    }
    // The last case stored its numbers, the font size brought down to 300.
    EXPECT_EQ(setting().InsertSyukusyou_Bairitsu, 3);
    EXPECT_EQ(setting().Textbox_Fontsize, 300);
    EXPECT_EQ(setting().IconWidth(), 300);
    EXPECT_EQ(setting().IconHeight(), 0);
}

TEST_F(FrmSettingTest, AnOutOfRangeFactorThatDoesNotApplyLeavesTheStoredOne)
{
    setting().InsertSyukusyou_Bairitsu = 4;
    auto dialog = open(2);
    dialog->chkSyukusyou->click();
    type(dialog->utxtSyukusyou, q("25"));
    dialog->cmdOK->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_FALSE(setting().InsertSyukusyou);
    EXPECT_EQ(setting().InsertSyukusyou_Bairitsu, 4);
}

// Reset asks first; confirmed, every setting and the dialog placements go back to their
// defaults at once, so that Cancel afterwards keeps them.
TEST_F(FrmSettingTest, ResetPutsEveryDefaultBackAtOnce)
{
    setting().UnPaste_Lock = true;
    setting().SetIconSize(200, 120);
    setting().Textbox_ColorIndex = 9;
    context().store->setValue(q("position"), q("Get_Left"), q("1500"));
    setting().SaveAll();
    const platform::Message question =
        message(q("全ての設定をリセットします。\r\nよろしいですか？"), MsgIcon::Question,
                MsgButtons::OKCancel);

    auto dialog = open(0);
    messages.answerNext(MsgAnswer::Cancel);
    dialog->cmdReset->click();
    EXPECT_EQ(messages.shown(), std::vector<platform::Message>{question});
    EXPECT_EQ(dialog->utxtIconWidth->txtMain()->text(), q("200"));
    EXPECT_TRUE(setting().UnPaste_Lock);

    messages.clear();
    messages.answerNext(MsgAnswer::OK);
    dialog->cmdReset->click();
    EXPECT_EQ(messages.shown(), std::vector<platform::Message>{question});
    EXPECT_EQ(dialog->utxtIconWidth->txtMain()->text(), q("80"));
    EXPECT_EQ(dialog->utxtIconHeight->txtMain()->text(), q("50"));
    EXPECT_FALSE(dialog->chkUnPaste_Lock->isChecked());
    EXPECT_EQ(dialog->lblTextBox_ColorIndex->chosen(), 0);
    dialog->cmdCancel->click();

    EXPECT_FALSE(setting().UnPaste_Lock);
    EXPECT_EQ(setting().IconWidth(), 80);
    EXPECT_EQ(setting().Textbox_ColorIndex, 0);
    EXPECT_FALSE(context().store->value(q("position"), q("Get_Left")));
}

// The font list is the host's font box, which the host fills only while cells are selected: a
// selected picture is first replaced by the cells around it.
TEST_F(FrmSettingTest, TheFontListIsTheHostsFontBox)
{
    app.ActiveSheet().Range(q("B2")).Select();
    app.ActiveSheet().Pictures().Insert(pictureFile()).Select();
    ASSERT_NE(app.Selection().TypeName(), q("Range"));

    const xl::CommandBarControl fontBox = app.CommandBars().FindControl(1728);
    setting().Textbox_Fontname = q("No Such Font");
    auto dialog = open(4);
    EXPECT_EQ(app.Selection().TypeName(), q("Range"));
    QStringList expected;
    for (int i = 1; i <= fontBox.ListCount(); ++i)
        expected << fontBox.List(i);
    ASSERT_FALSE(expected.isEmpty());
    QStringList listed;
    for (int i = 0; i < dialog->cboTextbox_Fontname->count(); ++i)
        listed << dialog->cboTextbox_Fontname->itemText(i);
    EXPECT_EQ(listed, expected);
    EXPECT_TRUE(dialog->cboTextbox_Fontname->isEnabled());
    // A name the list does not hold shows nothing and is kept by OK.
    EXPECT_EQ(dialog->cboTextbox_Fontname->currentText(), QString());
    dialog->cmdOK->click();
    EXPECT_EQ(setting().Textbox_Fontname, q("No Such Font"));

    setting().Textbox_Fontname = expected.last();
    auto again = open(4);
    EXPECT_EQ(again->cboTextbox_Fontname->currentText(), expected.last());
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(FrmSettingTest, WithoutFontsTheBoxIsDisabledAfterAWarning)
{
    auto book = objects_test::bookWithSheets({"Chart1"});
    book->sheets.front()->kind = host::model::SheetKind::Chartsheet;
    m_host.adoptWorkbook(std::move(book), q("Charts"));
    setting().Textbox_Fontname = q("Kept Font");
    auto dialog = open(4);
    EXPECT_EQ(
        messages.shown(),
        std::vector<platform::Message>{message(
            q("フォント一覧を取得できませんでした。\r\nこのエラーが表示された場合は、セルを選択"
              "した状態で再度実行し直して下さい。"),
            MsgIcon::Exclamation)});
    EXPECT_EQ(dialog->cboTextbox_Fontname->count(), 0);
    EXPECT_FALSE(dialog->cboTextbox_Fontname->isEnabled());
    dialog->cmdOK->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(setting().Textbox_Fontname, q("Kept Font"));
}

// The background colour button shows the stored colour and opens the colour dialog on it;
// cancelling it changes nothing.
TEST_F(FrmSettingTest, TheBackgroundColourComesFromTheColourDialog)
{
    setting().Rotate_BackColor = 0x0000FF; // red, kept as 0x00BBGGRR
    auto dialog = open(3);
    EXPECT_EQ(dialog->backColor(), QColor(255, 0, 0));
    EXPECT_TRUE(dialog->cmdTrimmingForm_BackColor->styleSheet().contains(q("#ff0000")));

    QString title;
    QColor offered;
    whenShown<QColorDialog>([&](QColorDialog& colours) {
        title = colours.windowTitle();
        offered = colours.currentColor();
        colours.setCurrentColor(Qt::green);
        colours.reject();
    });
    dialog->cmdTrimmingForm_BackColor->click();
    EXPECT_EQ(title, q("背景色を指定してください"));
    EXPECT_EQ(offered, QColor(255, 0, 0));
    EXPECT_EQ(dialog->backColor(), QColor(255, 0, 0));

    whenShown<QColorDialog>([&](QColorDialog& colours) {
        colours.setCurrentColor(QColor(0, 0, 255));
        colours.accept();
    });
    dialog->cmdTrimmingForm_BackColor->click();
    EXPECT_EQ(dialog->backColor(), QColor(0, 0, 255));
    EXPECT_TRUE(dialog->cmdTrimmingForm_BackColor->styleSheet().contains(q("#0000ff")));

    // With the host's rotation the colour is neither chosen nor stored.
    dialog->optTrimmingForm_Rotate[0]->click();
    EXPECT_FALSE(dialog->cmdTrimmingForm_BackColor->isEnabled());
    EXPECT_FALSE(dialog->lblTrimmingForm_BackColor->isEnabled());
    dialog->cmdOK->click();
    EXPECT_EQ(setting().Rotate_BackColor, 0x0000FF);
    EXPECT_FALSE(setting().Rotate_ApiMode);
}

// Label 0 "自動" over the width of a row, then the workbook's 56 colours seven to a row; the
// stored index carries the border, a click moves it.
TEST_F(FrmSettingTest, ThePaletteShowsTheWorkbooksColours)
{
    app.ActiveWorkbook().setColors(3, 0x123456);
    setting().Textbox_ColorIndex = 3;
    auto dialog = open(4);
    const picrows::FontColourPalette& palette = *dialog->lblTextBox_ColorIndex;

    EXPECT_EQ(palette.label(0)->text(), q("自動"));
    EXPECT_EQ(palette.label(0)->palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_EQ(palette.label(3)->palette().color(QPalette::Window), QColor(0x56, 0x34, 0x12));
    for (int i = 1; i <= 56; ++i) {
        const QRgb expected = picrows::colourFromBgr(app.ActiveWorkbook().Colors(i)).rgb();
        EXPECT_EQ(palette.label(i)->palette().color(QPalette::Window).rgb(), expected) << i;
    }
    // At 96 dots per inch: 250 twips are 17 pixels, 50 are 3; label 0 is 2050 twips wide.
    const QRect first = palette.label(1)->geometry();
    EXPECT_EQ(palette.label(0)->width(), 137);
    EXPECT_EQ(first.topLeft(), QPoint(0, 27));
    EXPECT_EQ(first.size(), QSize(17, 17));
    EXPECT_EQ(palette.label(7)->geometry().right(), palette.label(0)->geometry().right());
    EXPECT_EQ(palette.label(8)->geometry().topLeft(), QPoint(0, 47));
    EXPECT_EQ(palette.label(56)->geometry().right(), palette.label(0)->geometry().right());
    EXPECT_EQ(palette.label(56)->geometry().bottom(), 183);

    auto bordered = [&] {
        QList<int> out;
        for (int i = 0; i <= 56; ++i)
            if (palette.label(i)->bordered())
                out << i;
        return out;
    };
    EXPECT_EQ(bordered(), QList<int>{3});
    QTest::mouseClick(palette.label(44), Qt::LeftButton);
    EXPECT_EQ(bordered(), QList<int>{44});
    QTest::mouseClick(palette.label(0), Qt::LeftButton);
    EXPECT_EQ(bordered(), QList<int>{0});
    dialog->cmdOK->click();
    EXPECT_EQ(setting().Textbox_ColorIndex, 0);
}

// Which controls take input follows the ticks and the folder.
TEST_F(FrmSettingTest, DependentControlsFollowTheirSwitches)
{
    auto dialog = open(0);
    frmSetting& d = *dialog;
    const auto enabled = [](const useTextBox* box) { return box->Enabled(); };

    EXPECT_TRUE(enabled(d.utxtSyukusyou));
    d.chkSyukusyou->click();
    EXPECT_FALSE(enabled(d.utxtSyukusyou));
    EXPECT_FALSE(d.lblSyukusyou[0]->isEnabled());
    EXPECT_FALSE(d.lblSyukusyou[1]->isEnabled());

    EXPECT_FALSE(d.chkCutTrimmingNotAuto->isEnabled()); // InsertCutTrimming is off by default
    d.chkCutTrimming->click();
    EXPECT_TRUE(d.chkCutTrimmingNotAuto->isEnabled());

    EXPECT_TRUE(enabled(d.utxtUnPaste_Size_Width));
    d.chkUnPaste_Size->click();
    EXPECT_FALSE(enabled(d.utxtUnPaste_Size_Width));
    EXPECT_FALSE(enabled(d.utxtUnPaste_Size_Height));
    for (QLabel* label : d.lblUnPaste_Size)
        EXPECT_FALSE(label->isEnabled());

    // The update check never takes input.
    EXPECT_FALSE(d.chkCheckNewVersion->isEnabled());
    EXPECT_FALSE(d.lblCheckNewVersion->isEnabled());
    EXPECT_FALSE(enabled(d.utxtCheckNewVersion));

    // Both rotation options on hosts after version 9.
    EXPECT_TRUE(d.optTrimmingForm_Rotate[0]->isEnabled());
    EXPECT_TRUE(d.optTrimmingForm_Rotate[1]->isEnabled());
}

TEST_F(FrmSettingTest, Version9OffersOnlyTheOwnRotationEngine)
{
    m_host.options().version = q("9.0");
    openSettings();
    auto dialog = open(3);
    EXPECT_FALSE(dialog->optTrimmingForm_Rotate[0]->isEnabled());
    EXPECT_TRUE(dialog->optTrimmingForm_Rotate[1]->isEnabled());
    EXPECT_TRUE(dialog->optTrimmingForm_Rotate[1]->isChecked());
}

// OK waits for a folder that exists; the picker fills the field, the reset button puts the
// default folder into the settings at once.
TEST_F(FrmSettingTest, TheTemplateFolderMustExist)
{
    setting().setMyDocPath(folder("templates"));
    auto dialog = open(0);
    frmSetting& d = *dialog;
    EXPECT_TRUE(d.cmdOK->isEnabled());
    EXPECT_FALSE(d.lblFolderWarning[0]->isVisible());
    EXPECT_FALSE(d.lblFolderWarning[1]->isVisible());

    d.txtFolder->setText(m_dir.filePath(q("missing")));
    EXPECT_FALSE(d.cmdOK->isEnabled());
    EXPECT_TRUE(d.lblFolderWarning[0]->isVisible());
    EXPECT_EQ(
        d.lblFolderWarning[1]->text(),
        q("有効なフォルダではありません。違うフォルダを指定するか、リセットを押してください。"));
    d.txtFolder->clear();
    EXPECT_FALSE(d.cmdOK->isEnabled());

    shell.folderToPick = folder("picked") + u'/';
    d.cmdFolder->click();
    EXPECT_EQ(shell.prompts,
              std::vector<QString>{q("テンプレートを保存・読込するフォルダを選択してください。")});
    EXPECT_EQ(d.txtFolder->text(), folder("picked"));
    EXPECT_TRUE(d.cmdOK->isEnabled());
    shell.folderToPick.clear(); // cancelled: the field stays
    d.cmdFolder->click();
    EXPECT_EQ(d.txtFolder->text(), folder("picked"));

    const QString byDefault = m_dir.filePath(q("home/Documents/ピクロウアドイン"));
    ASSERT_TRUE(QDir(byDefault).removeRecursively());
    d.cmdFolderReset->click();
    EXPECT_EQ(d.txtFolder->text(), byDefault);
    EXPECT_EQ(setting().MyDocPath(), byDefault);
    EXPECT_TRUE(QFileInfo(byDefault).isDir());
    d.cmdCancel->click();
    EXPECT_EQ(setting().MyDocPath(), byDefault);
}

} // namespace
