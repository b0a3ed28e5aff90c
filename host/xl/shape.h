#pragma once

#include "host/xl/object.h"

#include <cstdint>
#include <vector>

namespace xl {

class Picture;
class PictureFormat;
class Range;
class ShapeRange;
class Shapes;
class TextFrame;
class Worksheet;

// Fill, Line and Shadow of a shape: whether each is shown.
class ShapeFormat : public Object
{
public:
    using Object::Object;

    bool Visible() const;
    void setVisible(bool visible) const;
};

class PictureFormat : public Object
{
public:
    using Object::Object;

    double CropLeft() const;
    double CropTop() const;
    double CropRight() const;
    double CropBottom() const;
    void setCropLeft(double points) const;
    void setCropTop(double points) const;
    void setCropRight(double points) const;
    void setCropBottom(double points) const;
    double Brightness() const;
    void setBrightness(double value) const;
    double Contrast() const;
    void setContrast(double value) const;
    std::int32_t ColorType() const;
    void setColorType(std::int32_t type) const;
    bool TransparentBackground() const;
    void setTransparentBackground(bool on) const;
    // This host's own member: the format the picture is stored in, as the package names its
    // media ("jpeg", "png", "gif", "emf", …).
    QString StoredFormat() const;
};

// The members a Shape and a ShapeRange share (reads answer the first shape, assignments go to
// all).
class ShapeBase : public Object
{
public:
    using Object::Object;

    QString Name() const;
    void setName(const QString& name) const;
    std::int32_t Type() const; // 13 picture, 17 text box, 6 group, 4 comment, 1 autoshape, 3 chart
    std::int32_t ID() const;
    std::int32_t ZOrderPosition() const;
    double Left() const;
    double Top() const;
    double Width() const;
    double Height() const;
    void setLeft(double points) const;
    void setTop(double points) const;
    void setWidth(double points) const;
    void setHeight(double points) const;
    double Rotation() const;
    void setRotation(double degrees) const;
    bool LockAspectRatio() const;
    void setLockAspectRatio(bool locked) const;
    std::int32_t Placement() const;
    void setPlacement(std::int32_t placement) const;
    std::int32_t AutoShapeType() const;
    void setAutoShapeType(std::int32_t type) const;
    // Scale: 0 top-left, 1 middle, 2 bottom-right stays in place.
    void ScaleWidth(double factor, bool relativeToOriginalSize, std::int32_t scale = 0) const;
    void ScaleHeight(double factor, bool relativeToOriginalSize, std::int32_t scale = 0) const;
    xl::PictureFormat PictureFormat() const;
    ShapeFormat Fill() const;
    ShapeFormat Line() const;
    ShapeFormat Shadow() const;
    xl::TextFrame TextFrame() const;
    xl::Shapes GroupItems() const;
    void Select(bool replace = true) const;
    void Copy() const;
    void Delete() const;
    xl::ShapeRange Ungroup() const;
    xl::Worksheet Parent() const;
};

class Shape : public ShapeBase
{
public:
    using ShapeBase::ShapeBase;

    xl::Shape Duplicate() const;
    Object DrawingObject() const;   // a Picture, TextBox, GroupObject, …
    Object OLEFormatObject() const; // OLEFormat.Object
    xl::Range TopLeftCell() const;
    xl::Range BottomRightCell() const;
};

class ShapeRange : public ShapeBase
{
public:
    using ShapeBase::ShapeBase;

    std::int32_t Count() const;
    xl::Shape Item(std::int32_t index) const;
    xl::Shape Item(const QString& name) const;
    std::vector<xl::Shape> items() const;
    xl::Shape Group() const;
    xl::ShapeRange Duplicate() const;
};

// Worksheet.Shapes, or a group's GroupItems.
class Shapes : public Object
{
public:
    using Object::Object;

    std::int32_t Count() const;
    xl::Shape Item(std::int32_t index) const;
    xl::Shape Item(const QString& name) const;
    std::vector<xl::Shape> items() const; // For Each, in z-order
    // Shapes.Range of names or 1-based indexes (one or several).
    xl::ShapeRange Range(const QStringList& names) const;
    xl::ShapeRange Range(const std::vector<std::int32_t>& indexes) const;
    xl::Shape AddTextbox(std::int32_t orientation, double left, double top, double width,
                         double height) const;
};

} // namespace xl
