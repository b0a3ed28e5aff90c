// The six pages of the settings dialog and the row of buttons under them.
#include "main/controls/use_text_box.h"
#include "main/settings_dialog/colour_palette.h"
#include "main/settings_dialog/frm_setting.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace picrows {

namespace {

template <class W> W* named(W* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QCheckBox* checkBox(const char* name, const QString& text)
{
    return named(new QCheckBox(text), name);
}

QLabel* note(const QString& text)
{
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    return label;
}

useTextBox* numberBox(const char* name)
{
    auto* box = named(new useTextBox, name);
    box->setFixedWidth(70);
    return box;
}

// A row of widgets from the left, the rest of the line left empty. A note that wraps takes
// the rest of the line itself: beside an empty stretch it would be squeezed to a few words a line.
QHBoxLayout* row(std::initializer_list<QWidget*> widgets, int indent = 0)
{
    auto* layout = new QHBoxLayout;
    if (indent)
        layout->addSpacing(indent);
    bool wraps = false;
    for (QWidget* w : widgets) {
        const auto* label = qobject_cast<QLabel*>(w);
        const bool wrapping = label && label->wordWrap();
        layout->addWidget(w, wrapping ? 1 : 0);
        wraps |= wrapping;
    }
    if (!wraps)
        layout->addStretch(1);
    return layout;
}

QWidget* page(const char* name, QVBoxLayout*& layout)
{
    auto* widget = named(new QWidget, name);
    layout = new QVBoxLayout(widget);
    return widget;
}

constexpr int kIndent = 20;

} // namespace

void frmSetting::buildPages()
{
    m_tabMain = named(new QTabWidget, "tabMain");
    // The pages lie stacked where page 0 is, without borders; the tab shows one of them.
    m_tabMain->setDocumentMode(false);
    m_tabMain->addTab(buildGeneralPage(), QStringLiteral("全般"));
    m_tabMain->addTab(buildSelectedCellsPage(), QStringLiteral("選択セル"));
    m_tabMain->addTab(buildShrinkPage(), QStringLiteral("図の縮小"));
    m_tabMain->addTab(buildRotationPage(), QStringLiteral("図の回転"));
    m_tabMain->addTab(buildTextBoxPage(), QStringLiteral("文字挿入のテキストボックス"));
    m_tabMain->addTab(buildUpdatePage(), QStringLiteral("最新版チェック"));

    cmdReset = named(new QPushButton(QStringLiteral("リセット")), "cmdReset");
    cmdOK = named(new QPushButton(QStringLiteral("OK")), "cmdOK");
    cmdCancel = named(new QPushButton(QStringLiteral("キャンセル")), "cmdCancel");
    cmdOK->setDefault(true);
    for (QPushButton* b : {cmdReset, cmdOK, cmdCancel})
        b->setMinimumWidth(90);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdReset);
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabMain);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QWidget* frmSetting::buildGeneralPage()
{
    QVBoxLayout* layout = nullptr;
    QWidget* widget = page("picOption0", layout);

    chkShowTooltipImages = checkBox(
        "chkShowTooltipImages",
        QStringLiteral("挿入ボタンにツールチップイメージ（＝初心者向けの説明画像）を表示する"));
    layout->addWidget(chkShowTooltipImages);

    auto* icons = named(new QGroupBox(QStringLiteral("プレビューアイコンのサイズ")), "fraIconSize");
    utxtIconWidth = numberBox("utxtIconWidth");
    utxtIconHeight = numberBox("utxtIconHeight");
    icons->setLayout(row({new QLabel(QStringLiteral("横幅")), utxtIconWidth,
                          new QLabel(QStringLiteral("pixel")), new QLabel(QStringLiteral("　高さ")),
                          utxtIconHeight, new QLabel(QStringLiteral("pixel"))}));
    layout->addWidget(icons);

    auto* folder = named(new QGroupBox(QStringLiteral("テンプレートフォルダ")), "fraFolder");
    txtFolder = named(new QLineEdit, "txtFolder");
    cmdFolder = named(new QPushButton(QStringLiteral("フォルダ")), "cmdFolder");
    cmdFolderReset = named(new QPushButton(QStringLiteral("リセット")), "cmdFolderReset");
    lblFolderWarning[0] = named(new QLabel(QStringLiteral("※")), "lblFolderWarning0");
    lblFolderWarning[1] =
        named(note(QStringLiteral(
                  "有効なフォルダではありません。違うフォルダを指定するか、リセットを押して"
                  "ください。")),
              "lblFolderWarning1");
    for (QLabel* label : lblFolderWarning)
        label->setStyleSheet(QStringLiteral("color: #c00000;"));
    auto* folderLayout = new QGridLayout(folder);
    auto* line = new QHBoxLayout;
    line->addWidget(txtFolder, 1);
    line->addWidget(cmdFolder);
    line->addWidget(cmdFolderReset);
    folderLayout->addLayout(line, 0, 0, 1, 2);
    folderLayout->addWidget(lblFolderWarning[0], 1, 0, Qt::AlignTop);
    folderLayout->addWidget(lblFolderWarning[1], 1, 1);
    folderLayout->setColumnStretch(1, 1);
    // The warning keeps its room while hidden, so that the page does not jump.
    for (QLabel* label : lblFolderWarning) {
        QSizePolicy policy = label->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        label->setSizePolicy(policy);
    }
    layout->addWidget(folder);

    chkDefaultCommandHook = checkBox(
        "chkDefaultCommandHook", QStringLiteral("エクセル標準の「ファイルから図を挿入」コマンドを本"
                                                "アドインの「ピクロウ」コマンドに置き換える"));
    layout->addWidget(chkDefaultCommandHook);
    chkReTrimmingAdd = checkBox(
        "chkReTrimmingAdd",
        QStringLiteral("エクセルのコマンドバー（エクセル2007以降の場合はリボン）に、「再トリ"
                       "ミング」コマンドを配置する"));
    layout->addWidget(chkReTrimmingAdd);
    auto* shiftNote = note(QStringLiteral(
        "※本チェックの有無に関わらず、Shiftキーを押しながらコマンドを実行することで、標準コマン"
        "ドと「ピクロウ」コマンドを切り替えて呼び出します。"));
    layout->addLayout(row({shiftNote}, kIndent));
    shiftNote->setMaximumWidth(560);
    layout->addStretch(1);
    return widget;
}

QWidget* frmSetting::buildSelectedCellsPage()
{
    QVBoxLayout* layout = nullptr;
    QWidget* widget = page("picOption1", layout);

    chkUnPaste_Lock = checkBox("chkUnPaste_Lock", QStringLiteral("ロックされたセルを除く"));
    chkUnPaste_Lock->setToolTip(
        QStringLiteral("選択セルの書式設定のうち、ロックされたセルを除外します"));
    chkUnPaste_Value = checkBox("chkUnPaste_Value", QStringLiteral("値が代入されたセルを除く"));
    chkUnPaste_Value->setToolTip(QStringLiteral("空白以外のセルを除外します"));
    chkUnPaste_Size = checkBox("chkUnPaste_Size", QStringLiteral("特定のサイズ以下のセルを除く"));
    lblUnPaste_Size[0] = named(new QLabel(QStringLiteral("幅")), "lblUnPaste_Size0");
    lblUnPaste_Size[1] = named(new QLabel(QStringLiteral("または 高さ")), "lblUnPaste_Size1");
    lblUnPaste_Size[2] =
        named(new QLabel(QStringLiteral("ポイント 以下のセル")), "lblUnPaste_Size2");
    utxtUnPaste_Size_Width = numberBox("utxtUnPaste_Size_Width");
    utxtUnPaste_Size_Height = numberBox("utxtUnPaste_Size_Height");
    chkUnPaste_ShowMsg =
        checkBox("chkUnPaste_ShowMsg", QStringLiteral("除外された場合、メッセージを表示する"));
    chkOneCellOnePaste = checkBox(
        "chkOneCellOnePaste",
        QStringLiteral("一つの選択エリアに複数セルが含まれる場合、各セルに画像を貼り付ける"));
    chkOneCellOnePaste->setToolTip(
        QStringLiteral("１つのセルに１つの図を挿入する場合にチェックします。チェックしなかった場"
                       "合、１つの選択エリアに１つの図を挿入します。"));

    layout->addWidget(chkUnPaste_Lock);
    layout->addWidget(chkUnPaste_Value);
    layout->addWidget(chkUnPaste_Size);
    layout->addLayout(row({lblUnPaste_Size[0], utxtUnPaste_Size_Width, lblUnPaste_Size[1],
                           utxtUnPaste_Size_Height, lblUnPaste_Size[2]},
                          kIndent));
    layout->addWidget(chkUnPaste_ShowMsg);
    layout->addWidget(chkOneCellOnePaste);
    layout->addSpacing(8);
    layout->addWidget(note(QStringLiteral(
        "※ここでの設定に限らず、非表示のセルと、幅または高さが0のセルには除外されます。")));
    layout->addWidget(
        note(QStringLiteral("※ここでの設定は、「選択セルモード」でのみ適用されます。")));
    layout->addStretch(1);
    return widget;
}

QWidget* frmSetting::buildShrinkPage()
{
    QVBoxLayout* layout = nullptr;
    QWidget* widget = page("picOption2", layout);

    chkSyukusyou = checkBox("chkSyukusyou", QStringLiteral("挿入した図の原型サイズを縮小する"));
    lblSyukusyou[0] = named(new QLabel(QStringLiteral("挿入サイズの")), "lblSyukusyou0");
    lblSyukusyou[1] =
        named(new QLabel(QStringLiteral("倍 のサイズまで縮小する　（1～10：推奨値=2）")),
              "lblSyukusyou1");
    utxtSyukusyou = numberBox("utxtSyukusyou");
    chkCutTrimming =
        checkBox("chkCutTrimming", QStringLiteral("挿入時にトリミングした部分をカットする"));
    chkCutTrimmingNotAuto = checkBox(
        "chkCutTrimmingNotAuto",
        QStringLiteral("ただし、自動でトリミングした場合（＝びっしり（自動））はカットしない"));

    layout->addWidget(chkSyukusyou);
    layout->addLayout(row({lblSyukusyou[0], utxtSyukusyou, lblSyukusyou[1]}, kIndent));
    layout->addSpacing(8);
    layout->addWidget(chkCutTrimming);
    layout->addLayout(row({chkCutTrimmingNotAuto}, kIndent));
    layout->addStretch(1);
    return widget;
}

QWidget* frmSetting::buildRotationPage()
{
    QVBoxLayout* layout = nullptr;
    QWidget* widget = page("picOption3", layout);

    auto* frame = named(new QGroupBox(QStringLiteral("トリミングフォームにおける回転機能")),
                        "fraTrimmingForm_Rotate");
    auto* inner = new QVBoxLayout(frame);
    optTrimmingForm_Rotate[1] =
        named(new QRadioButton(
                  QStringLiteral("本アドインの独自エンジンにて回転画像を作成してから挿入する")),
              "optTrimmingForm_Rotate1");
    optTrimmingForm_Rotate[0] =
        named(new QRadioButton(QStringLiteral("エクセル標準の回転機能を利用する(Excel2002以降)")),
              "optTrimmingForm_Rotate0");
    inner->addWidget(optTrimmingForm_Rotate[1]);
    inner->addLayout(row({note(QStringLiteral("利点：0.1度単位の回転が可能です。"))}, kIndent));
    inner->addLayout(row({note(QStringLiteral("欠点：Jpeg形式に強制変換されます。また、変換後の最大"
                                              "寸法が1,000pixelとなります。"))},
                         kIndent));
    inner->addSpacing(6);
    inner->addWidget(optTrimmingForm_Rotate[0]);
    inner->addLayout(row({note(QStringLiteral("利点：図の形式が維持されます。"))}, kIndent));
    inner->addLayout(row(
        {note(QStringLiteral("欠点：回転角度は,90 180 270のいずれかに制限されます。"))}, kIndent));
    layout->addWidget(frame);

    lblTrimmingForm_BackColor =
        named(new QLabel(QStringLiteral("背景色")), "lblTrimmingForm_BackColor");
    cmdTrimmingForm_BackColor = named(new QPushButton, "cmdTrimmingForm_BackColor");
    cmdTrimmingForm_BackColor->setFixedSize(48, 22);
    layout->addLayout(row({lblTrimmingForm_BackColor, cmdTrimmingForm_BackColor}));
    layout->addStretch(1);
    return widget;
}

QWidget* frmSetting::buildTextBoxPage()
{
    QVBoxLayout* layout = nullptr;
    QWidget* widget = page("picOption4", layout);

    cboTextbox_Fontname = named(new QComboBox, "cboTextbox_Fontname");
    cboTextbox_Fontname->setMinimumWidth(260);
    cboTextbox_Fontname->setMaxVisibleItems(20);
    utxtTextBox_Fontsize = numberBox("utxtTextBox_Fontsize");
    lblTextBox_ColorIndex = new FontColourPalette;

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("フォント名")), 0, 0);
    grid->addWidget(cboTextbox_Fontname, 0, 1, Qt::AlignLeft);
    grid->addWidget(new QLabel(QStringLiteral("フォントサイズ")), 1, 0);
    grid->addWidget(utxtTextBox_Fontsize, 1, 1, Qt::AlignLeft);
    grid->addWidget(new QLabel(QStringLiteral("フォントカラー")), 2, 0, Qt::AlignTop);
    grid->addWidget(lblTextBox_ColorIndex, 2, 1, Qt::AlignLeft | Qt::AlignTop);
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);
    layout->addStretch(1);
    return widget;
}

QWidget* frmSetting::buildUpdatePage()
{
    QVBoxLayout* layout = nullptr;
    QWidget* widget = page("picOption5", layout);

    chkCheckNewVersion = checkBox("chkCheckNewVersion", QStringLiteral("最新版のチェックを行う"));
    lblCheckNewVersion =
        named(new QLabel(QStringLiteral("チェックする間隔（日数）")), "lblCheckNewVersion");
    utxtCheckNewVersion = numberBox("utxtCheckNewVersion");
    cmdCheckNewVersionNow =
        named(new QPushButton(QStringLiteral("今すぐチェック")), "cmdCheckNewVersionNow");

    layout->addWidget(chkCheckNewVersion);
    layout->addLayout(row({lblCheckNewVersion, utxtCheckNewVersion}, kIndent));
    layout->addLayout(row({cmdCheckNewVersionNow}));
    layout->addStretch(1);
    return widget;
}

} // namespace picrows
