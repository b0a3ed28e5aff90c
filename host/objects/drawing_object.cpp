#include "host/objects/drawing_object.h"

#include "host/model/workbook.h"
#include "host/objects/application.h"
#include "host/objects/shape_members.h"
#include "host/objects/text_frame.h"
#include "host/objects/workbook.h"

namespace host::objects {

ObjectRef drawingObject(const std::shared_ptr<Worksheet>& sheet, int id)
{
    return std::make_shared<DrawingObject>(sheet, id, drawingObjectClass(shapeOf(*sheet, id)));
}

ObjectRef oleFormatOf(const std::shared_ptr<Worksheet>& sheet, int id)
{
    return std::make_shared<OleFormat>(sheet, id);
}

const MemberTable<DrawingObject>& DrawingObject::members()
{
    static const MemberTable<DrawingObject> table = [] {
        using D = DrawingObject;
        MemberTable<D> t;
        const auto number = [&t](const QString& name, double model::Shape::*field,
                                 void (*change)(model::Shape&, double)) {
            t.prop(
                name, [field](D& d) { return Variant(d.set().first().*field); },
                [name, change](D& d, const Variant& v) {
                    const double value = v.toDouble();
                    d.set().set(name, d.className(),
                                [&](model::Shape& shape) { change(shape, value); });
                });
        };
        number(QStringLiteral("Left"), &model::Shape::left,
               [](model::Shape& s, double v) { moveShape(s, v, s.top); });
        number(QStringLiteral("Top"), &model::Shape::top,
               [](model::Shape& s, double v) { moveShape(s, s.left, v); });
        number(QStringLiteral("Width"), &model::Shape::width, setShapeWidth);
        number(QStringLiteral("Height"), &model::Shape::height, setShapeHeight);
        t.prop(
            QStringLiteral("Name"), [](D& d) { return Variant(d.set().first().name); },
            [](D& d, const Variant& v) {
                d.set().first();
                checkPropertyAllowed(d.set().worksheet(), QStringLiteral("Name"), d.className());
                setShapeName(d.set().worksheet(), d.id(), v.toString());
            });
        t.prop(
            QStringLiteral("Placement"),
            [](D& d) { return Variant(std::int32_t(d.set().first().placement)); },
            [](D& d, const Variant& v) {
                const std::int32_t p = v.toInt32();
                if (p < 1 || p > 3)
                    raiseCannotSet(QStringLiteral("Placement"), d.className());
                d.set().set(QStringLiteral("Placement"), d.className(),
                            [p](model::Shape& shape) { shape.placement = model::Placement(p); });
            });
        t.prop(
            QStringLiteral("Visible"), [](D& d) { return Variant(!d.set().first().hidden); },
            [](D& d, const Variant& v) {
                const bool on = v.toBool();
                d.set().set(QStringLiteral("Visible"), d.className(),
                            [on](model::Shape& shape) { shape.hidden = !on; });
            });
        t.prop(QStringLiteral("ShapeRange"), [](D& d) {
            const ShapeSet& set = d.set();
            set.first();
            // A member of a group has no range of its own here.
            if (drawingOf(set.worksheet()).parentOf(d.id()))
                raise(err::ApplicationDefined, QStringLiteral("Unable to get the ShapeRange "
                                                              "property of the ") +
                                                   d.className() + QStringLiteral(" class"));
            return Variant(shapeRangeOf(set));
        });
        t.prop(QStringLiteral("Index"), [](D& d) {
            return Variant(std::int32_t(zOrderPosition(d.set().worksheet(), d.id())));
        });
        t.member(QStringLiteral("Select"), {QStringLiteral("Replace")}, 0,
                 [](D& d, const BoundArgs& args) {
                     selectShapes(d.set(), args.value(0, true).toBool(), d.className());
                     return Variant(true);
                 });
        t.member(QStringLiteral("Copy"), {}, 0, [](D& d, const BoundArgs&) {
            copyShapes(d.set());
            return Variant(true);
        });
        t.member(QStringLiteral("Delete"), {}, 0, [](D& d, const BoundArgs&) {
            d.set().first();
            checkMethodAllowed(d.set().worksheet(), QStringLiteral("Delete"), d.className());
            deleteShape(d.set().worksheet(), d.id());
            return Variant(true);
        });
        t.member(QStringLiteral("Duplicate"), {}, 0, [](D& d, const BoundArgs&) {
            d.set().first();
            checkMethodAllowed(d.set().worksheet(), QStringLiteral("Duplicate"), d.className());
            return Variant(
                drawingObject(d.set().sheet, duplicateShape(d.set().worksheet(), d.id())));
        });
        t.prop(
            QStringLiteral("Text"),
            [](D& d) {
                const model::Shape& shape = d.set().first();
                if (!shape.text)
                    raise(err::NotSupported);
                return Variant(shape.text->text);
            },
            [](D& d, const Variant& v) {
                const QString text = v.toString();
                if (!d.set().first().text)
                    raise(err::NotSupported);
                d.set().set(QStringLiteral("Text"), d.className(), [&](model::Shape& shape) {
                    setShapeText(d.set().worksheet(), shape, text);
                });
            });
        t.member(QStringLiteral("Characters"), {QStringLiteral("Start"), QStringLiteral("Length")},
                 0, [](D& d, const BoundArgs& args) {
                     if (!d.set().first().text)
                         raise(err::NotSupported);
                     return Variant(charactersOf(d.set(), args));
                 });
        t.prop(QStringLiteral("Parent"), [](D& d) {
            d.set().first();
            return Variant(ObjectRef(d.set().sheet));
        });
        t.prop(QStringLiteral("Application"),
               [](D& d) { return Variant(d.set().worksheet().book().app().shared_from_this()); });
        return t;
    }();
    return table;
}

const MemberTable<OleFormat>& OleFormat::members()
{
    static const MemberTable<OleFormat> table = [] {
        MemberTable<OleFormat> t;
        t.prop(QStringLiteral("Object"),
               [](OleFormat& o) { return Variant(drawingObject(o.m_sheet, o.m_id)); });
        t.prop(QStringLiteral("Parent"),
               [](OleFormat& o) { return Variant(shapeObject(o.m_sheet, o.m_id)); });
        return t;
    }();
    return table;
}

} // namespace host::objects
