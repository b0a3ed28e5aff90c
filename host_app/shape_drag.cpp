#include "host_app/shape_drag.h"

#include "host/automation/host_error.h"
#include "host/objects/application.h"
#include "host/objects/workbook.h"
#include "host/objects/worksheet.h"
#include "host_app/commands/selection_commands.h"
#include "host_app/edit_history.h"
#include "host_app/shape_hit.h"
#include "host_app/sheet_layout.h"
#include "host_app/sheet_view.h"
#include "platform/message_box.h"

#include <QKeyEvent>
#include <QLineF>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace host_app {

using commands::Handle;

namespace {

// The turn of an outline (TL, TR, BR, BL), degrees clockwise on the screen.
double turnOf(const QPolygonF& outline)
{
    if (outline.size() < 2)
        return 0;
    const QPointF along = outline[1] - outline[0];
    return std::atan2(along.y(), along.x()) * 180 / std::numbers::pi;
}

} // namespace

std::optional<std::pair<int, Handle>> ShapeDragGesture::handleAt(QPointF pos) const
{
    const auto layout = m_view.layout();
    if (!layout)
        return std::nullopt;
    const host::model::Drawing& drawing = layout->sheet().drawing;
    const std::vector<QPolygonF> outlines = shapeOutlines(drawing, drawing.selection);
    // The topmost shape's handles win, as they are drawn last.
    for (size_t i = outlines.size(); i-- > 0;) {
        const QPolygonF& o = outlines[i];
        for (int c = 0; c < 4 && c + 1 < o.size(); ++c) {
            const QPointF corner = layout->toView(o[c]);
            const QPointF middle = layout->toView((o[c] + o[c + 1]) / 2);
            if (QLineF(corner, pos).length() <= kGrip)
                return std::pair{drawing.selection[i], Handle(2 * c)};
            if (QLineF(middle, pos).length() <= kGrip)
                return std::pair{drawing.selection[i], Handle(2 * c + 1)};
        }
    }
    return std::nullopt;
}

bool ShapeDragGesture::press(const PointerEvent& event)
{
    if (event.button != Qt::LeftButton || event.hit.part != ViewHit::Part::Cells ||
        event.hit.outside)
        return false;
    const auto sheet = m_view.sheet();
    if (!sheet)
        return false;
    host::model::Drawing& drawing = sheet->sheet().drawing;
    const bool adding = event.modifiers & (Qt::ControlModifier | Qt::ShiftModifier);
    m_mode = Mode::None;
    m_moved = false;
    m_start = event.pos;
    if (const auto handle = handleAt(event.pos)) {
        const host::model::Shape* shape = drawing.find(handle->first);
        if (!shape)
            return false;
        m_mode = Mode::Resize;
        m_resized = handle->first;
        m_handle = handle->second;
        m_box = QRectF(shape->left, shape->top, shape->width, shape->height);
        const std::vector<QPolygonF> outline = shapeOutlines(drawing, {m_resized});
        m_rotation = outline.empty() ? 0 : turnOf(outline.front());
        m_locked = shape->lockAspectRatio;
    } else if (event.hit.shapeId != 0 && !adding) {
        const auto& selected = drawing.selection;
        if (std::find(selected.begin(), selected.end(), event.hit.shapeId) == selected.end())
            commands::selectShapes(*sheet, {event.hit.shapeId}, true);
        m_mode = Mode::Move;
        m_origins.clear();
        for (int id : drawing.selection)
            if (const host::model::Shape* shape = drawing.find(id))
                m_origins.emplace_back(id, QPointF(shape->left, shape->top));
    } else {
        return false;
    }
    m_before = m_history.snapshot(*sheet);
    return true;
}

void ShapeDragGesture::tell(const QString& text)
{
    platform::showMessage(text, platform::MsgButtons::OK, platform::MsgIcon::Exclamation,
                          m_view.book().app().caption());
}

void ShapeDragGesture::apply(QPointF pos, Qt::KeyboardModifiers modifiers)
{
    const auto sheet = m_view.sheet();
    const auto layout = m_view.layout();
    if (!sheet || !layout)
        return;
    const QPointF delta = (pos - m_start) / layout->scale();
    const EditHistory::UserEdit scope(m_history);
    if (m_mode == Mode::Move) {
        for (const auto& [id, origin] : m_origins)
            commands::moveShapeTo(*sheet, id, origin + delta);
        return;
    }
    // The pointer's travel in the box's own axes.
    const QPointF along = QTransform().rotate(-m_rotation).map(delta);
    const bool keep = m_locked || (modifiers & Qt::ShiftModifier);
    QRectF box = commands::resizedBox(m_box, m_handle, along, keep);
    // The box turns about its centre: the handle opposite the one dragged stays where it
    // shows by moving the box by what the turn makes of the centre's shift.
    const QPointF shift = box.center() - m_box.center();
    box.translate(QTransform().rotate(m_rotation).map(shift) - shift);
    commands::placeShape(*sheet, m_resized, box);
}

void ShapeDragGesture::move(const PointerEvent& event)
{
    if (m_mode == Mode::None)
        return;
    if (!m_moved && QLineF(m_start, event.pos).length() < kSlop)
        return;
    m_moved = true;
    try {
        apply(event.pos, event.modifiers);
    } catch (const host::HostError& e) {
        m_mode = Mode::None;
        if (const auto sheet = m_view.sheet(); sheet && m_before)
            restoreSheet(*sheet, *m_before);
        m_before.reset();
        tell(e.description());
    }
}

void ShapeDragGesture::release(const PointerEvent& event)
{
    if (m_mode == Mode::None)
        return;
    move(event);
    const auto sheet = m_view.sheet();
    if (sheet && m_before && m_moved && m_mode != Mode::None)
        m_history.finish(*sheet,
                         m_mode == Mode::Move ? commands::ShapeTexts::tr("図形の移動")
                                              : commands::ShapeTexts::tr("図形のサイズ変更"),
                         std::move(*m_before));
    m_before.reset();
    m_mode = Mode::None;
}

bool ShapeDragGesture::key(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Delete || event->modifiers() != Qt::NoModifier)
        return false;
    const auto sheet = m_view.sheet();
    if (!sheet || sheet->sheet().drawing.selection.empty())
        return false;
    try {
        commands::deleteSelectedShapes(m_history, *sheet);
    } catch (const host::HostError& e) {
        tell(e.description());
    }
    return true;
}

} // namespace host_app
