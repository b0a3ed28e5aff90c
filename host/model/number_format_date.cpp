// Dates and times by a date section: y m d h s, AM/PM, elapsed [h] [m] [s], fractional
// seconds, English month and weekday names, the Japanese weekday (aaa) and era (g, e).
#include "host/model/number_format_code.h"

#include <QDate>
#include <QLocale>

#include <algorithm>
#include <cmath>

namespace host::model::numfmt {

namespace {

constexpr double kLastSerial = 2958465.99999; // 9999-12-31 in the 1900 system

struct Moment
{
    int year = 1900;
    int month = 1;
    int day = 0;
    int weekday = 0;          // 1 Monday … 7 Sunday
    QDate date;               // invalid for the 1900 system's 0 January and 29 February 1900
    long long totalUnits = 0; // from the serial's start, in 1/unitsPerSecond seconds
    long long unitsPerSecond = 1;
};

// The 1900 system counts a 29 February 1900 that never was and starts at a 0 January: its
// first 60 serials are one day ahead of the calendar.
Moment momentOf(double serial, bool date1904, int fractionDigits)
{
    Moment m;
    m.unitsPerSecond = fractionDigits >= 3   ? 1000
                       : fractionDigits == 2 ? 100
                       : fractionDigits == 1 ? 10
                                             : 1;
    m.totalUnits = std::llround(serial * 86400.0 * double(m.unitsPerSecond));
    const long long days = m.totalUnits / (86400 * m.unitsPerSecond);
    if (date1904) {
        m.date = QDate(1904, 1, 1).addDays(days);
    } else if (days >= 61) {
        m.date = QDate(1899, 12, 30).addDays(days);
    } else if (days >= 1 && days < 60) {
        m.date = QDate(1899, 12, 31).addDays(days);
    } else if (days == 60) {
        m.month = 2;
        m.day = 29;
        m.weekday = 3; // the days after it agree with the calendar from 1 March
    } else {
        m.weekday = 6; // the day before Sunday 1 January, as the 1900 system counts
    }
    if (m.date.isValid()) {
        m.year = m.date.year();
        m.month = m.date.month();
        m.day = m.date.day();
        m.weekday = m.date.dayOfWeek();
        if (!date1904 && days < 60) // the 1900 system's weekdays run one behind there
            m.weekday = m.weekday == 1 ? 7 : m.weekday - 1;
    }
    return m;
}

struct Era
{
    QDate start;
    const char16_t* name;
    char16_t letter;
};

const Era* eraOf(const Moment& m)
{
    static const Era kEras[] = {{QDate(2019, 5, 1), u"令和", u'R'},
                                {QDate(1989, 1, 8), u"平成", u'H'},
                                {QDate(1926, 12, 25), u"昭和", u'S'},
                                {QDate(1912, 7, 30), u"大正", u'T'},
                                {QDate(1868, 9, 8), u"明治", u'M'}};
    const QDate date = m.date.isValid() ? m.date : QDate(m.year, m.month, 1);
    for (const Era& era : kEras)
        if (date >= era.start)
            return &era;
    return &kEras[std::size(kEras) - 1];
}

QString padded(long long n, int width)
{
    return QStringLiteral("%1").arg(n, width, 10, QLatin1Char('0'));
}

} // namespace

std::optional<QString> formatDate(double serial, const Section& section, bool date1904)
{
    if (!(serial >= 0) || serial > kLastSerial - (date1904 ? 1462 : 0))
        return std::nullopt;
    int fractionDigits = 0;
    bool twelveHour = false;
    std::vector<const Token*> dates;
    for (const Token& t : section.tokens) {
        if (t.kind == Token::Kind::Fraction)
            fractionDigits = std::max(fractionDigits, int(t.text.size()));
        if (t.kind == Token::Kind::Date) {
            dates.push_back(&t);
            twelveHour = twelveHour || t.text.contains(u'/');
        }
    }
    const Moment m = momentOf(serial, date1904, fractionDigits);
    const long long totalSeconds = m.totalUnits / m.unitsPerSecond;
    const int secondOfDay = int(totalSeconds % 86400);
    const int hour = secondOfDay / 3600;
    const int minute = secondOfDay / 60 % 60;
    const int second = secondOfDay % 60;
    const bool eraYears = section.japanese;

    // "m" is a minute right after an hour or right before a second.
    const auto isMinute = [&](const Token* t) {
        const auto it = std::find(dates.begin(), dates.end(), t);
        const auto startsWith = [](const Token* d, QChar c) {
            return d->text.startsWith(c) || d->text.startsWith(u'[' + QString(c));
        };
        return (it != dates.begin() && startsWith(*(it - 1), u'h')) ||
               (it + 1 != dates.end() && startsWith(*(it + 1), u's'));
    };

    static const QLocale english(QLocale::English);
    static const char16_t* const kJapaneseDays[] = {u"月", u"火", u"水", u"木",
                                                    u"金", u"土", u"日"};
    QString out;
    for (const Token& t : section.tokens) {
        if (t.kind == Token::Kind::Fraction) {
            const long long units = m.totalUnits % m.unitsPerSecond;
            const QString all = padded(units, fractionDigits);
            out += u'.' + all.left(t.text.size());
            continue;
        }
        if (t.kind == Token::Kind::Fill) {
            out += QChar(kFillMark);
            continue;
        }
        if (t.kind != Token::Kind::Date) {
            out += t.text;
            continue;
        }
        const QString& code = t.text;
        const int n = int(code.size());
        if (code.startsWith(u'[')) {
            const long long elapsed = code[1] == u'h'   ? totalSeconds / 3600
                                      : code[1] == u'm' ? totalSeconds / 60
                                                        : totalSeconds;
            out += padded(elapsed, n - 2);
            continue;
        }
        if (code.contains(u'/')) { // AM/PM and A/P, in the case written
            if (code == u"AM/PM")
                out += section.japanese
                           ? (hour < 12 ? QStringLiteral("午前") : QStringLiteral("午後"))
                           : (hour < 12 ? QStringLiteral("AM") : QStringLiteral("PM"));
            else
                out += hour < 12 ? code.left(1) : code.mid(2, 1);
            continue;
        }
        switch (code[0].unicode()) {
        case u'y':
            out += n <= 2 ? padded(m.year % 100, 2) : QString::number(m.year);
            break;
        case u'e':
            if (eraYears) {
                const Era* era = eraOf(m);
                const int year = m.year - era->start.year() + 1;
                out += n >= 2 ? padded(year, 2) : QString::number(year);
            } else {
                out += QString::number(m.year);
            }
            break;
        case u'g': {
            const Era* era = eraOf(m);
            out += n == 1   ? QString(QChar(era->letter))
                   : n == 2 ? QString(QChar(era->name[0]))
                            : QString::fromUtf16(era->name);
            break;
        }
        case u'm':
            if (n <= 2 && isMinute(&t))
                out += n == 2 ? padded(minute, 2) : QString::number(minute);
            else if (n <= 2)
                out += n == 2 ? padded(m.month, 2) : QString::number(m.month);
            else if (n == 3)
                out += english.monthName(m.month, QLocale::ShortFormat);
            else if (n == 4)
                out += english.monthName(m.month, QLocale::LongFormat);
            else
                out += english.monthName(m.month, QLocale::ShortFormat).left(1);
            break;
        case u'd':
            if (n <= 2)
                out += n == 2 ? padded(m.day, 2) : QString::number(m.day);
            else
                out +=
                    english.dayName(m.weekday, n == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
            break;
        case u'a':
            out += QString::fromUtf16(kJapaneseDays[m.weekday - 1]);
            if (n >= 4)
                out += QStringLiteral("曜日");
            break;
        case u'h': {
            const int h = twelveHour ? (hour % 12 == 0 ? 12 : hour % 12) : hour;
            out += n >= 2 ? padded(h, 2) : QString::number(h);
            break;
        }
        case u's':
            out += n >= 2 ? padded(second, 2) : QString::number(second);
            break;
        default:
            break;
        }
    }
    return out;
}

} // namespace host::model::numfmt
