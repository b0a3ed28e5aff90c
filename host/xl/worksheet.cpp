#include "host/xl/worksheet.h"

#include "host/xl/picture.h"
#include "host/xl/range.h"
#include "host/xl/shape.h"
#include "host/xl/workbook.h"

namespace xl {

std::int32_t Sheets::Count() const
{
    return get(QStringLiteral("Count")).toInt32();
}

xl::Worksheet Sheets::Item(std::int32_t index) const
{
    return xl::Worksheet(get(QStringLiteral("Item"), {index}));
}

xl::Worksheet Sheets::Item(const QString& name) const
{
    return xl::Worksheet(get(QStringLiteral("Item"), {name}));
}

std::vector<xl::Worksheet> Sheets::items() const
{
    std::vector<xl::Worksheet> out;
    for (const host::Variant& v : host::deref(m_object).enumerate())
        out.emplace_back(v);
    return out;
}

xl::Worksheet Sheets::Add(const Object& before, const Object& after) const
{
    return xl::Worksheet(call(QStringLiteral("Add"), {optional(before), optional(after)}));
}

QString Worksheet::Name() const
{
    return get(QStringLiteral("Name")).toString();
}

void Worksheet::setName(const QString& name) const
{
    let(QStringLiteral("Name"), name);
}

std::int32_t Worksheet::Index() const
{
    return get(QStringLiteral("Index")).toInt32();
}

std::int32_t Worksheet::Visible() const
{
    return get(QStringLiteral("Visible")).toInt32();
}

void Worksheet::setVisible(std::int32_t visible) const
{
    let(QStringLiteral("Visible"), visible);
}

bool Worksheet::ProtectContents() const
{
    return get(QStringLiteral("ProtectContents")).toBool();
}

bool Worksheet::ProtectDrawingObjects() const
{
    return get(QStringLiteral("ProtectDrawingObjects")).toBool();
}

void Worksheet::Protect(bool drawingObjects, bool contents) const
{
    call(QStringLiteral("Protect"), host::Args()
                                        .add(QStringLiteral("DrawingObjects"), drawingObjects)
                                        .add(QStringLiteral("Contents"), contents));
}

void Worksheet::Unprotect() const
{
    call(QStringLiteral("Unprotect"));
}

xl::Range Worksheet::Range(const QString& address) const
{
    return xl::Range(get(QStringLiteral("Range"), {address}));
}

xl::Range Worksheet::Range(const xl::Range& cell1, const xl::Range& cell2) const
{
    return xl::Range(get(QStringLiteral("Range"), {cell1.toVariant(), cell2.toVariant()}));
}

xl::Range Worksheet::Cells() const
{
    return xl::Range(get(QStringLiteral("Cells")));
}

xl::Range Worksheet::Cells(std::int32_t row, std::int32_t column) const
{
    return xl::Range(get(QStringLiteral("Cells"), {row, column}));
}

xl::Range Worksheet::Rows() const
{
    return xl::Range(get(QStringLiteral("Rows")));
}

xl::Range Worksheet::Columns() const
{
    return xl::Range(get(QStringLiteral("Columns")));
}

xl::Range Worksheet::UsedRange() const
{
    return xl::Range(get(QStringLiteral("UsedRange")));
}

xl::Shapes Worksheet::Shapes() const
{
    return xl::Shapes(get(QStringLiteral("Shapes")));
}

xl::Pictures Worksheet::Pictures() const
{
    return xl::Pictures(get(QStringLiteral("Pictures")));
}

void Worksheet::Copy(const Object& before, const Object& after) const
{
    call(QStringLiteral("Copy"), {optional(before), optional(after)});
}

void Worksheet::Delete() const
{
    call(QStringLiteral("Delete"));
}

void Worksheet::PasteSpecial(const QString& format, bool link, bool displayAsIcon) const
{
    host::Args args;
    args.add(QStringLiteral("Format"), host::Variant(format))
        .add(QStringLiteral("Link"), host::Variant(link))
        .add(QStringLiteral("DisplayAsIcon"), host::Variant(displayAsIcon));
    call(QStringLiteral("PasteSpecial"), args);
}

void Worksheet::Activate() const
{
    call(QStringLiteral("Activate"));
}

void Worksheet::Select(bool replace) const
{
    call(QStringLiteral("Select"), {replace});
}

xl::Workbook Worksheet::Parent() const
{
    return xl::Workbook(get(QStringLiteral("Parent")));
}

} // namespace xl
