#include "host/objects/sheet_protection.h"

namespace host::objects {

QString legacyPasswordHash(const QString& password)
{
    // The format hashes the password's bytes in the legacy code page; characters beyond it
    // count by their low byte, as the 16-bit hash can tell them apart no better.
    const QByteArray bytes = password.toLatin1();
    unsigned hash = 0;
    for (auto it = bytes.rbegin(); it != bytes.rend(); ++it) {
        hash = ((hash >> 14) & 0x01) | ((hash << 1) & 0x7fff);
        hash ^= static_cast<unsigned char>(*it);
    }
    hash = ((hash >> 14) & 0x01) | ((hash << 1) & 0x7fff);
    hash ^= unsigned(bytes.size());
    hash ^= 0xce4b;
    return QStringLiteral("%1").arg(hash, 4, 16, QLatin1Char('0')).toUpper();
}

} // namespace host::objects
