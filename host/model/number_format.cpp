#include "host/model/number_format.h"

#include "host/model/general_number.h"
#include "host/model/number_format_code.h"
#include "host/model/workbook.h"

#include <QHash>

#include <algorithm>
#include <cmath>

namespace host::model {

namespace {

using numfmt::Code;
using numfmt::Section;
using numfmt::Token;

const std::shared_ptr<const Code>& generalCode()
{
    static const std::shared_ptr<const Code> code =
        std::make_shared<const Code>(numfmt::parseCode(QStringLiteral("General")));
    return code;
}

// Takes the fill mark out of formatted text and says where it was.
NumberFormat::Shown shownOf(QString text, const Section& section)
{
    NumberFormat::Shown shown;
    shown.color = section.color;
    const qsizetype mark = text.indexOf(QChar(numfmt::kFillMark));
    if (mark >= 0) {
        for (const Token& t : section.tokens)
            if (t.kind == Token::Kind::Fill)
                shown.fillChar = t.text.isEmpty() ? QChar(u' ') : t.text[0];
        text.remove(QChar(numfmt::kFillMark));
        shown.fillAt = mark;
    }
    shown.text = std::move(text);
    return shown;
}

bool onlyGeneral(const Section& s)
{
    return s.tokens.size() == 1 && s.tokens[0].kind == Token::Kind::General;
}

// The sections numbers use: the first three, without the text section ("@").
std::vector<const Section*> numberSections(const Code& code)
{
    std::vector<const Section*> out;
    for (size_t i = 0; i < code.sections.size() && i < 3; ++i)
        if (!code.sections[i].text)
            out.push_back(&code.sections[i]);
    return out;
}

} // namespace

NumberFormat::NumberFormat() : m_code(QStringLiteral("General")), m_parsed(generalCode()) {}

NumberFormat::NumberFormat(const QString& code)
    : m_code(code), m_parsed(code.isEmpty() || code.compare(u"General", Qt::CaseInsensitive) == 0
                                 ? generalCode()
                                 : std::make_shared<const Code>(numfmt::parseCode(code)))
{
}

bool NumberFormat::isGeneral() const
{
    return m_parsed == generalCode();
}

std::optional<NumberFormat::Shown> NumberFormat::number(double value, bool date1904) const
{
    const std::vector<const Section*> sections = numberSections(*m_parsed);
    static const Section general = generalCode()->sections.front();
    const Section* chosen = &general;
    bool sign = value < 0;
    const bool conditional = std::any_of(sections.begin(), sections.end(),
                                         [](const Section* s) { return s->condition; });
    if (sections.empty()) {
        // Only a text section: numbers show in General.
    } else if (conditional) {
        // The first section whose condition holds; a section without one takes the rest.
        chosen = nullptr;
        for (const Section* s : sections) {
            if (!s->condition || s->condition->matches(value)) {
                chosen = s;
                break;
            }
        }
        if (!chosen)
            return std::nullopt; // no section takes the value
        if (chosen->condition && chosen->condition->onlyNegative())
            sign = false;
    } else if (sections.size() >= 2 && value < 0) {
        chosen = sections[1];
        sign = false;
    } else if (sections.size() >= 3 && value == 0) {
        chosen = sections[2];
    } else {
        chosen = sections[0];
    }

    if (chosen->date) {
        const auto text = numfmt::formatDate(value, *chosen, date1904);
        if (!text)
            return std::nullopt;
        return shownOf(*text, *chosen);
    }
    if (!std::isfinite(value))
        return std::nullopt;
    if (onlyGeneral(*chosen)) { // the sign counts in General's eleven characters
        Shown shown = shownOf(generalNumber(sign ? value : std::fabs(value)), *chosen);
        shown.general = true;
        return shown;
    }
    QString text = numfmt::formatNumber(std::fabs(value), *chosen);
    if (sign) // even where the digits round to zero ("-0"), as spreadsheet programs show it
        text.prepend(u'-');
    return shownOf(std::move(text), *chosen);
}

NumberFormat::Shown NumberFormat::text(const QString& text) const
{
    const auto& sections = m_parsed->sections;
    const Section* textSection = nullptr;
    if (sections.size() >= 4)
        textSection = &sections[3];
    else if (!sections.empty() && sections.back().text)
        textSection = &sections.back();
    if (!textSection) {
        Shown shown;
        shown.text = text;
        return shown;
    }
    QString out;
    for (const Token& t : textSection->tokens) {
        switch (t.kind) {
        case Token::Kind::Text:
            out += text;
            break;
        case Token::Kind::Fill:
            out += QChar(numfmt::kFillMark);
            break;
        case Token::Kind::Literal:
        case Token::Kind::Date:
            out += t.text;
            break;
        default:
            break;
        }
    }
    return shownOf(out, *textSection);
}

QString builtInNumberFormat(int id)
{
    // The Japanese installation's codes; ids without a code show General.
    static const QHash<int, QString> kCodes = [] {
        const QString eraShort = QStringLiteral("[$-411]ge.m.d");
        const QString eraLong = QStringLiteral("[$-411]ggge\"年\"m\"月\"d\"日\"");
        const QString yearMonth = QStringLiteral("yyyy\"年\"m\"月\"");
        const QString monthDay = QStringLiteral("m\"月\"d\"日\"");
        return QHash<int, QString>{
            {0, QStringLiteral("General")},
            {1, QStringLiteral("0")},
            {2, QStringLiteral("0.00")},
            {3, QStringLiteral("#,##0")},
            {4, QStringLiteral("#,##0.00")},
            {5, QStringLiteral("\"¥\"#,##0;\"¥\"\\-#,##0")},
            {6, QStringLiteral("\"¥\"#,##0;[Red]\"¥\"\\-#,##0")},
            {7, QStringLiteral("\"¥\"#,##0.00;\"¥\"\\-#,##0.00")},
            {8, QStringLiteral("\"¥\"#,##0.00;[Red]\"¥\"\\-#,##0.00")},
            {9, QStringLiteral("0%")},
            {10, QStringLiteral("0.00%")},
            {11, QStringLiteral("0.00E+00")},
            {12, QStringLiteral("# ?/?")},
            {13, QStringLiteral("# ?\?/??")},
            {14, QStringLiteral("yyyy/m/d")},
            {15, QStringLiteral("d-mmm-yy")},
            {16, QStringLiteral("d-mmm")},
            {17, QStringLiteral("mmm-yy")},
            {18, QStringLiteral("h:mm AM/PM")},
            {19, QStringLiteral("h:mm:ss AM/PM")},
            {20, QStringLiteral("h:mm")},
            {21, QStringLiteral("h:mm:ss")},
            {22, QStringLiteral("yyyy/m/d h:mm")},
            {27, eraShort},
            {28, eraLong},
            {29, eraLong},
            {30, QStringLiteral("m/d/yy")},
            {31, QStringLiteral("yyyy\"年\"m\"月\"d\"日\"")},
            {32, QStringLiteral("h\"時\"mm\"分\"")},
            {33, QStringLiteral("h\"時\"mm\"分\"ss\"秒\"")},
            {34, yearMonth},
            {35, monthDay},
            {36, eraShort},
            {37, QStringLiteral("#,##0;\\-#,##0")},
            {38, QStringLiteral("#,##0;[Red]\\-#,##0")},
            {39, QStringLiteral("#,##0.00;\\-#,##0.00")},
            {40, QStringLiteral("#,##0.00;[Red]\\-#,##0.00")},
            {41, QStringLiteral("_ * #,##0_ ;_ * \\-#,##0_ ;_ * \"-\"_ ;_ @_ ")},
            {42, QStringLiteral("_ \"¥\"* #,##0_ ;_ \"¥\"* \\-#,##0_ ;_ \"¥\"* \"-\"_ ;_ @_ ")},
            {43, QStringLiteral("_ * #,##0.00_ ;_ * \\-#,##0.00_ ;_ * \"-\"??_ ;_ @_ ")},
            {44,
             QStringLiteral("_ \"¥\"* #,##0.00_ ;_ \"¥\"* \\-#,##0.00_ ;_ \"¥\"* \"-\"??_ ;_ @_ ")},
            {45, QStringLiteral("mm:ss")},
            {46, QStringLiteral("[h]:mm:ss")},
            {47, QStringLiteral("mm:ss.0")},
            {48, QStringLiteral("##0.0E+0")},
            {49, QStringLiteral("@")},
            {50, eraShort},
            {51, eraLong},
            {52, yearMonth},
            {53, monthDay},
            {54, eraLong},
            {55, yearMonth},
            {56, monthDay},
            {57, eraShort},
            {58, eraLong},
        };
    }();
    return kCodes.value(id);
}

QString numberFormatCode(const Workbook& book, int id)
{
    if (const auto own = book.numberFormats.find(id); own != book.numberFormats.end())
        return own->second;
    const QString builtIn = builtInNumberFormat(id);
    return builtIn.isEmpty() ? QStringLiteral("General") : builtIn;
}

} // namespace host::model
