#include "host/automation/variant.h"

#include "host/automation/dispatch.h"
#include "host/automation/host_error.h"

#include <QTimeZone>

#include <cmath>
#include <limits>

namespace host {

namespace {

const QDate kEpoch(1899, 12, 30);

// Parses a whole text as a number the way automation conversions accept it: surrounding
// blanks allowed, nothing else.
bool parseWholeNumber(const QString& text, double* out)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (ok)
        *out = v;
    return ok;
}

template <class Int> Int toInteger(double v)
{
    const double r = roundHalfEven(v);
    if (!std::isfinite(r) || r < double(std::numeric_limits<Int>::min()) ||
        r > double(std::numeric_limits<Int>::max()))
        raise(err::Overflow);
    return Int(r);
}

QString formatDouble(double v)
{
    if (v == 0)
        return QStringLiteral("0");
    QString s = QString::number(v, 'g', 15);
    // The automation's text form writes exponents as "E+20" and "E-05".
    const qsizetype e = s.indexOf(QLatin1Char('e'));
    if (e >= 0) {
        QString mantissa = s.left(e);
        QString exponent = s.mid(e + 1);
        const QChar sign =
            exponent.front() == QLatin1Char('-') ? QLatin1Char('-') : QLatin1Char('+');
        if (exponent.front() == QLatin1Char('-') || exponent.front() == QLatin1Char('+'))
            exponent.remove(0, 1);
        while (exponent.size() > 2 && exponent.front() == QLatin1Char('0'))
            exponent.remove(0, 1);
        if (exponent.size() < 2)
            exponent.prepend(QLatin1Char('0'));
        s = mantissa + QLatin1Char('E') + sign + exponent;
    }
    return s;
}

QString formatDate(double serial)
{
    const QDateTime when = serialToDateTime(serial);
    // A value without a day is a time of day, midnight included; a value on the stroke of
    // midnight of a real day is a date alone.
    const bool hasDate = std::floor(serial) != 0;
    const bool hasTime = serial != std::floor(serial) || !hasDate;
    QString text;
    if (hasDate)
        text = when.date().toString(QStringLiteral("yyyy/MM/dd"));
    if (hasTime) {
        if (!text.isEmpty())
            text += QLatin1Char(' ');
        text += when.time().toString(QStringLiteral("H:mm:ss"));
    }
    return text;
}

} // namespace

double roundHalfEven(double value)
{
    return std::nearbyint(value); // the default rounding mode rounds ties to even
}

double leadingNumber(const QString& text)
{
    // Val skips blanks everywhere and reads the longest leading decimal number.
    QString compact;
    for (QChar c : text)
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n') &&
            c != QLatin1Char('\r'))
            compact += c;
    qsizetype i = 0;
    const qsizetype n = compact.size();
    if (i < n && (compact[i] == QLatin1Char('+') || compact[i] == QLatin1Char('-')))
        ++i;
    qsizetype digits = 0;
    while (i < n && compact[i].isDigit() && compact[i].unicode() < 128) {
        ++i;
        ++digits;
    }
    if (i < n && compact[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && compact[i].isDigit() && compact[i].unicode() < 128) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    qsizetype end = i;
    if (i < n && (compact[i] == QLatin1Char('e') || compact[i] == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        if (j < n && (compact[j] == QLatin1Char('+') || compact[j] == QLatin1Char('-')))
            ++j;
        const qsizetype expStart = j;
        while (j < n && compact[j].isDigit() && compact[j].unicode() < 128)
            ++j;
        if (j > expStart)
            end = j;
    }
    bool ok = false;
    const double v = compact.left(end).toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0;
}

double dateTimeToSerial(const QDateTime& when)
{
    const qint64 days = kEpoch.daysTo(when.date());
    const double fraction = when.time().msecsSinceStartOfDay() / 86400000.0;
    return double(days) + (days < 0 ? -fraction : fraction);
}

QDateTime serialToDateTime(double serial)
{
    const double whole = std::trunc(serial);
    const double fraction = std::fabs(serial - whole);
    const QDate date = kEpoch.addDays(qint64(whole));
    const int msecs = int(std::llround(fraction * 86400000.0));
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(std::min(msecs, 86399999)));
}

Variant Variant::null()
{
    Variant v;
    v.m_value = NullTag{};
    return v;
}

Variant Variant::missing()
{
    Variant v;
    v.m_value = MissingTag{};
    return v;
}

Variant Variant::fromDateTime(const QDateTime& when)
{
    return Variant(DateValue{dateTimeToSerial(when)});
}

VarType Variant::type() const
{
    static constexpr VarType kinds[] = {VarType::Empty,    VarType::Null,  VarType::Boolean,
                                        VarType::Integer,  VarType::Long,  VarType::Double,
                                        VarType::Currency, VarType::Date,  VarType::String,
                                        VarType::Object,   VarType::Array, VarType::Missing};
    return kinds[m_value.index()];
}

bool Variant::isNumeric() const
{
    switch (type()) {
    case VarType::Boolean:
    case VarType::Integer:
    case VarType::Long:
    case VarType::Double:
    case VarType::Currency:
    case VarType::Date:
    case VarType::Empty:
        return true;
    case VarType::String: {
        double ignored = 0;
        return parseWholeNumber(std::get<QString>(m_value), &ignored);
    }
    default:
        return false;
    }
}

double Variant::toDouble() const
{
    switch (type()) {
    case VarType::Empty:
        return 0;
    case VarType::Boolean:
        return std::get<bool>(m_value) ? -1 : 0;
    case VarType::Integer:
        return std::get<std::int16_t>(m_value);
    case VarType::Long:
        return std::get<std::int32_t>(m_value);
    case VarType::Double:
        return std::get<double>(m_value);
    case VarType::Currency:
        return double(std::get<CurrencyValue>(m_value).tenThousandths) / 10000.0;
    case VarType::Date:
        return std::get<DateValue>(m_value).serial;
    case VarType::String: {
        double v = 0;
        if (!parseWholeNumber(std::get<QString>(m_value), &v))
            raise(err::TypeMismatch);
        return v;
    }
    case VarType::Null:
        raise(94);
    default:
        raise(err::TypeMismatch);
    }
}

bool Variant::toBool() const
{
    if (type() == VarType::Boolean)
        return std::get<bool>(m_value);
    if (type() == VarType::String) {
        const QString t = std::get<QString>(m_value).trimmed();
        if (t.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
            return true;
        if (t.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
            return false;
    }
    return toDouble() != 0;
}

std::int16_t Variant::toInt16() const
{
    return toInteger<std::int16_t>(toDouble());
}

std::int32_t Variant::toInt32() const
{
    return toInteger<std::int32_t>(toDouble());
}

CurrencyValue Variant::toCurrency() const
{
    if (type() == VarType::Currency)
        return std::get<CurrencyValue>(m_value);
    const double scaled = roundHalfEven(toDouble() * 10000.0);
    if (!std::isfinite(scaled) || std::fabs(scaled) > 9.2e18)
        raise(err::Overflow);
    return CurrencyValue{std::int64_t(scaled)};
}

DateValue Variant::toDate() const
{
    if (type() == VarType::Date)
        return std::get<DateValue>(m_value);
    if (type() == VarType::String) {
        const QString t = std::get<QString>(m_value).trimmed();
        for (const auto* format : {"yyyy/M/d H:mm:ss", "yyyy/M/d H:mm", "yyyy/M/d", "yyyy-MM-dd",
                                   "yyyy-MM-ddTHH:mm:ss", "H:mm:ss", "H:mm"}) {
            const QString f = QString::fromLatin1(format);
            const QDateTime dt = QDateTime::fromString(t, f);
            if (dt.isValid())
                return DateValue{dateTimeToSerial(dt)};
            const QTime time = QTime::fromString(t, f);
            if (time.isValid())
                return DateValue{time.msecsSinceStartOfDay() / 86400000.0};
        }
    }
    return DateValue{toDouble()};
}

QString Variant::toString() const
{
    switch (type()) {
    case VarType::Empty:
        return {};
    case VarType::Boolean:
        return std::get<bool>(m_value) ? QStringLiteral("True") : QStringLiteral("False");
    case VarType::Integer:
        return QString::number(std::get<std::int16_t>(m_value));
    case VarType::Long:
        return QString::number(std::get<std::int32_t>(m_value));
    case VarType::Double:
        return formatDouble(std::get<double>(m_value));
    case VarType::Currency:
        return formatDouble(toDouble());
    case VarType::Date:
        return formatDate(std::get<DateValue>(m_value).serial);
    case VarType::String:
        return std::get<QString>(m_value);
    case VarType::Null:
        raise(94);
    default:
        raise(err::TypeMismatch);
    }
}

ObjectRef Variant::toObject() const
{
    if (type() == VarType::Object)
        return std::get<ObjectRef>(m_value);
    if (type() == VarType::Empty)
        return nullptr;
    raise(err::ObjectRequired);
}

const VariantArray& Variant::toArray() const
{
    if (type() != VarType::Array)
        raise(err::TypeMismatch);
    return *std::get<std::shared_ptr<VariantArray>>(m_value);
}

QString Variant::typeName() const
{
    switch (type()) {
    case VarType::Empty:
        return QStringLiteral("Empty");
    case VarType::Null:
        return QStringLiteral("Null");
    case VarType::Boolean:
        return QStringLiteral("Boolean");
    case VarType::Integer:
        return QStringLiteral("Integer");
    case VarType::Long:
        return QStringLiteral("Long");
    case VarType::Double:
        return QStringLiteral("Double");
    case VarType::Currency:
        return QStringLiteral("Currency");
    case VarType::Date:
        return QStringLiteral("Date");
    case VarType::String:
        return QStringLiteral("String");
    case VarType::Object: {
        const ObjectRef& o = std::get<ObjectRef>(m_value);
        return o ? o->className() : QStringLiteral("Nothing");
    }
    case VarType::Array:
        return QStringLiteral("Variant()");
    case VarType::Missing:
        return QStringLiteral("Error");
    }
    return {};
}

bool operator==(const Variant& a, const Variant& b)
{
    if (a.type() == VarType::Array && b.type() == VarType::Array) {
        const VariantArray& x = a.toArray();
        const VariantArray& y = b.toArray();
        return x.rows == y.rows && x.columns == y.columns && x.items == y.items;
    }
    return a.m_value == b.m_value;
}

} // namespace host
