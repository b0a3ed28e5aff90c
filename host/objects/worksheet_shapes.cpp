#include "host/objects/worksheet_shapes.h"

#include "host/objects/drawing_objects.h"
#include "host/objects/shapes.h"
#include "host/objects/worksheet.h"

namespace host::objects {

void addShapeMembers(MemberTable<Worksheet>& t)
{
    t.member(QStringLiteral("Shapes"), {QStringLiteral("Index")}, 0,
             [](Worksheet& w, const BoundArgs& args) {
                 w.sheet();
                 const ObjectRef shapes = std::make_shared<Shapes>(w.self(), 0);
                 return args.has(0) ? shapes->get(QStringLiteral("Item"), {args.at(0)})
                                    : Variant(shapes);
             });
    t.member(QStringLiteral("Pictures"), {QStringLiteral("Index")}, 0,
             [](Worksheet& w, const BoundArgs& args) {
                 w.sheet();
                 const ObjectRef pictures = std::make_shared<Pictures>(w.self());
                 return args.has(0) ? pictures->get(QStringLiteral("Item"), {args.at(0)})
                                    : Variant(pictures);
             });
}

} // namespace host::objects
