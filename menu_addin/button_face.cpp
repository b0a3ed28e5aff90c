#include "menu_addin/button_face.h"

#include "host/automation/host_error.h"
#include "platform/clipboard.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QMimeData>
#include <QPainter>

// Outside any namespace, as Qt's resource initialiser must be.
static void initAddinIcons()
{
    Q_INIT_RESOURCE(menu_addin_icons);
}

namespace menu_addin {

namespace {

Beeper& beeper()
{
    static Beeper current;
    return current;
}

QByteArray bmpOf(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

} // namespace

Beeper exchangeBeeper(Beeper replacement)
{
    Beeper previous = std::move(beeper());
    beeper() = std::move(replacement);
    return previous;
}

void s_Beep()
{
    if (beeper())
        beeper()();
    else if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        QApplication::beep();
}

QImage addinIcon(const QString& iconName)
{
    static const bool loaded = (initAddinIcons(), true);
    (void)loaded;
    return QImage(QStringLiteral(":/menu_addin/icons/") + iconName + QStringLiteral(".png"));
}

void S_SetIconToOfficeCommandbarButton(const xl::Object& button, const QString& iconName)
{
    if (button.isNothing())
        return;
    bool failed = false;
    try {
        button.call(QStringLiteral("CopyFace"));
        platform::Clipboard& clipboard = platform::clipboard();
        QImage face = clipboard.hasImage() ? clipboard.image() : QImage();
        const QImage icon = addinIcon(iconName);
        if (face.isNull() || icon.isNull())
            throw host::HostError(host::err::ApplicationDefined,
                                  QStringLiteral("the face or the icon is missing"));
        face = face.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        {
            // Where the icon is transparent the face keeps its own background.
            QPainter painter(&face);
            painter.drawImage(QRect(0, 0, 16, 16), icon);
        }
        clipboard.clear();
        auto data = std::make_unique<QMimeData>();
        data->setImageData(face);
        data->setData(platform::clip_mime::kDib, bmpOf(face));
        clipboard.setMimeData(std::move(data));
        button.call(QStringLiteral("PasteFace"));
        clipboard.clear();
    } catch (const host::HostError&) {
        failed = true;
    }
    if (failed)
        s_Beep();
}

} // namespace menu_addin
