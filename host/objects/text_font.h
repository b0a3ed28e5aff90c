#pragma once

#include "host/automation/member_table.h"
#include "host/objects/shape_set.h"

namespace host::objects {

// The font of shapes' text (Characters.Font): one font for each shape's whole text. Colours are
// the host's BGR numbers; ColorIndex indexes the workbook's palette.
class TextFontObject : public TableDispatch<TextFontObject>
{
public:
    explicit TextFontObject(ShapeSet set) : m_set(std::move(set)) {}

    static const MemberTable<TextFontObject>& members();
    QString className() const override { return QStringLiteral("Font"); }

    const ShapeSet& set() const { return m_set; }

private:
    ShapeSet m_set;
};

ObjectRef fontOf(const ShapeSet& set);

} // namespace host::objects
