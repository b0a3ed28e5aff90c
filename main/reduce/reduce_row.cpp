#include "main/reduce/reduce_row.h"

#include <cmath>

namespace picrows {

namespace {

// Int(): the integer at or below the number.
QString integerPart(double value)
{
    return QString::number(std::floor(value), 'f', 0);
}

} // namespace

ReduceRow successRow(const QString& book, const QString& sheet, const QString& object,
                     const QString& description)
{
    return {QStringLiteral("○"), book, sheet, object, description, QStringLiteral("SEIKOU")};
}

ReduceRow failureRow(const QString& book, const QString& sheet, const QString& object,
                     const QString& description)
{
    return {QStringLiteral("×"), book, sheet, object, description, QStringLiteral("SHIPPAI")};
}

ReduceRow nothingToDoRow(const QString& book, const QString& sheet, const QString& object)
{
    return {QString(),
            book,
            sheet,
            object,
            QStringLiteral("縮小化の必要がありません"),
            QStringLiteral("HITSUYOUNASHI")};
}

QString reduceSuccessText(double w0, double h0, double tW, double tH)
{
    return QStringLiteral("成功:") + integerPart(w0) + u'×' + integerPart(h0) + u'→' +
           integerPart(tW) + u'×' + integerPart(tH);
}

} // namespace picrows
