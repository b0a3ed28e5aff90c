// The worksheet functions Evaluate knows besides the text functions: information, logic,
// arithmetic and dates.
#include "host/objects/evaluate_args.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <string>

namespace host::objects::formula {

namespace {

Value numbers(Args& a, std::vector<double>& out)
{
    return eachValue(a, [&](const Value& v, bool fromBlock) -> Value {
        if (isError(v))
            return v;
        if (fromBlock) {
            if (const auto* d = std::get_if<double>(&v))
                out.push_back(*d);
            return Blank{};
        }
        const Value n = toNumber(v, a.context());
        if (isError(n))
            return n;
        out.push_back(num(n));
        return Blank{};
    });
}

Value fnSum(Args& a)
{
    std::vector<double> values;
    if (const Value e = numbers(a, values); isError(e))
        return e;
    double sum = 0;
    for (double v : values)
        sum += v;
    return sum;
}

Value fnAverage(Args& a)
{
    std::vector<double> values;
    if (const Value e = numbers(a, values); isError(e))
        return e;
    if (values.empty())
        return ErrorCode::Div0;
    double sum = 0;
    for (double v : values)
        sum += v;
    return sum / double(values.size());
}

template <bool Max> Value fnExtreme(Args& a)
{
    std::vector<double> values;
    if (const Value e = numbers(a, values); isError(e))
        return e;
    if (values.empty())
        return 0.0;
    return Max ? *std::max_element(values.begin(), values.end())
               : *std::min_element(values.begin(), values.end());
}

Value fnCount(Args& a)
{
    double n = 0;
    eachValue(a, [&](const Value& v, bool fromBlock) -> Value {
        if (std::holds_alternative<double>(v) ||
            (!fromBlock && !isError(toNumber(v, a.context())) && !std::holds_alternative<Blank>(v)))
            ++n;
        return Blank{};
    });
    return n;
}

Value fnCountA(Args& a)
{
    double n = 0;
    eachValue(a, [&](const Value&, bool) -> Value {
        ++n;
        return Blank{};
    });
    return n;
}

template <bool All> Value fnAndOr(Args& a)
{
    bool result = All;
    const Value e = eachValue(a, [&](const Value& v, bool fromBlock) -> Value {
        if (fromBlock && std::holds_alternative<QString>(v))
            return Blank{};
        const Value b = toBoolean(v, a.context());
        if (isError(b))
            return b;
        result = All ? (result && std::get<bool>(b)) : (result || std::get<bool>(b));
        return Blank{};
    });
    return isError(e) ? e : Value(result);
}

Value fnNot(Args& a)
{
    const Value b = a.boolean(0);
    return isError(b) ? b : Value(!std::get<bool>(b));
}

Value fnIf(Args& a)
{
    const Value c = a.boolean(0);
    if (isError(c))
        return c;
    if (std::get<bool>(c))
        return a.given(1) ? a.raw(1) : Value(0.0);
    if (a.count() < 3)
        return false;
    return a.given(2) ? a.raw(2) : Value(0.0);
}

Value fnIfError(Args& a)
{
    const Value v = a.scalar(0);
    return isError(v) ? a.raw(1) : a.raw(0);
}

template <int Kind> Value fnIs(Args& a)
{
    const Value v = a.scalar(0);
    switch (Kind) {
    case 0:
        return isError(v);
    case 1:
        return isError(v) && std::get<ErrorCode>(v) != ErrorCode::NA;
    case 2:
        return isError(v) && std::get<ErrorCode>(v) == ErrorCode::NA;
    case 3:
        return std::holds_alternative<Blank>(v);
    case 4:
        return std::holds_alternative<double>(v);
    case 5:
        return std::holds_alternative<QString>(v);
    default:
        return std::holds_alternative<bool>(v);
    }
}

// ROW and COLUMN: of the first cell of the reference, or of the cell the formula stands in.
template <bool Row> Value fnPosition(Args& a)
{
    if (!a.given(0))
        return double(Row ? a.context().formulaRow() : a.context().formulaColumn());
    const Value v = a.raw(0);
    if (isError(v))
        return v;
    const auto* ref = std::get_if<Reference>(&v);
    if (!ref)
        return ErrorCode::Value;
    return double(Row ? ref->rect.top : ref->rect.left);
}

template <bool Rows> Value fnExtent(Args& a)
{
    const Value v = a.raw(0);
    if (isError(v))
        return v;
    if (const auto* ref = std::get_if<Reference>(&v))
        return double(Rows ? ref->rect.rows() : ref->rect.columns());
    return 1.0;
}

// ADDRESS(row, column, [kind 1–4], [A1 style], [sheet]).
Value fnAddress(Args& a)
{
    const Value r = a.number(0);
    if (isError(r))
        return r;
    const Value c = a.number(1);
    if (isError(c))
        return c;
    const Value kind = a.number(2, 1);
    if (isError(kind))
        return kind;
    Value a1 = true;
    if (a.given(3))
        a1 = a.boolean(3);
    if (isError(a1))
        return a1;
    const int row = whole(num(r));
    const int column = whole(num(c));
    const int k = whole(num(kind));
    if (row < 1 || row > model::kMaxRows || column < 1 || column > model::kMaxColumns || k < 1 ||
        k > 4)
        return ErrorCode::Value;
    const bool absRow = k == 1 || k == 2;
    const bool absColumn = k == 1 || k == 3;
    QString address;
    if (std::get<bool>(a1)) {
        address = (absColumn ? QStringLiteral("$") : QString()) + model::columnName(column) +
                  (absRow ? QStringLiteral("$") : QString()) + QString::number(row);
    } else {
        const auto part = [](QChar letter, int n, bool absolute) {
            return QString(letter) +
                   (absolute ? QString::number(n) : u'[' + QString::number(n) + u']');
        };
        address = part(u'R', row, absRow) + part(u'C', column, absColumn);
    }
    if (a.given(4)) {
        const Value sheet = a.text(4);
        if (isError(sheet))
            return sheet;
        QString name = str(sheet);
        static const QRegularExpression plainName(QStringLiteral(R"(^[\p{L}_][\p{L}\p{N}_.]*$)"));
        if (!name.isEmpty() && !plainName.match(name).hasMatch())
            name = u'\'' + QString(name).replace(u'\'', QStringLiteral("''")) + u'\'';
        address = name + u'!' + address;
    }
    return address;
}

Value fnAbs(Args& a)
{
    const Value n = a.number(0);
    return isError(n) ? n : Value(std::fabs(num(n)));
}

Value fnInt(Args& a)
{
    const Value n = a.number(0);
    return isError(n) ? n : Value(std::floor(num(n)));
}

// ROUND (half away from zero), ROUNDUP (away from zero), ROUNDDOWN (toward zero).
template <int Mode> Value fnRound(Args& a)
{
    const Value n = a.number(0);
    if (isError(n))
        return n;
    const Value digits = a.number(1, 0);
    if (isError(digits))
        return digits;
    const double scale = std::pow(10.0, std::trunc(num(digits)));
    // Guard against binary representation error, as the worksheet does at 15 digits.
    const double scaled = std::stod(QString::number(num(n) * scale, 'g', 15).toStdString());
    const double magnitude = Mode == 0   ? std::floor(std::fabs(scaled) + 0.5)
                             : Mode == 1 ? std::ceil(std::fabs(scaled))
                                         : std::floor(std::fabs(scaled));
    const double result = std::copysign(magnitude, scaled) / scale;
    if (!std::isfinite(result))
        return ErrorCode::Num;
    return result;
}

Value fnMod(Args& a)
{
    const Value x = a.number(0);
    if (isError(x))
        return x;
    const Value y = a.number(1);
    if (isError(y))
        return y;
    if (num(y) == 0)
        return ErrorCode::Div0;
    return num(x) - num(y) * std::floor(num(x) / num(y));
}

// 9999-12-31, the last day a serial date reaches.
constexpr double kLastSerial = 2958465.99999;

double serialOf(const QDate& date)
{
    return double(QDate(1899, 12, 30).daysTo(date));
}

Value fnDate(Args& a)
{
    Value parts[3];
    for (int i = 0; i < 3; ++i)
        if (parts[i] = a.number(i); isError(parts[i]))
            return parts[i];
    // Beyond these the date leaves the calendar anyway.
    if (std::fabs(num(parts[0])) > 10000 || std::fabs(num(parts[1])) > 120000 ||
        std::fabs(num(parts[2])) > 3700000)
        return ErrorCode::Num;
    int year = whole(num(parts[0]));
    if (year < 1900)
        year += 1900;
    // Months and days beyond their range roll over, as the worksheet's DATE does.
    const QDate first = QDate(year, 1, 1).addMonths(whole(num(parts[1])) - 1);
    const QDate date = first.addDays(qint64(whole(num(parts[2]))) - 1);
    if (!date.isValid() || date.year() > 9999)
        return ErrorCode::Num;
    return serialOf(date);
}

// YEAR, MONTH, DAY, HOUR, MINUTE, SECOND, WEEKDAY (Sunday 1) of a serial date.
template <int Part> Value fnDatePart(Args& a)
{
    const Value n = a.number(0);
    if (isError(n))
        return n;
    if (num(n) < 0 || num(n) > kLastSerial)
        return ErrorCode::Num;
    const double days = std::floor(num(n));
    const QDate date = QDate(1899, 12, 30).addDays(qint64(days));
    const long long seconds = std::llround((num(n) - days) * 86400);
    switch (Part) {
    case 0:
        return double(date.year());
    case 1:
        return double(date.month());
    case 2:
        return double(date.day());
    case 3:
        return double(seconds / 3600 % 24);
    case 4:
        return double(seconds / 60 % 60);
    case 5:
        return double(seconds % 60);
    default:
        return double(date.dayOfWeek() % 7 + 1);
    }
}

Value fnToday(Args&)
{
    return serialOf(QDate::currentDate());
}

Value fnNow(Args&)
{
    const QDateTime now = QDateTime::currentDateTime();
    return serialOf(now.date()) + now.time().msecsSinceStartOfDay() / 86400000.0;
}

template <bool Time> Value fnFromText(Args& a)
{
    const Value t = a.text(0);
    if (isError(t))
        return t;
    const auto serial = parseDateTimeText(str(t));
    if (!serial)
        return ErrorCode::Value;
    return Time ? *serial - std::floor(*serial) : std::floor(*serial);
}

Value fnTrue(Args&)
{
    return true;
}
Value fnFalse(Args&)
{
    return false;
}

const FunctionTable& functions()
{
    static const FunctionTable table = [] {
        FunctionTable t = {
            {QStringLiteral("ABS"), {fnAbs, 1, 1}},
            {QStringLiteral("ADDRESS"), {fnAddress, 2, 5}},
            {QStringLiteral("AND"), {fnAndOr<true>, 1, -1}},
            {QStringLiteral("AVERAGE"), {fnAverage, 1, -1}},
            {QStringLiteral("COLUMN"), {fnPosition<false>, 0, 1}},
            {QStringLiteral("COLUMNS"), {fnExtent<false>, 1, 1}},
            {QStringLiteral("COUNT"), {fnCount, 1, -1}},
            {QStringLiteral("COUNTA"), {fnCountA, 1, -1}},
            {QStringLiteral("DATE"), {fnDate, 3, 3}},
            {QStringLiteral("DATEVALUE"), {fnFromText<false>, 1, 1}},
            {QStringLiteral("DAY"), {fnDatePart<2>, 1, 1}},
            {QStringLiteral("FALSE"), {fnFalse, 0, 0}},
            {QStringLiteral("HOUR"), {fnDatePart<3>, 1, 1}},
            {QStringLiteral("IF"), {fnIf, 1, 3}},
            {QStringLiteral("IFERROR"), {fnIfError, 2, 2}},
            {QStringLiteral("INT"), {fnInt, 1, 1}},
            {QStringLiteral("ISBLANK"), {fnIs<3>, 1, 1}},
            {QStringLiteral("ISERR"), {fnIs<1>, 1, 1}},
            {QStringLiteral("ISERROR"), {fnIs<0>, 1, 1}},
            {QStringLiteral("ISLOGICAL"), {fnIs<6>, 1, 1}},
            {QStringLiteral("ISNA"), {fnIs<2>, 1, 1}},
            {QStringLiteral("ISNUMBER"), {fnIs<4>, 1, 1}},
            {QStringLiteral("ISTEXT"), {fnIs<5>, 1, 1}},
            {QStringLiteral("MAX"), {fnExtreme<true>, 1, -1}},
            {QStringLiteral("MIN"), {fnExtreme<false>, 1, -1}},
            {QStringLiteral("MINUTE"), {fnDatePart<4>, 1, 1}},
            {QStringLiteral("MOD"), {fnMod, 2, 2}},
            {QStringLiteral("MONTH"), {fnDatePart<1>, 1, 1}},
            {QStringLiteral("NOT"), {fnNot, 1, 1}},
            {QStringLiteral("NOW"), {fnNow, 0, 0}},
            {QStringLiteral("OR"), {fnAndOr<false>, 1, -1}},
            {QStringLiteral("ROUND"), {fnRound<0>, 2, 2}},
            {QStringLiteral("ROUNDDOWN"), {fnRound<2>, 2, 2}},
            {QStringLiteral("ROUNDUP"), {fnRound<1>, 2, 2}},
            {QStringLiteral("ROW"), {fnPosition<true>, 0, 1}},
            {QStringLiteral("ROWS"), {fnExtent<true>, 1, 1}},
            {QStringLiteral("SECOND"), {fnDatePart<5>, 1, 1}},
            {QStringLiteral("SUM"), {fnSum, 1, -1}},
            {QStringLiteral("TIMEVALUE"), {fnFromText<true>, 1, 1}},
            {QStringLiteral("TODAY"), {fnToday, 0, 0}},
            {QStringLiteral("TRUE"), {fnTrue, 0, 0}},
            {QStringLiteral("WEEKDAY"), {fnDatePart<6>, 1, 1}},
            {QStringLiteral("YEAR"), {fnDatePart<0>, 1, 1}},
        };
        addTextFunctions(t);
        return t;
    }();
    return table;
}

} // namespace

Value callFunction(const Node& node, Context& context)
{
    const auto it = functions().find(node.op);
    if (it == functions().end())
        return ErrorCode::Name;
    const FunctionEntry& entry = it->second;
    const int count = int(node.args.size());
    if (count < entry.minArgs || (entry.maxArgs >= 0 && count > entry.maxArgs))
        return ErrorCode::Value;
    Args args(node, context);
    return entry.run(args);
}

} // namespace host::objects::formula
