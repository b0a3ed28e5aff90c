#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace picrows {

// A picture file's thumbnail for the picture list: the picture as large as fits a transparent
// box of `size` pixels, its proportions kept, centred. A JPEG is decoded at the libjpeg scale
// nearest above the box (1/8 for photographs), so a thumbnail costs about an eighth of a full
// decode. Pictures Qt cannot read (an enhanced metafile from the clipboard) go through the
// host's picture codecs. A null image when the file cannot be drawn. Safe on worker threads.
QImage f_MakeThumbnail(const QString& path, QSize size);

// The image list's "ERRORIMAGE": a blank picture of that size with "LoadError" centred in it.
QImage errorThumbnail(QSize size);

} // namespace picrows
