// Numbers by a number section: digit placeholders (0 # ?), grouping and scaling commas,
// percent, exponents, fractions, literal text and General.
#include "host/model/general_number.h"
#include "host/model/number_format_code.h"

#include <algorithm>
#include <cmath>

namespace host::model::numfmt {

namespace {

using Kind = Token::Kind;

// The decimal digits of `value` (not negative) rounded half up to `places` decimals, from
// its 15 significant digits as spreadsheet programs keep them: "1.005" rounds to "1.01".
struct Digits
{
    QString integer;  // without leading zeros; empty for zero
    QString fraction; // exactly `places` digits
};

Digits roundedDigits(double value, int places)
{
    Digits out;
    if (!(value > 0) || !std::isfinite(value)) {
        out.fraction = QString(places, u'0');
        return out;
    }
    const QString sci = QString::number(value, 'e', 14); // "d.dddddddddddddde+XX"
    const qsizetype e = sci.indexOf(u'e');
    QString digits = sci.left(e).remove(u'.');
    const int exponent = sci.mid(e + 1).toInt();
    // Digits before the decimal point: exponent + 1; keep that many plus the places.
    const int keep = exponent + 1 + places;
    if (keep < 0) {
        out.fraction = QString(places, u'0');
        return out;
    }
    int pointAt = exponent + 1; // in `digits`, after leading zeros are added
    if (pointAt < 0) {
        digits.prepend(QString(-pointAt, u'0'));
        pointAt = 0;
    }
    const int want = pointAt + places;
    if (want < digits.size()) {
        const bool up = digits[want] >= u'5';
        digits.truncate(want);
        if (up) {
            int i = want - 1;
            for (; i >= 0; --i) {
                if (digits[i] == u'9') {
                    digits[i] = u'0';
                } else {
                    digits[i] = QChar(digits[i].unicode() + 1);
                    break;
                }
            }
            if (i < 0) {
                digits.prepend(u'1');
                ++pointAt;
            }
        }
    } else {
        digits += QString(want - digits.size(), u'0');
    }
    out.integer = digits.left(pointAt);
    out.fraction = digits.mid(pointAt);
    while (out.integer.startsWith(u'0'))
        out.integer.remove(0, 1);
    return out;
}

QString literalOf(const Token& t)
{
    switch (t.kind) {
    case Kind::Literal:
        return t.text;
    case Kind::Percent:
        return QStringLiteral("%");
    case Kind::Fill:
        return QString(QChar(kFillMark));
    case Kind::Slash: // a bar that is no fraction's
        return QStringLiteral("/");
    default:
        return {};
    }
}

// Digit placeholders right-aligned over `digits`; the leftmost takes what is left over.
QString placeDigits(const std::vector<const Token*>& places, const QString& digits, bool grouping)
{
    QString out;
    qsizetype remaining = digits.size();
    int placed = 0;
    const auto put = [&](QChar d) {
        if (grouping && placed > 0 && placed % 3 == 0)
            out.prepend(u',');
        out.prepend(d);
        ++placed;
    };
    for (auto it = places.rbegin(); it != places.rend(); ++it) {
        const Token& t = **it;
        if (t.kind != Kind::Digit) {
            out.prepend(literalOf(t));
            continue;
        }
        const bool first = it + 1 == places.rend() ||
                           std::none_of(it + 1, places.rend(),
                                        [](const Token* p) { return p->kind == Kind::Digit; });
        if (remaining > 0) {
            put(digits[--remaining]);
            while (first && remaining > 0)
                put(digits[--remaining]);
        } else if (t.text == u"0") {
            put(u'0');
        } else if (t.text == u"?") {
            out.prepend(u' ');
        }
    }
    return out;
}

// Fraction digits from the left; trailing zeros vanish under # and turn to spaces under ?.
QString placeFraction(const std::vector<const Token*>& places, const QString& digits)
{
    QString out;
    int k = 0;
    std::vector<QChar> shown;
    for (const Token* t : places)
        if (t->kind == Kind::Digit)
            shown.push_back(k < digits.size() ? digits[k++] : QChar(u'0'));
    bool trailing = true;
    k = int(shown.size());
    for (auto it = places.rbegin(); it != places.rend(); ++it) {
        const Token& t = **it;
        if (t.kind != Kind::Digit) {
            out.prepend(literalOf(t));
            continue;
        }
        const QChar d = shown[size_t(--k)];
        if (trailing && d == u'0' && t.text != u"0") {
            if (t.text == u"?")
                out.prepend(u' ');
            continue;
        }
        trailing = false;
        out.prepend(d);
    }
    return out;
}

int countDigits(const std::vector<const Token*>& tokens)
{
    return int(std::count_if(tokens.begin(), tokens.end(),
                             [](const Token* t) { return t->kind == Kind::Digit; }));
}

// "# ?/?", "# ??/100", "?/8": a whole part when the code has one, then the best fraction
// with a denominator of that many digits (or the one given).
QString formatFraction(double value, const std::vector<Token>& tokens, size_t slash)
{
    // The numerator is the run of placeholders right before the bar.
    size_t numeratorStart = slash;
    while (numeratorStart > 0 && tokens[numeratorStart - 1].kind == Kind::Digit)
        --numeratorStart;
    std::vector<const Token*> whole, numerator, denominator;
    QString after; // what follows the denominator
    bool hasWhole = false;
    for (size_t i = 0; i < numeratorStart; ++i) {
        whole.push_back(&tokens[i]);
        hasWhole = hasWhole || tokens[i].kind == Kind::Digit;
    }
    for (size_t i = numeratorStart; i < slash; ++i)
        numerator.push_back(&tokens[i]);
    int fixedDenominator = 0;
    size_t i = slash + 1;
    if (i < tokens.size() && tokens[i].kind == Kind::Literal && !tokens[i].text.isEmpty() &&
        tokens[i].text[0].isDigit()) {
        qsizetype n = 0;
        while (n < tokens[i].text.size() && tokens[i].text[n].isDigit())
            ++n;
        fixedDenominator = tokens[i].text.left(n).toInt();
        after = tokens[i].text.mid(n);
        ++i;
    }
    for (; i < tokens.size(); ++i) {
        if (fixedDenominator == 0 && tokens[i].kind == Kind::Digit && after.isEmpty())
            denominator.push_back(&tokens[i]);
        else
            after += literalOf(tokens[i]);
    }

    double integerPart = hasWhole ? std::floor(value) : 0;
    const double rest = value - integerPart;
    const int maxDenominator =
        fixedDenominator > 0 ? fixedDenominator
                             : int(std::pow(10.0, std::clamp(countDigits(denominator), 1, 4))) - 1;
    long long bestN = 0, bestD = 1;
    if (fixedDenominator > 0) {
        bestD = fixedDenominator;
        bestN = std::llround(rest * bestD);
    } else {
        double bestError = 2;
        for (int d = 1; d <= maxDenominator; ++d) {
            const long long n = std::llround(rest * d);
            const double error = std::fabs(rest - double(n) / d);
            if (error < bestError - 1e-12) {
                bestError = error;
                bestN = n;
                bestD = d;
            }
            if (error == 0)
                break;
        }
    }
    if (hasWhole && bestN == bestD) {
        integerPart += 1;
        bestN = 0;
    }
    const QString wholeDigits = integerPart > 0 ? QString::number(integerPart, 'f', 0) : QString();
    QString out;
    if (hasWhole)
        out = placeDigits(
            whole, wholeDigits.isEmpty() && bestN == 0 ? QStringLiteral("0") : wholeDigits, false);
    else
        for (const Token* t : whole)
            out += literalOf(*t);
    QString fraction = placeDigits(numerator, QString::number(bestN), false) + u'/';
    if (fixedDenominator > 0) {
        fraction += QString::number(fixedDenominator);
    } else {
        QString d = QString::number(bestD);
        const int places = countDigits(denominator);
        for (int k = int(d.size()); k < places; ++k)
            if (denominator[size_t(k)]->text == u"?")
                d += u' ';
        fraction += d;
    }
    fraction += after;
    if (hasWhole && bestN == 0) // a whole number: the fraction's room stays blank
        fraction = QString(fraction.size(), u' ');
    return out + fraction;
}

} // namespace

QString formatNumber(double value, const Section& section)
{
    const std::vector<Token>& tokens = section.tokens;
    for (const Token& t : tokens)
        if (t.kind == Kind::Percent)
            value *= 100;
    if (section.general) {
        QString out;
        for (const Token& t : tokens)
            out += t.kind == Kind::General ? generalNumber(value) : literalOf(t);
        return out;
    }

    int point = -1, exponent = -1, lastDigit = -1, slash = -1;
    for (int i = 0; i < int(tokens.size()); ++i) {
        const Kind kind = tokens[size_t(i)].kind;
        if (kind == Kind::Point && point < 0 && exponent < 0)
            point = i;
        if (kind == Kind::Exponent && exponent < 0)
            exponent = i;
        if (kind == Kind::Digit && exponent < 0)
            lastDigit = i;
        if (kind == Kind::Slash && slash < 0 && i > 0 && tokens[size_t(i - 1)].kind == Kind::Digit)
            slash = i;
    }
    if (slash >= 0 && exponent < 0 && point < 0)
        return formatFraction(value, tokens, size_t(slash));

    const int numberEnd = exponent >= 0 ? exponent : int(tokens.size());
    const int integerEnd = point >= 0 ? point : lastDigit >= 0 ? lastDigit + 1 : numberEnd;
    bool grouping = false;
    for (int i = 0; i < numberEnd; ++i) {
        if (tokens[size_t(i)].kind != Kind::Comma)
            continue;
        // Between placeholders: grouping; after the last one: a thousand's scaling.
        bool digitBefore = false, digitAfter = false;
        for (int j = 0; j < i; ++j)
            digitBefore = digitBefore || tokens[size_t(j)].kind == Kind::Digit;
        for (int j = i + 1; j < integerEnd; ++j)
            digitAfter = digitAfter || tokens[size_t(j)].kind == Kind::Digit;
        if (digitBefore && digitAfter && i < integerEnd)
            grouping = true;
        else if (digitBefore && i >= lastDigit)
            value /= 1000;
    }

    std::vector<const Token*> integerPlaces, fractionPlaces;
    for (int i = 0; i < integerEnd; ++i)
        if (tokens[size_t(i)].kind != Kind::Comma)
            integerPlaces.push_back(&tokens[size_t(i)]);
    for (int i = integerEnd + (point >= 0 ? 1 : 0); i < numberEnd; ++i)
        if (tokens[size_t(i)].kind != Kind::Comma)
            fractionPlaces.push_back(&tokens[size_t(i)]);
    const int integerDigits = countDigits(integerPlaces);
    const int fractionDigits = point >= 0 ? countDigits(fractionPlaces) : 0;

    int exponentValue = 0;
    Digits digits;
    if (exponent >= 0) {
        const int shown = std::max(integerDigits, 1);
        const bool engineering =
            shown > 1 && std::any_of(integerPlaces.begin(), integerPlaces.end(),
                                     [](const Token* t) { return t->text == u"#"; });
        for (int attempt = 0; attempt < 2; ++attempt) {
            if (value != 0) {
                const int magnitude = int(std::floor(std::log10(value))) + attempt;
                exponentValue = engineering ? int(std::floor(double(magnitude) / shown)) * shown
                                            : magnitude - (shown - 1);
            }
            digits = roundedDigits(value / std::pow(10.0, exponentValue), fractionDigits);
            if (digits.integer.size() <= shown)
                break; // else rounding carried into another digit: one power more
        }
    } else {
        digits = roundedDigits(value, fractionDigits);
    }

    QString out = placeDigits(integerPlaces, digits.integer, grouping);
    if (point >= 0)
        out += u'.' + placeFraction(fractionPlaces, digits.fraction);
    else
        for (const Token* t : fractionPlaces)
            out += literalOf(*t);

    if (exponent >= 0) {
        int minimum = 0;
        QString suffix;
        for (size_t i = size_t(exponent) + 1; i < tokens.size(); ++i) {
            if (tokens[i].kind == Kind::Digit)
                ++minimum;
            else
                suffix += literalOf(tokens[i]);
        }
        const QString sign = exponentValue < 0                        ? QStringLiteral("-")
                             : tokens[size_t(exponent)].text == u"E+" ? QStringLiteral("+")
                                                                      : QString();
        out += QStringLiteral("E") + sign +
               QStringLiteral("%1").arg(std::abs(exponentValue), minimum, 10, QLatin1Char('0')) +
               suffix;
    }
    return out;
}

} // namespace host::model::numfmt
