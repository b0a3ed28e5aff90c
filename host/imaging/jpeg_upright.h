#pragma once

#include <QByteArray>

namespace host::imaging {

// A JPEG whose EXIF orientation is not 1, turned upright without re-encoding: libjpeg-turbo's
// lossless transform moves and transposes the DCT blocks, and the orientation tag in the
// copied EXIF block is set to 1 (and its pixel dimensions to the turned picture's), so every
// program shows the result upright.
//
// Partial MCU blocks: a lossless transform can only move whole blocks (8 or 16 pixels). When
// an edge that the transform moves to the left or top is not a whole block, the transform is
// tried "perfect" first and then with TJXOPT_TRIM, which drops that partial block: at most 15
// pixel rows or columns on one edge (a 4000×3000 photo with 16-pixel blocks loses 8 rows when
// turned a quarter). Re-encoding instead would keep those pixels but degrade every other one,
// which is what this path exists to avoid; a few edge pixels of a photograph matter less.
//
// `trimmed` reports that edge pixels were dropped. Only when libjpeg-turbo cannot transform the
// stream at all is it decoded, turned and re-encoded (quality 95), with `lossless` false.
struct UprightJpeg
{
    QByteArray bytes;
    bool trimmed = false;
    bool lossless = true;
};
UprightJpeg uprightJpeg(const QByteArray& jpeg, int orientation);

} // namespace host::imaging
