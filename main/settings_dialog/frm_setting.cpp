#include "main/settings_dialog/frm_setting.h"

#include "host/automation/host_error.h"
#include "host/xl/command_bars.h"
#include "main/controls/modal_loop.h"
#include "main/controls/use_text_box.h"
#include "main/controls/window_services.h"
#include "main/settings/setting.h"
#include "main/settings_dialog/colour_palette.h"
#include "main/startup/startup_context.h"
#include "main/startup/state_checks.h"
#include "main/tools/rotated_picture.h"
#include "platform/message_box.h"
#include "platform/shell.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include <optional>

namespace picrows {

namespace {

constexpr std::int32_t kFontBoxId = 1728;

struct NumberRange
{
    double min;
    double max;
    double step;
};

void setUp(useTextBox* box, NumberRange range)
{
    box->setMin(range.min);
    box->setMax(range.max);
    box->setDecimalLength(0);
    box->setBackToTop(false);
    box->setUpDownChangeValue(range.step);
}

int hostVersion(const xl::Application& app)
{
    try {
        return int(host::leadingNumber(app.Version()));
    } catch (const host::HostError&) {
        return 0;
    }
}

std::int32_t bgrOf(const QColor& colour)
{
    return std::int32_t(colour.red() | (colour.green() << 8) | (colour.blue() << 16));
}

// The platform's colour dialog, full, with the current colour chosen; none when cancelled.
std::optional<QColor> pickColour(QWidget* owner, const QColor& current)
{
    QColorDialog dialog(owner);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    dialog.setWindowTitle(QStringLiteral("背景色を指定してください"));
    dialog.setCurrentColor(current);
    if (showModal(dialog) != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedColor();
}

void refuse(const QString& text)
{
    platform::showMessage(text, platform::MsgButtons::OK, platform::MsgIcon::Critical,
                          platform::programTitle());
}

// The first of "below the minimum" and "above the maximum" that the typed value is, as its
// message; none when it is inside. The typed value is the one shown, not yet brought into the
// range.
std::optional<QString> rangeMessage(const useTextBox* box, const QString& what)
{
    const double typed = valueOfText(box->txtMain()->text());
    if (typed < box->Min())
        return what + QString::number(box->Min()) +
               QStringLiteral("以上の正数を指定してください。");
    if (typed > box->Max())
        return what + QString::number(box->Max()) +
               QStringLiteral("以下の正数を指定してください。");
    return std::nullopt;
}

} // namespace

QString frmSetting::caption()
{
    return platform::programTitle() + QStringLiteral(" - 設定");
}

frmSetting::frmSetting(c_Setting& setting, const xl::Application& app, int startTab,
                       QWidget* parent)
    : QDialog(parent), m_setting(setting), m_app(app)
{
    setObjectName(QStringLiteral("frmSetting"));
    setWindowTitle(caption());
    buildPages();
    if (!parent)
        s_SetParentWindow(this, startupContext().glngXlHwnd);

    setUpNumberBoxes();
    loadFontList();
    lblTextBox_ColorIndex->loadColours(m_app);
    m_tabMain->setCurrentIndex(std::clamp(startTab, 0, kTabs - 1));

    connect(cmdOK, &QPushButton::clicked, this, &frmSetting::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdReset, &QPushButton::clicked, this, &frmSetting::cmdReset_Click);
    connect(cmdFolder, &QPushButton::clicked, this, &frmSetting::cmdFolder_Click);
    connect(cmdFolderReset, &QPushButton::clicked, this, &frmSetting::cmdFolderReset_Click);
    connect(cmdTrimmingForm_BackColor, &QPushButton::clicked, this,
            &frmSetting::cmdTrimmingForm_BackColor_Click);
    for (QCheckBox* box : {chkSyukusyou, chkCutTrimming, chkUnPaste_Size, chkCheckNewVersion})
        connect(box, &QCheckBox::clicked, this, &frmSetting::updateDependentStates);
    for (QRadioButton* option : optTrimmingForm_Rotate)
        connect(option, &QRadioButton::clicked, this, &frmSetting::updateDependentStates);
    connect(txtFolder, &QLineEdit::textChanged, this, &frmSetting::updateDependentStates);

    fillControls();
}

void frmSetting::setUpNumberBoxes()
{
    setUp(utxtIconWidth, {0, 300, 10});
    setUp(utxtIconHeight, {0, 300, 10});
    setUp(utxtUnPaste_Size_Width, {10, 1000, 10});
    setUp(utxtUnPaste_Size_Height, {10, 1000, 10});
    setUp(utxtSyukusyou, {1, 10, 1});
    setUp(utxtTextBox_Fontsize, {1, 300, 1});
    setUp(utxtCheckNewVersion, {1, 30, 1});
    // The update check keeps no interval; its box shows the shortest one.
    utxtCheckNewVersion->setNumText(1);
}

void frmSetting::loadFontList()
{
    // The host fills its font box only while cells are selected.
    bool cells = true;
    try {
        cells = m_app.Selection().TypeName().toUpper() == QStringLiteral("RANGE");
    } catch (const host::HostError&) {
    }
    if (!cells)
        s_FixSelectionToCells();
    try {
        const xl::CommandBarControl fontBox = m_app.CommandBars().FindControl(kFontBoxId);
        const std::int32_t count = fontBox.ListCount();
        QStringList names;
        for (std::int32_t i = 1; i <= count; ++i)
            names << fontBox.List(i);
        cboTextbox_Fontname->addItems(names);
    } catch (const host::HostError&) {
    }
    if (cboTextbox_Fontname->count() == 0) {
        cboTextbox_Fontname->setEnabled(false);
        platform::showMessage(QStringLiteral("フォント一覧を取得できませんでした。\r\n"
                                             "このエラーが表示された場合は、セルを選択した状態で"
                                             "再度実行し直して下さい。"),
                              platform::MsgButtons::OK, platform::MsgIcon::Exclamation,
                              platform::programTitle());
    }
    cboTextbox_Fontname->setCurrentIndex(-1);
}

void frmSetting::fillControls()
{
    const c_Setting& s = m_setting;
    chkShowTooltipImages->setChecked(s.ShowToolTipImages());
    utxtIconWidth->setNumText(s.IconWidth());
    utxtIconHeight->setNumText(s.IconHeight());
    txtFolder->setText(s.MyDocPath());
    chkDefaultCommandHook->setChecked(s.DefaultCommandHookOn);
    chkReTrimmingAdd->setChecked(s.ReTrimmingAdd);

    chkUnPaste_Lock->setChecked(s.UnPaste_Lock);
    chkUnPaste_Value->setChecked(s.UnPaste_Value);
    chkUnPaste_Size->setChecked(s.UnPaste_Size);
    utxtUnPaste_Size_Width->setNumText(s.UnPaste_Size_Width);
    utxtUnPaste_Size_Height->setNumText(s.UnPaste_Size_Height);
    chkUnPaste_ShowMsg->setChecked(s.UnPaste_ShowMsg);
    chkOneCellOnePaste->setChecked(s.OneCellOnePaste);

    chkSyukusyou->setChecked(s.InsertSyukusyou);
    utxtSyukusyou->setNumText(s.InsertSyukusyou_Bairitsu);
    chkCutTrimming->setChecked(s.InsertCutTrimming);
    chkCutTrimmingNotAuto->setChecked(s.InsertCutTrimming_NotAuto);

    optTrimmingForm_Rotate[s.Rotate_ApiMode ? 1 : 0]->setChecked(true);
    setBackColor(colourFromBgr(s.Rotate_BackColor));

    // A name the list does not hold leaves the box as it is.
    if (const int index = cboTextbox_Fontname->findText(s.Textbox_Fontname); index >= 0)
        cboTextbox_Fontname->setCurrentIndex(index);
    utxtTextBox_Fontsize->setNumText(s.Textbox_Fontsize);
    lblTextBox_ColorIndex->choose(s.Textbox_ColorIndex);

    // The host's own rotation needs a host newer than version 9.
    if (hostVersion(m_app) == 9) {
        optTrimmingForm_Rotate[0]->setEnabled(false);
        optTrimmingForm_Rotate[1]->setEnabled(true);
    }
    updateDependentStates();
}

bool frmSetting::folderValid() const
{
    const QString folder = txtFolder->text();
    return !folder.isEmpty() && QFileInfo(folder).isDir();
}

void frmSetting::updateDependentStates()
{
    const bool shrink = chkSyukusyou->isChecked();
    for (QLabel* label : lblSyukusyou)
        label->setEnabled(shrink);
    utxtSyukusyou->setEnabledState(shrink);

    chkCutTrimmingNotAuto->setEnabled(chkCutTrimming->isChecked());

    const bool size = chkUnPaste_Size->isChecked();
    for (QLabel* label : lblUnPaste_Size)
        label->setEnabled(size);
    utxtUnPaste_Size_Width->setEnabledState(size);
    utxtUnPaste_Size_Height->setEnabledState(size);

    const bool ownEngine = optTrimmingForm_Rotate[1]->isChecked();
    lblTrimmingForm_BackColor->setEnabled(ownEngine);
    cmdTrimmingForm_BackColor->setEnabled(ownEngine);

    const bool valid = folderValid();
    for (QLabel* label : lblFolderWarning)
        label->setVisible(!valid);
    cmdOK->setEnabled(valid);

    chkCheckNewVersion->setEnabled(false);
    lblCheckNewVersion->setEnabled(false);
    utxtCheckNewVersion->setEnabledState(false);
}

void frmSetting::setBackColor(const QColor& colour)
{
    m_backColor = colour;
    cmdTrimmingForm_BackColor->setStyleSheet(
        QStringLiteral("QPushButton { background-color: %1; border: 1px solid #808080; }")
            .arg(colour.name()));
}

bool frmSetting::checkNumbers()
{
    std::optional<QString> message;
    if (utxtSyukusyou->Enabled())
        message = rangeMessage(utxtSyukusyou, QStringLiteral("挿入サイズの倍率が不正です。"));
    for (const useTextBox* box : {utxtIconWidth, utxtIconHeight})
        if (!message)
            message = rangeMessage(box, QStringLiteral("アイコンサイズが不正です。"));
    if (message) {
        refuse(*message);
        return false;
    }
    // The font size and the update interval are brought into their ranges without a word.
    utxtTextBox_Fontsize->setNumText(utxtTextBox_Fontsize->NumText());
    utxtCheckNewVersion->setNumText(utxtCheckNewVersion->NumText());
    return true;
}

void frmSetting::storeControls()
{
    c_Setting& s = m_setting;
    const auto whole = [](const useTextBox* box) { return std::int16_t(box->NumText()); };
    s.DefaultCommandHookOn = chkDefaultCommandHook->isChecked();
    s.ReTrimmingAdd = chkReTrimmingAdd->isChecked();
    s.SetIconSize(whole(utxtIconWidth), whole(utxtIconHeight));
    s.setMyDocPath(txtFolder->text());
    s.setShowToolTipImages(chkShowTooltipImages->isChecked());
    s.InsertSyukusyou = chkSyukusyou->isChecked();
    if (utxtSyukusyou->Enabled())
        s.InsertSyukusyou_Bairitsu = whole(utxtSyukusyou);
    s.InsertCutTrimming = chkCutTrimming->isChecked();
    s.InsertCutTrimming_NotAuto = chkCutTrimmingNotAuto->isChecked();
    s.UnPaste_Lock = chkUnPaste_Lock->isChecked();
    s.UnPaste_Value = chkUnPaste_Value->isChecked();
    s.UnPaste_Size = chkUnPaste_Size->isChecked();
    if (chkUnPaste_Size->isChecked()) {
        s.UnPaste_Size_Width = whole(utxtUnPaste_Size_Width);
        s.UnPaste_Size_Height = whole(utxtUnPaste_Size_Height);
    }
    s.UnPaste_ShowMsg = chkUnPaste_ShowMsg->isChecked();
    s.OneCellOnePaste = chkOneCellOnePaste->isChecked();
    s.Rotate_ApiMode = optTrimmingForm_Rotate[1]->isChecked();
    if (optTrimmingForm_Rotate[1]->isChecked())
        s.Rotate_BackColor = bgrOf(m_backColor);
    if (!cboTextbox_Fontname->currentText().isEmpty())
        s.Textbox_Fontname = cboTextbox_Fontname->currentText();
    s.Textbox_Fontsize = utxtTextBox_Fontsize->NumText();
    if (const int chosen = lblTextBox_ColorIndex->chosen(); chosen >= 0)
        s.Textbox_ColorIndex = std::int16_t(chosen);
}

void frmSetting::cmdOK_Click()
{
    if (!checkNumbers())
        return;
    storeControls();
    accept();
}

void frmSetting::cmdReset_Click()
{
    if (platform::showMessage(QStringLiteral("全ての設定をリセットします。\r\nよろしいですか？"),
                              platform::MsgButtons::OKCancel, platform::MsgIcon::Question,
                              platform::programTitle()) == platform::MsgAnswer::Cancel)
        return;
    m_setting.ResetAll();
    fillControls();
}

void frmSetting::cmdFolder_Click()
{
    QString folder = platform::F_GetBrowseFolder(
        QStringLiteral("テンプレートを保存・読込するフォルダを選択してください。"),
        txtFolder->text());
    if (folder.endsWith(u'/'))
        folder.chop(1);
    if (!folder.isEmpty())
        txtFolder->setText(folder);
}

void frmSetting::cmdFolderReset_Click()
{
    m_setting.setMyDocPath(c_Setting::GetDefaultMyDocPath());
    txtFolder->setText(m_setting.MyDocPath());
}

void frmSetting::cmdTrimmingForm_BackColor_Click()
{
    if (const std::optional<QColor> chosen = pickColour(this, m_backColor))
        setBackColor(*chosen);
}

} // namespace picrows
