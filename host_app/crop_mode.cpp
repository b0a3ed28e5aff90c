#include "host_app/crop_mode.h"

#include "host/automation/host_error.h"
#include "host/objects/application.h"
#include "host/objects/picture_commands.h"
#include "host/objects/shape_geometry.h"
#include "host/objects/shape_site.h"
#include "host/objects/workbook.h"
#include "host/objects/worksheet.h"
#include "host/render/shape_paint.h"
#include "host_app/edit_history.h"
#include "host_app/sheet_layout.h"
#include "host_app/sheet_view.h"
#include "platform/message_box.h"

#include <QKeyEvent>
#include <QLineF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>

namespace host_app {

using commands::Handle;
using host::objects::CropSide;

namespace {

constexpr double kHandleLength = 10; // view pixels
constexpr double kHandleWidth = 3;

// The picture's placement: its own axes (unturned sheet points) to sheet points as shown.
QTransform placementOf(const host::model::Drawing& drawing, int id)
{
    for (const auto& placed : host::render::placeShapes(drawing, {id}))
        return host::render::shapeTransform(*placed.shape) * placed.enclosing;
    return {};
}

QTransform viewTransform(const SheetLayout& layout)
{
    const QPointF origin = layout.origin();
    return QTransform::fromTranslate(-origin.x(), -origin.y()) *
           QTransform::fromScale(layout.scale(), layout.scale()) *
           QTransform::fromTranslate(layout.rowHeaderWidth(), layout.columnHeaderHeight());
}

std::array<QPointF, commands::kHandleCount> handlePoints(const QRectF& box)
{
    const QPointF tl = box.topLeft(), tr = box.topRight(), br = box.bottomRight(),
                  bl = box.bottomLeft();
    return {tl, (tl + tr) / 2, tr, (tr + br) / 2, br, (br + bl) / 2, bl, (bl + tl) / 2};
}

QRectF shownBox(const host::model::Shape& shape)
{
    return QRectF(shape.left, shape.top, shape.width, shape.height);
}

// The untouched picture's box: the shown box grown by the crops at the picture's scale.
QRectF wholeBox(const host::model::Shape& shape)
{
    const host::model::PictureData& p = *shape.picture;
    const double shownW = p.untouchedWidth - p.cropLeft - p.cropRight;
    const double shownH = p.untouchedHeight - p.cropTop - p.cropBottom;
    const double sx = shownW > 0 ? shape.width / shownW : 1;
    const double sy = shownH > 0 ? shape.height / shownH : 1;
    return QRectF(shape.left - p.cropLeft * sx, shape.top - p.cropTop * sy, p.untouchedWidth * sx,
                  p.untouchedHeight * sy);
}

} // namespace

CropMode::CropMode(SheetView& view, EditHistory& history) : m_view(view), m_history(history) {}

bool CropMode::enter()
{
    if (active())
        return true;
    const auto sheet = m_view.sheet();
    if (!sheet || !host::objects::pictureCropEnabled(m_view.book().app()))
        return false;
    m_picture = sheet->sheet().drawing.selection.front();
    m_before = m_history.snapshot(*sheet);
    m_view.update();
    Q_EMIT activeChanged(true);
    return true;
}

void CropMode::end()
{
    if (!active())
        return;
    const auto sheet = m_view.sheet();
    const host::model::Shape* now = sheet ? sheet->sheet().drawing.find(m_picture) : nullptr;
    const host::model::Shape* was = m_before ? m_before->drawing.find(m_picture) : nullptr;
    const auto cropsOf = [](const host::model::Shape* s) {
        const host::model::PictureData& p = *s->picture;
        return std::array{p.cropLeft, p.cropTop, p.cropRight, p.cropBottom};
    };
    if (now && was && now->picture && was->picture && cropsOf(now) != cropsOf(was))
        m_history.finish(*sheet, commands::ShapeTexts::tr("トリミング"), std::move(*m_before));
    m_before.reset();
    m_picture = 0;
    m_dragging = false;
    m_view.update();
    Q_EMIT activeChanged(false);
}

std::optional<Handle> CropMode::handleAt(QPointF pos) const
{
    const auto layout = m_view.layout();
    if (!active() || !layout)
        return std::nullopt;
    const host::model::Shape* shape = layout->sheet().drawing.find(m_picture);
    if (!shape)
        return std::nullopt;
    const QTransform toView =
        placementOf(layout->sheet().drawing, m_picture) * viewTransform(*layout);
    const auto points = handlePoints(shownBox(*shape));
    for (int i = 0; i < commands::kHandleCount; ++i)
        if (QLineF(toView.map(points[size_t(i)]), pos).length() <= kGrip)
            return Handle(i);
    return std::nullopt;
}

bool CropMode::press(const PointerEvent& event)
{
    if (!active())
        return false;
    const auto sheet = m_view.sheet();
    const auto layout = m_view.layout();
    const auto& selection = sheet ? sheet->sheet().drawing.selection : std::vector<int>{};
    const bool stillSelected = selection.size() == 1 && selection.front() == m_picture;
    const auto handle =
        stillSelected && event.button == Qt::LeftButton ? handleAt(event.pos) : std::nullopt;
    if (!handle || !layout) {
        // A press elsewhere ends the mode and goes on to do what it does.
        end();
        return false;
    }
    const host::model::Shape& shape = *sheet->sheet().drawing.find(m_picture);
    const host::model::PictureData& p = *shape.picture;
    m_handle = *handle;
    m_crops[0] = p.cropLeft;
    m_crops[1] = p.cropTop;
    m_crops[2] = p.cropRight;
    m_crops[3] = p.cropBottom;
    const double shownW = p.untouchedWidth - p.cropLeft - p.cropRight;
    const double shownH = p.untouchedHeight - p.cropTop - p.cropBottom;
    m_scaleX = shownW > 0 ? shape.width / shownW : 1;
    m_scaleY = shownH > 0 ? shape.height / shownH : 1;
    m_toPicture = placementOf(sheet->sheet().drawing, m_picture).inverted();
    m_start = m_toPicture.map(layout->toSheet(event.pos));
    m_dragging = true;
    return true;
}

void CropMode::move(const PointerEvent& event)
{
    const auto sheet = m_view.sheet();
    const auto layout = m_view.layout();
    if (!m_dragging || !sheet || !layout)
        return;
    host::model::Shape* shape = sheet->sheet().drawing.find(m_picture);
    if (!shape || !shape->picture)
        return;
    const QPointF d = m_toPicture.map(layout->toSheet(event.pos)) - m_start;
    const host::model::PictureData& p = *shape->picture;
    // A side may be cropped until a point of the picture is left, or pulled out by as much
    // as the picture is wide (an empty margin).
    const double minShown = 1;
    double left = m_crops[0], top = m_crops[1], right = m_crops[2], bottom = m_crops[3];
    const int hx = commands::horizontalEdge(m_handle);
    const int hy = commands::verticalEdge(m_handle);
    const bool leftSide = hx<0, rightSide = hx> 0, topSide = hy<0, bottomSide = hy> 0;
    if (leftSide)
        left = std::clamp(m_crops[0] + d.x() / m_scaleX, -p.untouchedWidth,
                          p.untouchedWidth - right - minShown);
    if (rightSide)
        right = std::clamp(m_crops[2] - d.x() / m_scaleX, -p.untouchedWidth,
                           p.untouchedWidth - left - minShown);
    if (topSide)
        top = std::clamp(m_crops[1] + d.y() / m_scaleY, -p.untouchedHeight,
                         p.untouchedHeight - bottom - minShown);
    if (bottomSide)
        bottom = std::clamp(m_crops[3] - d.y() / m_scaleY, -p.untouchedHeight,
                            p.untouchedHeight - top - minShown);
    try {
        const EditHistory::UserEdit scope(m_history);
        commands::checkShapesChangeable(*sheet);
        host::objects::setCrop(*shape, CropSide::Left, left);
        host::objects::setCrop(*shape, CropSide::Top, top);
        host::objects::setCrop(*shape, CropSide::Right, right);
        host::objects::setCrop(*shape, CropSide::Bottom, bottom);
        host::objects::shapeChanged(*sheet, m_picture);
    } catch (const host::HostError& e) {
        m_dragging = false;
        platform::showMessage(e.description(), platform::MsgButtons::OK,
                              platform::MsgIcon::Exclamation, m_view.book().app().caption());
    }
}

void CropMode::release(const PointerEvent& event)
{
    move(event);
    m_dragging = false;
}

bool CropMode::key(QKeyEvent* event)
{
    if (!active())
        return false;
    const int k = event->key();
    if (k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_Escape) {
        end();
        return true;
    }
    return false;
}

void CropMode::paint(QPainter& painter, const SheetLayout& layout)
{
    if (!active())
        return;
    const host::model::Drawing& drawing = layout.sheet().drawing;
    const host::model::Shape* shape = drawing.find(m_picture);
    if (!shape || !shape->picture)
        return;
    painter.save();
    painter.setClipRect(layout.cellArea());
    painter.setTransform(placementOf(drawing, m_picture) * viewTransform(layout));
    const QRectF shown = shownBox(*shape);
    const QRectF whole = wholeBox(*shape);
    // The whole picture, faint where the crops take it away.
    host::model::Shape uncropped = *shape;
    uncropped.left = whole.left();
    uncropped.top = whole.top();
    uncropped.width = whole.width();
    uncropped.height = whole.height();
    uncropped.rotation = 0;
    uncropped.flipH = uncropped.flipV = false;
    uncropped.lineVisible = false;
    uncropped.picture->cropLeft = uncropped.picture->cropTop = 0;
    uncropped.picture->cropRight = uncropped.picture->cropBottom = 0;
    QPainterPath outside;
    outside.addRect(whole.united(shown));
    QPainterPath inside;
    inside.addRect(shown);
    painter.setClipPath(outside.subtracted(inside), Qt::IntersectClip);
    painter.setOpacity(0.35);
    host::render::paintShape(painter, m_view.book().model(), uncropped);
    painter.setOpacity(1);
    painter.setClipping(false);
    painter.setClipRect(painter.transform().inverted().mapRect(QRectF(layout.cellArea())));
    QPen frame(QColor(0x60, 0x60, 0x60));
    frame.setCosmetic(true);
    frame.setStyle(Qt::DotLine);
    painter.setPen(frame);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(whole);

    // The crop handles: black bars along the shown box's corners and sides.
    const QTransform toView = painter.transform();
    painter.resetTransform();
    QPen bar(Qt::black);
    bar.setWidthF(kHandleWidth);
    bar.setCapStyle(Qt::FlatCap);
    painter.setPen(bar);
    const auto points = handlePoints(shown);
    for (int i = 0; i < commands::kHandleCount; ++i) {
        const QPointF at = toView.map(points[size_t(i)]);
        // Along the sides that meet there.
        const QPointF prev = toView.map(points[size_t((i + 7) % 8)]);
        const QPointF next = toView.map(points[size_t((i + 1) % 8)]);
        const auto toward = [&](QPointF other) {
            const QLineF line(at, other);
            const double length = std::min(kHandleLength, line.length());
            return line.length() > 0 ? at + (other - at) * (length / line.length()) : at;
        };
        if (i % 2 == 0) {
            painter.drawLine(at, toward(prev));
            painter.drawLine(at, toward(next));
        } else {
            painter.drawLine(toward(prev), toward(next));
        }
    }
    painter.restore();
}

} // namespace host_app
