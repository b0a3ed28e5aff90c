#pragma once

#include "host/xl/application.h"

#include <QColor>
#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace picrows {

class c_Setting;
class FontColourPalette;
class useTextBox;

// The settings dialog: six tabs over the one settings object. OK checks the shrink factor and
// the icon size, then stores every control into the settings object (the caller saves it);
// Cancel stores nothing. Reset and the folder reset change the settings object at once, so
// they hold even when the dialog is then cancelled. The controls carry the names the settings
// are known by (chkUnPaste_Lock, utxtIconWidth, …; indexed ones with the index appended:
// picOption0, optTrimmingForm_Rotate1, lblTextBox_ColorIndex12).
class frmSetting : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kTabs = 6;

    // Loads the dialog for `app`'s host: caption, number boxes, the host's font list (an
    // object selection is first replaced by the cells around it), the workbook's palette, the
    // start tab (0–5) and the controls from `setting`. Without fonts from the host the font
    // box is disabled after a warning.
    frmSetting(c_Setting& setting, const xl::Application& app, int startTab,
               QWidget* parent = nullptr);

    static QString caption(); // program title + " - 設定"

    // The settings object into the controls, then the dependent states.
    void fillControls();
    // Which controls are enabled and whether the folder warning shows, from the controls.
    void updateDependentStates();

    QTabWidget* tabMain() const { return m_tabMain; }
    QColor backColor() const { return m_backColor; }

private:
    void buildPages();
    QWidget* buildGeneralPage();
    QWidget* buildSelectedCellsPage();
    QWidget* buildShrinkPage();
    QWidget* buildRotationPage();
    QWidget* buildTextBoxPage();
    QWidget* buildUpdatePage();
    void setUpNumberBoxes();
    void loadFontList();
    void setBackColor(const QColor& colour);
    bool folderValid() const;

    // Answers false, after the message, when a number is out of its range.
    bool checkNumbers();
    void storeControls();

    void cmdOK_Click();
    void cmdReset_Click();
    void cmdFolder_Click();
    void cmdFolderReset_Click();
    void cmdTrimmingForm_BackColor_Click();

    c_Setting& m_setting;
    xl::Application m_app;
    QColor m_backColor;
    QTabWidget* m_tabMain = nullptr;

public:
    // The controls, for the page builders and the tests.
    QCheckBox* chkShowTooltipImages = nullptr;
    useTextBox* utxtIconWidth = nullptr;
    useTextBox* utxtIconHeight = nullptr;
    QLineEdit* txtFolder = nullptr;
    QPushButton* cmdFolder = nullptr;
    QPushButton* cmdFolderReset = nullptr;
    std::array<QLabel*, 2> lblFolderWarning{};
    QCheckBox* chkDefaultCommandHook = nullptr;
    QCheckBox* chkReTrimmingAdd = nullptr;

    QCheckBox* chkUnPaste_Lock = nullptr;
    QCheckBox* chkUnPaste_Value = nullptr;
    QCheckBox* chkUnPaste_Size = nullptr;
    std::array<QLabel*, 3> lblUnPaste_Size{};
    useTextBox* utxtUnPaste_Size_Width = nullptr;
    useTextBox* utxtUnPaste_Size_Height = nullptr;
    QCheckBox* chkUnPaste_ShowMsg = nullptr;
    QCheckBox* chkOneCellOnePaste = nullptr;

    QCheckBox* chkSyukusyou = nullptr;
    std::array<QLabel*, 2> lblSyukusyou{};
    useTextBox* utxtSyukusyou = nullptr;
    QCheckBox* chkCutTrimming = nullptr;
    QCheckBox* chkCutTrimmingNotAuto = nullptr;

    std::array<QRadioButton*, 2> optTrimmingForm_Rotate{};
    QLabel* lblTrimmingForm_BackColor = nullptr;
    QPushButton* cmdTrimmingForm_BackColor = nullptr;

    QComboBox* cboTextbox_Fontname = nullptr;
    useTextBox* utxtTextBox_Fontsize = nullptr;
    FontColourPalette* lblTextBox_ColorIndex = nullptr;

    QCheckBox* chkCheckNewVersion = nullptr;
    QLabel* lblCheckNewVersion = nullptr;
    useTextBox* utxtCheckNewVersion = nullptr;
    QPushButton* cmdCheckNewVersionNow = nullptr;

    QPushButton* cmdReset = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
};

} // namespace picrows
