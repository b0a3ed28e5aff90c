#include "main/insert_dialog/thumbnail_image.h"

#include "host/automation/host_error.h"
#include "host/imaging/picture_codecs.h"
#include "main/reduce/picture_thumbnail.h"

#include <QFile>
#include <QPainter>

namespace picrows {

namespace {

// The picture decoded by the host's codecs and drawn like F_DrawPictureThumbnail draws.
bool drawThroughCodecs(QPainter& painter, const QString& path, QSize box)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QImage image;
    try {
        image = host::imaging::decodeImage(file.readAll());
    } catch (const host::HostError&) {
        return false;
    }
    if (image.isNull())
        return false;
    const QSize fitted = image.size().scaled(box, Qt::KeepAspectRatio);
    if (fitted.isEmpty())
        return false;
    const QPoint at((box.width() - fitted.width()) / 2, (box.height() - fitted.height()) / 2);
    painter.drawImage(QRect(at, fitted),
                      image.scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    return true;
}

} // namespace

QImage f_MakeThumbnail(const QString& path, QSize size)
{
    if (size.isEmpty())
        return {};
    QImage box(size, QImage::Format_ARGB32_Premultiplied);
    box.fill(Qt::transparent);
    QPainter painter(&box);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (F_DrawPictureThumbnail(painter, path, size.width(), size.height(), true) ||
        drawThroughCodecs(painter, path, size))
        return box;
    return {};
}

QImage errorThumbnail(QSize size)
{
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    QFont font = painter.font();
    font.setPixelSize(std::max(6, std::min(size.height() / 3, size.width() / 6)));
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("LoadError"));
    return image;
}

} // namespace picrows
