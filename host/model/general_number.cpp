#include "host/model/general_number.h"

#include <algorithm>
#include <cmath>

namespace host::model {

namespace {

// `value` with `decimals` decimals, trailing zeros and a bare point removed.
QString fixed(double value, int decimals)
{
    QString text = QString::number(value, 'f', std::max(0, decimals));
    if (text.contains(u'.')) {
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(u'.'))
            text.chop(1);
    }
    return text;
}

// Scientific form with as many mantissa digits as fit in `width` (at most five decimals);
// empty when not even one digit fits.
QString scientific(double value, int width)
{
    const bool negative = value < 0;
    const double magnitude = std::fabs(value);
    int exponent = int(std::floor(std::log10(magnitude)));
    const int exponentDigits = std::abs(exponent) >= 100 ? 3 : 2;
    const int room = width - (negative ? 1 : 0) - 1 - 2 - exponentDigits; // digit, "E+", exponent
    if (room < 0)
        return {};
    const int decimals = room >= 2 ? std::min(room - 1, 5) : 0; // a point takes one more
    double mantissa = magnitude / std::pow(10.0, exponent);
    const double scale = std::pow(10.0, decimals);
    mantissa = std::round(mantissa * scale) / scale;
    if (mantissa >= 10) {
        mantissa /= 10;
        ++exponent;
    }
    QString text = fixed(mantissa, decimals);
    if (negative)
        text.prepend(u'-');
    text += exponent < 0 ? QStringLiteral("E-") : QStringLiteral("E+");
    text += QStringLiteral("%1").arg(std::abs(exponent), 2, 10, QLatin1Char('0'));
    return text;
}

// Significant digits a number's text shows.
int significantDigits(const QString& text)
{
    QString digits;
    for (QChar c : text) {
        if (c == u'E')
            break;
        if (c.isDigit())
            digits += c;
    }
    while (digits.startsWith(u'0'))
        digits.remove(0, 1);
    if (!text.contains(u'E') && text.contains(u'.'))
        return int(digits.size());
    while (digits.endsWith(u'0') && !text.contains(u'E'))
        digits.chop(1); // trailing zeros of an integer say nothing about precision
    return int(digits.size());
}

} // namespace

QString generalNumber(double value, int width)
{
    if (!std::isfinite(value))
        return QStringLiteral("#NUM!");
    if (value == 0)
        return QStringLiteral("0");
    const bool negative = value < 0;
    const double magnitude = std::fabs(value);
    const int integerDigits = magnitude < 1 ? 1 : int(std::floor(std::log10(magnitude))) + 1;
    if (magnitude >= 1e11 || integerDigits + (negative ? 1 : 0) > width)
        return scientific(value, width);
    const int decimals = width - (negative ? 1 : 0) - integerDigits - 1;
    QString decimal = fixed(value, decimals);
    if (decimal.size() > width) // rounding carried into another integer digit
        decimal = fixed(value, decimals - 1);
    if (decimal.size() > width)
        return scientific(value, width);
    if (magnitude >= 1)
        return decimal;
    // Small fractions: the decimal form unless the scientific one keeps more digits.
    const QString sci = scientific(value, width);
    if (decimal == QStringLiteral("0") || decimal == QStringLiteral("-0") ||
        significantDigits(sci) > significantDigits(decimal))
        return sci.isEmpty() ? decimal : sci;
    return decimal;
}

} // namespace host::model
