#include "host/xl/shape.h"

#include "host/xl/range.h"
#include "host/xl/text_frame.h"
#include "host/xl/worksheet.h"

namespace xl {

namespace {

const QString kLeft = QStringLiteral("Left");
const QString kTop = QStringLiteral("Top");
const QString kWidth = QStringLiteral("Width");
const QString kHeight = QStringLiteral("Height");

host::Variant arrayOf(std::vector<host::Variant> items)
{
    host::VariantArray array;
    array.rows = int(items.size());
    array.items = std::move(items);
    return host::Variant(std::move(array));
}

} // namespace

bool ShapeFormat::Visible() const
{
    return get(QStringLiteral("Visible")).toBool();
}

void ShapeFormat::setVisible(bool visible) const
{
    let(QStringLiteral("Visible"), std::int32_t(visible ? -1 : 0));
}

double PictureFormat::CropLeft() const
{
    return get(QStringLiteral("CropLeft")).toDouble();
}

double PictureFormat::CropTop() const
{
    return get(QStringLiteral("CropTop")).toDouble();
}

double PictureFormat::CropRight() const
{
    return get(QStringLiteral("CropRight")).toDouble();
}

double PictureFormat::CropBottom() const
{
    return get(QStringLiteral("CropBottom")).toDouble();
}

void PictureFormat::setCropLeft(double points) const
{
    let(QStringLiteral("CropLeft"), points);
}

void PictureFormat::setCropTop(double points) const
{
    let(QStringLiteral("CropTop"), points);
}

void PictureFormat::setCropRight(double points) const
{
    let(QStringLiteral("CropRight"), points);
}

void PictureFormat::setCropBottom(double points) const
{
    let(QStringLiteral("CropBottom"), points);
}

double PictureFormat::Brightness() const
{
    return get(QStringLiteral("Brightness")).toDouble();
}

void PictureFormat::setBrightness(double value) const
{
    let(QStringLiteral("Brightness"), value);
}

double PictureFormat::Contrast() const
{
    return get(QStringLiteral("Contrast")).toDouble();
}

void PictureFormat::setContrast(double value) const
{
    let(QStringLiteral("Contrast"), value);
}

std::int32_t PictureFormat::ColorType() const
{
    return get(QStringLiteral("ColorType")).toInt32();
}

void PictureFormat::setColorType(std::int32_t type) const
{
    let(QStringLiteral("ColorType"), type);
}

bool PictureFormat::TransparentBackground() const
{
    return get(QStringLiteral("TransparentBackground")).toBool();
}

void PictureFormat::setTransparentBackground(bool on) const
{
    let(QStringLiteral("TransparentBackground"), std::int32_t(on ? -1 : 0));
}

QString PictureFormat::StoredFormat() const
{
    return get(QStringLiteral("StoredFormat")).toString();
}

QString ShapeBase::Name() const
{
    return get(QStringLiteral("Name")).toString();
}

void ShapeBase::setName(const QString& name) const
{
    let(QStringLiteral("Name"), name);
}

std::int32_t ShapeBase::Type() const
{
    return get(QStringLiteral("Type")).toInt32();
}

std::int32_t ShapeBase::ID() const
{
    return get(QStringLiteral("ID")).toInt32();
}

std::int32_t ShapeBase::ZOrderPosition() const
{
    return get(QStringLiteral("ZOrderPosition")).toInt32();
}

double ShapeBase::Left() const
{
    return get(kLeft).toDouble();
}

double ShapeBase::Top() const
{
    return get(kTop).toDouble();
}

double ShapeBase::Width() const
{
    return get(kWidth).toDouble();
}

double ShapeBase::Height() const
{
    return get(kHeight).toDouble();
}

void ShapeBase::setLeft(double points) const
{
    let(kLeft, points);
}

void ShapeBase::setTop(double points) const
{
    let(kTop, points);
}

void ShapeBase::setWidth(double points) const
{
    let(kWidth, points);
}

void ShapeBase::setHeight(double points) const
{
    let(kHeight, points);
}

double ShapeBase::Rotation() const
{
    return get(QStringLiteral("Rotation")).toDouble();
}

void ShapeBase::setRotation(double degrees) const
{
    let(QStringLiteral("Rotation"), degrees);
}

bool ShapeBase::LockAspectRatio() const
{
    return get(QStringLiteral("LockAspectRatio")).toBool();
}

void ShapeBase::setLockAspectRatio(bool locked) const
{
    let(QStringLiteral("LockAspectRatio"), std::int32_t(locked ? -1 : 0));
}

std::int32_t ShapeBase::Placement() const
{
    return get(QStringLiteral("Placement")).toInt32();
}

void ShapeBase::setPlacement(std::int32_t placement) const
{
    let(QStringLiteral("Placement"), placement);
}

std::int32_t ShapeBase::AutoShapeType() const
{
    return get(QStringLiteral("AutoShapeType")).toInt32();
}

void ShapeBase::setAutoShapeType(std::int32_t type) const
{
    let(QStringLiteral("AutoShapeType"), type);
}

void ShapeBase::ScaleWidth(double factor, bool relativeToOriginalSize, std::int32_t scale) const
{
    call(QStringLiteral("ScaleWidth"),
         {factor, std::int32_t(relativeToOriginalSize ? -1 : 0), scale});
}

void ShapeBase::ScaleHeight(double factor, bool relativeToOriginalSize, std::int32_t scale) const
{
    call(QStringLiteral("ScaleHeight"),
         {factor, std::int32_t(relativeToOriginalSize ? -1 : 0), scale});
}

xl::PictureFormat ShapeBase::PictureFormat() const
{
    return xl::PictureFormat(get(QStringLiteral("PictureFormat")));
}

ShapeFormat ShapeBase::Fill() const
{
    return ShapeFormat(get(QStringLiteral("Fill")));
}

ShapeFormat ShapeBase::Line() const
{
    return ShapeFormat(get(QStringLiteral("Line")));
}

ShapeFormat ShapeBase::Shadow() const
{
    return ShapeFormat(get(QStringLiteral("Shadow")));
}

xl::TextFrame ShapeBase::TextFrame() const
{
    return xl::TextFrame(get(QStringLiteral("TextFrame")));
}

xl::Shapes ShapeBase::GroupItems() const
{
    return xl::Shapes(get(QStringLiteral("GroupItems")));
}

void ShapeBase::Select(bool replace) const
{
    call(QStringLiteral("Select"), {replace});
}

void ShapeBase::Copy() const
{
    call(QStringLiteral("Copy"));
}

void ShapeBase::Delete() const
{
    call(QStringLiteral("Delete"));
}

xl::ShapeRange ShapeBase::Ungroup() const
{
    return xl::ShapeRange(call(QStringLiteral("Ungroup")));
}

xl::Worksheet ShapeBase::Parent() const
{
    return xl::Worksheet(get(QStringLiteral("Parent")));
}

xl::Shape Shape::Duplicate() const
{
    return xl::Shape(call(QStringLiteral("Duplicate")));
}

Object Shape::DrawingObject() const
{
    return Object(get(QStringLiteral("DrawingObject")));
}

Object Shape::OLEFormatObject() const
{
    return Object(Object(get(QStringLiteral("OLEFormat"))).get(QStringLiteral("Object")));
}

xl::Range Shape::TopLeftCell() const
{
    return xl::Range(get(QStringLiteral("TopLeftCell")));
}

xl::Range Shape::BottomRightCell() const
{
    return xl::Range(get(QStringLiteral("BottomRightCell")));
}

std::int32_t ShapeRange::Count() const
{
    return get(QStringLiteral("Count")).toInt32();
}

xl::Shape ShapeRange::Item(std::int32_t index) const
{
    return xl::Shape(get(QStringLiteral("Item"), {index}));
}

xl::Shape ShapeRange::Item(const QString& name) const
{
    return xl::Shape(get(QStringLiteral("Item"), {name}));
}

std::vector<xl::Shape> ShapeRange::items() const
{
    std::vector<xl::Shape> out;
    for (const host::Variant& v : host::deref(m_object).enumerate())
        out.emplace_back(v);
    return out;
}

xl::Shape ShapeRange::Group() const
{
    return xl::Shape(call(QStringLiteral("Group")));
}

xl::ShapeRange ShapeRange::Duplicate() const
{
    return xl::ShapeRange(call(QStringLiteral("Duplicate")));
}

std::int32_t Shapes::Count() const
{
    return get(QStringLiteral("Count")).toInt32();
}

xl::Shape Shapes::Item(std::int32_t index) const
{
    return xl::Shape(get(QStringLiteral("Item"), {index}));
}

xl::Shape Shapes::Item(const QString& name) const
{
    return xl::Shape(get(QStringLiteral("Item"), {name}));
}

std::vector<xl::Shape> Shapes::items() const
{
    std::vector<xl::Shape> out;
    for (const host::Variant& v : host::deref(m_object).enumerate())
        out.emplace_back(v);
    return out;
}

xl::ShapeRange Shapes::Range(const QStringList& names) const
{
    std::vector<host::Variant> items;
    for (const QString& name : names)
        items.emplace_back(name);
    return xl::ShapeRange(get(QStringLiteral("Range"), {arrayOf(std::move(items))}));
}

xl::ShapeRange Shapes::Range(const std::vector<std::int32_t>& indexes) const
{
    std::vector<host::Variant> items;
    for (std::int32_t index : indexes)
        items.emplace_back(index);
    return xl::ShapeRange(get(QStringLiteral("Range"), {arrayOf(std::move(items))}));
}

xl::Shape Shapes::AddTextbox(std::int32_t orientation, double left, double top, double width,
                             double height) const
{
    return xl::Shape(call(QStringLiteral("AddTextbox"), {orientation, left, top, width, height}));
}

} // namespace xl
