#pragma once

#include <QByteArrayView>

namespace host::imaging {

// Whether a GIF's blocks are all there: walks the block structure (without decompressing)
// to the trailer. A file that ends inside a block, as a cut-off download does, is not
// complete; one that lacks only the trailer after whole images is accepted, as viewers do.
bool gifComplete(QByteArrayView gif);

} // namespace host::imaging
