#include "main/insert_dialog/file_properties.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QUrl>

#include <utility>

namespace picrows {

FileProperties::~FileProperties() = default;

namespace {

// The file managers' common interface (org.freedesktop.FileManager1).
class DesktopFileProperties : public FileProperties
{
public:
    void show(const QString& path) override
    {
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected())
            return;
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.FileManager1"),
            QStringLiteral("/org/freedesktop/FileManager1"),
            QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItemProperties"));
        call << QStringList{QUrl::fromLocalFile(path).toString()} << QString();
        bus.call(call, QDBus::NoBlock);
    }
};

FileProperties*& installed()
{
    static FileProperties* properties = nullptr;
    return properties;
}

} // namespace

FileProperties& fileProperties()
{
    if (FileProperties* p = installed())
        return *p;
    static DesktopFileProperties fallback;
    return fallback;
}

FileProperties* exchangeFileProperties(FileProperties* properties)
{
    return std::exchange(installed(), properties);
}

} // namespace picrows
