#include "host/xl/picture.h"

#include "host/xl/shape.h"
#include "host/xl/worksheet.h"

namespace xl {

QString Picture::Name() const
{
    return get(QStringLiteral("Name")).toString();
}

void Picture::setName(const QString& name) const
{
    let(QStringLiteral("Name"), name);
}

double Picture::Left() const
{
    return get(QStringLiteral("Left")).toDouble();
}

double Picture::Top() const
{
    return get(QStringLiteral("Top")).toDouble();
}

double Picture::Width() const
{
    return get(QStringLiteral("Width")).toDouble();
}

double Picture::Height() const
{
    return get(QStringLiteral("Height")).toDouble();
}

void Picture::setLeft(double points) const
{
    let(QStringLiteral("Left"), points);
}

void Picture::setTop(double points) const
{
    let(QStringLiteral("Top"), points);
}

void Picture::setWidth(double points) const
{
    let(QStringLiteral("Width"), points);
}

void Picture::setHeight(double points) const
{
    let(QStringLiteral("Height"), points);
}

std::int32_t Picture::Placement() const
{
    return get(QStringLiteral("Placement")).toInt32();
}

void Picture::setPlacement(std::int32_t placement) const
{
    let(QStringLiteral("Placement"), placement);
}

xl::ShapeRange Picture::ShapeRange() const
{
    return xl::ShapeRange(get(QStringLiteral("ShapeRange")));
}

void Picture::Copy() const
{
    call(QStringLiteral("Copy"));
}

void Picture::Delete() const
{
    call(QStringLiteral("Delete"));
}

void Picture::Select(bool replace) const
{
    call(QStringLiteral("Select"), {replace});
}

xl::Picture Picture::Duplicate() const
{
    return xl::Picture(call(QStringLiteral("Duplicate")));
}

xl::Worksheet Picture::Parent() const
{
    return xl::Worksheet(get(QStringLiteral("Parent")));
}

std::int32_t Pictures::Count() const
{
    return get(QStringLiteral("Count")).toInt32();
}

xl::Picture Pictures::Item(std::int32_t index) const
{
    return xl::Picture(get(QStringLiteral("Item"), {index}));
}

xl::Picture Pictures::Item(const QString& name) const
{
    return xl::Picture(get(QStringLiteral("Item"), {name}));
}

std::vector<xl::Picture> Pictures::items() const
{
    std::vector<xl::Picture> out;
    for (const host::Variant& v : host::deref(m_object).enumerate())
        out.emplace_back(v);
    return out;
}

xl::Picture Pictures::Insert(const QString& fileName) const
{
    return xl::Picture(call(QStringLiteral("Insert"), {fileName}));
}

std::int32_t DrawingObjects::Count() const
{
    return get(QStringLiteral("Count")).toInt32();
}

xl::Picture DrawingObjects::Item(std::int32_t index) const
{
    return xl::Picture(get(QStringLiteral("Item"), {index}));
}

xl::ShapeRange DrawingObjects::ShapeRange() const
{
    return xl::ShapeRange(get(QStringLiteral("ShapeRange")));
}

void DrawingObjects::Copy() const
{
    call(QStringLiteral("Copy"));
}

void DrawingObjects::Delete() const
{
    call(QStringLiteral("Delete"));
}

} // namespace xl
