// The picture list of frmGet: adding by the file dialog and by drops, deleting, moving,
// sorting and the file properties.
#include "main/engine/picture_drop.h"
#include "main/insert_dialog/drop_tip.h"
#include "main/insert_dialog/file_properties.h"
#include "main/insert_dialog/frm_get.h"
#include "main/insert_dialog/open_files_dialog.h"
#include "main/insert_dialog/picture_list_model.h"
#include "main/insert_dialog/picture_list_view.h"
#include "main/insert_dialog/thumbnail_loader.h"
#include "platform/message_box.h"

#include <QHeaderView>
#include <QMenu>

namespace picrows {

void frmGet::openFiles()
{
    if (m_busyAdding)
        return;
    const QStringList filters = pictureNameFilters();
    const QStringList files = openFilesDialog().getOpenFileNames(
        this, QStringLiteral("画像ファイルを選択してください。"), filters, filters.front());
    if (files.isEmpty())
        return;
    m_busyAdding = true;
    refreshControls();
    clearSortIndicator();
    // Chosen by hand: taken as they are, whatever their extensions.
    for (const QString& file : files)
        m_pictures.append(file);
    m_busyAdding = false;
    refreshControls();
}

void frmGet::addDropped(const QStringList& paths)
{
    if (paths.isEmpty() || m_busyAdding)
        return;
    m_busyAdding = true;
    clearSortIndicator();
    m_list->hide();
    m_dropTip->hide();
    refreshControls();
    s_AddDroppedItems(paths, m_pictures, *m_status);
    m_list->show();
    m_busyAdding = false;
    refreshControls();
}

void frmGet::deleteSelected()
{
    const int row = m_list->selectedRow();
    if (row < 0)
        return;
    if (platform::showMessage(QStringLiteral("選択中のアイテムを削除します。\r\n続行しますか？"),
                              platform::MsgButtons::OKCancel, platform::MsgIcon::Question,
                              platform::programTitle()) != platform::MsgAnswer::OK)
        return;
    m_pictures.removeAt(row);
    refreshControls();
}

void frmGet::moveSelected(int direction)
{
    const int row = m_list->selectedRow();
    const int to = row + direction;
    if (row < 0 || to < 0 || to >= m_pictures.count())
        return;
    clearSortIndicator();
    const bool focused = m_list->hasFocus();
    m_pictures.move(row, to);
    m_list->selectRow(to);
    if (focused)
        m_list->setFocus();
    refreshControls();
}

void frmGet::clearSortIndicator()
{
    m_list->header()->setSortIndicatorShown(false);
    m_sortColumn = -1;
}

void frmGet::sortByColumn(int column)
{
    QHeaderView* header = m_list->header();
    if (column == PictureListModel::No) {
        // The header moved its indicator by itself: put back what the list is sorted by.
        if (m_sortColumn >= 0)
            header->setSortIndicator(m_sortColumn, m_sortOrder);
        else
            header->setSortIndicatorShown(false);
        return;
    }
    if (column == m_sortColumn) {
        m_sortOrder = m_sortOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    } else {
        m_sortColumn = column;
        m_sortOrder = Qt::AscendingOrder;
    }
    header->setSortIndicatorShown(true);
    header->setSortIndicator(column, m_sortOrder);
    const int selected = m_list->selectedRow();
    const QString selectedPath = m_model->path(selected);
    m_pictures.setPaths(m_model->sortedPaths(column, m_sortOrder));
    if (selected >= 0)
        m_list->selectRow(int(m_pictures.paths().indexOf(selectedPath)));
    refreshControls();
}

void frmGet::showPropertiesMenu(const QPoint& globalPosition)
{
    const int row = m_list->selectedRow();
    if (row < 0)
        return;
    const QString path = m_model->path(row);
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("mnuProperties"));
    QAction* properties = menu.addAction(QStringLiteral("プロパティ(&R)"));
    if (menu.exec(globalPosition) == properties)
        fileProperties().show(path);
}

void frmGet::prioritiseThumbnails(int first, int last)
{
    if (m_loader)
        m_loader->prioritise(m_model->pathsWaitingForThumbnails(first, last));
}

} // namespace picrows
