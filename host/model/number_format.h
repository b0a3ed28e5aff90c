#pragma once

#include "host/model/cell_style.h"

#include <QString>

#include <memory>
#include <optional>

namespace host::model {

struct Workbook;

namespace numfmt {
struct Code; // the parsed sections (number_format_code.h)
}

// A number format code ("#,##0.00;[Red]-#,##0.00", "yyyy/m/d h:mm", "@") parsed once into its
// sections and applied to any number of values. Cells and the TEXT function share it.
//
// Locale: the host follows a Japanese installation. The built-in formats whose look depends
// on the locale (dates 14 and 22, currencies 5–8 and 41–44, the Japanese dates 27–36 and
// 50–58) take their Japanese forms, the date separator is "/", the currency "¥"; month and
// weekday names ("mmm", "dddd") stay English as they do there, "aaa" gives the Japanese
// weekday and "ggg e" the Japanese era.
class NumberFormat
{
public:
    NumberFormat(); // General
    explicit NumberFormat(const QString& code);

    struct Shown
    {
        QString text;
        std::optional<StyleColor> color; // the section's [Red], [Color 10] …
        // Where the section's repeated character ("* ") fills the cell's remaining width;
        // −1 for none. The text holds nothing there.
        qsizetype fillAt = -1;
        QChar fillChar;
        bool general = false; // shown in General form: a narrow cell may show fewer digits
    };

    // How the number shows; none when it cannot (a date before the first day or after
    // 9999): a cell then shows hashes, TEXT an error.
    std::optional<Shown> number(double value, bool date1904 = false) const;
    // How text shows: through the text section ("@"), else as it is.
    Shown text(const QString& text) const;

    const QString& code() const { return m_code; }
    bool isGeneral() const;

private:
    QString m_code;
    std::shared_ptr<const numfmt::Code> m_parsed;
};

// The code of a built-in number format (ids 0–58), in the host's locale; empty for an id
// that has none.
QString builtInNumberFormat(int id);
// The code of number format `id` in `book`: the workbook's own, else the built-in one, else
// General.
QString numberFormatCode(const Workbook& book, int id);

} // namespace host::model
