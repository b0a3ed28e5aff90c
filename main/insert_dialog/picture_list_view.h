#pragma once

#include <QStringList>
#include <QTreeView>

class QMimeData;

namespace picrows {

// The files and folders a drop carries: its URL list's local paths, in the drop's order.
QStringList droppedPaths(const QMimeData* data);

// The report view of the picture list. Takes drops of files and folders, turns the list's keys
// into requests (Delete, Alt+Up, Alt+Down) and a right button press into a request for the
// properties menu, and says which rows it shows whenever that may have changed.
class PictureListView : public QTreeView
{
    Q_OBJECT

public:
    explicit PictureListView(QWidget* parent = nullptr);

    int selectedRow() const; // -1 when no row is selected
    void selectRow(int row);

Q_SIGNALS:
    void pathsDropped(const QStringList& paths);
    void deleteRequested();
    void moveRequested(int direction); // -1 up, +1 down
    void propertiesRequested(const QPoint& globalPosition);
    void visibleRowsChanged(int first, int last);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void rowsInserted(const QModelIndex& parent, int start, int end) override;

private:
    void scheduleVisibleRows();
    void reportVisibleRows();

    bool m_visibleRowsScheduled = false;
};

} // namespace picrows
