// The worksheet's text functions. Positions and lengths count UTF-16 code units, as the
// worksheet's own text functions do.
#include "host/objects/evaluate_args.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace host::objects::formula {

namespace {

Value fnLen(Args& a)
{
    const Value t = a.text(0);
    return isError(t) ? t : Value(double(str(t).size()));
}

// LEFT and RIGHT: the first or last n characters (1 when left out).
template <bool Right> Value fnSide(Args& a)
{
    const Value t = a.text(0);
    if (isError(t))
        return t;
    const Value n = a.number(1, 1);
    if (isError(n))
        return n;
    if (num(n) < 0)
        return ErrorCode::Value;
    const qsizetype count = qsizetype(std::min(num(n), 2147483647.0));
    return Right ? str(t).right(count) : str(t).left(count);
}

Value fnMid(Args& a)
{
    const Value t = a.text(0);
    if (isError(t))
        return t;
    const Value start = a.number(1);
    if (isError(start))
        return start;
    const Value n = a.number(2);
    if (isError(n))
        return n;
    if (num(start) < 1 || num(n) < 0)
        return ErrorCode::Value;
    const double from = std::floor(num(start)) - 1;
    if (from >= double(str(t).size()))
        return QString();
    return str(t).mid(qsizetype(from), qsizetype(std::min(num(n), 2147483647.0)));
}

template <int Case> Value fnCase(Args& a)
{
    const Value t = a.text(0);
    if (isError(t))
        return t;
    if (Case == 0)
        return str(t).toUpper();
    if (Case == 1)
        return str(t).toLower();
    QString s = str(t).toLower();
    bool start = true;
    for (QChar& c : s) {
        if (start && c.isLetter())
            c = c.toUpper();
        start = !c.isLetter();
    }
    return s;
}

Value fnTrim(Args& a)
{
    const Value t = a.text(0);
    if (isError(t))
        return t;
    // Only the ASCII blank: runs inside become one, the ends go.
    QString out;
    for (QChar c : str(t))
        if (c != u' ' || (!out.isEmpty() && out.back() != u' '))
            out += c;
    if (out.endsWith(u' '))
        out.chop(1);
    return out;
}

Value fnSubstitute(Args& a)
{
    Value parts[3];
    for (int i = 0; i < 3; ++i)
        if (parts[i] = a.text(i); isError(parts[i]))
            return parts[i];
    QString text = str(parts[0]);
    const QString& from = str(parts[1]);
    const QString& to = str(parts[2]);
    if (from.isEmpty())
        return text;
    if (!a.given(3))
        return text.replace(from, to);
    const Value which = a.number(3);
    if (isError(which))
        return which;
    if (num(which) < 1)
        return ErrorCode::Value;
    qsizetype at = -1;
    for (int k = 0; k < whole(num(which)); ++k) {
        at = text.indexOf(from, at + 1);
        if (at < 0)
            return text;
    }
    return text.replace(at, from.size(), to);
}

Value fnReplace(Args& a)
{
    const Value t = a.text(0);
    if (isError(t))
        return t;
    const Value start = a.number(1);
    if (isError(start))
        return start;
    const Value n = a.number(2);
    if (isError(n))
        return n;
    const Value with = a.text(3);
    if (isError(with))
        return with;
    if (num(start) < 1 || num(n) < 0)
        return ErrorCode::Value;
    QString s = str(t);
    const qsizetype from = std::min(qsizetype(whole(num(start))) - 1, s.size());
    return s.replace(from, qsizetype(whole(num(n))), str(with));
}

// FIND (case matters, no wildcards) and SEARCH (no case, ? and * with ~ as escape).
template <bool Search> Value fnFind(Args& a)
{
    const Value what = a.text(0);
    if (isError(what))
        return what;
    const Value within = a.text(1);
    if (isError(within))
        return within;
    const Value start = a.number(2, 1);
    if (isError(start))
        return start;
    const qsizetype from = qsizetype(whole(num(start))) - 1;
    if (num(start) < 1 || from > str(within).size())
        return ErrorCode::Value;
    qsizetype at = -1;
    if (!Search) {
        at = str(within).indexOf(str(what), from);
    } else {
        QString pattern;
        const QString& w = str(what);
        for (qsizetype i = 0; i < w.size(); ++i) {
            if (w[i] == u'~' && i + 1 < w.size())
                pattern += QRegularExpression::escape(QString(w[++i]));
            else if (w[i] == u'?')
                pattern += u'.';
            else if (w[i] == u'*')
                pattern += QStringLiteral(".*?");
            else
                pattern += QRegularExpression::escape(QString(w[i]));
        }
        const QRegularExpression re(pattern, QRegularExpression::CaseInsensitiveOption |
                                                 QRegularExpression::DotMatchesEverythingOption);
        at = re.match(str(within), from).capturedStart();
    }
    if (at < 0)
        return ErrorCode::Value;
    return double(at + 1);
}

Value fnRept(Args& a)
{
    const Value t = a.text(0);
    if (isError(t))
        return t;
    const Value n = a.number(1);
    if (isError(n))
        return n;
    if (num(n) < 0 || num(n) * double(str(t).size()) > 32767)
        return ErrorCode::Value;
    return str(t).repeated(qsizetype(whole(num(n))));
}

Value fnConcatenate(Args& a)
{
    QString out;
    const Value e = eachValue(a, [&](const Value& v, bool) -> Value {
        const Value t = toText(v, a.context());
        if (!isError(t))
            out += str(t);
        return t;
    });
    return isError(e) ? e : Value(out);
}

Value fnExact(Args& a)
{
    const Value x = a.text(0);
    if (isError(x))
        return x;
    const Value y = a.text(1);
    if (isError(y))
        return y;
    return str(x) == str(y);
}

Value fnValue(Args& a)
{
    const Value v = a.scalar(0);
    if (std::holds_alternative<bool>(v))
        return ErrorCode::Value;
    return toNumber(v, a.context());
}

Value fnText(Args& a)
{
    const Value v = a.scalar(0);
    if (isError(v))
        return v;
    const Value code = a.text(1);
    if (isError(code))
        return code;
    const Value n = toNumber(v, a.context());
    if (isError(n)) // text that is no number stays as it is
        return toText(v, a.context());
    if (const auto text = formatByCode(num(n), str(code)))
        return *text;
    return ErrorCode::Value;
}

Value fnT(Args& a)
{
    const Value v = a.scalar(0);
    return std::holds_alternative<QString>(v) || isError(v) ? v : Value(QString());
}

Value fnN(Args& a)
{
    const Value v = a.scalar(0);
    if (std::holds_alternative<double>(v) || isError(v))
        return v;
    if (const auto* b = std::get_if<bool>(&v))
        return *b ? 1.0 : 0.0;
    return 0.0;
}

Value fnUnichar(Args& a)
{
    const Value n = a.number(0);
    if (isError(n))
        return n;
    const double code = std::trunc(num(n));
    if (code < 1 || code > 0x10FFFF)
        return ErrorCode::Value;
    const char32_t c = char32_t(code);
    return QString::fromUcs4(&c, 1);
}

Value fnUnicode(Args& a)
{
    const Value t = a.text(0);
    if (isError(t))
        return t;
    if (str(t).isEmpty())
        return ErrorCode::Value;
    return double(str(t).toUcs4().front());
}

} // namespace

void addTextFunctions(FunctionTable& table)
{
    const FunctionTable text = {
        {QStringLiteral("CONCAT"), {fnConcatenate, 1, -1}},
        {QStringLiteral("CONCATENATE"), {fnConcatenate, 1, -1}},
        {QStringLiteral("EXACT"), {fnExact, 2, 2}},
        {QStringLiteral("FIND"), {fnFind<false>, 2, 3}},
        {QStringLiteral("LEFT"), {fnSide<false>, 1, 2}},
        {QStringLiteral("LEN"), {fnLen, 1, 1}},
        {QStringLiteral("LOWER"), {fnCase<1>, 1, 1}},
        {QStringLiteral("MID"), {fnMid, 3, 3}},
        {QStringLiteral("N"), {fnN, 1, 1}},
        {QStringLiteral("PROPER"), {fnCase<2>, 1, 1}},
        {QStringLiteral("REPLACE"), {fnReplace, 4, 4}},
        {QStringLiteral("REPT"), {fnRept, 2, 2}},
        {QStringLiteral("RIGHT"), {fnSide<true>, 1, 2}},
        {QStringLiteral("SEARCH"), {fnFind<true>, 2, 3}},
        {QStringLiteral("SUBSTITUTE"), {fnSubstitute, 3, 4}},
        {QStringLiteral("T"), {fnT, 1, 1}},
        {QStringLiteral("TEXT"), {fnText, 2, 2}},
        {QStringLiteral("TRIM"), {fnTrim, 1, 1}},
        {QStringLiteral("UNICHAR"), {fnUnichar, 1, 1}},
        {QStringLiteral("UNICODE"), {fnUnicode, 1, 1}},
        {QStringLiteral("UPPER"), {fnCase<0>, 1, 1}},
        {QStringLiteral("VALUE"), {fnValue, 1, 1}},
    };
    table.insert(text.begin(), text.end());
}

} // namespace host::objects::formula
