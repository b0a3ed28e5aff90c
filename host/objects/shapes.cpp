#include "host/objects/shapes.h"

#include "host/model/workbook.h"
#include "host/objects/application.h"
#include "host/objects/shape_errors.h"
#include "host/objects/shape_members.h"
#include "host/objects/workbook.h"

namespace host::objects {

std::vector<int> Shapes::ids() const
{
    model::Drawing& drawing = drawingOf(*m_sheet);
    const std::vector<model::Shape>* list = &drawing.shapes;
    if (m_group) {
        const model::Shape& group = shapeOf(*m_sheet, m_group);
        list = &group.members;
    }
    std::vector<int> out;
    for (const model::Shape& shape : *list)
        out.push_back(shape.id);
    return out;
}

int Shapes::idOf(const Variant& index) const
{
    const std::vector<int> all = ids();
    if (index.type() == VarType::String) {
        const QString name = index.toString();
        model::Drawing& drawing = drawingOf(*m_sheet);
        for (int id : all)
            if (drawing.find(id)->name.compare(name, Qt::CaseInsensitive) == 0)
                return id;
        // The sheet's collection also finds members of its groups by name.
        if (!m_group)
            if (const model::Shape* shape = shapeNamed(drawing, name))
                return shape->id;
        raiseItemNotFound();
    }
    const std::int32_t i = index.toInt32();
    if (i < 1 || i > std::int32_t(all.size()))
        raiseIndexOutOfBounds();
    return all[size_t(i - 1)];
}

ObjectRef Shapes::range(const Variant& index) const
{
    std::vector<int> picked;
    if (index.isArray()) {
        for (const Variant& item : index.toArray().items)
            picked.push_back(idOf(item));
    } else {
        picked.push_back(idOf(index));
    }
    return shapeRangeOf(ShapeSet{m_sheet, picked});
}

std::vector<Variant> Shapes::enumerate()
{
    std::vector<Variant> out;
    for (int id : ids())
        out.emplace_back(shapeObject(m_sheet, id));
    return out;
}

ObjectRef Shapes::addTextbox(const BoundArgs& args)
{
    const std::int32_t orientation = args.at(0).toInt32();
    const double left = args.at(1).toDouble();
    const double top = args.at(2).toDouble();
    const double width = args.at(3).toDouble();
    const double height = args.at(4).toDouble();
    if (m_group)
        raise(err::NotSupported);
    if (orientation < 1 || orientation > 6 || !(width >= 0) || !(height >= 0))
        raiseOutOfRange();
    checkMethodAllowed(*m_sheet, QStringLiteral("AddTextbox"), QStringLiteral("Shapes"));
    model::Shape box;
    box.kind = model::ShapeKind::TextBox;
    box.left = left;
    box.top = top;
    box.width = width;
    box.height = height;
    box.lockAspectRatio = false;
    box.fillVisible = true;
    box.lineVisible = true;
    box.text.emplace();
    box.text->orientation = orientation;
    box.text->font.name = m_sheet->book().model().defaultFontName;
    box.text->font.size = m_sheet->book().model().defaultFontSize;
    return shapeObject(m_sheet, addShapeOnTop(*m_sheet, std::move(box)));
}

const MemberTable<Shapes>& Shapes::members()
{
    static const MemberTable<Shapes> table = [] {
        using S = Shapes;
        MemberTable<S> t;
        t.prop(QStringLiteral("Count"), [](S& s) { return Variant(std::int32_t(s.ids().size())); });
        t.member(QStringLiteral("Item"), {QStringLiteral("Index")}, 1,
                 [](S& s, const BoundArgs& args) {
                     return Variant(shapeObject(s.m_sheet, s.idOf(args.at(0))));
                 });
        t.defaultMember(QStringLiteral("Item"));
        t.member(QStringLiteral("Range"), {QStringLiteral("Index")}, 0,
                 [](S& s, const BoundArgs& args) {
                     if (!args.has(0))
                         return Variant(shapeRangeOf(ShapeSet{s.m_sheet, s.ids()}));
                     return Variant(s.range(args.at(0)));
                 });
        t.member(QStringLiteral("AddTextbox"),
                 {QStringLiteral("Orientation"), QStringLiteral("Left"), QStringLiteral("Top"),
                  QStringLiteral("Width"), QStringLiteral("Height")},
                 5, [](S& s, const BoundArgs& args) { return Variant(s.addTextbox(args)); });
        t.member(QStringLiteral("SelectAll"), {}, 0, [](S& s, const BoundArgs&) {
            const std::vector<int> all = s.ids();
            if (!all.empty())
                selectShapes(ShapeSet{s.m_sheet, all}, true, s.className());
            return Variant();
        });
        t.prop(QStringLiteral("Parent"), [](S& s) {
            if (s.m_group)
                return Variant(shapeObject(s.m_sheet, s.m_group));
            s.m_sheet->sheet();
            return Variant(ObjectRef(s.m_sheet));
        });
        t.prop(QStringLiteral("Application"),
               [](S& s) { return Variant(s.m_sheet->book().app().shared_from_this()); });
        return t;
    }();
    return table;
}

ObjectRef groupItemsOf(const std::shared_ptr<Worksheet>& sheet, int groupId)
{
    return std::make_shared<Shapes>(sheet, groupId);
}

} // namespace host::objects
