#pragma once

#include "host/automation/member_table.h"
#include "host/objects/shape_set.h"

namespace host::objects {

// A shape as the host's older drawing-object classes show it: a Picture, TextBox, GroupObject,
// ChartObject, … (the class follows the shape's kind). What Pictures(i), Shape.DrawingObject
// and a selected shape answer. Like Shape it holds (sheet, id) and looks the shape up at every
// call.
class DrawingObject : public TableDispatch<DrawingObject>
{
public:
    DrawingObject(std::shared_ptr<Worksheet> sheet, int id, QString className)
        : m_set{std::move(sheet), {id}}, m_class(std::move(className))
    {
    }

    static const MemberTable<DrawingObject>& members();
    QString className() const override { return m_class; }

    const ShapeSet& set() const { return m_set; }
    int id() const { return m_set.ids.front(); }

private:
    ShapeSet m_set;
    QString m_class;
};

// Shape.OLEFormat: its Object is the shape's drawing object.
class OleFormat : public TableDispatch<OleFormat>
{
public:
    OleFormat(std::shared_ptr<Worksheet> sheet, int id) : m_sheet(std::move(sheet)), m_id(id) {}

    static const MemberTable<OleFormat>& members();
    QString className() const override { return QStringLiteral("OLEFormat"); }

private:
    std::shared_ptr<Worksheet> m_sheet;
    int m_id;
};

ObjectRef drawingObject(const std::shared_ptr<Worksheet>& sheet, int id);
ObjectRef oleFormatOf(const std::shared_ptr<Worksheet>& sheet, int id);

} // namespace host::objects
