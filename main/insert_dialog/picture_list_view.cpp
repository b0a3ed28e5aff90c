#include "main/insert_dialog/picture_list_view.h"

#include <QDragEnterEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

namespace picrows {

QStringList droppedPaths(const QMimeData* data)
{
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    return paths;
}

PictureListView::PictureListView(QWidget* parent) : QTreeView(parent)
{
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setItemsExpandable(false);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDropIndicatorShown(false);
    setDragDropMode(QAbstractItemView::DropOnly);
    header()->setSectionsClickable(true);
    header()->setSortIndicatorShown(false);
    header()->setStretchLastSection(false);
}

int PictureListView::selectedRow() const
{
    if (!selectionModel())
        return -1;
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
}

void PictureListView::selectRow(int row)
{
    if (!model() || row < 0 || row >= model()->rowCount())
        return;
    const QModelIndex index = model()->index(row, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                 QItemSelectionModel::Rows);
    scrollTo(index);
}

void PictureListView::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
    else
        event->ignore();
}

void PictureListView::dragMoveEvent(QDragMoveEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
    else
        event->ignore();
}

void PictureListView::dropEvent(QDropEvent* event)
{
    if (!event->mimeData()->hasUrls()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    Q_EMIT pathsDropped(droppedPaths(event->mimeData()));
}

void PictureListView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
        Q_EMIT deleteRequested();
        return;
    }
    if (event->modifiers() == Qt::AltModifier &&
        (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
        Q_EMIT moveRequested(event->key() == Qt::Key_Up ? -1 : 1);
        return;
    }
    QTreeView::keyPressEvent(event);
}

void PictureListView::mousePressEvent(QMouseEvent* event)
{
    QTreeView::mousePressEvent(event);
    if (event->button() == Qt::RightButton)
        Q_EMIT propertiesRequested(event->globalPosition().toPoint());
}

void PictureListView::resizeEvent(QResizeEvent* event)
{
    QTreeView::resizeEvent(event);
    scheduleVisibleRows();
}

void PictureListView::showEvent(QShowEvent* event)
{
    QTreeView::showEvent(event);
    scheduleVisibleRows();
}

void PictureListView::scrollContentsBy(int dx, int dy)
{
    QTreeView::scrollContentsBy(dx, dy);
    if (dy != 0)
        scheduleVisibleRows();
}

void PictureListView::rowsInserted(const QModelIndex& parent, int start, int end)
{
    QTreeView::rowsInserted(parent, start, end);
    scheduleVisibleRows();
}

void PictureListView::scheduleVisibleRows()
{
    if (m_visibleRowsScheduled)
        return;
    m_visibleRowsScheduled = true;
    QTimer::singleShot(0, this, [this] {
        m_visibleRowsScheduled = false;
        reportVisibleRows();
    });
}

void PictureListView::reportVisibleRows()
{
    if (!model() || model()->rowCount() == 0)
        return;
    const int first = std::max(0, indexAt(QPoint(1, 1)).row());
    int last = indexAt(QPoint(1, viewport()->height() - 1)).row();
    if (last < 0)
        last = model()->rowCount() - 1;
    Q_EMIT visibleRowsChanged(first, last);
}

} // namespace picrows
