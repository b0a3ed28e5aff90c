#include "main/trimming_dialog/frame_geometry.h"

#include "main/engine/trimming_state.h"
#include "main/tools/rotated_picture.h"
#include "main/tools/round_half_even.h"

#include <cmath>
#include <limits>

namespace picrows {

CropFractions CropFractions::of(const TrimmingState& state)
{
    return {state.dblCropLeft, state.dblCropRight, state.dblCropTop, state.dblCropBottom};
}

void CropFractions::storeInto(TrimmingState& state) const
{
    state.dblCropLeft = left;
    state.dblCropRight = right;
    state.dblCropTop = top;
    state.dblCropBottom = bottom;
}

CropFractions initialFrame(float W, float H, double aspect)
{
    CropFractions f;
    if (W <= 0 || H <= 0 || !(aspect > 0))
        return f;
    if (W / H < float(aspect)) {
        // Taller than the frame: the frame spans the width.
        f.top = f.bottom = (double(H) - double(W) / aspect) / 2 / double(H);
    } else {
        f.left = f.right = (double(W) - double(H) * aspect) / 2 / double(W);
    }
    return f;
}

std::optional<TwipsRect> displayRect(float PW, float PH, float W, float H)
{
    const float innerW = PW - 2 * kPreviewMargin;
    const float innerH = PH - 2 * kPreviewMargin;
    if (innerW <= 0 || innerH <= 0 || W <= 0 || H <= 0)
        return std::nullopt;
    float dw = 0;
    float dh = 0;
    if (H / innerH >= W / innerW) {
        dh = innerH;
        dw = W * dh / H;
    } else {
        dw = innerW;
        dh = H * dw / W;
    }
    if (dw <= 0 || dh <= 0)
        return std::nullopt;
    return TwipsRect{(PW - dw) / 2, (PH - dh) / 2, dw, dh};
}

TwipsRect frameFromFractions(const TwipsRect& d, const CropFractions& f)
{
    const float x1 = d.left + float(f.left * d.width);
    const float x2 = d.right() - float(f.right * d.width);
    const float y1 = d.top + float(f.top * d.height);
    const float y2 = d.bottom() - float(f.bottom * d.height);
    return {x1, y1, x2 - x1, y2 - y1};
}

namespace {

// A margin of the preview carried over to the canvas, cut to a whole canvas twip. The margin
// went through single precision on its way from the fraction to the frame, so a whole number
// of twips may come back a hair short of itself; that hair is not cut away.
double canvasFraction(float margin, float displaySide, float canvasSide)
{
    const double onCanvas = double(margin) * double(canvasSide) / double(displaySide);
    const double whole = std::trunc(onCanvas + (onCanvas < 0 ? -1e-3 : 1e-3));
    const double fraction = whole / double(canvasSide);
    return fraction > -0.001 && fraction < 0 ? 0 : fraction;
}

} // namespace

CropFractions fractionsFromFrame(const TwipsRect& d, const TwipsRect& frame, float W, float H)
{
    CropFractions f;
    if (d.width <= 0 || d.height <= 0 || W <= 0 || H <= 0)
        return f;
    f.left = canvasFraction(frame.left - d.left, d.width, W);
    f.right = canvasFraction(d.right() - frame.right(), d.width, W);
    f.top = canvasFraction(frame.top - d.top, d.height, H);
    f.bottom = canvasFraction(d.bottom() - frame.bottom(), d.height, H);
    return f;
}

TwipsRect dragFrame(const TwipsRect& start, float dx, float dy, const TwipsRect& d)
{
    TwipsRect moved = start;
    moved.left = start.left + dx;
    moved.top = start.top + dy;
    if (moved.left < d.left)
        moved.left = d.left;
    if (moved.left + moved.width > d.right())
        moved.left = d.right() - moved.width;
    if (moved.top < d.top)
        moved.top = d.top;
    if (moved.top + moved.height > d.bottom())
        moved.top = d.bottom() - moved.height;
    return moved;
}

std::optional<TwipsRect> dragHandle(const TwipsRect& start, Corner corner, float dx, float dy,
                                    const TwipsRect& d, double aspect)
{
    if ((dx == 0 && dy == 0) || !(aspect > 0))
        return std::nullopt;
    const float L = start.left;
    const float T = start.top;
    const float w = start.width;
    const float h = start.height;
    const float sx = corner == Corner::LeftTop || corner == Corner::LeftBottom ? -1.f : 1.f;
    const float sy = corner == Corner::LeftTop || corner == Corner::RightTop ? -1.f : 1.f;

    // Dragged to a zero height the proportion is unbounded: the width is limited first.
    const float below = h + sy * dy;
    const float M = below != 0 ? (w + sx * dx) / below : std::numeric_limits<float>::infinity();

    const auto horizontal = [&] {
        if (sx < 0) {
            if (L + dx < d.left)
                dx = d.left - L;
            if (w - kMinFrameSide < dx)
                dx = w - kMinFrameSide;
        } else {
            if (L + w + dx > d.right())
                dx = d.right() - L - w;
            if (-(w - kMinFrameSide) > dx)
                dx = -(w - kMinFrameSide);
        }
        dy = float(double(sx * sy * dx) / aspect);
    };
    const auto vertical = [&] {
        if (sy < 0) {
            if (T + dy < d.top)
                dy = d.top - T;
            if (h - kMinFrameSide < dy)
                dy = h - kMinFrameSide;
        } else {
            if (T + h + dy > d.bottom())
                dy = d.bottom() - T - h;
            if (-(h - kMinFrameSide) > dy)
                dy = -(h - kMinFrameSide);
        }
        dx = float(double(sx * sy * dy) * aspect);
    };
    if (float(aspect) >= M) {
        vertical();
        horizontal();
    } else {
        horizontal();
        vertical();
    }
    return TwipsRect{sx < 0 ? L + dx : L, sy < 0 ? T + dy : T, w + sx * dx, h + sy * dy};
}

QPointF handleCentre(const TwipsRect& f, Corner corner)
{
    switch (corner) {
    case Corner::LeftTop:
        return {f.left - kHandleOffset, f.top - kHandleOffset};
    case Corner::RightTop:
        return {f.right() + kHandleOffset, f.top - kHandleOffset};
    case Corner::LeftBottom:
        return {f.left - kHandleOffset, f.bottom() + kHandleOffset};
    case Corner::RightBottom:
        return {f.right() + kHandleOffset, f.bottom() + kHandleOffset};
    }
    return {};
}

QSizeF rotatedCanvasTwips(QSizeF points, double angle, double twipsPerPixel)
{
    const int w = std::max(1, pixelsHalfEven(points.width() * 20 / twipsPerPixel));
    const int h = std::max(1, pixelsHalfEven(points.height() * 20 / twipsPerPixel));
    if (angle == 0)
        return QSizeF(w, h) * twipsPerPixel;
    const QSizeF turned = rotatedBounds(float(w), float(h), angle);
    return QSizeF(std::max(1, pixelsHalfEven(turned.width())),
                  std::max(1, pixelsHalfEven(turned.height()))) *
           twipsPerPixel;
}

double quarterTurn(double angle, bool right)
{
    const double q = (angle + (right ? 90 : -90)) / 90;
    return 90.0 * double(roundHalfEven(q));
}

double snapToQuarter(double angle)
{
    double snapped = 90.0 * double(roundHalfEven(angle / 90));
    while (snapped > 359.9)
        snapped -= 360;
    while (snapped < 0)
        snapped += 360;
    return snapped;
}

} // namespace picrows
