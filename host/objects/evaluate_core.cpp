// Coercions and operators of the formula evaluator.
#include "host/automation/variant.h"
#include "host/objects/evaluate_parser.h"

#include <QDate>
#include <QRegularExpression>

#include <cmath>

namespace host::objects::formula {

namespace {

const std::pair<ErrorCode, const char*> kErrorTexts[] = {
    {ErrorCode::Null, "#NULL!"}, {ErrorCode::Div0, "#DIV/0!"}, {ErrorCode::Value, "#VALUE!"},
    {ErrorCode::Ref, "#REF!"},   {ErrorCode::Name, "#NAME?"},  {ErrorCode::Num, "#NUM!"},
    {ErrorCode::NA, "#N/A"},
};

Value checked(double v)
{
    if (std::isnan(v) || std::isinf(v))
        return ErrorCode::Num;
    return v;
}

// The order of kinds in comparisons: numbers, then texts, then Booleans.
int kindRank(const Value& v)
{
    if (std::holds_alternative<QString>(v))
        return 1;
    if (std::holds_alternative<bool>(v))
        return 2;
    return 0;
}

// <0, 0, >0 as the worksheet compares two scalars; text without regard to case.
int compareScalars(Value a, Value b)
{
    // A blank cell takes the kind of the other side.
    const auto blankAs = [](const Value& other) -> Value {
        if (std::holds_alternative<QString>(other))
            return QString();
        if (std::holds_alternative<bool>(other))
            return false;
        return 0.0;
    };
    if (std::holds_alternative<Blank>(a))
        a = blankAs(b);
    if (std::holds_alternative<Blank>(b))
        b = blankAs(a);
    if (kindRank(a) != kindRank(b))
        return kindRank(a) - kindRank(b);
    if (const auto* x = std::get_if<double>(&a)) {
        const double y = std::get<double>(b);
        return *x < y ? -1 : *x > y ? 1 : 0;
    }
    if (const auto* x = std::get_if<QString>(&a))
        return x->compare(std::get<QString>(b), Qt::CaseInsensitive);
    return int(std::get<bool>(a)) - int(std::get<bool>(b));
}

Value arithmetic(const QString& op, double x, double y)
{
    switch (op.front().unicode()) {
    case u'+':
        return checked(x + y);
    case u'-':
        return checked(x - y);
    case u'*':
        return checked(x * y);
    case u'/':
        if (y == 0)
            return ErrorCode::Div0;
        return checked(x / y);
    default: // ^
        if (x == 0 && y == 0)
            return ErrorCode::Num;
        if (x == 0 && y < 0)
            return ErrorCode::Div0;
        return checked(std::pow(x, y));
    }
}

Value binary(const Node& node, Context& context)
{
    const Value left = toScalar(evaluateNode(*node.args[0], context), context);
    const Value right = toScalar(evaluateNode(*node.args[1], context), context);
    const QString& op = node.op;
    if (op == u"&") {
        const Value a = toText(left, context);
        if (isError(a))
            return a;
        const Value b = toText(right, context);
        if (isError(b))
            return b;
        return std::get<QString>(a) + std::get<QString>(b);
    }
    if (op == u"=" || op == u"<>" || op == u"<" || op == u">" || op == u"<=" || op == u">=") {
        if (isError(left))
            return left;
        if (isError(right))
            return right;
        const int c = compareScalars(left, right);
        if (op == u"=")
            return c == 0;
        if (op == u"<>")
            return c != 0;
        if (op == u"<")
            return c < 0;
        if (op == u">")
            return c > 0;
        if (op == u"<=")
            return c <= 0;
        return c >= 0;
    }
    const Value a = toNumber(left, context);
    if (isError(a))
        return a;
    const Value b = toNumber(right, context);
    if (isError(b))
        return b;
    return arithmetic(op, std::get<double>(a), std::get<double>(b));
}

} // namespace

QString errorText(ErrorCode code)
{
    for (const auto& [c, text] : kErrorTexts)
        if (c == code)
            return QString::fromLatin1(text);
    return QStringLiteral("#VALUE!");
}

std::optional<ErrorCode> errorFromText(const QString& text)
{
    for (const auto& [c, literal] : kErrorTexts)
        if (text.compare(QLatin1String(literal), Qt::CaseInsensitive) == 0)
            return c;
    return std::nullopt;
}

QString numberText(double value)
{
    return Variant(value).toString();
}

std::optional<double> parseDateTimeText(const QString& text)
{
    static const QRegularExpression dateTime(QStringLiteral(
        R"(^\s*(?:(\d{4})[/-](\d{1,2})[/-](\d{1,2}))?\s*(?:(\d{1,2}):(\d{1,2})(?::(\d{1,2}))?)?\s*$)"));
    const auto m = dateTime.match(text);
    if (!m.hasMatch() || (m.captured(1).isEmpty() && m.captured(4).isEmpty()))
        return std::nullopt;
    double serial = 0;
    if (!m.captured(1).isEmpty()) {
        const QDate date(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
        if (!date.isValid())
            return std::nullopt;
        serial = double(QDate(1899, 12, 30).daysTo(date));
    }
    if (!m.captured(4).isEmpty()) {
        const int h = m.captured(4).toInt();
        const int min = m.captured(5).toInt();
        const int s = m.captured(6).toInt();
        if (h > 23 || min > 59 || s > 59)
            return std::nullopt;
        serial += (h * 3600 + min * 60 + s) / 86400.0;
    }
    return serial;
}

std::optional<double> parseNumberText(const QString& text)
{
    QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    double scale = 1;
    if (t.endsWith(u'%')) {
        scale = 0.01;
        t.chop(1);
    }
    // Thousands separators between digits.
    static const QRegularExpression grouped(QStringLiteral(R"(^[+-]?\d{1,3}(,\d{3})+(\.\d*)?$)"));
    if (grouped.match(t).hasMatch())
        t.remove(u',');
    static const QRegularExpression plain(
        QStringLiteral(R"(^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$)"));
    if (plain.match(t).hasMatch())
        return t.toDouble() * scale;
    if (scale == 1)
        return parseDateTimeText(t);
    return std::nullopt;
}

Value toScalar(const Value& v, Context& context)
{
    const auto* ref = std::get_if<Reference>(&v);
    if (!ref)
        return v;
    if (!ref->rect.isSingleCell())
        return ErrorCode::Value;
    return context.cell(ref->sheet, ref->rect.top, ref->rect.left);
}

Value toNumber(const Value& v, Context& context)
{
    const Value s = toScalar(v, context);
    if (std::holds_alternative<Blank>(s))
        return 0.0;
    if (const auto* b = std::get_if<bool>(&s))
        return *b ? 1.0 : 0.0;
    if (const auto* t = std::get_if<QString>(&s)) {
        if (const auto n = parseNumberText(*t))
            return *n;
        return ErrorCode::Value;
    }
    return s;
}

Value toText(const Value& v, Context& context)
{
    const Value s = toScalar(v, context);
    if (std::holds_alternative<Blank>(s))
        return QString();
    if (const auto* b = std::get_if<bool>(&s))
        return *b ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    if (const auto* d = std::get_if<double>(&s))
        return numberText(*d);
    return s;
}

Value toBoolean(const Value& v, Context& context)
{
    const Value s = toScalar(v, context);
    if (std::holds_alternative<Blank>(s))
        return false;
    if (const auto* d = std::get_if<double>(&s))
        return *d != 0;
    if (const auto* t = std::get_if<QString>(&s)) {
        if (t->compare(QStringLiteral("TRUE"), Qt::CaseInsensitive) == 0)
            return true;
        if (t->compare(QStringLiteral("FALSE"), Qt::CaseInsensitive) == 0)
            return false;
        return ErrorCode::Value;
    }
    return s;
}

Value evaluateNode(const Node& node, Context& context)
{
    switch (node.kind) {
    case Node::Kind::Literal:
    case Node::Kind::Ref:
        return node.value;
    case Node::Kind::Missing:
        return Blank{};
    case Node::Kind::Name:
        return ErrorCode::Name;
    case Node::Kind::Negate: {
        const Value v = toNumber(evaluateNode(*node.args[0], context), context);
        return isError(v) ? v : Value(-std::get<double>(v));
    }
    case Node::Kind::Percent: {
        const Value v = toNumber(evaluateNode(*node.args[0], context), context);
        return isError(v) ? v : Value(std::get<double>(v) / 100);
    }
    case Node::Kind::Binary:
        return binary(node, context);
    case Node::Kind::Call:
        return callFunction(node, context);
    }
    return ErrorCode::Value;
}

} // namespace host::objects::formula
