// The formula grammar Evaluate accepts: numbers, text in double quotes (with "" for a quote),
// TRUE and FALSE, error literals, A1 references with an optional sheet ('My sheet'!B2:C3,
// A:A, 3:5), function calls and the operators, with the worksheet's precedence: the sign,
// then %, ^, * and /, + and -, &, and the comparisons last.
#include "host/objects/evaluate_parser.h"

namespace host::objects::formula {

namespace {

constexpr int kMaxDepth = 200;

class Parser
{
public:
    Parser(const QString& text, const Context& context) : m_text(text), m_context(context) {}

    std::unique_ptr<Node> parseAll()
    {
        skipBlanks();
        if (peek() == u'=')
            ++m_pos;
        auto node = comparison();
        skipBlanks();
        if (!node || m_pos != m_text.size())
            return nullptr;
        return node;
    }

private:
    QChar peek(qsizetype ahead = 0) const
    {
        return m_pos + ahead < m_text.size() ? m_text[m_pos + ahead] : QChar();
    }
    void skipBlanks()
    {
        while (peek() == u' ' || peek() == u'\n' || peek() == u'\r' || peek() == u'\t')
            ++m_pos;
    }
    bool accept(QStringView op)
    {
        skipBlanks();
        if (QStringView(m_text).mid(m_pos, op.size()) != op)
            return false;
        m_pos += op.size();
        return true;
    }

    static std::unique_ptr<Node> make(Node::Kind kind, Value value = Blank{})
    {
        auto node = std::make_unique<Node>();
        node->kind = kind;
        node->value = std::move(value);
        return node;
    }
    static std::unique_ptr<Node> binary(QString op, std::unique_ptr<Node> l,
                                        std::unique_ptr<Node> r)
    {
        if (!l || !r)
            return nullptr;
        auto node = make(Node::Kind::Binary);
        node->op = std::move(op);
        node->args.push_back(std::move(l));
        node->args.push_back(std::move(r));
        return node;
    }

    std::unique_ptr<Node> comparison()
    {
        auto left = concatenation();
        while (left) {
            // Two-character operators first.
            QString op;
            for (const char16_t* candidate : {u"<>", u"<=", u">=", u"=", u"<", u">"})
                if (accept(candidate)) {
                    op = QString::fromUtf16(candidate);
                    break;
                }
            if (op.isEmpty())
                break;
            left = binary(op, std::move(left), concatenation());
        }
        return left;
    }
    std::unique_ptr<Node> concatenation()
    {
        auto left = additive();
        while (left && accept(u"&"))
            left = binary(QStringLiteral("&"), std::move(left), additive());
        return left;
    }
    std::unique_ptr<Node> additive()
    {
        auto left = multiplicative();
        while (left) {
            if (accept(u"+"))
                left = binary(QStringLiteral("+"), std::move(left), multiplicative());
            else if (accept(u"-"))
                left = binary(QStringLiteral("-"), std::move(left), multiplicative());
            else
                break;
        }
        return left;
    }
    std::unique_ptr<Node> multiplicative()
    {
        auto left = exponent();
        while (left) {
            if (accept(u"*"))
                left = binary(QStringLiteral("*"), std::move(left), exponent());
            else if (accept(u"/"))
                left = binary(QStringLiteral("/"), std::move(left), exponent());
            else
                break;
        }
        return left;
    }
    std::unique_ptr<Node> exponent()
    {
        auto left = percent();
        while (left && accept(u"^"))
            left = binary(QStringLiteral("^"), std::move(left), percent());
        return left;
    }
    std::unique_ptr<Node> percent()
    {
        auto operand = sign();
        while (operand && accept(u"%")) {
            auto node = make(Node::Kind::Percent);
            node->args.push_back(std::move(operand));
            operand = std::move(node);
        }
        return operand;
    }
    std::unique_ptr<Node> sign()
    {
        if (accept(u"-")) {
            auto operand = sign();
            if (!operand)
                return nullptr;
            auto node = make(Node::Kind::Negate);
            node->args.push_back(std::move(operand));
            return node;
        }
        if (accept(u"+"))
            return sign();
        return primary();
    }

    std::unique_ptr<Node> primary()
    {
        // Nesting deeper than any formula the host stores is refused rather than recursed.
        if (++m_depth > kMaxDepth)
            return nullptr;
        struct Leave
        {
            int& depth;
            ~Leave() { --depth; }
        } leave{m_depth};
        skipBlanks();
        const QChar c = peek();
        if (c.isNull())
            return nullptr;
        if (c == u'(') {
            ++m_pos;
            auto inner = comparison();
            if (!inner || !accept(u")"))
                return nullptr;
            return inner;
        }
        if (c == u'"')
            return text();
        if (c == u'#')
            return errorLiteral();
        if (c == u'\'')
            return quotedSheetReference();
        if (c.isDigit() || c == u'.') {
            // "3:5" is a block of rows, anything else a number.
            qsizetype end = m_pos;
            while (end < m_text.size() && (m_text[end].isDigit() || m_text[end] == u'$'))
                ++end;
            if (end >= m_text.size() || m_text[end] != u':')
                return number();
        }
        return word();
    }

    std::unique_ptr<Node> number()
    {
        const qsizetype start = m_pos;
        while (peek().isDigit())
            ++m_pos;
        if (peek() == u'.') {
            ++m_pos;
            while (peek().isDigit())
                ++m_pos;
        }
        if ((peek() == u'E' || peek() == u'e') &&
            (peek(1).isDigit() || ((peek(1) == u'+' || peek(1) == u'-') && peek(2).isDigit()))) {
            m_pos += 2;
            while (peek().isDigit())
                ++m_pos;
        }
        bool ok = false;
        const double value = QStringView(m_text).mid(start, m_pos - start).toDouble(&ok);
        return ok ? make(Node::Kind::Literal, value) : nullptr;
    }

    std::unique_ptr<Node> text()
    {
        QString value;
        ++m_pos;
        for (;;) {
            if (m_pos >= m_text.size())
                return nullptr; // no closing quote
            const QChar c = m_text[m_pos++];
            if (c == u'"') {
                if (peek() != u'"')
                    break;
                ++m_pos;
            }
            value += c;
        }
        return make(Node::Kind::Literal, value);
    }

    std::unique_ptr<Node> errorLiteral()
    {
        for (ErrorCode code : {ErrorCode::Null, ErrorCode::Div0, ErrorCode::Value, ErrorCode::Ref,
                               ErrorCode::Name, ErrorCode::Num, ErrorCode::NA}) {
            const QString literal = errorText(code);
            if (QStringView(m_text)
                    .mid(m_pos, literal.size())
                    .compare(literal, Qt::CaseInsensitive) == 0) {
                m_pos += literal.size();
                return make(Node::Kind::Literal, code);
            }
        }
        return nullptr;
    }

    static bool isWordChar(QChar c)
    {
        return c.isLetterOrNumber() || c == u'_' || c == u'.' || c == u'$' || c == u':' ||
               c == u'\\';
    }

    std::unique_ptr<Node> quotedSheetReference()
    {
        QString name;
        ++m_pos;
        for (;;) {
            if (m_pos >= m_text.size())
                return nullptr;
            const QChar c = m_text[m_pos++];
            if (c == u'\'') {
                if (peek() != u'\'')
                    break;
                ++m_pos;
            }
            name += c;
        }
        if (peek() != u'!')
            return nullptr;
        ++m_pos;
        return reference(m_context.sheetIndex(name), readWord());
    }

    QString readWord()
    {
        const qsizetype start = m_pos;
        while (isWordChar(peek()))
            ++m_pos;
        return m_text.mid(start, m_pos - start);
    }

    std::unique_ptr<Node> reference(int sheet, const QString& address)
    {
        const auto rect = model::parseA1(address);
        if (!rect)
            return nullptr;
        if (sheet < 0)
            return make(Node::Kind::Literal, ErrorCode::Ref);
        return make(Node::Kind::Ref, Reference{sheet, *rect});
    }

    std::unique_ptr<Node> word()
    {
        const QString name = readWord();
        if (name.isEmpty())
            return nullptr;
        if (peek() == u'!') {
            ++m_pos;
            return reference(m_context.sheetIndex(name), readWord());
        }
        skipBlanks();
        if (peek() == u'(') {
            ++m_pos;
            return call(name);
        }
        if (name.compare(QStringLiteral("TRUE"), Qt::CaseInsensitive) == 0)
            return make(Node::Kind::Literal, true);
        if (name.compare(QStringLiteral("FALSE"), Qt::CaseInsensitive) == 0)
            return make(Node::Kind::Literal, false);
        if (model::parseA1(name))
            return reference(m_context.formulaSheet(), name);
        auto node = make(Node::Kind::Name);
        node->op = name;
        return node;
    }

    std::unique_ptr<Node> call(const QString& name)
    {
        auto node = make(Node::Kind::Call);
        node->op = name.toUpper();
        // Functions newer than the file format carry a prefix in stored formulas.
        for (const QString& prefix : {QStringLiteral("_XLFN."), QStringLiteral("_XLWS.")})
            if (node->op.startsWith(prefix))
                node->op.remove(0, prefix.size());
        if (accept(u")"))
            return node;
        for (;;) {
            skipBlanks();
            if (peek() == u',' || peek() == u')') {
                node->args.push_back(make(Node::Kind::Missing));
            } else {
                auto argument = comparison();
                if (!argument)
                    return nullptr;
                node->args.push_back(std::move(argument));
            }
            if (accept(u")"))
                return node;
            if (!accept(u","))
                return nullptr;
        }
    }

    const QString& m_text;
    const Context& m_context;
    qsizetype m_pos = 0;
    int m_depth = 0;
};

} // namespace

Context::~Context() = default;

std::unique_ptr<Node> parseFormula(const QString& text, const Context& context)
{
    return Parser(text, context).parseAll();
}

} // namespace host::objects::formula
