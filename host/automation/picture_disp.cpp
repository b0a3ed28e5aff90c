#include "host/automation/picture_disp.h"

namespace host {

namespace {

std::int32_t himetric(std::int32_t px)
{
    return std::int32_t((std::int64_t(px) * 2540 + 48) / 96);
}

} // namespace

const MemberTable<PictureDisp>& PictureDisp::members()
{
    static const MemberTable<PictureDisp> table = [] {
        MemberTable<PictureDisp> t;
        t.prop(QStringLiteral("Type"), [](PictureDisp&) { return Variant(std::int16_t(1)); });
        t.prop(QStringLiteral("Width"),
               [](PictureDisp& p) { return Variant(himetric(p.widthPx())); });
        t.prop(QStringLiteral("Height"),
               [](PictureDisp& p) { return Variant(himetric(p.heightPx())); });
        return t;
    }();
    return table;
}

std::shared_ptr<PictureDisp> pictureOf(const ObjectRef& object)
{
    return std::dynamic_pointer_cast<PictureDisp>(object);
}

} // namespace host
