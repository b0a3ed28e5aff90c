#include "platform/file_date.h"

#include <QFileInfo>

namespace platform {

QDateTime zeroDate()
{
    return QDateTime(QDate(1899, 12, 30), QTime(0, 0));
}

QDateTime F_GetFileDate(const QString& path, DatePart part, DateKind kind)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile())
        return zeroDate();
    QDateTime when;
    switch (kind) {
    case DateKind::Created:
        // Qt reads the birth time with statx; file systems that keep none leave it invalid.
        when = info.birthTime();
        if (!when.isValid())
            when = info.lastModified();
        break;
    case DateKind::Modified:
        when = info.lastModified();
        break;
    case DateKind::Accessed:
        when = info.lastRead();
        break;
    }
    if (!when.isValid())
        return zeroDate();
    return datePart(when.toLocalTime(), part);
}

QDateTime datePart(const QDateTime& when, DatePart part)
{
    const QTime time = when.time();
    const QTime seconds(time.hour(), time.minute(), time.second());
    switch (part) {
    case DatePart::DateTime:
        return QDateTime(when.date(), seconds);
    case DatePart::DateOnly:
        return QDateTime(when.date(), QTime(0, 0));
    case DatePart::TimeOnly:
        return QDateTime(zeroDate().date(), seconds);
    }
    return zeroDate();
}

} // namespace platform
