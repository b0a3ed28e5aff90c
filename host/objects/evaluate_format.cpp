// The TEXT function's formatting goes through the number formats cells show with.
#include "host/model/number_format.h"
#include "host/objects/evaluate_value.h"

namespace host::objects::formula {

std::optional<QString> formatByCode(double value, const QString& code)
{
    if (code.isEmpty())
        return QString();
    const auto shown = model::NumberFormat(code).number(value);
    if (!shown)
        return std::nullopt;
    return shown->text; // a text has no width for a repeated character to fill
}

} // namespace host::objects::formula
