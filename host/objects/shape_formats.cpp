#include "host/objects/shape_formats.h"

#include "host/imaging/image_format.h"

#include "host/objects/shape_errors.h"
#include "host/objects/shape_geometry.h"
#include "host/objects/shape_members.h"

namespace host::objects {

namespace {

model::PictureData& pictureOf(model::Shape& shape)
{
    if (!shape.picture)
        raisePictureOnly();
    return *shape.picture;
}

} // namespace

ObjectRef pictureFormatOf(const ShapeSet& set)
{
    set.first();
    return std::make_shared<PictureFormat>(set);
}

ObjectRef fillFormatOf(const ShapeSet& set)
{
    set.first();
    return std::make_shared<ShapeFormat>(set, ShapeFormat::Part::Fill);
}

ObjectRef lineFormatOf(const ShapeSet& set)
{
    set.first();
    return std::make_shared<ShapeFormat>(set, ShapeFormat::Part::Line);
}

ObjectRef shadowFormatOf(const ShapeSet& set)
{
    set.first();
    return std::make_shared<ShapeFormat>(set, ShapeFormat::Part::Shadow);
}

const MemberTable<PictureFormat>& PictureFormat::members()
{
    static const MemberTable<PictureFormat> table = [] {
        using P = PictureFormat;
        MemberTable<P> t;
        const QString cls = QStringLiteral("PictureFormat");
        for (const auto& [name, side] :
             {std::pair{QStringLiteral("CropLeft"), CropSide::Left},
              std::pair{QStringLiteral("CropTop"), CropSide::Top},
              std::pair{QStringLiteral("CropRight"), CropSide::Right},
              std::pair{QStringLiteral("CropBottom"), CropSide::Bottom}}) {
            const QString n = name;
            const CropSide s = side;
            t.prop(
                n, [s](P& p) { return Variant(crop(p.set().first(), s)); },
                [n, s, cls](P& p, const Variant& v) {
                    const double points = v.toDouble();
                    for (model::Shape* shape : p.set().shapes())
                        pictureOf(*shape);
                    p.set().set(n, cls, [&](model::Shape& shape) { setCrop(shape, s, points); });
                });
        }
        // Adjustments 0–1, 0.5 unchanged.
        for (const auto& [name, field] :
             {std::pair{QStringLiteral("Brightness"), &model::PictureData::brightness},
              std::pair{QStringLiteral("Contrast"), &model::PictureData::contrast}}) {
            const QString n = name;
            const auto f = field;
            t.prop(
                n, [f](P& p) { return Variant(pictureOf(p.set().first()).*f); },
                [n, f, cls](P& p, const Variant& v) {
                    const double value = v.toDouble();
                    if (!(value >= 0 && value <= 1))
                        raiseOutOfRange();
                    for (model::Shape* shape : p.set().shapes())
                        pictureOf(*shape);
                    p.set().set(n, cls, [&](model::Shape& shape) {
                        pictureOf(shape).*f = value;
                        shape.picture->imageChanged = true;
                    });
                });
        }
        t.prop(
            QStringLiteral("ColorType"),
            [](P& p) { return Variant(std::int32_t(pictureOf(p.set().first()).colorType)); },
            [cls](P& p, const Variant& v) {
                const std::int32_t type = v.toInt32();
                if (type < 1 || type > 4)
                    raiseOutOfRange();
                for (model::Shape* shape : p.set().shapes())
                    pictureOf(*shape);
                p.set().set(QStringLiteral("ColorType"), cls, [&](model::Shape& shape) {
                    pictureOf(shape).colorType = type;
                    shape.picture->imageChanged = true;
                });
            });
        t.prop(
            QStringLiteral("TransparentBackground"),
            [](P& p) { return triState(pictureOf(p.set().first()).transparentBackground); },
            [cls](P& p, const Variant& v) {
                const bool on = v.toBool();
                for (model::Shape* shape : p.set().shapes())
                    pictureOf(*shape);
                p.set().set(QStringLiteral("TransparentBackground"), cls, [&](model::Shape& shape) {
                    pictureOf(shape).transparentBackground = on;
                    shape.picture->imageChanged = true;
                });
            });
        // This host's own: the format the picture is stored in ("jpeg", "png", …), which may
        // differ from its file's (a HEIC photograph is stored as JPEG), so that a re-paste can
        // keep what the stored picture keeps.
        t.prop(QStringLiteral("StoredFormat"), [](P& p) {
            return Variant(imaging::fileExtension(pictureOf(p.set().first()).image.format));
        });
        // This host's own (other hosts lack them, 438): the untouched size in points, which
        // the crops are measured in.
        t.prop(QStringLiteral("UntouchedWidth"),
               [](P& p) { return Variant(pictureOf(p.set().first()).untouchedWidth); });
        t.prop(QStringLiteral("UntouchedHeight"),
               [](P& p) { return Variant(pictureOf(p.set().first()).untouchedHeight); });
        t.prop(QStringLiteral("Parent"), [](P& p) {
            return Variant(p.set().ids.size() == 1 ? shapeObject(p.set().sheet, p.set().ids[0])
                                                   : shapeRangeOf(p.set()));
        });
        return t;
    }();
    return table;
}

QString ShapeFormat::className() const
{
    switch (m_part) {
    case Part::Fill:
        return QStringLiteral("FillFormat");
    case Part::Line:
        return QStringLiteral("LineFormat");
    default:
        return QStringLiteral("ShadowFormat");
    }
}

bool& ShapeFormat::visible(model::Shape& shape) const
{
    switch (m_part) {
    case Part::Fill:
        return shape.fillVisible;
    case Part::Line:
        return shape.lineVisible;
    default:
        return shape.shadowVisible;
    }
}

const MemberTable<ShapeFormat>& ShapeFormat::members()
{
    static const MemberTable<ShapeFormat> table = [] {
        using F = ShapeFormat;
        MemberTable<F> t;
        t.prop(
            QStringLiteral("Visible"), [](F& f) { return triState(f.visible(f.m_set.first())); },
            [](F& f, const Variant& v) {
                const bool on = v.toBool();
                f.m_set.set(QStringLiteral("Visible"), f.className(),
                            [&](model::Shape& shape) { f.visible(shape) = on; });
            });
        t.prop(QStringLiteral("Parent"), [](F& f) {
            return Variant(f.m_set.ids.size() == 1 ? shapeObject(f.m_set.sheet, f.m_set.ids[0])
                                                   : shapeRangeOf(f.m_set));
        });
        return t;
    }();
    return table;
}

} // namespace host::objects
