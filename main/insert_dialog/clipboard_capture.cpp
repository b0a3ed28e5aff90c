#include "main/insert_dialog/clipboard_capture.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMimeData>
#include <QSaveFile>

namespace picrows {

namespace {

// The host's marker on everything it copies; only copied cells carry the link format it stands
// for.
const QString kHostCopy = QStringLiteral("application/x-picrows-copy");
const QString kEnhancedMetafile = QStringLiteral("image/x-emf");

bool copiedCells(const QMimeData& data)
{
    if (!data.hasFormat(kHostCopy))
        return false;
    const QJsonObject copy = QJsonDocument::fromJson(data.data(kHostCopy)).object();
    return copy.value(QStringLiteral("cells")).toBool();
}

} // namespace

ClipboardPicture clipboardPicture(const QMimeData* data)
{
    ClipboardPicture picture;
    if (!data || copiedCells(*data) || data->hasText())
        return picture;
    if (data->hasImage()) {
        picture.bitmap = qvariant_cast<QImage>(data->imageData());
        if (!picture.bitmap.isNull())
            picture.kind = ClipboardPicture::Kind::Bitmap;
        return picture;
    }
    if (data->hasFormat(kEnhancedMetafile)) {
        picture.metafile = data->data(kEnhancedMetafile);
        if (!picture.metafile.isEmpty())
            picture.kind = ClipboardPicture::Kind::Metafile;
    }
    return picture;
}

bool saveClipboardPicture(const ClipboardPicture& picture, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    switch (picture.kind) {
    case ClipboardPicture::Kind::Bitmap:
        if (!picture.bitmap.save(&file, "PNG"))
            return false;
        break;
    case ClipboardPicture::Kind::Metafile:
        if (file.write(picture.metafile) != picture.metafile.size())
            return false;
        break;
    case ClipboardPicture::Kind::None:
        return false;
    }
    return file.commit();
}

} // namespace picrows
