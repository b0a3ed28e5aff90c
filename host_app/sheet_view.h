#pragma once

#include "host/objects/change_notifier.h"
#include "host_app/coalesced_refresh.h"
#include "host_app/sheet_gesture.h"

#include <QImage>
#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

namespace host::objects {
class Window;
class Workbook;
} // namespace host::objects

namespace host_app {

class ModelSignals;
class SheetLayout;

// The cells, shapes and headers of a workbook's active sheet, drawn from the model at every
// paint through the host's renderer. It learns of changes from the model's signals and
// repaints once per event-loop turn however many arrived; while the host's ScreenUpdating is
// off it shows what it showed when it went off. The user's pointer and keys go to its
// gestures (sheet_gesture.h), which change the workbook through the command layer.
class SheetView : public QWidget, public GestureContext
{
    Q_OBJECT

public:
    SheetView(std::shared_ptr<host::objects::Workbook> book, ModelSignals& signals,
              QWidget* parent = nullptr);
    ~SheetView() override;

    // GestureContext
    host::objects::Workbook& book() override { return *m_book; }
    std::shared_ptr<host::objects::Worksheet> sheet() override;
    ViewHit hitAt(QPointF pos) const override;
    QSize viewPixels() const override { return size(); }
    void reveal(const host::model::CellRect& cell) override;
    host::model::CellRect visibleCells() const override;

    // The layout of the active sheet as the view shows it now; none without a sheet of cells.
    std::optional<SheetLayout> layout() const;
    // Gestures are offered presses in order; the editing commands insert theirs before the
    // selection's.
    void insertGesture(size_t position, std::unique_ptr<SheetGesture> gesture);
    // Paints run so far: for tests of the coalescing.
    int paintCount() const { return m_paintCount; }

Q_SIGNALS:
    // A right click asks for a context menu: the command bar of that name.
    void contextMenuRequested(const QString& barName, const QPoint& globalPos);
    // A right click on cells or headers: the window's menu of cell, row or column commands.
    void cellMenuRequested(host_app::ViewHit::Part part, const QPoint& globalPos);
    // The zoom, scroll position, size or sheet changed: scroll bars follow.
    void viewMoved();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool event(QEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

private:
    enum Refresh : unsigned
    {
        Repaint = 1,
        Moved = 2,
    };
    void refresh(unsigned what);
    bool shows(const host::model::Sheet* sheet) const;
    void followScreenUpdating();
    void publishViewport();
    host::objects::Window* windowObject() const; // the book's Window object, if it has one
    PointerEvent pointerEvent(const QMouseEvent* event) const;

    std::shared_ptr<host::objects::Workbook> m_book;
    ModelSignals& m_signals;
    CoalescedRefresh m_refresh;
    std::vector<std::unique_ptr<SheetGesture>> m_gestures;
    SheetGesture* m_grab = nullptr; // the gesture that took the press under way
    QImage m_frozen;                // what shows while screen updating is off
    int m_paintCount = 0;
};

} // namespace host_app
