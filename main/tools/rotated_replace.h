#pragma once

#include "host/xl/picture.h"

#include <cstdint>
#include <optional>

class QImage;

namespace xl {
class Application;
}

namespace platform {
class Clipboard;
}

namespace picrows {

// The picture that took the inserted one's place, and its untouched size (points) from now on.
struct RotatedPicture
{
    xl::Picture picture;
    double width = 0;
    double height = 0;
};

// Replaces `inserted` (on the active sheet) by a JPEG of `untouched` turned clockwise by
// `angle` degrees on a `backColor` (0x00BBGGRR) background: the turned raster goes onto
// `clipboard` (the one the host pastes from) as a bitmap, is pasted as a bitmap, copied and
// pasted again as JPEG, and the bitmap and `inserted` are deleted. From version 12 on the JPEG
// stands at 100 % of its own size. When either paste fails the user is told which one and to
// try again without turning, `inserted` is deleted and the answer is none. The clipboard is
// left empty on success.
std::optional<RotatedPicture> s_ReplaceWithRotatedPicture(const xl::Application& app,
                                                          const xl::Picture& inserted,
                                                          const QImage& untouched, double angle,
                                                          std::int32_t backColor,
                                                          platform::Clipboard& clipboard);

} // namespace picrows
