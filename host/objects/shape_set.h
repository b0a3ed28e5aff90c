#pragma once

#include "host/objects/shape_site.h"
#include "host/objects/worksheet.h"

#include <QString>

#include <memory>
#include <vector>

namespace host::objects {

// Shapes of one sheet named by id: what a Shape, a ShapeRange and their format objects stand
// for. Shapes are looked up at every use, so a deleted one raises instead of dangling.
struct ShapeSet
{
    std::shared_ptr<Worksheet> sheet;
    std::vector<int> ids;

    Worksheet& worksheet() const { return *sheet; }
    model::Shape& first() const { return shapeOf(*sheet, ids.front()); }
    // Every shape, checked to exist before any is changed.
    std::vector<model::Shape*> shapes() const
    {
        std::vector<model::Shape*> out;
        for (int id : ids)
            out.push_back(&shapeOf(*sheet, id));
        return out;
    }

    // A property assignment: refused on a protected drawing, then applied to every shape.
    template <class F> void set(const QString& property, const QString& className, F change) const
    {
        checkPropertyAllowed(*sheet, property, className);
        apply(change);
    }
    // A method that changes the shapes: refused on a protected drawing, then applied.
    template <class F> void run(const QString& method, const QString& className, F change) const
    {
        checkMethodAllowed(*sheet, method, className);
        apply(change);
    }

private:
    template <class F> void apply(F change) const
    {
        for (model::Shape* shape : shapes()) {
            change(*shape);
            shapeChanged(*sheet, shape->id);
        }
    }
};

} // namespace host::objects
