#pragma once

#include <QByteArray>
#include <QImage>

namespace picrows {

// An enhanced metafile drawn on a white raster canvas of its natural size: its frame at 96
// pixels per inch. Null when the bytes are no metafile or its frame is empty or too large to
// draw.
QImage drawMetafileOnCanvas(const QByteArray& emf);

} // namespace picrows
