#include "host/model/cell_ref.h"

#include <QStringList>

namespace host::model {

QString columnName(int column)
{
    QString name;
    while (column > 0) {
        const int rem = (column - 1) % 26;
        name.prepend(QChar(u'A' + rem));
        column = (column - 1) / 26;
    }
    return name;
}

int columnNumber(const QString& letters)
{
    if (letters.isEmpty() || letters.size() > 3)
        return 0;
    int n = 0;
    for (QChar c : letters) {
        const char16_t u = c.toUpper().unicode();
        if (u < u'A' || u > u'Z')
            return 0;
        n = n * 26 + (u - u'A' + 1);
    }
    return n <= kMaxColumns ? n : 0;
}

namespace {

struct Part
{
    int row = 0;    // 0 when absent
    int column = 0; // 0 when absent
};

std::optional<Part> parsePart(const QString& text)
{
    Part p;
    qsizetype i = 0;
    const qsizetype n = text.size();
    if (i < n && text[i] == u'$')
        ++i;
    const qsizetype letters = i;
    while (i < n && text[i].isLetter() && text[i].unicode() < 128)
        ++i;
    if (i > letters) {
        p.column = columnNumber(text.mid(letters, i - letters));
        if (p.column == 0)
            return std::nullopt;
    } else if (letters > 0 && (i >= n || !text[i].isDigit())) {
        return std::nullopt;
    }
    if (i < n && text[i] == u'$') {
        if (p.column == 0 && letters > 0)
            return std::nullopt;
        ++i;
    }
    const qsizetype digits = i;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128)
        ++i;
    if (i != n)
        return std::nullopt;
    if (i > digits) {
        bool ok = false;
        const int row = text.mid(digits, i - digits).toInt(&ok);
        if (!ok || row < 1 || row > kMaxRows)
            return std::nullopt;
        p.row = row;
    }
    if (p.row == 0 && p.column == 0)
        return std::nullopt;
    return p;
}

} // namespace

std::optional<CellRect> parseA1(const QString& input)
{
    const QString text = input.trimmed();
    const QStringList pieces = text.split(u':');
    if (pieces.size() > 2)
        return std::nullopt;
    auto a = parsePart(pieces[0]);
    if (!a)
        return std::nullopt;
    Part b = *a;
    if (pieces.size() == 2) {
        auto second = parsePart(pieces[1]);
        if (!second)
            return std::nullopt;
        b = *second;
    }
    const bool aCell = a->row && a->column;
    const bool bCell = b.row && b.column;
    CellRect r;
    if (aCell && bCell) {
        r = {std::min(a->row, b.row), std::min(a->column, b.column), std::max(a->row, b.row),
             std::max(a->column, b.column)};
    } else if (pieces.size() == 2 && !a->row && !b.row) { // whole columns "A:C"
        r = {1, std::min(a->column, b.column), kMaxRows, std::max(a->column, b.column)};
    } else if (pieces.size() == 2 && !a->column && !b.column) { // whole rows "3:5"
        r = {std::min(a->row, b.row), 1, std::max(a->row, b.row), kMaxColumns};
    } else {
        return std::nullopt;
    }
    return r;
}

std::optional<std::vector<CellRect>> parseA1List(const QString& text)
{
    std::vector<CellRect> areas;
    for (const QString& piece : text.split(u',')) {
        auto r = parseA1(piece);
        if (!r)
            return std::nullopt;
        areas.push_back(*r);
    }
    return areas;
}

QString formatA1(const CellRect& r, bool absolute)
{
    const QString d = absolute ? QStringLiteral("$") : QString();
    if (r.top == 1 && r.bottom == kMaxRows)
        return d + columnName(r.left) + u':' + d + columnName(r.right);
    if (r.left == 1 && r.right == kMaxColumns)
        return d + QString::number(r.top) + u':' + d + QString::number(r.bottom);
    QString s = d + columnName(r.left) + d + QString::number(r.top);
    if (!r.isSingleCell())
        s += u':' + d + columnName(r.right) + d + QString::number(r.bottom);
    return s;
}

QString formatA1List(const std::vector<CellRect>& areas, bool absolute)
{
    QStringList parts;
    for (const CellRect& r : areas)
        parts << formatA1(r, absolute);
    return parts.join(u',');
}

} // namespace host::model
