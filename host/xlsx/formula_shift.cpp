#include "host/xlsx/formula_shift.h"

#include "host/model/cell_ref.h"

#include <optional>

namespace host::xlsx {

namespace {

bool isTokenChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'.' || c == u'$' || c == u'\\' || c == u'?';
}

struct RefPart
{
    bool absColumn = false;
    bool absRow = false;
    int column = 0; // 0: none
    int row = 0;    // 0: none
};

// Reads "$A$1", "A1", "$A", "7", "$7" (whole token).
std::optional<RefPart> readRef(const QString& token)
{
    RefPart p;
    qsizetype i = 0;
    if (i < token.size() && token[i] == u'$') {
        p.absColumn = true;
        ++i;
    }
    const qsizetype lettersStart = i;
    while (i < token.size() && token[i].isLetter() && token[i].unicode() < 128)
        ++i;
    const qsizetype letters = i - lettersStart;
    if (letters > 3)
        return std::nullopt;
    if (letters > 0) {
        p.column = model::columnNumber(token.mid(lettersStart, letters).toUpper());
        if (p.column < 1 || p.column > model::kMaxColumns)
            return std::nullopt;
    } else if (p.absColumn) {
        p.absRow = true; // "$7": the dollar belonged to the row
        p.absColumn = false;
    }
    if (letters > 0 && i < token.size() && token[i] == u'$') {
        p.absRow = true;
        ++i;
    }
    const qsizetype digitsStart = i;
    while (i < token.size() && token[i].isDigit() && token[i].unicode() < 128)
        ++i;
    if (i != token.size())
        return std::nullopt;
    if (i > digitsStart) {
        if (i - digitsStart > 7)
            return std::nullopt;
        p.row = token.mid(digitsStart).toInt();
        if (p.row < 1 || p.row > model::kMaxRows)
            return std::nullopt;
    } else if (p.absRow) {
        return std::nullopt; // "A$"
    }
    if (p.column == 0 && p.row == 0)
        return std::nullopt;
    return p;
}

// Shifts one part; nullopt when it leaves the sheet.
std::optional<QString> shifted(const RefPart& p, int rows, int columns)
{
    QString out;
    if (p.column) {
        const int c = p.absColumn ? p.column : p.column + columns;
        if (c < 1 || c > model::kMaxColumns)
            return std::nullopt;
        out += (p.absColumn ? QStringLiteral("$") : QString()) + model::columnName(c);
    }
    if (p.row) {
        const int r = p.absRow ? p.row : p.row + rows;
        if (r < 1 || r > model::kMaxRows)
            return std::nullopt;
        out += (p.absRow ? QStringLiteral("$") : QString()) + QString::number(r);
    }
    return out;
}

const char16_t* const kErrors[] = {u"#NULL!", u"#DIV/0!", u"#VALUE!",       u"#REF!",   u"#NAME?",
                                   u"#NUM!",  u"#N/A",    u"#GETTING_DATA", u"#SPILL!", u"#CALC!"};

} // namespace

QString shiftFormula(const QString& formula, int rows, int columns)
{
    if (rows == 0 && columns == 0)
        return formula;
    QString out;
    out.reserve(formula.size() + 8);
    const qsizetype n = formula.size();
    qsizetype i = 0;
    // The previous token, when it was a bare column or row that a ':' may join to this one.
    while (i < n) {
        const QChar c = formula[i];
        if (c == u'"' || c == u'\'') {
            // A string or a quoted sheet name; a doubled quote stays inside.
            const qsizetype start = i++;
            while (i < n) {
                if (formula[i] == c) {
                    if (i + 1 < n && formula[i + 1] == c) {
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                ++i;
            }
            out += formula.mid(start, i - start);
            continue;
        }
        if (c == u'[') {
            // Structured reference or external book index; brackets may nest.
            const qsizetype start = i;
            int depth = 0;
            while (i < n) {
                if (formula[i] == u'[')
                    ++depth;
                else if (formula[i] == u']' && --depth == 0) {
                    ++i;
                    break;
                }
                ++i;
            }
            out += formula.mid(start, i - start);
            continue;
        }
        if (c == u'#') {
            bool matched = false;
            for (const char16_t* e : kErrors) {
                const QString error = QString::fromUtf16(e);
                if (formula.mid(i, error.size()).compare(error, Qt::CaseInsensitive) == 0) {
                    out += formula.mid(i, error.size());
                    i += error.size();
                    matched = true;
                    break;
                }
            }
            if (!matched)
                out += formula[i++];
            continue;
        }
        if (!isTokenChar(c)) {
            out += c;
            ++i;
            continue;
        }
        const qsizetype start = i;
        while (i < n && isTokenChar(formula[i]))
            ++i;
        const QString token = formula.mid(start, i - start);
        const QChar next = i < n ? formula[i] : QChar();
        const QChar before = start > 0 ? formula[start - 1] : QChar();
        std::optional<RefPart> ref;
        if (next != u'(' && next != u'!' && next != u'[')
            ref = readRef(token);
        if (ref) {
            // A bare column ("A") or row ("7") is a reference only as one end of a range.
            const bool partial = ref->column == 0 || ref->row == 0;
            if (partial && next != u':' && before != u':')
                ref.reset();
        }
        if (!ref) {
            out += token;
            continue;
        }
        const std::optional<QString> moved = shifted(*ref, rows, columns);
        out += moved ? *moved : QStringLiteral("#REF!");
    }
    return out;
}

} // namespace host::xlsx
