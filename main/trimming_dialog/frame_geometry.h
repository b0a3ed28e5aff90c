#pragma once

#include <QPointF>
#include <QSizeF>

#include <optional>

namespace picrows {

struct TrimmingState;

// The arithmetic of the trimming dialog's crop frame, in twips of the preview area and in
// single precision, as the dialog measures it. The preview shows the turned picture (the
// rotated canvas, W × H twips) fitted into the area with a margin; the frame is a rectangle of
// a fixed aspect over it, and the crop fractions are its margins measured on the canvas.

// A rectangle in twips.
struct TwipsRect
{
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;

    float right() const { return left + width; }
    float bottom() const { return top + height; }
    friend bool operator==(const TwipsRect&, const TwipsRect&) = default;
};

// The four margins as fractions of the turned picture's width (left, right) and height (top,
// bottom).
struct CropFractions
{
    double left = 0;
    double right = 0;
    double top = 0;
    double bottom = 0;

    static CropFractions of(const TrimmingState& state);
    void storeInto(TrimmingState& state) const;
    friend bool operator==(const CropFractions&, const CropFractions&) = default;
};

inline constexpr float kPreviewMargin = 400; // between the preview's border and the picture
inline constexpr float kMinFrameSide = 100;  // the frame's least width and height
inline constexpr float kHandleOffset = 100;  // a handle's centre, diagonally off its corner

// The largest frame of `aspect` (width ÷ height) centred on a W × H canvas.
CropFractions initialFrame(float W, float H, double aspect);

// Where the canvas is shown in a PW × PH preview: as large as fits with the margin all round,
// centred. None when either side would be empty or the preview is too small for the margin.
std::optional<TwipsRect> displayRect(float PW, float PH, float W, float H);

// The frame the fractions describe on the displayed canvas.
TwipsRect frameFromFractions(const TwipsRect& display, const CropFractions& fractions);

// The fractions the frame describes: each margin carried over to the W × H canvas and cut to a
// whole canvas twip (toward zero), then divided by W or H; a margin just below zero (above
// −0.001) counts as none.
CropFractions fractionsFromFrame(const TwipsRect& display, const TwipsRect& frame, float W,
                                 float H);

// The frame `start` moved by (dx, dy): it stops at the displayed picture's left and top edges,
// then at its right and bottom edges (a frame larger than the picture ends up flush right and
// bottom). Its size does not change.
TwipsRect dragFrame(const TwipsRect& start, float dx, float dy, const TwipsRect& display);

enum class Corner
{
    LeftTop,
    RightTop,
    LeftBottom,
    RightBottom
};

// The frame `start` with `corner` dragged by (dx, dy): the two edges meeting there move, the
// frame keeps `aspect`, stays on the displayed picture and never gets narrower or lower than
// kMinFrameSide. The direction that moved more against the aspect is limited first, the other
// one follows it. None when nothing moved (or there is no aspect).
std::optional<TwipsRect> dragHandle(const TwipsRect& start, Corner corner, float dx, float dy,
                                    const TwipsRect& display, double aspect);

// The centre of a corner's handle: kHandleOffset outside the corner on both axes.
QPointF handleCentre(const TwipsRect& frame, Corner corner);

// The size the rotated canvas has, in twips, for a picture of `points` turned by `angle`
// degrees, measured in whole pixels of `twipsPerPixel`, as the preview draws it.
QSizeF rotatedCanvasTwips(QSizeF points, double angle, double twipsPerPixel);

// The angle the quarter-turn buttons go to: the next multiple of 90 to the right (clockwise)
// or to the left, counted from the nearest quarter (halves to even), before wrapping.
double quarterTurn(double angle, bool right);

// The angle snapped to the nearest quarter turn (halves to even), brought into 0 … 359.9.
double snapToQuarter(double angle);

} // namespace picrows
