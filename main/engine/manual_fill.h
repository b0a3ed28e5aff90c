#pragma once

#include "main/engine/picture_fit.h"
#include "main/engine/run_paste.h"
#include "main/engine/trimming_state.h"

#include <optional>

namespace platform {
class Clipboard;
}

namespace picrows {

class c_Setting;

// Where a picture trimmed by hand stands once the trimming is applied: its rotation (none on
// the upright row), its four crops in points of the untouched size uw × uh, and its box.
struct ManualPlacement
{
    std::optional<double> rotation;
    double cropLeft = 0, cropRight = 0, cropTop = 0, cropBottom = 0;
    double width = 0, height = 0, left = 0, top = 0;
};

// The trimming angle as the fill uses it: rounded to 2 decimals, halves to even.
double roundedTrimmingAngle(double angle);

// The placement for the state's crop fractions (of the picture as the dialog showed it, turned)
// at `angle` (rounded). When the program draws rotations into the pixels (`rotateApiMode`) the
// picture is upright already and takes the upright row whatever the angle; otherwise the host
// turns it by a quarter, half or three-quarter turn, the crops follow the turn, and for a
// quarter turn the shape's own width and height are exchanged and it is centred on the target
// so that the turned picture covers it.
ManualPlacement manualPlacement(const TrimmingState& state, double angle, bool rotateApiMode,
                                double uw, double uh, const TargetBox& target);

// The fill of size mode 3: each picture is shown in the trimming dialog (through `service`)
// with a frame of its target's proportions, then turned, cropped and laid over the target as
// the user chose; the colour follows after resampling. A picture the host cannot crop falls
// back to fit inside, one whose untouched image cannot be captured to the automatic fill; a
// cancelled dialog deletes the picture and ends the run. The clipboard is the one the host
// copies to and pastes from; the settings are read for the rotation engine and its background
// when they are used, so that a change made from the dialog's options link applies at once.
// All three must outlive the fill.
class ManualTrimmingFill : public ManualFill
{
public:
    ManualTrimmingFill(TrimmingService& service, platform::Clipboard& clipboard,
                       const c_Setting& setting);

    ManualFillResult fill(const xl::Application& app, const xl::Picture& picture,
                          const xl::Range& target, bool canCrop, double uw, double uh,
                          const QString& path, RunOptions& options) override;
    void finish(const xl::Application& app, const xl::Picture& picture) override;

    // The record of the last picture, as the dialog left it.
    const TrimmingState& state() const { return m_state; }

private:
    TrimmingService& m_service;
    platform::Clipboard& m_clipboard;
    const c_Setting& m_setting;
    TrimmingState m_state;
};

} // namespace picrows
