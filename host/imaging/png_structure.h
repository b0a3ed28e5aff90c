#pragma once

#include <QByteArrayView>

namespace host::imaging {

// What walking a PNG's chunks (without decompressing) finds wrong with it.
enum class PngDamage
{
    None,
    Incomplete, // the data ends inside a chunk or before the end chunk, as a cut-off copy does
    Corrupt,    // a critical chunk's checksum does not match its data
};

// Checked before the picture is decoded: libpng reports such damage by writing on standard
// error itself, past any message handler. Ancillary chunks with a bad checksum are left to the
// decoder, which skips them as viewers do.
PngDamage pngDamage(QByteArrayView png);

} // namespace host::imaging
