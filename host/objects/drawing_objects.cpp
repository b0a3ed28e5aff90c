#include "host/objects/drawing_objects.h"

#include "host/imaging/encoded_image.h"
#include "host/imaging/pending_picture.h"
#include "host/model/workbook.h"
#include "host/objects/application.h"
#include "host/objects/drawing_object.h"
#include "host/objects/shape_errors.h"
#include "host/objects/shape_members.h"
#include "host/objects/workbook.h"

namespace host::objects {

namespace {

void collectPictures(const std::vector<model::Shape>& shapes, std::vector<int>& out)
{
    for (const model::Shape& shape : shapes) {
        if (shape.kind == model::ShapeKind::Picture)
            out.push_back(shape.id);
        collectPictures(shape.members, out);
    }
}

// Item by 1-based index or by name among `ids`.
int pick(Worksheet& sheet, const std::vector<int>& ids, const Variant& index,
         const QString& className)
{
    const auto failed = [&className] {
        raise(err::ApplicationDefined, QStringLiteral("Unable to get the Item property of the ") +
                                           className + QStringLiteral(" class"));
    };
    if (index.type() == VarType::String) {
        for (int id : ids)
            if (shapeOf(sheet, id).name.compare(index.toString(), Qt::CaseInsensitive) == 0)
                return id;
        failed();
    }
    const std::int32_t i = index.toInt32();
    if (i < 1 || i > std::int32_t(ids.size()))
        failed();
    return ids[size_t(i - 1)];
}

} // namespace

std::vector<Variant> DrawingObjects::enumerate()
{
    std::vector<Variant> out;
    for (int id : m_set.ids)
        out.emplace_back(drawingObject(m_set.sheet, id));
    return out;
}

const MemberTable<DrawingObjects>& DrawingObjects::members()
{
    static const MemberTable<DrawingObjects> table = [] {
        using D = DrawingObjects;
        MemberTable<D> t;
        t.prop(QStringLiteral("Count"),
               [](D& d) { return Variant(std::int32_t(d.set().shapes().size())); });
        t.member(
            QStringLiteral("Item"), {QStringLiteral("Index")}, 1, [](D& d, const BoundArgs& args) {
                const int id = pick(d.set().worksheet(), d.set().ids, args.at(0), d.className());
                return Variant(drawingObject(d.set().sheet, id));
            });
        t.defaultMember(QStringLiteral("Item"));
        t.prop(QStringLiteral("ShapeRange"), [](D& d) {
            d.set().shapes();
            return Variant(shapeRangeOf(d.set()));
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
            d.set().shapes();
            checkMethodAllowed(d.set().worksheet(), QStringLiteral("Delete"), d.className());
            for (int id : d.set().ids)
                if (drawingOf(d.set().worksheet()).find(id))
                    deleteShape(d.set().worksheet(), id);
            return Variant(true);
        });
        t.prop(QStringLiteral("Parent"), [](D& d) {
            d.set().worksheet().sheet();
            return Variant(ObjectRef(d.set().sheet));
        });
        return t;
    }();
    return table;
}

std::vector<int> Pictures::ids() const
{
    std::vector<int> out;
    collectPictures(drawingOf(*m_sheet).shapes, out);
    return out;
}

std::vector<Variant> Pictures::enumerate()
{
    std::vector<Variant> out;
    for (int id : ids())
        out.emplace_back(drawingObject(m_sheet, id));
    return out;
}

namespace {

void makeInBackground(const std::vector<model::Shape>& shapes)
{
    for (const model::Shape& shape : shapes) {
        if (shape.picture && shape.picture->image.bytes.isEmpty())
            imaging::makeInBackground(shape.picture->image.pending);
        makeInBackground(shape.members);
    }
}

// Pastes still on the workbook's sheets when the next picture arrives are, in all likelihood,
// there to stay: the worker threads encode them while this one goes on, and the pictures they
// were rendered from can go.
void makeSettledPastes(const model::Workbook& book)
{
    for (const auto& sheet : book.sheets)
        makeInBackground(sheet->drawing.shapes);
}

} // namespace

ObjectRef Pictures::insert(const QString& fileName)
{
    Worksheet& sheet = *m_sheet;
    if (drawingProtected(sheet) || !sheet.hasCells())
        raise(err::ApplicationDefined,
              QStringLiteral("Unable to get the Insert property of the Pictures class"));
    makeSettledPastes(sheet.book().model());
    model::PictureData data;
    data.image = imaging::loadPictureFile(fileName); // a refused file raises, nothing added
    const QSizeF size = data.image.untouchedSize();
    data.untouchedWidth = size.width();
    data.untouchedHeight = size.height();
    data.imageChanged = true;

    const auto cell = model::parseA1(sheet.sheet().view.activeCell);
    const model::CellRect at = cell ? *cell : model::CellRect{};
    const model::SheetGeometry geometry = sheet.geometry();
    model::Shape picture;
    picture.kind = model::ShapeKind::Picture;
    picture.left = geometry.left(at);
    picture.top = geometry.top(at);
    picture.width = size.width();
    picture.height = size.height();
    picture.placement = model::Placement::Move;
    picture.lockAspectRatio = true;
    picture.picture = std::move(data);
    return drawingObject(m_sheet, addShapeOnTop(sheet, std::move(picture)));
}

const MemberTable<Pictures>& Pictures::members()
{
    static const MemberTable<Pictures> table = [] {
        using P = Pictures;
        MemberTable<P> t;
        t.prop(QStringLiteral("Count"), [](P& p) { return Variant(std::int32_t(p.ids().size())); });
        t.member(QStringLiteral("Item"), {QStringLiteral("Index")}, 1,
                 [](P& p, const BoundArgs& args) {
                     const int id = pick(*p.m_sheet, p.ids(), args.at(0), p.className());
                     return Variant(drawingObject(p.m_sheet, id));
                 });
        t.defaultMember(QStringLiteral("Item"));
        t.member(
            QStringLiteral("Insert"), {QStringLiteral("Filename"), QStringLiteral("Converter")}, 1,
            [](P& p, const BoundArgs& args) { return Variant(p.insert(args.at(0).toString())); });
        t.prop(QStringLiteral("Parent"), [](P& p) {
            p.m_sheet->sheet();
            return Variant(ObjectRef(p.m_sheet));
        });
        return t;
    }();
    return table;
}

} // namespace host::objects
