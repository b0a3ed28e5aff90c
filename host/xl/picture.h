#pragma once

#include "host/xl/object.h"

#include <cstdint>
#include <vector>

namespace xl {

class ShapeRange;
class Worksheet;

// A picture (or another drawing object: TextBox, GroupObject, …) as Pictures(i),
// Shape.DrawingObject and Selection answer it.
class Picture : public Object
{
public:
    using Object::Object;

    QString Name() const;
    void setName(const QString& name) const;
    double Left() const;
    double Top() const;
    double Width() const;
    double Height() const;
    void setLeft(double points) const;
    void setTop(double points) const;
    void setWidth(double points) const;
    void setHeight(double points) const;
    std::int32_t Placement() const;
    void setPlacement(std::int32_t placement) const;
    xl::ShapeRange ShapeRange() const; // refused for a picture inside a group
    void Copy() const;
    void Delete() const;
    void Select(bool replace = true) const;
    xl::Picture Duplicate() const;
    xl::Worksheet Parent() const;
};

class Pictures : public Object
{
public:
    using Object::Object;

    std::int32_t Count() const;
    xl::Picture Item(std::int32_t index) const;
    xl::Picture Item(const QString& name) const;
    std::vector<xl::Picture> items() const;
    // A picture file at the active cell's top-left corner; a refused file raises 1004.
    xl::Picture Insert(const QString& fileName) const;
};

// Several selected drawing objects.
class DrawingObjects : public Object
{
public:
    using Object::Object;

    std::int32_t Count() const;
    xl::Picture Item(std::int32_t index) const;
    xl::ShapeRange ShapeRange() const;
    void Copy() const;
    void Delete() const;
};

} // namespace xl
