#pragma once

#include "host/xlsx/drawing_text.h"

#include <QString>

#include <pugixml.hpp>

#include <functional>

namespace host::model {
struct DrawingSource;
struct Shape;
} // namespace host::model

namespace host::xlsx {

class AnchorGeometry;

// Builds the drawing part's elements of shapes from the model: anchors from points, pictures,
// text boxes, groups and simple shapes anew, and the kept elements of shapes the host does not
// understand with their position and name brought up to date. Elements are written with the
// prefixes xdr, a and r; the caller declares them.
class ShapeBuilder
{
public:
    // `embed` gives the relationship id of a picture's media part.
    using EmbedId = std::function<QString(const model::Shape&)>;
    // `usable` says whether a kept element may be written here (its relationships hold).
    using Usable = std::function<bool(const model::DrawingSource&)>;
    ShapeBuilder(const AnchorGeometry& geometry, const Palette& palette, EmbedId embed,
                 Usable usable);

    // Whether the shape can be written: charts and other kept shapes need their element.
    bool canWrite(const model::Shape& shape) const;

    // Appends the anchor of a top-level shape, with its element, to the drawing's root.
    void appendAnchor(pugi::xml_node root, const model::Shape& shape) const;
    // Appends the shape's element (for a group member, or inside an anchor).
    void appendShape(pugi::xml_node parent, const model::Shape& shape) const;

private:
    void appendPicture(pugi::xml_node parent, const model::Shape& shape) const;
    void appendTextShape(pugi::xml_node parent, const model::Shape& shape) const;
    void appendGroup(pugi::xml_node parent, const model::Shape& shape) const;
    void appendKept(pugi::xml_node parent, const model::Shape& shape) const;
    void appendProperties(pugi::xml_node spPr, const model::Shape& shape) const;

    const AnchorGeometry& m_geometry;
    const Palette& m_palette;
    EmbedId m_embed;
    Usable m_usable;
};

// Appends a copy of a kept element, declaring on it the namespaces of its part that `parent`'s
// document does not declare alike.
pugi::xml_node appendKeptCopy(pugi::xml_node parent, const model::DrawingSource& source,
                              pugi::xml_node kept);

// Whether the shape or any of its members changed since it was read.
bool isDirtyTree(const model::Shape& shape);

} // namespace host::xlsx
