#include "main/excluded_cells/frm_show_jogai_msg.h"

#include "main/controls/modal_loop.h"
#include "main/controls/window_services.h"
#include "main/settings_dialog/command_setting.h"
#include "main/startup/host_window.h"
#include "platform/message_box.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace picrows {

frmShowJogaiMsg::frmShowJogaiMsg(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmShowJogaiMsg"));
    setWindowTitle(platform::programTitle() + QStringLiteral(" - 除外されたセル一覧"));
    if (!owner)
        s_SetParentWindow(this, f_GetXlHwnd());

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("lstJogaiMsg"));
    m_list->setColumnCount(2);
    m_list->setHeaderLabels({QStringLiteral("除外セル"), QStringLiteral("原因")});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setColumnWidth(0, 140);
    m_list->header()->setSectionsClickable(true);
    m_list->header()->setSortIndicatorShown(false);
    connect(m_list->header(), &QHeaderView::sectionClicked, this,
            [this](int column) { lstJogaiMsg_ColumnClick(column); });

    auto* option = new QLabel(this);
    option->setObjectName(QStringLiteral("lblOption_Cell"));
    option->setText(QStringLiteral("<a href=\"#\">オプション</a>"));
    option->setToolTip(QStringLiteral("環境設定を開く"));
    connect(option, &QLabel::linkActivated, this, [] { s_Command_Setting(1, nullptr); });

    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(option);
    bottom->addStretch();
    bottom->addWidget(close);
    layout->addLayout(bottom);
    resize(340, 300);
}

void frmShowJogaiMsg::addEntry(const QString& entry)
{
    const qsizetype tab = entry.indexOf(QLatin1Char('\t'));
    auto* item = new QTreeWidgetItem(m_list);
    item->setText(0, tab < 0 ? entry : entry.left(tab));
    item->setText(1, tab < 0 ? QString() : entry.mid(tab + 1));
}

void frmShowJogaiMsg::lstJogaiMsg_ColumnClick(int column)
{
    // The header flips its indicator by itself before the click arrives here; the order is
    // decided from what this list remembers.
    if (m_sorted && m_sortColumn == column)
        m_sortOrder = m_sortOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    else
        m_sortOrder = Qt::AscendingOrder;
    m_sortColumn = column;
    m_sorted = true;
    m_list->sortItems(column, m_sortOrder);
    m_list->header()->setSortIndicatorShown(true);
    m_list->header()->setSortIndicator(column, m_sortOrder);
}

void JogaiMsgView::showExclusions(const QStringList& entries)
{
    frmShowJogaiMsg dialog(m_owner);
    for (const QString& entry : entries)
        dialog.addEntry(entry);
    showModal(dialog);
}

} // namespace picrows
