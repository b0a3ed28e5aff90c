#pragma once

#include "host/automation/member_table.h"
#include "host/objects/shape_errors.h"
#include "host/objects/shape_geometry.h"
#include "host/objects/shape_set.h"

// Members that a Shape and a ShapeRange share. Reads answer the first shape; assignments and
// methods apply to every shape. T offers `const ShapeSet& set()`.
namespace host::objects {

inline Variant triState(bool value)
{
    return Variant(std::int32_t(value ? -1 : 0));
}

ObjectRef pictureFormatOf(const ShapeSet& set);
ObjectRef fillFormatOf(const ShapeSet& set);
ObjectRef lineFormatOf(const ShapeSet& set);
ObjectRef shadowFormatOf(const ShapeSet& set);
ObjectRef textFrameOf(const ShapeSet& set);
ObjectRef shapeRangeOf(const ShapeSet& set);
ObjectRef shapeObject(const std::shared_ptr<Worksheet>& sheet, int id);
ObjectRef groupItemsOf(const std::shared_ptr<Worksheet>& sheet, int groupId);
void selectShapes(const ShapeSet& set, bool replace, const QString& className);
void copyShapes(const ShapeSet& set);
int zOrderPosition(Worksheet& sheet, int id);
void setShapeName(Worksheet& sheet, int id, const QString& name);
// Groups the shapes (top-level, at least two) into a new group; answers its id.
int groupShapes(Worksheet& sheet, const std::vector<int>& ids);
// Ungroups a group; answers the ids of its members.
std::vector<int> ungroupShape(Worksheet& sheet, int id);

template <class T> void addCommonShapeMembers(MemberTable<T>& t, const QString& cls)
{
    using Get = std::function<double(const model::Shape&)>;
    using Set = std::function<void(model::Shape&, double)>;
    const auto number = [&t, cls](const QString& name, Get get, Set set) {
        t.prop(
            name, [get](T& s) { return Variant(get(s.set().first())); },
            [name, cls, set](T& s, const Variant& v) {
                const double value = v.toDouble();
                s.set().set(name, cls, [&](model::Shape& shape) { set(shape, value); });
            });
    };
    number(
        QStringLiteral("Left"), [](const model::Shape& s) { return s.left; },
        [](model::Shape& s, double v) { moveShape(s, v, s.top); });
    number(
        QStringLiteral("Top"), [](const model::Shape& s) { return s.top; },
        [](model::Shape& s, double v) { moveShape(s, s.left, v); });
    number(
        QStringLiteral("Width"), [](const model::Shape& s) { return s.width; }, setShapeWidth);
    number(
        QStringLiteral("Height"), [](const model::Shape& s) { return s.height; }, setShapeHeight);
    number(
        QStringLiteral("Rotation"), [](const model::Shape& s) { return s.rotation; },
        [](model::Shape& s, double v) { s.rotation = normalisedRotation(v); });

    t.prop(
        QStringLiteral("Name"), [](T& s) { return Variant(s.set().first().name); },
        [cls](T& s, const Variant& v) {
            const ShapeSet& set = s.set();
            if (set.ids.size() != 1)
                raiseOutOfRange();
            checkPropertyAllowed(set.worksheet(), QStringLiteral("Name"), cls);
            setShapeName(set.worksheet(), set.ids.front(), v.toString());
        });
    t.prop(QStringLiteral("Type"), [](T& s) {
        const int kind = int(s.set().first().kind);
        for (const model::Shape* shape : s.set().shapes())
            if (int(shape->kind) != kind)
                return Variant(std::int32_t(-2)); // mixed
        return Variant(std::int32_t(kind));
    });
    t.prop(QStringLiteral("ID"), [](T& s) { return Variant(std::int32_t(s.set().first().id)); });
    t.prop(QStringLiteral("ZOrderPosition"), [](T& s) {
        return Variant(std::int32_t(zOrderPosition(s.set().worksheet(), s.set().ids.front())));
    });
    t.prop(
        QStringLiteral("LockAspectRatio"),
        [](T& s) { return triState(s.set().first().lockAspectRatio); },
        [cls](T& s, const Variant& v) {
            const bool on = v.toBool();
            s.set().set(QStringLiteral("LockAspectRatio"), cls,
                        [on](model::Shape& shape) { shape.lockAspectRatio = on; });
        });
    t.prop(
        QStringLiteral("Placement"),
        [](T& s) { return Variant(std::int32_t(s.set().first().placement)); },
        [cls](T& s, const Variant& v) {
            const std::int32_t p = v.toInt32();
            if (p < 1 || p > 3)
                raiseOutOfRange();
            s.set().set(QStringLiteral("Placement"), cls,
                        [p](model::Shape& shape) { shape.placement = model::Placement(p); });
        });
    t.prop(
        QStringLiteral("Visible"), [](T& s) { return triState(!s.set().first().hidden); },
        [cls](T& s, const Variant& v) {
            const bool on = v.toBool();
            s.set().set(QStringLiteral("Visible"), cls,
                        [on](model::Shape& shape) { shape.hidden = !on; });
        });
    t.prop(
        QStringLiteral("AutoShapeType"),
        [](T& s) {
            const model::Shape& shape = s.set().first();
            return Variant(
                std::int32_t(shape.kind == model::ShapeKind::Group ? -2 : shape.autoShapeType));
        },
        [cls](T& s, const Variant& v) {
            const std::int32_t type = v.toInt32();
            if (type < 1)
                raiseOutOfRange();
            s.set().set(QStringLiteral("AutoShapeType"), cls,
                        [type](model::Shape& shape) { shape.autoShapeType = type; });
        });
    for (const bool horizontal : {true, false}) {
        const QString name =
            horizontal ? QStringLiteral("ScaleWidth") : QStringLiteral("ScaleHeight");
        t.member(name,
                 {QStringLiteral("Factor"), QStringLiteral("RelativeToOriginalSize"),
                  QStringLiteral("Scale")},
                 1, [name, cls, horizontal](T& s, const BoundArgs& args) {
                     const double factor = args.at(0).toDouble();
                     const bool relative = args.value(1, false).toBool();
                     const std::int32_t anchor = args.value(2, std::int32_t(0)).toInt32();
                     if (anchor < 0 || anchor > 2)
                         raiseOutOfRange();
                     s.set().run(name, cls, [&](model::Shape& shape) {
                         if (horizontal)
                             scaleWidth(shape, factor, relative, ScaleAnchor(anchor));
                         else
                             scaleHeight(shape, factor, relative, ScaleAnchor(anchor));
                     });
                     return Variant();
                 });
    }

    t.prop(QStringLiteral("PictureFormat"), [](T& s) { return Variant(pictureFormatOf(s.set())); });
    t.prop(QStringLiteral("Fill"), [](T& s) { return Variant(fillFormatOf(s.set())); });
    t.prop(QStringLiteral("Line"), [](T& s) { return Variant(lineFormatOf(s.set())); });
    t.prop(QStringLiteral("Shadow"), [](T& s) { return Variant(shadowFormatOf(s.set())); });
    t.prop(QStringLiteral("TextFrame"), [](T& s) { return Variant(textFrameOf(s.set())); });
    t.prop(QStringLiteral("GroupItems"), [](T& s) {
        const model::Shape& shape = s.set().first();
        if (shape.kind != model::ShapeKind::Group)
            raiseGroupOnly();
        return Variant(groupItemsOf(s.set().sheet, shape.id));
    });

    t.member(QStringLiteral("Select"), {QStringLiteral("Replace")}, 0,
             [cls](T& s, const BoundArgs& args) {
                 selectShapes(s.set(), args.value(0, true).toBool(), cls);
                 return Variant();
             });
    t.member(QStringLiteral("Copy"), {}, 0, [](T& s, const BoundArgs&) {
        copyShapes(s.set());
        return Variant();
    });
    t.member(QStringLiteral("Delete"), {}, 0, [cls](T& s, const BoundArgs&) {
        const ShapeSet& set = s.set();
        set.shapes();
        checkMethodAllowed(set.worksheet(), QStringLiteral("Delete"), cls);
        for (int id : set.ids)
            if (drawingOf(set.worksheet()).find(id))
                deleteShape(set.worksheet(), id);
        return Variant();
    });
    t.member(QStringLiteral("Ungroup"), {}, 0, [cls](T& s, const BoundArgs&) {
        const ShapeSet& set = s.set();
        std::vector<int> members;
        for (const model::Shape* shape : set.shapes())
            if (shape->kind != model::ShapeKind::Group)
                raiseGroupOnly();
        checkMethodAllowed(set.worksheet(), QStringLiteral("Ungroup"), cls);
        for (int id : set.ids) {
            const std::vector<int> freed = ungroupShape(set.worksheet(), id);
            members.insert(members.end(), freed.begin(), freed.end());
        }
        return Variant(shapeRangeOf(ShapeSet{set.sheet, members}));
    });
    t.prop(QStringLiteral("Parent"), [](T& s) {
        s.set().first();
        return Variant(ObjectRef(s.set().sheet));
    });
}

} // namespace host::objects
