#include "ribbon_addin/png_picture.h"

#include "host/automation/host_error.h"
#include "host/automation/picture_disp.h"
#include "platform/temp_files.h"
#include "ribbon_addin/resources.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>

namespace ribbon_addin {

namespace {

// Removes the file however the load ends.
struct RemoveOnExit
{
    QString path;
    ~RemoveOnExit()
    {
        if (!path.isEmpty())
            QFile::remove(path);
    }
};

} // namespace

host::ObjectRef F_LoadResPNGPicture(const QString& name, const QString& type)
{
    const QByteArray bytes = resourceBytes(name, type);
    RemoveOnExit temp{platform::F_GetTempFileFullpath(QStringLiteral("TORVA"))};
    if (temp.path.isEmpty())
        host::raise(host::err::PathNotFound);
    QFile::remove(temp.path);
    {
        QFile out(temp.path);
        if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly) ||
            out.write(bytes) != bytes.size())
            host::raise(host::err::PathNotFound);
    }

    QImageReader reader(temp.path, "png");
    QImage image = reader.read();
    if (image.isNull())
        host::raise(481, QStringLiteral("ピクチャが不正です。"));
    // Converted onto a fully transparent black background, as the ribbon draws it.
    const QImage bitmap = image.convertToFormat(QImage::Format_ARGB32);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!bitmap.save(&buffer, "PNG"))
        host::raise(481, QStringLiteral("ピクチャが不正です。"));
    return std::make_shared<host::PictureDisp>(std::move(png), bitmap.width(), bitmap.height());
}

} // namespace ribbon_addin
