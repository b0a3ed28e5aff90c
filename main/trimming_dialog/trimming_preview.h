#pragma once

#include "main/trimming_dialog/frame_geometry.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <optional>

namespace picrows {

// The trimming dialog's preview area (`picMain`): the turned picture fitted in with a margin,
// the crop frame (a solid white and a dotted outline), the shading outside it and the four
// corner handles. Dragging inside the frame moves it, dragging a handle resizes it in the
// required proportion. While the pointer drags only the outlines follow; on release the
// handles, the frame's hit area and the shading catch up and the fractions are measured again
// (redrawn). The picture is scaled to the display once per change of the picture or of the
// area's size, never while the frame moves.
class TrimmingPreview : public QWidget
{
    Q_OBJECT

public:
    explicit TrimmingPreview(QWidget* parent = nullptr);

    // The turned picture and the size it stands for, in twips (the fractions are measured on
    // that size, whatever the picture's pixels).
    void setCanvas(const QImage& rotated, QSizeF twips);
    void setAspect(double aspect) { m_aspect = aspect; }

    // Fits the picture into the area and puts the frame where the fractions say, then redraws.
    // False (nothing placed) when the picture cannot be shown in the area.
    bool fitAndPlace(const CropFractions& fractions);
    // The handles, hit area and shading follow the outlines, and the fractions are measured
    // from the frame; they are announced through redrawn() as well.
    CropFractions redraw();

    double twipsPerPixel() const;
    std::optional<TwipsRect> display() const { return m_display; }
    TwipsRect frame() const { return m_frame; }     // the outlines
    TwipsRect hitArea() const { return m_hitArea; } // where the frame was last redrawn
    QRectF handleRect(Corner corner) const;         // pixels of this widget
    QRectF toPixels(const TwipsRect& twips) const;
    int pictureRenders() const { return m_renders; } // scalings of the picture so far

Q_SIGNALS:
    void redrawn(const picrows::CropFractions& fractions);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    enum class Drag
    {
        None,
        Frame,
        Handle
    };
    QPointF twipsAt(const QPointF& pixels) const;
    std::optional<Corner> handleAt(const QPointF& pixels) const;
    void updateCursor(const QPointF& pixels);
    const QPixmap& displayedPicture(const QRect& target);

    QImage m_canvas;
    QSizeF m_canvasTwips;
    double m_aspect = 0;
    std::optional<TwipsRect> m_display;
    TwipsRect m_frame;
    TwipsRect m_hitArea;
    bool m_placed = false;

    Drag m_drag = Drag::None;
    Corner m_corner = Corner::LeftTop;
    QPointF m_dragStart; // twips
    TwipsRect m_dragFrom;

    QPixmap m_scaled;
    qint64 m_scaledFrom = 0;
    int m_renders = 0;
};

} // namespace picrows
