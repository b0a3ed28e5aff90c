#pragma once

#include "main/engine/trimming_state.h"

#include <functional>

namespace platform {
class Clipboard;
}

namespace picrows {

// What the command asks of its surroundings. Left empty, each is the usual one: the trimming
// dialog, the clipboard in place (the desktop's when a GUI application runs, which the host
// copies to) and the window system's beep.
struct ReTrimmingIo
{
    TrimmingService* trimming = nullptr;
    platform::Clipboard* clipboard = nullptr;
    std::function<void()> beep;
};

// The trimming state for a picture of untouched size uw × uh points cropped by cl, cr, ct, cb
// points: the frame in the proportions of the part now visible and the crops as fractions of
// the untouched size.
TrimmingState reTrimmingState(double uw, double uh, double cl, double cr, double ct, double cb);

// Re-trims the attached host's selected picture, or each of several selected drawing objects
// in turn while they are pictures: the trimming dialog opens on the untouched picture with the
// current crop, and a confirmed frame becomes the new crop while the picture keeps its place
// and size on the sheet. Refuses (with its message) a host state the command cannot work in
// and a picture the host cannot crop; a selection that is no picture ends it with a beep.
// Cancelling one of several pictures asks whether to cancel them all. Host errors while a new
// crop is applied reach the caller, with screen updating put back.
void s_ReTrimming(const ReTrimmingIo& io);

// The command word "retrimming".
void s_Command_ReTrimming();

} // namespace picrows
