#pragma once

#include <QString>

#include <cstdint>

class QPainter;

namespace picrows {

// Draws the picture file scaled into the box of boxWidth × boxHeight pixels at the painter's
// origin: stretched to the box, or with `keepProportions` as large as fits with the other side
// in proportion, centred. The file is decoded at about the size drawn (JPEG by scaled
// decoding), so large photographs stay quick. The box is not cleared first. False, with
// nothing drawn, when the file cannot be read, has no pixels, or the sizes overflow.
bool F_DrawPictureThumbnail(QPainter& painter, const QString& path, std::int32_t boxWidth,
                            std::int32_t boxHeight, bool keepProportions);

} // namespace picrows
