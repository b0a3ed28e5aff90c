// Reading a number format code into sections and tokens.
#include "host/model/number_format_code.h"

#include <QRegularExpression>

#include <algorithm>
#include <iterator>

namespace host::model::numfmt {

namespace {

// Splits at the semicolons outside quotes, escapes and brackets.
std::vector<QString> splitCodeSections(const QString& code)
{
    std::vector<QString> sections(1);
    bool quoted = false;
    bool bracket = false;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i];
        if (!bracket && c == u'"')
            quoted = !quoted;
        if (!quoted && !bracket && (c == u'\\' || c == u'_' || c == u'*') && i + 1 < code.size()) {
            sections.back() += c;
            sections.back() += code[++i];
            continue;
        }
        if (!quoted)
            bracket = c == u'[' ? true : c == u']' ? false : bracket;
        if (!quoted && !bracket && c == u';') {
            sections.emplace_back();
            continue;
        }
        sections.back() += c;
    }
    return sections;
}

std::optional<StyleColor> namedColor(const QString& name)
{
    static const struct
    {
        const char16_t* english;
        const char16_t* japanese;
        QRgb rgb;
    } kNamed[] = {{u"black", u"黒", 0xff000000},   {u"blue", u"青", 0xff0000ff},
                  {u"cyan", u"水", 0xff00ffff},    {u"green", u"緑", 0xff00ff00},
                  {u"magenta", u"紫", 0xffff00ff}, {u"red", u"赤", 0xffff0000},
                  {u"white", u"白", 0xffffffff},   {u"yellow", u"黄", 0xffffff00}};
    const QString lower = name.toLower();
    for (const auto& n : kNamed)
        if (lower == QStringView(n.english) || name == QStringView(n.japanese))
            return StyleColor{StyleColor::Kind::Rgb, n.rgb, 0, 0};
    static const QRegularExpression numbered(QStringLiteral(R"(^(?:color|色)\s*(\d+)$)"),
                                             QRegularExpression::CaseInsensitiveOption);
    if (const auto m = numbered.match(lower); m.hasMatch()) {
        const int n = m.captured(1).toInt();
        if (n >= 1 && n <= 56) // the palette's entries after its eight fixed colours
            return StyleColor{StyleColor::Kind::Indexed, 0, n + 7, 0};
    }
    return std::nullopt;
}

std::optional<Condition> conditionOf(const QString& inside)
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(^\s*(<=|>=|<>|<|>|=)\s*(-?[\d.]+(?:[eE][-+]?\d+)?)\s*$)"));
    const auto m = pattern.match(inside);
    if (!m.hasMatch())
        return std::nullopt;
    bool ok = false;
    const double operand = m.captured(2).toDouble(&ok);
    if (!ok)
        return std::nullopt;
    const QString op = m.captured(1);
    Condition c;
    c.operand = operand;
    c.op = op == u"<"    ? Condition::Op::Less
           : op == u"<=" ? Condition::Op::LessEqual
           : op == u">"  ? Condition::Op::Greater
           : op == u">=" ? Condition::Op::GreaterEqual
           : op == u"<>" ? Condition::Op::NotEqual
                         : Condition::Op::Equal;
    return c;
}

class Tokenizer
{
public:
    explicit Tokenizer(Section& section) : m_section(section) {}

    void literal(const QString& text)
    {
        auto& tokens = m_section.tokens;
        if (!tokens.empty() && tokens.back().kind == Token::Kind::Literal)
            tokens.back().text += text;
        else
            tokens.push_back({Token::Kind::Literal, text});
    }
    void add(Token::Kind kind, const QString& text = {})
    {
        m_section.tokens.push_back({kind, text});
    }

    // What a bracket holds: a colour, a condition, elapsed time, a currency and locale.
    void bracket(const QString& inside)
    {
        static const QRegularExpression elapsed(QStringLiteral("^(h+|m+|s+)$"),
                                                QRegularExpression::CaseInsensitiveOption);
        if (const auto m = elapsed.match(inside); m.hasMatch()) {
            add(Token::Kind::Date, u'[' + inside.toLower() + u']');
        } else if (inside.startsWith(u'$')) {
            const qsizetype dash = inside.indexOf(u'-');
            const QString symbol = inside.mid(1, dash < 0 ? -1 : dash - 1);
            const QString locale = dash < 0 ? QString() : inside.mid(dash + 1).toUpper();
            if (!symbol.isEmpty())
                literal(symbol);
            if (locale.endsWith(QStringLiteral("411")) || locale == u"JA-JP")
                m_section.japanese = true;
        } else if (const auto c = namedColor(inside)) {
            m_section.color = c;
        } else if (const auto c = conditionOf(inside)) {
            m_section.condition = c;
        } // [DBNum1] and the like: no effect here
    }

    void run(const QString& s)
    {
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
                literal(QStringLiteral(" ")); // room as wide as the next character, about
            } else if (c == u'*' && i + 1 < s.size()) {
                add(Token::Kind::Fill, QString(s[++i]));
            } else if (c == u'[') {
                const qsizetype end = s.indexOf(u']', i);
                bracket(s.mid(i + 1, (end < 0 ? s.size() : end) - i - 1));
                i = end < 0 ? s.size() : end;
            } else if (c == u'@') {
                add(Token::Kind::Text);
                m_section.text = true;
            } else if (rest.startsWith(u"General", Qt::CaseInsensitive)) {
                add(Token::Kind::General);
                m_section.general = true;
                i += 6;
            } else if (rest.startsWith(u"G/標準")) {
                add(Token::Kind::General);
                m_section.general = true;
                i += 3;
            } else if (rest.startsWith(u"AM/PM", Qt::CaseInsensitive)) {
                add(Token::Kind::Date, QStringLiteral("AM/PM"));
                i += 4;
            } else if (rest.startsWith(u"A/P", Qt::CaseInsensitive)) {
                add(Token::Kind::Date, rest.left(3).toString()); // keeps the case shown
                i += 2;
            } else if (lower == u'e' && i + 1 < s.size() &&
                       (s[i + 1] == u'+' || s[i + 1] == u'-')) {
                add(Token::Kind::Exponent, QString(u'E') + s[i + 1]);
                ++i;
            } else if (lower == u'y' || lower == u'm' || lower == u'd' || lower == u'h' ||
                       lower == u's' || lower == u'e' || lower == u'a' || lower == u'g') {
                qsizetype end = i;
                while (end < s.size() && s[end].toLower() == lower)
                    ++end;
                if (lower == u'a' && end - i < 3)
                    literal(s.mid(i, end - i));
                else
                    add(Token::Kind::Date, QString(end - i, lower));
                i = end - 1;
            } else if (c == u'0' || c == u'#' || c == u'?') {
                add(Token::Kind::Digit, QString(c));
            } else if (c == u'.') {
                add(Token::Kind::Point);
            } else if (c == u',') {
                add(Token::Kind::Comma);
            } else if (c == u'%') {
                add(Token::Kind::Percent);
            } else if (c == u'/') {
                add(Token::Kind::Slash);
            } else {
                literal(QString(c));
            }
        }
    }

private:
    Section& m_section;
};

bool isDateToken(const Token& t)
{
    return t.kind == Token::Kind::Date;
}

// In a date section only dates and text mean anything; ".00" after seconds is a fraction.
void settleDateSection(Section& section)
{
    std::vector<Token> out;
    bool afterSeconds = false;
    const auto literal = [&](const QString& text) {
        if (!out.empty() && out.back().kind == Token::Kind::Literal)
            out.back().text += text;
        else
            out.push_back({Token::Kind::Literal, text});
    };
    auto& in = section.tokens;
    for (size_t i = 0; i < in.size(); ++i) {
        const Token& t = in[i];
        if (t.kind == Token::Kind::Date) {
            afterSeconds = t.text.contains(u's');
            out.push_back(t);
        } else if (t.kind == Token::Kind::Point && afterSeconds && i + 1 < in.size() &&
                   in[i + 1].kind == Token::Kind::Digit && in[i + 1].text == u"0") {
            QString zeros;
            while (i + 1 < in.size() && in[i + 1].kind == Token::Kind::Digit &&
                   in[i + 1].text == u"0" && zeros.size() < 3) {
                zeros += u'0';
                ++i;
            }
            out.push_back({Token::Kind::Fraction, zeros});
            afterSeconds = false;
        } else if (t.kind == Token::Kind::Literal || t.kind == Token::Kind::Fill ||
                   t.kind == Token::Kind::Text) {
            out.push_back(t);
        } else {
            literal(t.kind == Token::Kind::Point     ? QStringLiteral(".")
                    : t.kind == Token::Kind::Comma   ? QStringLiteral(",")
                    : t.kind == Token::Kind::Percent ? QStringLiteral("%")
                    : t.kind == Token::Kind::Slash   ? QStringLiteral("/")
                                                     : t.text);
        }
    }
    in = std::move(out);
}

// The system's long date and time tags stand for the locale's own codes.
QString withSystemFormats(QString section)
{
    if (section.contains(QStringLiteral("[$-F800]"), Qt::CaseInsensitive))
        return QStringLiteral("yyyy\"年\"m\"月\"d\"日\"");
    if (section.contains(QStringLiteral("[$-F400]"), Qt::CaseInsensitive))
        return QStringLiteral("h:mm:ss");
    return section;
}

} // namespace

bool Condition::matches(double v) const
{
    switch (op) {
    case Op::Less:
        return v < operand;
    case Op::LessEqual:
        return v <= operand;
    case Op::Greater:
        return v > operand;
    case Op::GreaterEqual:
        return v >= operand;
    case Op::NotEqual:
        return v != operand;
    case Op::Equal:
        break;
    }
    return v == operand;
}

bool Condition::onlyNegative() const
{
    return (op == Op::Less && operand <= 0) || (op == Op::LessEqual && operand < 0) ||
           (op == Op::Equal && operand < 0);
}

Code parseCode(const QString& code)
{
    Code out;
    for (const QString& text : splitCodeSections(code)) {
        Section section;
        Tokenizer(section).run(withSystemFormats(text));
        section.date = std::any_of(section.tokens.begin(), section.tokens.end(), isDateToken);
        if (section.date)
            settleDateSection(section);
        for (const Token& t : section.tokens)
            section.japanese =
                section.japanese || (t.kind == Token::Kind::Date && t.text[0] == u'g');
        out.sections.push_back(std::move(section));
    }
    return out;
}

} // namespace host::model::numfmt
