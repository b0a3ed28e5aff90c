#include "host/model/drawing.h"

namespace host::model {

namespace {

template <class S>
S* findIn(std::vector<S>& shapes, int id)
{
    for (S& shape : shapes) {
        if (shape.id == id)
            return &shape;
        if (S* found = findIn(shape.members, id))
            return found;
    }
    return nullptr;
}

Shape* parentIn(std::vector<Shape>& shapes, int id)
{
    for (Shape& shape : shapes) {
        for (const Shape& member : shape.members) {
            if (member.id == id)
                return &shape;
        }
        if (Shape* found = parentIn(shape.members, id))
            return found;
    }
    return nullptr;
}

} // namespace

Shape* Drawing::find(int id)
{
    return findIn(shapes, id);
}

const Shape* Drawing::find(int id) const
{
    return findIn(const_cast<std::vector<Shape>&>(shapes), id);
}

Shape* Drawing::parentOf(int id)
{
    return parentIn(shapes, id);
}

} // namespace host::model
