#include "main/reduce_dialog/frm_convert_pic.h"

#include "main/controls/use_text_box.h"
#include "main/controls/window_services.h"
#include "main/reduce/result_row_select.h"
#include "main/settings/setting.h"
#include "main/startup/startup_context.h"
#include "platform/message_box.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cmath>

namespace picrows {

namespace {

template <class W> W* named(W* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// The icons of the result list: a green circle with a tick, a red one with a cross, a grey one
// with a bar.
QIcon drawKekkaIcon(const QColor& fill, int mark)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(fill.darker(130));
    p.setBrush(fill);
    p.drawEllipse(QRectF(1, 1, 14, 14));
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (mark == 0)
        p.drawPolyline(QPolygonF({{4.5, 8.2}, {7, 10.8}, {11.5, 5.2}}));
    else if (mark == 1)
        p.drawLines(QVector<QLineF>{{5, 5, 11, 11}, {11, 5, 5, 11}});
    else
        p.drawLine(QLineF(4.5, 8, 11.5, 8));
    return QIcon(pixmap);
}

const QStringList& scopeItems()
{
    static const QStringList items = {QStringLiteral("このシートの全ての図"),
                                      QStringLiteral("このブックの全ての図"),
                                      QStringLiteral("開いているブックの全ての図")};
    return items;
}

} // namespace

QIcon frmConvertPic::kekkaIcon(const QString& key)
{
    static const QIcon success = drawKekkaIcon(QColor(0x2e, 0x9d, 0x3a), 0);
    static const QIcon failure = drawKekkaIcon(QColor(0xd0, 0x30, 0x30), 1);
    static const QIcon nothing = drawKekkaIcon(QColor(0x90, 0x90, 0x90), 2);
    if (key == QLatin1String("SEIKOU"))
        return success;
    if (key == QLatin1String("SHIPPAI"))
        return failure;
    return nothing;
}

frmConvertPic::frmConvertPic(c_Setting& setting, const xl::Application& app,
                             const RunFactory& makeRun, QWidget* parent)
    : QDialog(parent), m_setting(setting), m_app(app)
{
    setObjectName(QStringLiteral("frmConvertPic"));
    m_run = makeRun(*this);
    buildControls();
    if (!parent)
        s_SetParentWindow(this, startupContext().glngXlHwnd);
    setWindowTitle(reduceDialogCaption());
    // The result list shows once a run starts.
    lstKekka->hide();

    utxtSyukusyou->setMin(1);
    utxtSyukusyou->setMax(10);
    utxtSyukusyou->setDecimalLength(0);
    utxtSyukusyou->setBackToTop(false);
    utxtSyukusyou->setUpDownChangeValue(1);
    utxtSyukusyou->setNumText(2);
    utxtSyukusyou->setNumText(setting.ConvertSyukusyouBairitsu);

    cboTaisyou->addItems(scopeItems());
    // A stored choice that is no item of the list (the store is text anyone can edit) starts
    // on the first one instead of on none.
    const int target = setting.ConvertTaisyou;
    cboTaisyou->setCurrentIndex(target >= 0 && target < cboTaisyou->count() ? target : 0);
    chkSyukusyou->setChecked(setting.ConvertSyukusyou);
    chkCutTrimming->setChecked(setting.ConvertCutTrimming);

    const double tpp = twipsPerPixel(this);
    const float widths[] = {setting.ConvertListWidth_1, setting.ConvertListWidth_2,
                            setting.ConvertListWidth_3, setting.ConvertListWidth_4,
                            setting.ConvertListWidth_5};
    for (int i = 0; i < 5; ++i)
        lstKekka->setColumnWidth(i, int(std::lround(double(widths[i]) / tpp)));
    applyEnablingRule();

    connect(chkSyukusyou, &QCheckBox::clicked, this, &frmConvertPic::applyEnablingRule);
    connect(chkCutTrimming, &QCheckBox::clicked, this, &frmConvertPic::applyEnablingRule);
    connect(cmdOK, &QPushButton::clicked, this, &frmConvertPic::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmConvertPic::reject);
    connect(lstKekka, &QTreeWidget::itemClicked, this, &frmConvertPic::lstKekka_ItemClick);
}

frmConvertPic::~frmConvertPic() = default;

void frmConvertPic::buildControls()
{
    lblTaisyou[0] = named(new QLabel(QStringLiteral("適用範囲")), "lblTaisyou0");
    cboTaisyou = named(new QComboBox, "cboTaisyou");
    lblTaisyou[1] =
        named(new QLabel(QStringLiteral("※グループ化された図は除外されます")), "lblTaisyou1");
    chkSyukusyou = named(new QCheckBox(QStringLiteral("図の原型サイズを縮小する")), "chkSyukusyou");
    lblSyukusyou[0] = named(new QLabel(QStringLiteral("挿入サイズの")), "lblSyukusyou0");
    utxtSyukusyou = named(new useTextBox, "utxtSyukusyou");
    utxtSyukusyou->setFixedWidth(60);
    lblSyukusyou[1] =
        named(new QLabel(QStringLiteral("倍 のサイズまで縮小する　（1～10：推奨値=2）")),
              "lblSyukusyou1");
    chkCutTrimming =
        named(new QCheckBox(QStringLiteral("トリミング部分をカットする")), "chkCutTrimming");
    cmdOK = named(new QPushButton(QStringLiteral("開始")), "cmdOK");
    cmdCancel = named(new QPushButton(QStringLiteral("閉じる")), "cmdCancel");
    for (QPushButton* b : {cmdOK, cmdCancel}) {
        b->setMinimumWidth(90);
        b->setAutoDefault(false);
    }

    lstKekka = named(new QTreeWidget, "lstKekka");
    lstKekka->setRootIsDecorated(false);
    lstKekka->setUniformRowHeights(true);
    lstKekka->setSelectionMode(QAbstractItemView::SingleSelection);
    lstKekka->setHeaderLabels({QString(), QStringLiteral("対象ブック"),
                               QStringLiteral("対象シート"), QStringLiteral("対象オブジェクト"),
                               QStringLiteral("説明")});
    lstKekka->header()->setStretchLastSection(false);
    // The stored widths hold, the narrow first column of the marks too.
    lstKekka->header()->setMinimumSectionSize(0);
    lstKekka->setIconSize(QSize(16, 16));
    lstKekka->setFixedSize(480, 220);

    auto* scope = new QHBoxLayout;
    scope->addWidget(lblTaisyou[0]);
    scope->addWidget(cboTaisyou);
    scope->addWidget(lblTaisyou[1]);
    scope->addStretch(1);
    auto* factor = new QHBoxLayout;
    factor->addSpacing(20);
    factor->addWidget(lblSyukusyou[0]);
    factor->addWidget(utxtSyukusyou);
    factor->addWidget(lblSyukusyou[1]);
    factor->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(scope);
    layout->addSpacing(6);
    layout->addWidget(chkSyukusyou);
    layout->addLayout(factor);
    layout->addWidget(chkCutTrimming);
    layout->addLayout(buttons);
    layout->addWidget(lstKekka);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void frmConvertPic::applyEnablingRule()
{
    const bool reduce = chkSyukusyou->isChecked();
    for (QLabel* label : lblSyukusyou)
        label->setEnabled(reduce);
    utxtSyukusyou->setEnabledState(reduce);
    cmdOK->setEnabled(reduceStartEnabled(reduce, chkCutTrimming->isChecked()));
}

void frmConvertPic::setOptionsEnabled(bool enabled)
{
    for (QLabel* label : lblTaisyou)
        label->setEnabled(enabled);
    cboTaisyou->setEnabled(enabled);
    chkSyukusyou->setEnabled(enabled);
    for (QLabel* label : lblSyukusyou)
        label->setEnabled(enabled);
    utxtSyukusyou->setEnabledState(enabled);
    chkCutTrimming->setEnabled(enabled);
    cmdCancel->setEnabled(enabled);
}

ReduceOptions frmConvertPic::optionsFromControls() const
{
    ReduceOptions options;
    options.target = cboTaisyou->currentIndex();
    options.picture.reduce = chkSyukusyou->isChecked();
    options.picture.factor = reduceFactorOf(utxtSyukusyou->NumText());
    options.picture.cut = chkCutTrimming->isChecked();
    return options;
}

void frmConvertPic::cmdOK_Click()
{
    if (m_running) {
        // The run asks its question once the current picture is done.
        m_run->requestCancel();
        cmdOK->setEnabled(false);
        return;
    }
    cmdOK->setEnabled(true);
    m_running = true;
    cmdOK->setText(QStringLiteral("キャンセル"));
    setOptionsEnabled(false);
    lstKekka->show();
    lstKekka->clear();
    m_rows.clear();

    const ReduceOutcome outcome = m_run->run(optionsFromControls());

    setOptionsEnabled(true);
    cmdOK->setEnabled(true);
    cmdOK->setText(QStringLiteral("開始"));
    m_running = false;
    // A host error that ended the run early is said, so that it is not taken for a run done.
    if (outcome.error)
        platform::showMessage(QStringLiteral("err(") + QString::number(outcome.error->number()) +
                                  QStringLiteral(")\r\n") + outcome.error->description(),
                              platform::MsgButtons::OK, platform::MsgIcon::Critical,
                              platform::programTitle());
}

void frmConvertPic::addRow(const ReduceRow& row)
{
    auto* item = new QTreeWidgetItem(
        lstKekka, QStringList{row.mark, row.book, row.sheet, row.object, row.description});
    item->setIcon(0, kekkaIcon(row.icon));
    item->setData(0, kIconKeyRole, row.icon);
    // The columns keep their set widths; a long name or reason reads whole in its tooltip.
    for (int column = 1; column < item->columnCount(); ++column)
        item->setToolTip(column, item->text(column));
    m_rows.push_back(row);
    lstKekka->scrollToItem(item);
}

void frmConvertPic::setProgress(const QString& caption)
{
    setWindowTitle(caption);
}

void frmConvertPic::cancelDeclined()
{
    cmdOK->setEnabled(true);
}

void frmConvertPic::lstKekka_ItemClick(QTreeWidgetItem* item)
{
    // Between pictures a run lets clicks through; selecting another sheet then would make the
    // run paste its next copy there.
    if (m_running || !item)
        return;
    const int index = lstKekka->indexOfTopLevelItem(item);
    if (index >= 0 && size_t(index) < m_rows.size())
        s_SelectResultRowObject(m_app, m_rows[size_t(index)]);
}

void frmConvertPic::reject()
{
    if (m_running) {
        m_run->requestCancel();
        return;
    }
    optionsFromControls().storeInto(m_setting);
    QDialog::reject();
}

void frmConvertPic::keyPressEvent(QKeyEvent* event)
{
    // Escape presses the cancel button: the start button while a run is in progress.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        (m_running ? cmdOK : cmdCancel)->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace picrows
