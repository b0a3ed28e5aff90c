#pragma once

#include "main/reduce/reduce_row.h"

#include <cstdint>

namespace platform {
class Clipboard;
}
namespace xl {
class Application;
class ShapeRange;
} // namespace xl

namespace picrows {

// What to do with each picture of a reduction run.
struct PictureReduction
{
    bool reduce = false;     // make the untouched size `factor` times the displayed size
    std::int16_t factor = 2; // 1 to 10
    bool cut = false;        // keep only the visible part of a cropped picture
};

// Replaces one picture of the active sheet (`shapeRange`, one picture) by a re-pasted JPEG copy
// when it is larger than `factor` times its displayed (uncropped) size, or, with `cut`, when
// it is cropped by 2 points or more on a side. The copy takes the picture's place, displayed
// size, visible part and rotation; it is the sheet's newest picture, under the name the host
// gives a pasted picture. Answers the result row, whose book and sheet are the active ones.
// `clipboard` is the one the host's Copy fills, used to measure the untouched size.
ReduceRow f_ReducePicture(const xl::Application& app, platform::Clipboard& clipboard,
                          const xl::ShapeRange& shapeRange, const PictureReduction& what);

} // namespace picrows
