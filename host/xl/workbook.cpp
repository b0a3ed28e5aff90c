#include "host/xl/workbook.h"

#include "host/xl/window.h"
#include "host/xl/worksheet.h"

namespace xl {

std::int32_t Workbooks::Count() const
{
    return get(QStringLiteral("Count")).toInt32();
}

xl::Workbook Workbooks::Item(std::int32_t index) const
{
    return xl::Workbook(get(QStringLiteral("Item"), {index}));
}

xl::Workbook Workbooks::Item(const QString& name) const
{
    return xl::Workbook(get(QStringLiteral("Item"), {name}));
}

std::vector<xl::Workbook> Workbooks::items() const
{
    std::vector<xl::Workbook> out;
    for (const host::Variant& v : host::deref(m_object).enumerate())
        out.emplace_back(v);
    return out;
}

xl::Workbook Workbooks::Add() const
{
    return xl::Workbook(call(QStringLiteral("Add")));
}

xl::Workbook Workbooks::Open(const QString& fileName) const
{
    return xl::Workbook(call(QStringLiteral("Open"), {fileName}));
}

QString Workbook::Name() const
{
    return get(QStringLiteral("Name")).toString();
}

QString Workbook::FullName() const
{
    return get(QStringLiteral("FullName")).toString();
}

QString Workbook::Path() const
{
    return get(QStringLiteral("Path")).toString();
}

bool Workbook::Saved() const
{
    return get(QStringLiteral("Saved")).toBool();
}

void Workbook::setSaved(bool saved) const
{
    let(QStringLiteral("Saved"), saved);
}

bool Workbook::IsAddin() const
{
    return get(QStringLiteral("IsAddin")).toBool();
}

xl::Sheets Workbook::Worksheets() const
{
    return xl::Sheets(get(QStringLiteral("Worksheets")));
}

xl::Worksheet Workbook::Worksheets(std::int32_t index) const
{
    return xl::Worksheet(get(QStringLiteral("Worksheets"), {index}));
}

xl::Worksheet Workbook::Worksheets(const QString& name) const
{
    return xl::Worksheet(get(QStringLiteral("Worksheets"), {name}));
}

xl::Sheets Workbook::Sheets() const
{
    return xl::Sheets(get(QStringLiteral("Sheets")));
}

xl::Worksheet Workbook::Sheets(std::int32_t index) const
{
    return xl::Worksheet(get(QStringLiteral("Sheets"), {index}));
}

xl::Worksheet Workbook::Sheets(const QString& name) const
{
    return xl::Worksheet(get(QStringLiteral("Sheets"), {name}));
}

xl::Worksheet Workbook::ActiveSheet() const
{
    return xl::Worksheet(get(QStringLiteral("ActiveSheet")));
}

xl::Windows Workbook::Windows() const
{
    return xl::Windows(get(QStringLiteral("Windows")));
}

std::int32_t Workbook::Colors(std::int32_t index) const
{
    return get(QStringLiteral("Colors"), {index}).toInt32();
}

void Workbook::setColors(std::int32_t index, std::int32_t color) const
{
    let(QStringLiteral("Colors"), color, {index});
}

void Workbook::Activate() const
{
    call(QStringLiteral("Activate"));
}

void Workbook::Save() const
{
    call(QStringLiteral("Save"));
}

void Workbook::SaveAs(const QString& fileName) const
{
    call(QStringLiteral("SaveAs"), {fileName});
}

void Workbook::Close() const
{
    call(QStringLiteral("Close"), {false});
}

void Workbook::Close(bool saveChanges) const
{
    call(QStringLiteral("Close"), {saveChanges});
}

} // namespace xl
