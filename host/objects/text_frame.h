#pragma once

#include "host/automation/member_table.h"
#include "host/objects/shape_set.h"

#include <optional>

namespace host::objects {

// A shape's text frame: alignment, margins, orientation, AutoSize and its Characters. The
// text has one font; Characters(Start, Length) reads and replaces part of the text.
class TextFrame : public TableDispatch<TextFrame>
{
public:
    explicit TextFrame(ShapeSet set) : m_set(std::move(set)) {}

    static const MemberTable<TextFrame>& members();
    QString className() const override { return QStringLiteral("TextFrame"); }

    const ShapeSet& set() const { return m_set; }

private:
    ShapeSet m_set;
};

class Characters : public TableDispatch<Characters>
{
public:
    Characters(ShapeSet set, int start, std::optional<int> length)
        : m_set(std::move(set)), m_start(start), m_length(length)
    {
    }

    static const MemberTable<Characters>& members();
    QString className() const override { return QStringLiteral("Characters"); }

private:
    // The part of `text` these characters stand for, as (position, count).
    std::pair<qsizetype, qsizetype> span(const QString& text) const;

    ShapeSet m_set;
    int m_start; // 1-based
    std::optional<int> m_length;
};

// The text body of a shape; shapes without text refuse.
model::TextBody& textBodyOf(model::Shape& shape);
// New text for the shape; a box with AutoSize on fits itself to it.
void setShapeText(Worksheet& sheet, model::Shape& shape, const QString& text);
// After a change to the text's font or margins: AutoSize fits the box again.
void textLayoutChanged(Worksheet& sheet, model::Shape& shape);
ObjectRef charactersOf(const ShapeSet& set, const BoundArgs& args);

} // namespace host::objects
