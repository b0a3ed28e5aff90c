#pragma once

#include "host/model/cell_style.h"

#include <QString>

#include <optional>
#include <vector>

// The parsed form of a number format code, shared by the number, date and text formatting.
namespace host::model::numfmt {

struct Token
{
    enum class Kind
    {
        Literal,  // text as it is
        Digit,    // "0", "#" or "?"
        Point,    // the decimal point
        Comma,    // grouping, or scaling by a thousand after the last digit
        Percent,  // "%": the value times 100
        Exponent, // "E+" or "E-"
        Slash,    // a fraction's bar
        General,  // the General form
        Text,     // "@": the text value
        Fill,     // "*x": x repeated to the cell's width
        Date,     // "yyyy", "m", "hh", "[h]", "AM/PM", "aaa", "ggg", "e" …
        Fraction  // ".00" after seconds: fractional seconds, text holds the zeros
    };
    Kind kind = Kind::Literal;
    QString text;
};

struct Condition
{
    enum class Op
    {
        Less,
        LessEqual,
        Greater,
        GreaterEqual,
        Equal,
        NotEqual
    };
    Op op = Op::Equal;
    double operand = 0;

    bool matches(double value) const;
    // Whether every value it matches is negative: the section then shows no minus sign.
    bool onlyNegative() const;
};

struct Section
{
    std::vector<Token> tokens;
    std::optional<StyleColor> color;
    std::optional<Condition> condition;
    bool date = false;     // holds date or time codes
    bool text = false;     // holds "@"
    bool general = false;  // holds "General"
    bool japanese = false; // a Japanese locale tag: AM/PM as 午前/午後
};

struct Code
{
    std::vector<Section> sections;
};

// Marks the fill position inside formatted text until it is taken out.
inline constexpr char16_t kFillMark = 0xFFFF;

Code parseCode(const QString& code);

// `magnitude` (not negative) by a number section; the fill position as kFillMark.
QString formatNumber(double magnitude, const Section& section);
// `serial` by a date section; none outside the dates that can be shown.
std::optional<QString> formatDate(double serial, const Section& section, bool date1904);

} // namespace host::model::numfmt
