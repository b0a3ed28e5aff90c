#pragma once

#include "host/automation/member_table.h"
#include "host/objects/shape_set.h"

namespace host::objects {

// Several selected drawing objects (what Selection answers for more than one shape), in the
// order they were selected.
class DrawingObjects : public TableDispatch<DrawingObjects>
{
public:
    explicit DrawingObjects(ShapeSet set) : m_set(std::move(set)) {}

    static const MemberTable<DrawingObjects>& members();
    QString className() const override { return QStringLiteral("DrawingObjects"); }
    std::vector<Variant> enumerate() override;

    const ShapeSet& set() const { return m_set; }

private:
    ShapeSet m_set;
};

// Worksheet.Pictures: the sheet's pictures in z-order, those inside groups included (they
// have no ShapeRange of their own), and Insert of a picture file.
class Pictures : public TableDispatch<Pictures>
{
public:
    explicit Pictures(std::shared_ptr<Worksheet> sheet) : m_sheet(std::move(sheet)) {}

    static const MemberTable<Pictures>& members();
    QString className() const override { return QStringLiteral("Pictures"); }
    std::vector<Variant> enumerate() override;

    std::vector<int> ids() const;
    // A picture file at the active cell's top-left corner, at its untouched size.
    ObjectRef insert(const QString& fileName);

private:
    std::shared_ptr<Worksheet> m_sheet;
};

} // namespace host::objects
