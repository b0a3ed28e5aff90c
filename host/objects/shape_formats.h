#pragma once

#include "host/automation/member_table.h"
#include "host/objects/shape_set.h"

namespace host::objects {

// PictureFormat of a picture (or of every picture of a range): crops in points of the
// untouched size, colour adjustments.
class PictureFormat : public TableDispatch<PictureFormat>
{
public:
    explicit PictureFormat(ShapeSet set) : m_set(std::move(set)) {}

    static const MemberTable<PictureFormat>& members();
    QString className() const override { return QStringLiteral("PictureFormat"); }

    const ShapeSet& set() const { return m_set; }

private:
    ShapeSet m_set;
};

// Fill, Line and Shadow: whether each is shown.
class ShapeFormat : public TableDispatch<ShapeFormat>
{
public:
    enum class Part
    {
        Fill,
        Line,
        Shadow
    };
    ShapeFormat(ShapeSet set, Part part) : m_set(std::move(set)), m_part(part) {}

    static const MemberTable<ShapeFormat>& members();
    QString className() const override;

private:
    bool& visible(model::Shape& shape) const;

    ShapeSet m_set;
    Part m_part;
};

} // namespace host::objects
