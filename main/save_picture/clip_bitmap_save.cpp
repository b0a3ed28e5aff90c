#include "main/save_picture/clip_bitmap_save.h"

#include "main/save_picture/bitmap_encoders.h"
#include "main/save_picture/clip_formats.h"
#include "platform/clipboard.h"
#include "platform/message_box.h"

#include <QImage>

namespace picrows {

namespace {

void tell(const QString& text)
{
    platform::showMessage(text, platform::MsgButtons::OK, platform::MsgIcon::None,
                          platform::programTitle());
}

} // namespace

bool F_SaveClipBmpAs(const QString& path, const ClipFormats& clipboard)
{
    const std::optional<BitmapEncoder> encoder = encoderForPath(path);
    if (!encoder) {
        tell(QStringLiteral("Unknown File Extention"));
        return false;
    }
    QImage copy;
    if (clipboard.offers(kClipBitmap))
        copy = opaqueCopy(clipboard.data(kClipBitmap).value<QImage>());
    if (copy.isNull()) {
        tell(QStringLiteral("Failed to get hBmp"));
        return false;
    }
    const QByteArray bytes = encodeBitmap(copy, *encoder);
    return !bytes.isEmpty() && writeFileAtomically(path, bytes);
}

bool F_SaveClipBmpAs(const QString& path)
{
    return F_SaveClipBmpAs(path, *clipFormatsOf(platform::clipboard()));
}

} // namespace picrows
