#pragma once

#include <QString>

namespace picrows {

// One line of the reduction tool's result list: a mark, the workbook, the sheet, the object
// (its name, or "<すべて>" for a whole sheet), a description, and the key of its small icon.
struct ReduceRow
{
    QString mark; // "○" success, "×" failure, "" nothing to do
    QString book;
    QString sheet;
    QString object;
    QString description;
    QString icon; // "SEIKOU", "SHIPPAI", "HITSUYOUNASHI"

    friend bool operator==(const ReduceRow&, const ReduceRow&) = default;
};

// The rows the tool writes, by outcome.
ReduceRow successRow(const QString& book, const QString& sheet, const QString& object,
                     const QString& description);
ReduceRow failureRow(const QString& book, const QString& sheet, const QString& object,
                     const QString& description);
ReduceRow nothingToDoRow(const QString& book, const QString& sheet, const QString& object);

// "成功:" W0 "×" H0 "→" tW "×" tH, each the integer part of the number.
QString reduceSuccessText(double w0, double h0, double tW, double tH);

} // namespace picrows
