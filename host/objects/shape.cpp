#include "host/objects/shape.h"

#include "host/model/geometry.h"
#include "host/model/workbook.h"
#include "host/objects/application.h"
#include "host/objects/drawing_object.h"
#include "host/objects/range.h"
#include "host/objects/shape_members.h"
#include "host/objects/workbook.h"

namespace host::objects {

namespace {

// The cell whose area holds the point: the last column (row) starting at or before it.
int cellIndexAt(double position, int count, const std::function<double(int)>& start)
{
    int low = 1;
    int high = count;
    while (low < high) {
        const int mid = low + (high - low + 1) / 2;
        if (start(mid) <= position)
            low = mid;
        else
            high = mid - 1;
    }
    return low;
}

ObjectRef cellAt(Worksheet& sheet, double x, double y)
{
    const model::SheetGeometry g = sheet.geometry();
    const int column = cellIndexAt(x, model::kMaxColumns, [&g](int c) { return g.columnLeft(c); });
    const int row = cellIndexAt(y, model::kMaxRows, [&g](int r) { return g.rowTop(r); });
    return sheet.range({model::CellRect{row, column, row, column}}, RangeKind::Cells);
}

} // namespace

ObjectRef shapeObject(const std::shared_ptr<Worksheet>& sheet, int id)
{
    return std::make_shared<Shape>(sheet, id);
}

ObjectRef shapeRangeOf(const ShapeSet& set)
{
    return std::make_shared<ShapeRange>(set.sheet, set.ids);
}

const MemberTable<Shape>& Shape::members()
{
    static const MemberTable<Shape> table = [] {
        MemberTable<Shape> t;
        const QString cls = QStringLiteral("Shape");
        addCommonShapeMembers(t, cls);
        t.member(QStringLiteral("Duplicate"), {}, 0, [cls](Shape& s, const BoundArgs&) {
            Worksheet& sheet = s.set().worksheet();
            s.set().first();
            checkMethodAllowed(sheet, QStringLiteral("Duplicate"), cls);
            return Variant(shapeObject(s.set().sheet, duplicateShape(sheet, s.id())));
        });
        t.prop(QStringLiteral("DrawingObject"), [](Shape& s) {
            s.set().first();
            return Variant(drawingObject(s.set().sheet, s.id()));
        });
        t.prop(QStringLiteral("OLEFormat"), [](Shape& s) {
            s.set().first();
            return Variant(oleFormatOf(s.set().sheet, s.id()));
        });
        t.prop(QStringLiteral("TopLeftCell"), [](Shape& s) {
            const model::Shape& shape = s.set().first();
            return Variant(cellAt(s.set().worksheet(), shape.left, shape.top));
        });
        t.prop(QStringLiteral("BottomRightCell"), [](Shape& s) {
            const model::Shape& shape = s.set().first();
            return Variant(
                cellAt(s.set().worksheet(), shape.left + shape.width, shape.top + shape.height));
        });
        t.prop(QStringLiteral("Application"), [](Shape& s) {
            return Variant(s.set().worksheet().book().app().shared_from_this());
        });
        return t;
    }();
    return table;
}

std::vector<Variant> ShapeRange::enumerate()
{
    std::vector<Variant> out;
    for (int id : m_set.ids) {
        shapeOf(*m_set.sheet, id);
        out.emplace_back(shapeObject(m_set.sheet, id));
    }
    return out;
}

const MemberTable<ShapeRange>& ShapeRange::members()
{
    static const MemberTable<ShapeRange> table = [] {
        using R = ShapeRange;
        MemberTable<R> t;
        const QString cls = QStringLiteral("ShapeRange");
        addCommonShapeMembers(t, cls);
        t.prop(QStringLiteral("Count"),
               [](R& r) { return Variant(std::int32_t(r.set().shapes().size())); });
        t.member(QStringLiteral("Item"), {QStringLiteral("Index")}, 1,
                 [](R& r, const BoundArgs& args) {
                     const ShapeSet& set = r.set();
                     const Variant& index = args.at(0);
                     if (index.type() == VarType::String) {
                         for (const model::Shape* shape : set.shapes())
                             if (shape->name.compare(index.toString(), Qt::CaseInsensitive) == 0)
                                 return Variant(shapeObject(set.sheet, shape->id));
                         raiseItemNotFound();
                     }
                     const std::int32_t i = index.toInt32();
                     if (i < 1 || i > std::int32_t(set.ids.size()))
                         raiseIndexOutOfBounds();
                     shapeOf(set.worksheet(), set.ids[size_t(i - 1)]);
                     return Variant(shapeObject(set.sheet, set.ids[size_t(i - 1)]));
                 });
        t.defaultMember(QStringLiteral("Item"));
        t.member(QStringLiteral("Group"), {}, 0, [cls](R& r, const BoundArgs&) {
            const ShapeSet& set = r.set();
            set.shapes();
            checkMethodAllowed(set.worksheet(), QStringLiteral("Group"), cls);
            return Variant(shapeObject(set.sheet, groupShapes(set.worksheet(), set.ids)));
        });
        t.member(QStringLiteral("Duplicate"), {}, 0, [cls](R& r, const BoundArgs&) {
            const ShapeSet& set = r.set();
            set.shapes();
            checkMethodAllowed(set.worksheet(), QStringLiteral("Duplicate"), cls);
            std::vector<int> copies;
            for (int id : set.ids)
                copies.push_back(duplicateShape(set.worksheet(), id));
            return Variant(shapeRangeOf(ShapeSet{set.sheet, copies}));
        });
        t.prop(QStringLiteral("Application"),
               [](R& r) { return Variant(r.set().worksheet().book().app().shared_from_this()); });
        return t;
    }();
    return table;
}

} // namespace host::objects
