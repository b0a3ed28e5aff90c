// Number format codes, as TEXT(value, code) applies them: sections for positive, negative and
// zero values, digit placeholders (0 # ?), grouping, percent, exponents, literal text, and the
// date and time codes (y m d h s, AM/PM, aaa for the Japanese weekday).
#include "host/objects/evaluate_value.h"

#include <QDate>
#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace host::objects::formula {

namespace {

struct Item
{
    enum class Kind
    {
        Literal,
        Date,
        Digit,
        Point,
        Comma,
        Percent,
        Exponent,
        General
    };
    Kind kind = Kind::Literal;
    QString text; // the literal, the date code ("yyyy", "AM/PM"), the placeholder, "E+"/"E-"
};

std::vector<QString> splitSections(const QString& code)
{
    std::vector<QString> sections(1);
    bool quoted = false;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i];
        if (c == u'"')
            quoted = !quoted;
        if (!quoted && c == u'\\' && i + 1 < code.size()) {
            sections.back() += c;
            sections.back() += code[++i];
            continue;
        }
        if (!quoted && c == u';') {
            sections.emplace_back();
            continue;
        }
        sections.back() += c;
    }
    return sections;
}

std::vector<Item> tokenize(const QString& s)
{
    std::vector<Item> items;
    const auto literal = [&](const QString& text) {
        if (!items.empty() && items.back().kind == Item::Kind::Literal)
            items.back().text += text;
        else
            items.push_back({Item::Kind::Literal, text});
    };
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        const QChar lower = c.toLower();
        const QStringView rest = QStringView(s).mid(i);
        if (c == u'"') {
            const qsizetype end = s.indexOf(u'"', i + 1);
            literal(s.mid(i + 1, (end < 0 ? s.size() : end) - i - 1));
            i = end < 0 ? s.size() : end;
        } else if (c == u'\\' && i + 1 < s.size()) {
            literal(QString(s[++i]));
        } else if (c == u'_' && i + 1 < s.size()) {
            ++i;
            literal(QStringLiteral(" "));
        } else if (c == u'*' && i + 1 < s.size()) {
            ++i; // fill character: nothing to fill in a text
        } else if (c == u'[') {
            const qsizetype end = s.indexOf(u']', i);
            i = end < 0 ? s.size() : end; // colours, conditions, locales
        } else if (rest.startsWith(u"General", Qt::CaseInsensitive)) {
            items.push_back({Item::Kind::General, {}});
            i += 6;
        } else if (rest.startsWith(u"G/標準")) {
            items.push_back({Item::Kind::General, {}});
            i += 3;
        } else if (rest.startsWith(u"AM/PM", Qt::CaseInsensitive)) {
            items.push_back({Item::Kind::Date, QStringLiteral("AM/PM")});
            i += 4;
        } else if (rest.startsWith(u"A/P", Qt::CaseInsensitive)) {
            items.push_back({Item::Kind::Date, QStringLiteral("A/P")});
            i += 2;
        } else if ((c == u'E' || c == u'e') && i + 1 < s.size() &&
                   (s[i + 1] == u'+' || s[i + 1] == u'-')) {
            items.push_back({Item::Kind::Exponent, QString(u'E') + s[i + 1]});
            ++i;
        } else if (lower == u'y' || lower == u'm' || lower == u'd' || lower == u'h' ||
                   lower == u's' || lower == u'e' || lower == u'a') {
            qsizetype end = i;
            while (end < s.size() && s[end].toLower() == lower)
                ++end;
            if (lower == u'a' && end - i < 3) {
                literal(s.mid(i, end - i));
            } else {
                items.push_back({Item::Kind::Date, QString(end - i, lower)});
            }
            i = end - 1;
        } else if (c == u'0' || c == u'#' || c == u'?') {
            items.push_back({Item::Kind::Digit, QString(c)});
        } else if (c == u'.') {
            items.push_back({Item::Kind::Point, {}});
        } else if (c == u',') {
            items.push_back({Item::Kind::Comma, {}});
        } else if (c == u'%') {
            items.push_back({Item::Kind::Percent, {}});
        } else {
            literal(QString(c));
        }
    }
    return items;
}

bool isDateFormat(const std::vector<Item>& items)
{
    for (const Item& item : items)
        if (item.kind == Item::Kind::Date)
            return true;
    return false;
}

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

std::optional<QString> formatDate(double value, const std::vector<Item>& items)
{
    if (value < 0 || value > 2958465.99999)
        return std::nullopt;
    const long long totalSeconds = std::llround(value * 86400);
    const QDate date = QDate(1899, 12, 30).addDays(totalSeconds / 86400);
    const int secondOfDay = int(totalSeconds % 86400);
    const int hour = secondOfDay / 3600;
    const int minute = secondOfDay / 60 % 60;
    const int second = secondOfDay % 60;
    bool twelveHour = false;
    for (const Item& item : items)
        twelveHour = twelveHour || (item.kind == Item::Kind::Date && item.text.contains(u'/'));

    // "m" is a minute right after an hour or right before a second.
    std::vector<const Item*> dates;
    for (const Item& item : items)
        if (item.kind == Item::Kind::Date)
            dates.push_back(&item);
    const auto isMinute = [&](const Item* item) {
        const auto it = std::find(dates.begin(), dates.end(), item);
        const bool afterHour = it != dates.begin() && (*(it - 1))->text.front() == u'h';
        const bool beforeSecond = it + 1 != dates.end() && (*(it + 1))->text.front() == u's';
        return afterHour || beforeSecond;
    };

    static const QLocale english(QLocale::English);
    static const char16_t* const japaneseDays[] = {u"月", u"火", u"水", u"木", u"金", u"土", u"日"};
    QString out;
    for (const Item& item : items) {
        if (item.kind != Item::Kind::Date) {
            out += item.kind == Item::Kind::Literal ? item.text
                   : item.kind == Item::Kind::Point ? QStringLiteral(".")
                   : item.kind == Item::Kind::Comma ? QStringLiteral(",")
                                                    : item.text;
            continue;
        }
        const QString& code = item.text;
        const int n = int(code.size());
        switch (code.front().unicode()) {
        case u'y':
        case u'e':
            out += n <= 2 && code.front() == u'y' ? twoDigits(date.year() % 100)
                                                  : QString::number(date.year());
            break;
        case u'm':
            if (n <= 2 && isMinute(&item))
                out += n == 2 ? twoDigits(minute) : QString::number(minute);
            else if (n == 1)
                out += QString::number(date.month());
            else if (n == 2)
                out += twoDigits(date.month());
            else if (n == 3)
                out += english.monthName(date.month(), QLocale::ShortFormat);
            else if (n == 4)
                out += english.monthName(date.month(), QLocale::LongFormat);
            else
                out += english.monthName(date.month(), QLocale::ShortFormat).left(1);
            break;
        case u'd':
            if (n <= 2)
                out += n == 2 ? twoDigits(date.day()) : QString::number(date.day());
            else
                out += english.dayName(date.dayOfWeek(),
                                       n == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
            break;
        case u'a':
            out += QString::fromUtf16(japaneseDays[date.dayOfWeek() - 1]);
            if (n >= 4)
                out += QStringLiteral("曜日");
            break;
        case u'h': {
            const int h = twelveHour ? (hour % 12 == 0 ? 12 : hour % 12) : hour;
            out += n >= 2 ? twoDigits(h) : QString::number(h);
            break;
        }
        case u's':
            out += n >= 2 ? twoDigits(second) : QString::number(second);
            break;
        default: // AM/PM and A/P
            if (code == u"AM/PM")
                out += hour < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
            else
                out += hour < 12 ? QStringLiteral("A") : QStringLiteral("P");
            break;
        }
    }
    return out;
}

QString formatNumber(double value, const std::vector<Item>& items)
{
    for (const Item& item : items)
        if (item.kind == Item::Kind::Percent)
            value *= 100;

    // Where the placeholders are: integer part, fraction, exponent.
    int point = -1;
    int exponent = -1;
    int lastDigit = -1;
    for (int i = 0; i < int(items.size()); ++i) {
        const Item::Kind kind = items[size_t(i)].kind;
        if (kind == Item::Kind::Point && point < 0 && exponent < 0)
            point = i;
        if (kind == Item::Kind::Exponent && exponent < 0)
            exponent = i;
        if (kind == Item::Kind::Digit && exponent < 0)
            lastDigit = i;
    }
    const int integerEnd = point >= 0       ? point
                           : exponent >= 0  ? exponent
                           : lastDigit >= 0 ? lastDigit + 1
                                            : int(items.size());
    const int fractionEnd = exponent >= 0 ? exponent : int(items.size());
    bool grouping = false;
    int integerPlaces = 0;
    int fractionPlaces = 0;
    double scale = 1;
    for (int i = 0; i < int(items.size()); ++i) {
        const Item& item = items[size_t(i)];
        if (item.kind == Item::Kind::Digit && i < integerEnd)
            ++integerPlaces;
        if (item.kind == Item::Kind::Digit && point >= 0 && i > point && i < fractionEnd)
            ++fractionPlaces;
        if (item.kind == Item::Kind::Comma && i < integerEnd) {
            // Between digit placeholders: grouping; after the last one: thousands scaling.
            bool digitAfter = false;
            for (int j = i + 1; j < integerEnd; ++j)
                digitAfter = digitAfter || items[size_t(j)].kind == Item::Kind::Digit;
            if (digitAfter)
                grouping = true;
            else
                scale *= 1000;
        }
    }
    value /= scale;

    int exponentValue = 0;
    if (exponent >= 0 && value != 0) {
        exponentValue =
            int(std::floor(std::log10(std::fabs(value)))) - (std::max(integerPlaces, 1) - 1);
        value /= std::pow(10.0, exponentValue);
    }
    const double factor = std::pow(10.0, fractionPlaces);
    const double rounded = std::round(std::fabs(value) * factor) / factor;
    const QString fixed = QString::number(rounded, 'f', fractionPlaces);
    const qsizetype dot = fixed.indexOf(u'.');
    QString integerDigits = dot < 0 ? fixed : fixed.left(dot);
    const QString fractionDigits = dot < 0 ? QString() : fixed.mid(dot + 1);
    if (integerDigits == u"0")
        integerDigits.clear();

    // Integer placeholders from the right; the leftmost takes every digit left over.
    QString integerText;
    int firstPlace = -1;
    for (int i = 0; i < integerEnd; ++i)
        if (items[size_t(i)].kind == Item::Kind::Digit) {
            firstPlace = i;
            break;
        }
    qsizetype remaining = integerDigits.size();
    int placed = 0;
    const auto put = [&](QChar digit) {
        if (grouping && placed > 0 && placed % 3 == 0)
            integerText.prepend(u',');
        integerText.prepend(digit);
        ++placed;
    };
    for (int i = integerEnd - 1; i >= 0; --i) {
        const Item& item = items[size_t(i)];
        if (item.kind == Item::Kind::Literal) {
            integerText.prepend(item.text);
        } else if (item.kind == Item::Kind::Percent) {
            integerText.prepend(u'%');
        } else if (item.kind == Item::Kind::General) {
            integerText.prepend(numberText(std::fabs(value)));
        } else if (item.kind == Item::Kind::Digit) {
            if (remaining > 0) {
                put(integerDigits[--remaining]);
                while (i == firstPlace && remaining > 0)
                    put(integerDigits[--remaining]);
            } else if (item.text == u"0") {
                put(u'0');
            } else if (item.text == u"?") {
                integerText.prepend(u' ');
            }
        }
    }

    // Fraction placeholders from the left; trailing zeros go under # and blank under ?.
    QString fractionText;
    if (point >= 0) {
        std::vector<QChar> shown;
        int k = 0;
        for (int i = point + 1; i < fractionEnd; ++i)
            if (items[size_t(i)].kind == Item::Kind::Digit)
                shown.push_back(fractionDigits[k++]);
        bool trailing = true;
        k = int(shown.size());
        for (int i = fractionEnd - 1; i > point; --i) {
            const Item& item = items[size_t(i)];
            if (item.kind != Item::Kind::Digit) {
                if (item.kind == Item::Kind::Literal)
                    fractionText.prepend(item.text);
                else if (item.kind == Item::Kind::Percent)
                    fractionText.prepend(u'%');
                continue;
            }
            const QChar d = shown[size_t(--k)];
            if (trailing && d == u'0' && item.text != u"0") {
                if (item.text == u"?")
                    fractionText.prepend(u' ');
                continue;
            }
            trailing = false;
            fractionText.prepend(d);
        }
        fractionText.prepend(u'.');
    } else {
        for (int i = integerEnd; i < fractionEnd; ++i) {
            const Item& item = items[size_t(i)];
            if (item.kind == Item::Kind::Literal)
                fractionText += item.text;
            else if (item.kind == Item::Kind::Percent)
                fractionText += u'%';
        }
    }

    QString exponentText;
    if (exponent >= 0) {
        int minDigits = 0;
        for (size_t i = size_t(exponent) + 1; i < items.size(); ++i) {
            if (items[i].kind == Item::Kind::Digit)
                ++minDigits;
            else
                exponentText += items[i].kind == Item::Kind::Literal ? items[i].text : QString();
        }
        const QString sign = exponentValue < 0                       ? QStringLiteral("-")
                             : items[size_t(exponent)].text == u"E+" ? QStringLiteral("+")
                                                                     : QString();
        exponentText.prepend(
            QStringLiteral("E") + sign +
            QStringLiteral("%1").arg(std::abs(exponentValue), minDigits, 10, QLatin1Char('0')));
    }
    return integerText + fractionText + exponentText;
}

} // namespace

std::optional<QString> formatByCode(double value, const QString& code)
{
    if (code.isEmpty())
        return QString();
    const std::vector<QString> sections = splitSections(code);
    QString section = sections[0];
    bool sign = value < 0;
    if (sections.size() >= 2 && value < 0) {
        section = sections[1];
        sign = false;
    } else if (sections.size() >= 3 && value == 0) {
        section = sections[2];
    }
    const std::vector<Item> items = tokenize(section);
    if (isDateFormat(items))
        return formatDate(value, items);
    QString text = formatNumber(std::fabs(value), items);
    if (sign && text.contains(QRegularExpression(QStringLiteral("[1-9]"))))
        text.prepend(u'-');
    return text;
}

} // namespace host::objects::formula
