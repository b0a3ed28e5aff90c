#include "host/objects/sheet_name.h"

#include "host/automation/host_error.h"
#include "host/model/workbook.h"

#include <QRegularExpression>

namespace host::objects {

namespace {

bool taken(const model::Workbook& book, const QString& name, const model::Sheet* self)
{
    for (const auto& sheet : book.sheets)
        if (sheet.get() != self && sheet->name.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

} // namespace

void checkSheetName(const model::Workbook& book, const QString& name, const model::Sheet* self)
{
    static const QString forbidden = QStringLiteral(":\\/?*[]");
    bool valid = !name.isEmpty() && name.size() <= kMaxSheetNameLength && !name.startsWith(u'\'') &&
                 !name.endsWith(u'\'');
    for (QChar c : name)
        valid = valid && !forbidden.contains(c);
    if (!valid)
        raise(err::ApplicationDefined,
              QStringLiteral("You typed an invalid name for a sheet or chart. Make sure that:\n\n"
                             "\u2022 The name that you type does not exceed 31 characters.\n"
                             "\u2022 The name does not contain any of the following characters: "
                             " :  \\  /  ?  *  [  or  ]\n"
                             "\u2022 The name does not begin or end with an apostrophe (').\n"
                             "\u2022 You did not leave the name blank."));
    if (name.compare(QStringLiteral("History"), Qt::CaseInsensitive) == 0)
        raise(err::ApplicationDefined, QStringLiteral("'History' is a reserved name."));
    if (taken(book, name, self))
        raise(err::ApplicationDefined,
              QStringLiteral("Cannot rename a sheet to the same name as another sheet, a "
                             "referenced object library or a workbook referenced by Visual "
                             "Basic."));
}

QString nextSheetName(const model::Workbook& book)
{
    static const QRegularExpression pattern(QStringLiteral("^Sheet([0-9]{1,6})$"),
                                            QRegularExpression::CaseInsensitiveOption);
    int highest = 0;
    for (const auto& sheet : book.sheets) {
        const auto match = pattern.match(sheet->name);
        if (match.hasMatch())
            highest = std::max(highest, match.captured(1).toInt());
    }
    QString name;
    do
        name = QStringLiteral("Sheet") + QString::number(++highest);
    while (taken(book, name, nullptr));
    return name;
}

QString copyName(const model::Workbook& target, const QString& name)
{
    if (!taken(target, name, nullptr))
        return name;
    // The copy of "Sheet1 (2)" is "Sheet1 (3)", not "Sheet1 (2) (2)".
    static const QRegularExpression numbered(QStringLiteral("^(.*) \\(([0-9]+)\\)$"));
    QString base = name;
    int n = 2;
    const auto match = numbered.match(name);
    if (match.hasMatch()) {
        base = match.captured(1);
        n = match.captured(2).toInt() + 1;
    }
    for (;; ++n) {
        const QString suffix = QStringLiteral(" (") + QString::number(n) + u')';
        const QString candidate = base.left(kMaxSheetNameLength - suffix.size()) + suffix;
        if (!taken(target, candidate, nullptr))
            return candidate;
    }
}

} // namespace host::objects
