#include "host_app/sheet_view.h"

#include "host/model/workbook.h"
#include "host/objects/application.h"
#include "host/objects/window.h"
#include "host/objects/workbook.h"
#include "host/objects/worksheet.h"
#include "host/render/picture_prefetch.h"
#include "host_app/commands/selection_commands.h"
#include "host_app/commands/view_commands.h"
#include "host_app/model_signals.h"
#include "host_app/selection_gestures.h"
#include "host_app/shape_hit.h"
#include "host_app/sheet_layout.h"
#include "host_app/sheet_painter.h"

#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>

namespace host_app {

using host::model::CellRect;
using host::objects::ChangeKind;

namespace {

constexpr int kRowsPerWheelStep = 3;
constexpr int kZoomPerWheelStep = 10;

} // namespace

SheetView::SheetView(std::shared_ptr<host::objects::Workbook> book, ModelSignals& signals,
                     QWidget* parent)
    : QWidget(parent), m_book(std::move(book)), m_signals(signals),
      m_refresh([this](unsigned what) { refresh(what); })
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(false);
    // Japanese is composed by the desktop's input method over the sheet, then edited in place.
    setAttribute(Qt::WA_InputMethodEnabled);
    m_gestures.push_back(std::make_unique<ShapeClickGesture>(*this));
    m_gestures.push_back(std::make_unique<CellSelectionGesture>(*this));
    m_gestures.push_back(std::make_unique<KeyboardNavigation>(*this));

    connect(&signals, &ModelSignals::sheetChanged, this,
            [this](const host::model::Sheet* sheet, ChangeKind) {
                if (shows(sheet))
                    m_refresh.request(Repaint | Moved);
            });
    connect(&signals, &ModelSignals::sheetsChanged, this,
            [this](const host::objects::Workbook* book) {
                if (book == m_book.get())
                    m_refresh.request(Repaint | Moved);
            });
    connect(&signals, &ModelSignals::viewChanged, this,
            [this](const host::objects::Workbook* book) {
                if (book == m_book.get())
                    m_refresh.request(Repaint | Moved);
            });
    connect(&signals, &ModelSignals::switchesChanged, this, [this] { followScreenUpdating(); });
    if (auto* window = windowObject())
        window->setScreenMapping([this](QPointF points) {
            const auto l = layout();
            return mapToGlobal(l ? l->toView(points).toPoint() : QPoint());
        });
}

SheetView::~SheetView()
{
    if (auto* window = windowObject())
        window->setScreenMapping({});
}

host::objects::Window* SheetView::windowObject() const
{
    return static_cast<host::objects::Window*>(m_book->window().get());
}

std::shared_ptr<host::objects::Worksheet> SheetView::sheet()
{
    if (!m_book->attached())
        return nullptr;
    auto sheet = m_book->activeSheet();
    return sheet && sheet->hasCells() ? sheet : nullptr;
}

bool SheetView::shows(const host::model::Sheet* sheet) const
{
    if (!m_book->attached())
        return false;
    const auto active = m_book->activeSheet();
    return active && &active->sheet() == sheet;
}

std::optional<SheetLayout> SheetView::layout() const
{
    if (!m_book->attached())
        return std::nullopt;
    const auto active = m_book->activeSheet();
    if (!active || !active->hasCells())
        return std::nullopt;
    return SheetLayout(m_book->model(), active->sheet(), size());
}

void SheetView::insertGesture(size_t position, std::unique_ptr<SheetGesture> gesture)
{
    m_gestures.insert(m_gestures.begin() + std::min(position, m_gestures.size()),
                      std::move(gesture));
}

void SheetView::refresh(unsigned what)
{
    if (!m_book->attached())
        return;
    if (what & Repaint)
        update();
    if (what & Moved) {
        publishViewport();
        Q_EMIT viewMoved();
    }
}

void SheetView::followScreenUpdating()
{
    const bool updating = m_book->attached() && m_book->app().screenUpdating();
    if (!updating && m_frozen.isNull()) {
        // Anything the model changed since the last paint waits too.
        m_frozen = grab().toImage();
    } else if (updating && !m_frozen.isNull()) {
        m_frozen = QImage();
        m_refresh.request(Repaint | Moved);
    }
}

void SheetView::publishViewport()
{
    if (const auto l = layout())
        if (auto* window = windowObject())
            window->setViewportPixels(l->cellArea().size());
}

void SheetView::paintEvent(QPaintEvent*)
{
    ++m_paintCount;
    QPainter painter(this);
    if (!m_frozen.isNull()) {
        painter.fillRect(rect(), Qt::white);
        painter.drawImage(0, 0, m_frozen);
        return;
    }
    const auto l = layout();
    if (!l) {
        painter.fillRect(rect(), palette().window());
        return;
    }
    paintSheetView(painter, m_book->model(), *l);
    for (const auto& gesture : m_gestures)
        gesture->paint(painter, *l);
    // What a screen's scroll in any direction would show gets decoded meanwhile.
    const QRect area = l->cellArea();
    const QRectF shown(l->origin(), QSizeF(area.width(), area.height()) / l->scale());
    host::render::preparePictures(
        l->sheet(), shown.adjusted(-shown.width(), -shown.height(), shown.width(), shown.height()),
        l->scale());
}

void SheetView::resizeEvent(QResizeEvent*)
{
    m_refresh.request(Moved);
}

ViewHit SheetView::hitAt(QPointF pos) const
{
    ViewHit hit;
    const auto l = layout();
    if (!l)
        return hit;
    const QRect area = l->cellArea();
    const bool inColumns = pos.x() >= area.left();
    const bool inRows = pos.y() >= area.top();
    hit.row = l->rowAt(std::max(pos.y(), double(area.top())));
    hit.column = l->columnAt(std::max(pos.x(), double(area.left())));
    if (!inColumns && !inRows)
        hit.part = ViewHit::Part::Corner;
    else if (!inRows)
        hit.part = ViewHit::Part::ColumnHeader;
    else if (!inColumns)
        hit.part = ViewHit::Part::RowHeader;
    else
        hit.part = ViewHit::Part::Cells;
    hit.outside = pos.x() > area.right() || pos.y() > area.bottom() || pos.x() < 0 || pos.y() < 0;
    if (hit.part == ViewHit::Part::Cells && !hit.outside)
        hit.shapeId = shapeAt(l->sheet().drawing, l->toSheet(pos));
    return hit;
}

CellRect SheetView::visibleCells() const
{
    const auto l = layout();
    return l ? l->visibleCells() : CellRect{};
}

void SheetView::reveal(const CellRect& cell)
{
    commands::reveal(*m_book, cell, size());
}

PointerEvent SheetView::pointerEvent(const QMouseEvent* event) const
{
    return PointerEvent{event->position(), hitAt(event->position()), event->button(),
                        event->modifiers()};
}

void SheetView::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    if (!sheet())
        return;
    const PointerEvent pointer = pointerEvent(event);
    m_grab = nullptr;
    for (const auto& gesture : m_gestures)
        if (gesture->press(pointer)) {
            m_grab = gesture.get();
            break;
        }
    m_refresh.flush();
}

void SheetView::mouseMoveEvent(QMouseEvent* event)
{
    if (m_grab && sheet())
        m_grab->move(pointerEvent(event));
}

void SheetView::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_grab)
        return;
    SheetGesture* grab = m_grab;
    m_grab = nullptr;
    if (sheet())
        grab->release(pointerEvent(event));
}

void SheetView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (sheet()) {
        const PointerEvent pointer = pointerEvent(event);
        for (const auto& gesture : m_gestures)
            if (gesture->doubleClick(pointer)) {
                m_grab = nullptr;
                m_refresh.flush();
                return;
            }
    }
    mousePressEvent(event);
}

void SheetView::inputMethodEvent(QInputMethodEvent* event)
{
    if (sheet())
        for (const auto& gesture : m_gestures)
            if (gesture->inputMethod(event)) {
                event->accept();
                return;
            }
    QWidget::inputMethodEvent(event);
}

QVariant SheetView::inputMethodQuery(Qt::InputMethodQuery query) const
{
    // The input method's candidate window opens at the active cell.
    if (query == Qt::ImCursorRectangle || query == Qt::ImAnchorRectangle) {
        if (const auto l = layout())
            return l->cellRect(commands::activeCell(l->sheet())).toRect();
    }
    if (query == Qt::ImEnabled)
        return true;
    return QWidget::inputMethodQuery(query);
}

void SheetView::wheelEvent(QWheelEvent* event)
{
    const auto active = sheet();
    if (!active)
        return;
    const int steps = event->angleDelta().y() / 120;
    if (steps == 0)
        return;
    const host::model::SheetView& view = active->sheet().view;
    if (event->modifiers() & Qt::ControlModifier)
        commands::setZoom(*m_book, view.zoom + steps * kZoomPerWheelStep);
    else if (event->modifiers() & Qt::ShiftModifier)
        commands::scrollTo(*m_book, view.topRow, view.leftColumn - steps * kRowsPerWheelStep);
    else
        commands::scrollTo(*m_book, view.topRow - steps * kRowsPerWheelStep, view.leftColumn);
    event->accept();
}

void SheetView::keyPressEvent(QKeyEvent* event)
{
    if (!sheet()) {
        QWidget::keyPressEvent(event);
        return;
    }
    for (const auto& gesture : m_gestures)
        if (gesture->key(event)) {
            event->accept();
            return;
        }
    QWidget::keyPressEvent(event);
}

bool SheetView::event(QEvent* event)
{
    // Tab moves the active cell, not the focus.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return QWidget::event(event);
}

void SheetView::contextMenuEvent(QContextMenuEvent* event)
{
    const auto active = sheet();
    if (!active)
        return;
    const ViewHit hit = hitAt(event->pos());
    if (hit.shapeId == 0) {
        if (hit.part != ViewHit::Part::Corner && !hit.outside)
            Q_EMIT cellMenuRequested(hit.part, event->globalPos());
        return;
    }
    const host::model::Shape* shape = active->sheet().drawing.find(hit.shapeId);
    if (shape && shape->kind == host::model::ShapeKind::Picture)
        Q_EMIT contextMenuRequested(QStringLiteral("Pictures Context Menu"), event->globalPos());
}

} // namespace host_app
