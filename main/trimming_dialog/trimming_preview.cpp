#include "main/trimming_dialog/trimming_preview.h"

#include "main/controls/window_services.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace picrows {

namespace {

constexpr int kHandlePixels = 14;
constexpr Corner kCorners[] = {Corner::LeftTop, Corner::RightTop, Corner::LeftBottom,
                               Corner::RightBottom};

} // namespace

TrimmingPreview::TrimmingPreview(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("picMain"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void TrimmingPreview::setCanvas(const QImage& rotated, QSizeF twips)
{
    m_canvas = rotated;
    m_canvasTwips = twips;
}

double TrimmingPreview::twipsPerPixel() const
{
    return picrows::twipsPerPixel(this);
}

QPointF TrimmingPreview::twipsAt(const QPointF& pixels) const
{
    return pixels * twipsPerPixel();
}

QRectF TrimmingPreview::toPixels(const TwipsRect& t) const
{
    const double tpp = twipsPerPixel();
    return {t.left / tpp, t.top / tpp, t.width / tpp, t.height / tpp};
}

QRectF TrimmingPreview::handleRect(Corner corner) const
{
    const QPointF centre = handleCentre(m_hitArea, corner) / twipsPerPixel();
    return {centre.x() - kHandlePixels / 2.0, centre.y() - kHandlePixels / 2.0, kHandlePixels,
            kHandlePixels};
}

bool TrimmingPreview::fitAndPlace(const CropFractions& fractions)
{
    const double tpp = twipsPerPixel();
    m_display = displayRect(float(width() * tpp), float(height() * tpp),
                            float(m_canvasTwips.width()), float(m_canvasTwips.height()));
    m_placed = m_display.has_value();
    if (!m_placed) {
        update();
        return false;
    }
    m_frame = frameFromFractions(*m_display, fractions);
    redraw();
    return true;
}

CropFractions TrimmingPreview::redraw()
{
    m_hitArea = m_frame;
    update();
    if (!m_display)
        return {};
    const CropFractions fractions = fractionsFromFrame(
        *m_display, m_frame, float(m_canvasTwips.width()), float(m_canvasTwips.height()));
    Q_EMIT redrawn(fractions);
    return fractions;
}

const QPixmap& TrimmingPreview::displayedPicture(const QRect& target)
{
    const qreal ratio = devicePixelRatioF();
    const QSize size = (QSizeF(target.size()) * ratio).toSize().expandedTo({1, 1});
    if (m_scaled.isNull() || m_scaled.size() != size || m_scaledFrom != m_canvas.cacheKey()) {
        // Half-tone stretching, done once for this size of this picture.
        m_scaled = QPixmap::fromImage(
            m_canvas.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        m_scaled.setDevicePixelRatio(ratio);
        m_scaledFrom = m_canvas.cacheKey();
        ++m_renders;
    }
    return m_scaled;
}

void TrimmingPreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!m_placed || !m_display || m_canvas.isNull())
        return;

    const QRect shown = toPixels(*m_display).toRect();
    painter.drawPixmap(shown.topLeft(), displayedPicture(shown));

    // Everything outside the frame half dark, margins included.
    const QRect inside = toPixels(m_hitArea).toRect();
    painter.setClipRegion(QRegion(rect()).subtracted(QRegion(inside)));
    painter.fillRect(rect(), QColor(0, 0, 0, 128));
    painter.setClipping(false);

    const QRect outline = toPixels(m_frame).toRect().adjusted(0, 0, -1, -1);
    painter.setPen(QPen(Qt::white, 0));
    painter.drawRect(outline);
    painter.setPen(QPen(Qt::black, 0, Qt::DotLine));
    painter.drawRect(outline);

    for (Corner corner : kCorners) {
        const QRect handle = handleRect(corner).toRect();
        painter.setPen(QPen(Qt::black, 0));
        painter.setBrush(Qt::white);
        painter.drawRect(handle.adjusted(0, 0, -1, -1));
        painter.fillRect(handle.adjusted(4, 4, -4, -4), Qt::black);
    }
}

std::optional<Corner> TrimmingPreview::handleAt(const QPointF& pixels) const
{
    if (!m_placed)
        return std::nullopt;
    for (Corner corner : kCorners)
        if (handleRect(corner).contains(pixels))
            return corner;
    return std::nullopt;
}

void TrimmingPreview::updateCursor(const QPointF& pixels)
{
    if (const std::optional<Corner> corner = handleAt(pixels)) {
        setCursor(*corner == Corner::LeftTop || *corner == Corner::RightBottom
                      ? Qt::SizeFDiagCursor
                      : Qt::SizeBDiagCursor);
    } else if (m_placed && toPixels(m_hitArea).contains(pixels)) {
        setCursor(Qt::SizeAllCursor);
    } else {
        unsetCursor();
    }
}

void TrimmingPreview::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_placed || m_aspect == 0)
        return;
    const QPointF at = event->position();
    if (const std::optional<Corner> corner = handleAt(at)) {
        m_drag = Drag::Handle;
        m_corner = *corner;
    } else if (toPixels(m_hitArea).contains(at)) {
        m_drag = Drag::Frame;
    } else {
        return;
    }
    m_dragStart = twipsAt(at);
    m_dragFrom = m_hitArea;
}

void TrimmingPreview::mouseMoveEvent(QMouseEvent* event)
{
    if (m_drag == Drag::None || !(event->buttons() & Qt::LeftButton) || !m_display) {
        updateCursor(event->position());
        return;
    }
    const QPointF moved = twipsAt(event->position()) - m_dragStart;
    if (m_drag == Drag::Frame) {
        m_frame = dragFrame(m_dragFrom, float(moved.x()), float(moved.y()), *m_display);
    } else if (const std::optional<TwipsRect> resized =
                   dragHandle(m_dragFrom, m_corner, float(moved.x()), float(moved.y()), *m_display,
                              m_aspect)) {
        m_frame = *resized;
    }
    update();
}

void TrimmingPreview::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || m_drag == Drag::None)
        return;
    m_drag = Drag::None;
    redraw();
    updateCursor(event->position());
}

} // namespace picrows
