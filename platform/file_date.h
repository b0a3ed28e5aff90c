#pragma once

#include <QDateTime>
#include <QString>

#include <cstdint>

namespace platform {

// What F_GetFileDate answers: the date and time, the date alone or the time alone.
enum class DatePart : std::int16_t
{
    DateTime = 0,
    DateOnly = 1,
    TimeOnly = 2
};
// Which of the file's dates: created (the file system's birth time where it keeps one, else
// the last modification), last modified, last accessed.
enum class DateKind : std::int16_t
{
    Created = 0,
    Modified = 1,
    Accessed = 2
};

// The zero date (1899-12-30 00:00:00, local time): the answer to every failure, and the date
// part of a time alone.
QDateTime zeroDate();

// The date and time, the date alone or the time alone of `when`, in whole seconds: a time alone
// is carried on the zero date, a date alone at midnight.
QDateTime datePart(const QDateTime& when, DatePart part);

// A file's date in whole seconds, local time. A time alone is carried on the zero date; a date
// alone at midnight. A missing file, a folder or any other failure answers the zero date.
QDateTime F_GetFileDate(const QString& path, DatePart part, DateKind kind);

} // namespace platform
