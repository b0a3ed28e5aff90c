#pragma once

#include <QSizeF>

class QImage;

namespace picrows {

// What the trimming dialog and its callers (the manual fill, re-trimming) hand each other for
// one picture. The caller fills the inputs before the dialog opens and reads the outputs once
// it has closed; the dialog changes nothing on the sheet.
struct TrimmingState
{
    // In: the frame's width ÷ height (the target's, or the visible part's when re-trimming);
    // 0 shows no frame.
    double dblAspect = 0;
    // Out: clockwise degrees, 0 ≤ angle < 360, one decimal.
    double dblAngle = 0;
    // Out: 0.1 … 0.9 in steps of 0.1; 0.5 leaves the picture as it is.
    float sngContrast = 0.5f;
    float sngBrightness = 0.5f;
    // In and out: the margins outside the frame as fractions of the picture as the dialog
    // shows it (turned): left and right of its width, top and bottom of its height. Negative
    // margins stand for a frame larger than the picture.
    double dblCropLeft = 0;
    double dblCropRight = 0;
    double dblCropTop = 0;
    double dblCropBottom = 0;
    // Out: true unless the user confirmed.
    bool blnCancel = true;
};

// Shows the trimming dialog for one picture and returns when it has closed. `picture` is the
// untouched image and `points` its size in points as the dialog is to measure it; with
// `blnTrimmingMode` (re-trimming) only the frame is offered, starting from the state's crop.
// The engine and the re-trimming command call it; the dialog library supplies it, tests script
// it.
class TrimmingService
{
public:
    virtual ~TrimmingService() = default;
    virtual void showTrimming(const QImage& picture, QSizeF points, TrimmingState& state,
                              bool blnTrimmingMode) = 0;
};

} // namespace picrows
