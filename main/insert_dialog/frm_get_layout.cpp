// The controls of frmGet and their layout.
#include "main/controls/use_text_box.h"
#include "main/insert_dialog/dialog_icons.h"
#include "main/insert_dialog/drop_tip.h"
#include "main/insert_dialog/frm_get.h"
#include "main/insert_dialog/picture_list_model.h"
#include "main/insert_dialog/picture_list_view.h"
#include "main/insert_dialog/point_squares.h"
#include "main/settings_dialog/command_setting.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace picrows {

namespace {

QToolButton* toolButton(QWidget* parent, const QString& key, const QString& toolTip,
                        int iconSize = 20)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(key);
    button->setIcon(dialogIcon(key));
    button->setIconSize(QSize(iconSize, iconSize));
    button->setToolTip(toolTip);
    button->setAutoRaise(true);
    return button;
}

QLabel* optionLink(QWidget* parent, const QString& name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setText(QStringLiteral("<a href=\"#\">オプション</a>"));
    label->setToolTip(QStringLiteral("環境設定を開く"));
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    return label;
}

QWidget* toolbar(QWidget* parent, const QString& name)
{
    auto* bar = new QFrame(parent);
    bar->setObjectName(name);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    return bar;
}

QFrame* separator(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

void frmGet::buildControls()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 0);
    layout->setSpacing(4);
    layout->addWidget(buildModeBar());
    layout->addWidget(buildFileBar());
    layout->addWidget(buildListArea(), 1);
    layout->addWidget(buildSizeOptions());
    layout->addWidget(buildPasteInfo());

    m_stbMain = new QStatusBar(this);
    m_stbMain->setObjectName(QStringLiteral("stbMain"));
    m_stbMain->setSizeGripEnabled(true);
    auto* panel1 = new QLabel(m_stbMain);
    panel1->setObjectName(QStringLiteral("stbMain_Panel1"));
    auto* panel2 = new QLabel(m_stbMain);
    panel2->setObjectName(QStringLiteral("stbMain_Panel2"));
    m_stbMain->addWidget(panel1, 1);
    m_stbMain->addPermanentWidget(panel2);
    layout->addWidget(m_stbMain);
    m_status = std::make_unique<DialogStatusPanel>(panel1, panel2);

    // Escape closes the dialog through this button's place as the dialog's cancel button.
    m_cmdCancelNotVisible = new QPushButton(this);
    m_cmdCancelNotVisible->setObjectName(QStringLiteral("cmdCancelNotVisible"));
    m_cmdCancelNotVisible->setVisible(false);
    connect(m_cmdCancelNotVisible, &QPushButton::clicked, this, &frmGet::reject);

    m_picToolTip = new QLabel(this);
    m_picToolTip->setObjectName(QStringLiteral("picToolTip"));
    m_picToolTip->setFrameShape(QFrame::NoFrame);
    m_picToolTip->setVisible(false);
    m_picToolTip->installEventFilter(this);

    m_timClipboard = new QTimer(this);
    m_timClipboard->setObjectName(QStringLiteral("timClipboard"));
    m_timClipboard->setInterval(200);
    connect(m_timClipboard, &QTimer::timeout, this, &frmGet::timClipboard_Timer);
    m_timToolTips = new QTimer(this);
    m_timToolTips->setObjectName(QStringLiteral("timToolTips"));
    m_timToolTips->setInterval(100);
    connect(m_timToolTips, &QTimer::timeout, this, &frmGet::timToolTips_Timer);
    m_timCheckXlhandle = new QTimer(this);
    m_timCheckXlhandle->setObjectName(QStringLiteral("timCheckXlhandle"));
    m_timCheckXlhandle->setInterval(100);
    connect(m_timCheckXlhandle, &QTimer::timeout, this, &frmGet::timCheckXlhandle_Timer);
}

QWidget* frmGet::buildModeBar()
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    m_tlbGo = toolbar(row, QStringLiteral("tlbGo"));
    m_tlbGo->setMouseTracking(true);
    m_btnExcelMode = toolButton(m_tlbGo, QStringLiteral("EXCELMODE"), {}, 28);
    m_btnSelectedMode = toolButton(m_tlbGo, QStringLiteral("SELECTEDMODE"), {}, 28);
    m_btnClickMode = toolButton(m_tlbGo, QStringLiteral("CLICKMODE"), {}, 28);
    m_btnClickMode->setCheckable(true);
    m_tlbGo->layout()->addWidget(m_btnExcelMode);
    m_tlbGo->layout()->addWidget(m_btnSelectedMode);
    m_tlbGo->layout()->addWidget(separator(m_tlbGo));
    m_tlbGo->layout()->addWidget(m_btnClickMode);
    for (QWidget* w :
         {static_cast<QWidget*>(m_btnExcelMode), static_cast<QWidget*>(m_btnSelectedMode),
          static_cast<QWidget*>(m_btnClickMode)})
        w->setMouseTracking(true);
    m_tlbGo->installEventFilter(this);
    for (QWidget* child : m_tlbGo->findChildren<QWidget*>())
        child->installEventFilter(this);
    connect(m_btnExcelMode, &QToolButton::clicked, this, [this] { modeButton(1, m_btnExcelMode); });
    connect(m_btnSelectedMode, &QToolButton::clicked, this,
            [this] { modeButton(2, m_btnSelectedMode); });
    connect(m_btnClickMode, &QToolButton::toggled, this, &frmGet::clickModeToggled);

    auto* tlbEnd = toolbar(row, QStringLiteral("tlbEnd"));
    m_btnEnd = toolButton(tlbEnd, QStringLiteral("END"),
                          QStringLiteral("本フォームを閉じて終了します"), 28);
    tlbEnd->layout()->addWidget(m_btnEnd);
    connect(m_btnEnd, &QToolButton::clicked, this, &QWidget::close);

    layout->addWidget(m_tlbGo);
    layout->addStretch();
    layout->addWidget(tlbEnd);
    return row;
}

QWidget* frmGet::buildFileBar()
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* tlbFiles = toolbar(row, QStringLiteral("tlbFiles"));
    m_btnOpen = toolButton(tlbFiles, QStringLiteral("OPEN"), QStringLiteral("図を開く"));
    m_btnDel = toolButton(tlbFiles, QStringLiteral("DEL"), QStringLiteral("選択アイテムを削除"));
    m_btnUp = toolButton(tlbFiles, QStringLiteral("UP"), QStringLiteral("選択アイテムを上に移動"));
    m_btnDown =
        toolButton(tlbFiles, QStringLiteral("DOWN"), QStringLiteral("選択アイテムを下に移動"));
    for (QToolButton* b : {m_btnOpen, m_btnDel, m_btnUp, m_btnDown})
        tlbFiles->layout()->addWidget(b);
    connect(m_btnOpen, &QToolButton::clicked, this, &frmGet::openFiles);
    connect(m_btnDel, &QToolButton::clicked, this, &frmGet::deleteSelected);
    connect(m_btnUp, &QToolButton::clicked, this, [this] { moveSelected(-1); });
    connect(m_btnDown, &QToolButton::clicked, this, [this] { moveSelected(1); });

    auto* tlbClipborad = toolbar(row, QStringLiteral("tlbClipborad"));
    m_btnClip =
        toolButton(tlbClipborad, QStringLiteral("CLIP"), QStringLiteral("クリップボードの監視"));
    m_btnClip->setCheckable(true);
    tlbClipborad->layout()->addWidget(m_btnClip);
    connect(m_btnClip, &QToolButton::toggled, this, &frmGet::clipButtonToggled);

    layout->addWidget(tlbFiles);
    layout->addWidget(separator(row));
    layout->addWidget(tlbClipborad);
    layout->addStretch();
    return row;
}

QWidget* frmGet::buildListArea()
{
    m_listArea = new QWidget(this);
    auto* grid = new QGridLayout(m_listArea);
    grid->setContentsMargins(0, 0, 0, 0);
    // Behind the list: what shows while the list is hidden during an addition.
    m_loadingLabel = new QLabel(QStringLiteral("読み込み中..."), m_listArea);
    m_loadingLabel->setObjectName(QStringLiteral("lblLoading"));
    m_loadingLabel->setAlignment(Qt::AlignCenter);
    grid->addWidget(m_loadingLabel, 0, 0);

    m_list = new PictureListView(m_listArea);
    m_list->setObjectName(QStringLiteral("lstFiles"));
    m_model = new PictureListModel(m_pictures, this);
    m_list->setModel(m_model);
    grid->addWidget(m_list, 0, 0);

    m_dropTip = new DropTip(m_listArea);
    grid->addWidget(m_dropTip, 0, 0);
    m_dropTip->raise();

    connect(m_list, &PictureListView::pathsDropped, this, &frmGet::addDropped);
    connect(m_dropTip, &DropTip::pathsDropped, this, &frmGet::addDropped);
    connect(m_list, &PictureListView::deleteRequested, this, [this] {
        if (m_btnDel->isEnabled())
            deleteSelected();
    });
    connect(m_list, &PictureListView::moveRequested, this, [this](int direction) {
        if ((direction < 0 ? m_btnUp : m_btnDown)->isEnabled())
            moveSelected(direction);
    });
    connect(m_list, &PictureListView::propertiesRequested, this, &frmGet::showPropertiesMenu);
    connect(m_list, &PictureListView::visibleRowsChanged, this, &frmGet::prioritiseThumbnails);
    connect(m_list->header(), &QHeaderView::sectionClicked, this, &frmGet::sortByColumn);
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &frmGet::refreshControls);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &frmGet::refreshControls);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, &frmGet::refreshControls);
    connect(m_model, &QAbstractItemModel::modelReset, this, &frmGet::refreshControls);
    return m_listArea;
}

QWidget* frmGet::buildSizeOptions()
{
    auto* box = new QFrame(this);
    box->setObjectName(QStringLiteral("fraSize"));
    box->setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(6, 4, 6, 4);

    auto* title = new QLabel(QStringLiteral("サイズ"), box);
    title->setObjectName(QStringLiteral("lblSize"));
    m_icboResize = new QComboBox(box);
    m_icboResize->setObjectName(QStringLiteral("icboResize"));
    m_icboResize->setToolTip(QStringLiteral("セルサイズに合わせる方法を指定"));
    m_icboResize->setIconSize(QSize(20, 20));
    m_lblOptionSize = optionLink(box, QStringLiteral("lblOption_Size"));
    connect(m_lblOptionSize, &QLabel::linkActivated, this, [this] { s_Command_Setting(2, this); });

    m_lblPastePoint = new QLabel(QStringLiteral("基準"), box);
    m_lblPastePoint->setObjectName(QStringLiteral("lblPastePoint"));
    m_picPastePoint = new PointSquares(QStringLiteral("picPastePoint"),
                                       {QStringLiteral("左下を基準に配置（またはトリミング）"),
                                        QStringLiteral("右下を基準に配置（またはトリミング）"),
                                        QStringLiteral("中央を基準に配置（またはトリミング）"),
                                        QStringLiteral("左上を基準に配置（またはトリミング）"),
                                        QStringLiteral("右上を基準に配置（またはトリミング）")},
                                       box);
    connect(m_picPastePoint, &PointSquares::clicked, this, &frmGet::refreshControls);
    connect(m_icboResize, &QComboBox::currentIndexChanged, this, &frmGet::refreshControls);

    grid->addWidget(title, 0, 0);
    grid->addWidget(m_lblOptionSize, 0, 1, Qt::AlignRight);
    grid->addWidget(m_icboResize, 1, 0, 1, 2);
    grid->addWidget(m_lblPastePoint, 0, 2, Qt::AlignHCenter);
    grid->addWidget(m_picPastePoint, 1, 2, 2, 1, Qt::AlignHCenter);
    grid->setColumnStretch(0, 1);
    return box;
}

// The panel is 2608 twips high while checked (174 pixels at 96 dpi), so its rows are packed:
// the template, two rows of placeholder buttons, then the type, the offsets and the group box
// beside the text box position squares.
QWidget* frmGet::buildPasteInfo()
{
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("fraPasteInfo"));
    panel->setFrameShape(QFrame::StyledPanel);
    m_pasteInfoPanel = panel;
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->setSpacing(3);

    auto* heading = new QHBoxLayout;
    m_chkPasteInfo = new QCheckBox(QStringLiteral("文字列の挿入"), panel);
    m_chkPasteInfo->setObjectName(QStringLiteral("chkPasteInfo"));
    m_chkPasteInfo->setToolTip(
        QStringLiteral("チェックすると、下のテキストボックスの内容を貼り付け"));
    m_lblOptionPasteInfo = optionLink(panel, QStringLiteral("lblOption_PasteInfo"));
    connect(m_lblOptionPasteInfo, &QLabel::linkActivated, this,
            [this] { s_Command_Setting(4, this); });
    heading->addWidget(m_chkPasteInfo);
    heading->addStretch();
    heading->addWidget(m_lblOptionPasteInfo);
    layout->addLayout(heading);

    m_pasteInfoBody = new QWidget(panel);
    auto* body = new QGridLayout(m_pasteInfoBody);
    body->setContentsMargins(0, 0, 0, 0);
    body->setVerticalSpacing(3);
    body->setHorizontalSpacing(4);

    m_txtPasteInfo = new QPlainTextEdit(m_pasteInfoBody);
    m_txtPasteInfo->setObjectName(QStringLiteral("txtPasteInfo"));
    m_txtPasteInfo->setToolTip(QStringLiteral("実際に貼り付ける文字列を入力"));
    m_txtPasteInfo->setTabChangesFocus(true);
    m_txtPasteInfo->document()->setDocumentMargin(2);
    m_txtPasteInfo->setFixedHeight(m_txtPasteInfo->fontMetrics().lineSpacing() + 4 +
                                   2 * m_txtPasteInfo->frameWidth() + 2);
    m_txtPasteInfo->installEventFilter(this);
    connect(m_txtPasteInfo, &QPlainTextEdit::textChanged, this, &frmGet::refreshControls);
    body->addWidget(m_txtPasteInfo, 0, 0, 1, 3);

    m_tlbPasteInfo = new QWidget(m_pasteInfoBody);
    m_tlbPasteInfo->setObjectName(QStringLiteral("tlbPasteInfo"));
    auto* keys = new QGridLayout(m_tlbPasteInfo);
    keys->setContentsMargins(0, 0, 0, 0);
    keys->setSpacing(2);
    const struct
    {
        const char* key;
        const char* caption;
        const char* tip;
    } placeholders[] = {
        {"FULLPATH", "フルパス", "ファイルのフルパス"},
        {"FOLDERNAME", "フォルダ名", "ファイルのフォルダ名"},
        {"FILENAME1", "名前.拡張子", "ファイル名(拡張子付き)"},
        {"FILENAME2", "名前", "ファイル名(拡張子なし)"},
        {"FILEDATECREATED_DATE", "作成日", "作成日"},
        {"FILEDATECREATED_TIME", "作成時刻", "作成時刻"},
    };
    int i = 0;
    for (const auto& p : placeholders) {
        auto* button = new QToolButton(m_tlbPasteInfo);
        const QString key = QString::fromLatin1(p.key);
        button->setObjectName(key);
        button->setText(QString::fromUtf8(p.caption));
        button->setToolTip(QString::fromUtf8(p.tip));
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        button->setFixedHeight(20);
        connect(button, &QToolButton::clicked, this,
                [this, key] { insertIntoTemplate(QLatin1Char('[') + key + QLatin1Char(']')); });
        keys->addWidget(button, i / 3, i % 3);
        ++i;
    }
    body->addWidget(m_tlbPasteInfo, 1, 0, 1, 3);

    m_cboPasteInfoType = new QComboBox(m_pasteInfoBody);
    m_cboPasteInfoType->setObjectName(QStringLiteral("cboPasteInfo_Type"));
    m_cboPasteInfoType->setToolTip(QStringLiteral("挿入の方法を指定"));
    connect(m_cboPasteInfoType, &QComboBox::currentIndexChanged, this, &frmGet::refreshControls);
    body->addWidget(m_cboPasteInfoType, 2, 0);

    m_lblPasteInfoX = new QLabel(QStringLiteral("横"), m_pasteInfoBody);
    m_lblPasteInfoX->setObjectName(QStringLiteral("lblPasteInfo_X"));
    m_utxtPasteInfoX = new useTextBox(m_pasteInfoBody);
    m_utxtPasteInfoX->setObjectName(QStringLiteral("utxtPasteInfo_X"));
    m_utxtPasteInfoX->setToolTip(QStringLiteral("右方向がプラス、左方向がマイナス"));
    m_lblPasteInfoY = new QLabel(QStringLiteral("縦"), m_pasteInfoBody);
    m_lblPasteInfoY->setObjectName(QStringLiteral("lblPasteInfo_Y"));
    m_utxtPasteInfoY = new useTextBox(m_pasteInfoBody);
    m_utxtPasteInfoY->setObjectName(QStringLiteral("utxtPasteInfo_Y"));
    m_utxtPasteInfoY->setToolTip(QStringLiteral("下方向がプラス、上方向がマイナス"));
    connect(m_utxtPasteInfoX, &useTextBox::Change, this, &frmGet::refreshControls);
    connect(m_utxtPasteInfoY, &useTextBox::Change, this, &frmGet::refreshControls);
    auto* offsets = new QHBoxLayout;
    offsets->setSpacing(3);
    offsets->addWidget(m_lblPasteInfoX);
    offsets->addWidget(m_utxtPasteInfoX);
    offsets->addSpacing(6);
    offsets->addWidget(m_lblPasteInfoY);
    offsets->addWidget(m_utxtPasteInfoY);
    offsets->addStretch();
    body->addLayout(offsets, 3, 0);

    m_chkPasteInfoGroup = new QCheckBox(QStringLiteral("グループ化する"), m_pasteInfoBody);
    m_chkPasteInfoGroup->setObjectName(QStringLiteral("chkPasteInfo_Group"));
    m_chkPasteInfoGroup->setToolTip(QStringLiteral("図と文字列をグループ化"));
    connect(m_chkPasteInfoGroup, &QCheckBox::toggled, this, &frmGet::refreshControls);
    body->addWidget(m_chkPasteInfoGroup, 4, 0);

    m_lblPasteInfoPoint = new QLabel(QStringLiteral("位置"), m_pasteInfoBody);
    m_lblPasteInfoPoint->setObjectName(QStringLiteral("lblPasteInfo_Point"));
    m_picPasteInfoPoint =
        new PointSquares(QStringLiteral("picPasteInfo_Point"),
                         {QStringLiteral("左下を基準に配置"), QStringLiteral("右下を基準に配置"),
                          QStringLiteral("中央を基準に配置"), QStringLiteral("左上を基準に配置"),
                          QStringLiteral("右上を基準に配置")},
                         m_pasteInfoBody);
    connect(m_picPasteInfoPoint, &PointSquares::clicked, this, &frmGet::refreshControls);
    body->addWidget(m_lblPasteInfoPoint, 2, 1, 3, 1, Qt::AlignVCenter | Qt::AlignRight);
    body->addWidget(m_picPasteInfoPoint, 2, 2, 3, 1, Qt::AlignVCenter);
    body->setColumnStretch(0, 1);
    layout->addWidget(m_pasteInfoBody);
    layout->addStretch();

    connect(m_chkPasteInfo, &QCheckBox::toggled, this, [this] {
        applyPasteInfoHeight();
        refreshControls();
    });
    return m_pasteInfoPanel;
}

} // namespace picrows
