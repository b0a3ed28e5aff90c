#include "host/xlsx/shape_builder.h"

#include "host/imaging/lum_adjust.h"
#include "host/model/drawing.h"
#include "host/xlsx/anchors.h"
#include "host/xlsx/drawing_source.h"
#include "host/xlsx/drawing_xml.h"
#include "host/xlsx/xml_util.h"

#include <cmath>

namespace host::xlsx {

using model::Shape;
using model::ShapeKind;

namespace {

namespace dx = drawingxml;

pugi::xml_node add(pugi::xml_node parent, const char* name)
{
    return parent.append_child(name);
}

void setEmu(pugi::xml_node node, const char* name, double points)
{
    node.append_attribute(name) = pointsToEmu(points);
}

bool turned(double rotation)
{
    return (rotation >= 45 && rotation < 135) || (rotation >= 225 && rotation < 315);
}

void nonVisual(pugi::xml_node container, const Shape& shape)
{
    pugi::xml_node c = add(container, "xdr:cNvPr");
    c.append_attribute("id") = shape.id;
    c.append_attribute("name") = shape.name.toUtf8().constData();
    if (!shape.description.isEmpty())
        c.append_attribute("descr") = shape.description.toUtf8().constData();
    if (shape.hidden)
        c.append_attribute("hidden") = "1";
}

// <a:xfrm> with the unrotated box (and, for groups, the same box as child space).
void transform(pugi::xml_node parent, const Shape& shape, const char* name, bool group)
{
    pugi::xml_node x = add(parent, name);
    const long long rot = std::llround(shape.rotation * 60000);
    if (rot != 0)
        x.append_attribute("rot") = rot;
    if (shape.flipH)
        x.append_attribute("flipH") = "1";
    if (shape.flipV)
        x.append_attribute("flipV") = "1";
    pugi::xml_node off = add(x, "a:off");
    setEmu(off, "x", shape.left);
    setEmu(off, "y", shape.top);
    pugi::xml_node ext = add(x, "a:ext");
    setEmu(ext, "cx", shape.width);
    setEmu(ext, "cy", shape.height);
    if (group) {
        pugi::xml_node chOff = add(x, "a:chOff");
        setEmu(chOff, "x", shape.left);
        setEmu(chOff, "y", shape.top);
        pugi::xml_node chExt = add(x, "a:chExt");
        setEmu(chExt, "cx", shape.width);
        setEmu(chExt, "cy", shape.height);
    }
}

void geometry(pugi::xml_node spPr, int autoShapeType)
{
    const char* prst = autoShapeType == 5 ? "roundRect" : autoShapeType == 9 ? "ellipse" : "rect";
    pugi::xml_node g = add(spPr, "a:prstGeom");
    g.append_attribute("prst") = prst;
    add(g, "a:avLst");
}

// Brings a kept element's name and position up to date.
void patchKept(pugi::xml_node element, const Shape& shape)
{
    if (pugi::xml_node nv = dx::nonVisual(element)) {
        xml::setAttr(nv, "name", shape.name);
        if (shape.hidden)
            xml::setAttr(nv, "hidden", "1");
        else
            xml::removeAttr(nv, "hidden");
    }
    pugi::xml_node x = dx::transform(element);
    if (!x)
        return;
    if (pugi::xml_node off = xml::child(x, "off")) {
        xml::setAttr(off, "x", QString::number(pointsToEmu(shape.left)));
        xml::setAttr(off, "y", QString::number(pointsToEmu(shape.top)));
    }
    if (pugi::xml_node ext = xml::child(x, "ext")) {
        xml::setAttr(ext, "cx", QString::number(pointsToEmu(shape.width)));
        xml::setAttr(ext, "cy", QString::number(pointsToEmu(shape.height)));
    }
}

} // namespace

bool isDirtyTree(const Shape& shape)
{
    if (shape.dirty || (shape.picture && shape.picture->imageChanged))
        return true;
    for (const Shape& m : shape.members) {
        if (isDirtyTree(m))
            return true;
    }
    return false;
}

pugi::xml_node appendKeptCopy(pugi::xml_node parent, const model::DrawingSource& source,
                              pugi::xml_node kept)
{
    pugi::xml_node copy = parent.append_copy(kept);
    pugi::xml_node root = parent.root().first_child();
    while (root && root.type() != pugi::node_element)
        root = root.next_sibling();
    for (pugi::xml_attribute a : source.element->document_element().attributes()) {
        if (std::string_view(root.attribute(a.name()).value()) == a.value() &&
            root.attribute(a.name()))
            continue;
        if (!copy.attribute(a.name()))
            copy.append_attribute(a.name()) = a.value();
    }
    return copy;
}

ShapeBuilder::ShapeBuilder(const AnchorGeometry& geometry, const Palette& palette, EmbedId embed,
                           Usable usable)
    : m_geometry(geometry), m_palette(palette), m_embed(std::move(embed)),
      m_usable(std::move(usable))
{
}

bool ShapeBuilder::canWrite(const Shape& shape) const
{
    switch (shape.kind) {
    case ShapeKind::Picture:
    case ShapeKind::TextBox:
    case ShapeKind::AutoShape:
    case ShapeKind::Group:
        return true;
    case ShapeKind::Comment:
        return false;
    default:
        return shape.source && shape.source->node() && m_usable(*shape.source);
    }
}

void ShapeBuilder::appendAnchor(pugi::xml_node root, const Shape& shape) const
{
    double left = shape.left, top = shape.top, width = shape.width, height = shape.height;
    if (turned(shape.rotation)) {
        left += (width - height) / 2;
        top += (height - width) / 2;
        std::swap(width, height);
    }
    pugi::xml_node anchor;
    const bool oneCell =
        shape.placement == model::Placement::Move && shape.anchor == model::AnchorKind::OneCell;
    const bool absolute = shape.placement == model::Placement::FreeFloating &&
                          shape.anchor == model::AnchorKind::Absolute;
    if (oneCell || absolute) {
        anchor = add(root, oneCell ? "xdr:oneCellAnchor" : "xdr:absoluteAnchor");
        if (oneCell) {
            writeMarker(add(anchor, "xdr:from"), m_geometry.marker(left, top));
        } else {
            pugi::xml_node pos = add(anchor, "xdr:pos");
            setEmu(pos, "x", left);
            setEmu(pos, "y", top);
        }
        pugi::xml_node ext = add(anchor, "xdr:ext");
        setEmu(ext, "cx", width);
        setEmu(ext, "cy", height);
    } else {
        anchor = add(root, "xdr:twoCellAnchor");
        if (shape.placement == model::Placement::Move)
            anchor.append_attribute("editAs") = "oneCell";
        else if (shape.placement == model::Placement::FreeFloating)
            anchor.append_attribute("editAs") = "absolute";
        writeMarker(add(anchor, "xdr:from"), m_geometry.marker(left, top));
        writeMarker(add(anchor, "xdr:to"), m_geometry.marker(left + width, top + height));
    }
    appendShape(anchor, shape);
    add(anchor, "xdr:clientData");
}

void ShapeBuilder::appendShape(pugi::xml_node parent, const Shape& shape) const
{
    switch (shape.kind) {
    case ShapeKind::Picture:
        appendPicture(parent, shape);
        return;
    case ShapeKind::Group:
        appendGroup(parent, shape);
        return;
    case ShapeKind::TextBox:
        appendTextShape(parent, shape);
        return;
    case ShapeKind::AutoShape:
        // A kept element holds the shape's own geometry and effects, which the model does not.
        if (shape.source && shape.source->node() && m_usable(*shape.source))
            appendKept(parent, shape);
        else
            appendTextShape(parent, shape);
        return;
    default:
        if (canWrite(shape))
            appendKept(parent, shape);
    }
}

void ShapeBuilder::appendProperties(pugi::xml_node spPr, const Shape& shape) const
{
    geometry(spPr, shape.autoShapeType);
    if (shape.fillVisible)
        appendSolidFill(spPr, shape.fillColor);
    else
        add(spPr, "a:noFill");
    pugi::xml_node ln = add(spPr, "a:ln");
    if (shape.lineVisible) {
        setEmu(ln, "w", shape.lineWeight);
        appendSolidFill(ln, shape.lineColor);
    } else {
        add(ln, "a:noFill");
    }
}

void ShapeBuilder::appendPicture(pugi::xml_node parent, const Shape& shape) const
{
    const model::PictureData data = shape.picture.value_or(model::PictureData{});
    pugi::xml_node pic = add(parent, "xdr:pic");
    pugi::xml_node nv = add(pic, "xdr:nvPicPr");
    nonVisual(nv, shape);
    pugi::xml_node locks = add(add(nv, "xdr:cNvPicPr"), "a:picLocks");
    if (shape.lockAspectRatio)
        locks.append_attribute("noChangeAspect") = "1";

    pugi::xml_node fill = add(pic, "xdr:blipFill");
    pugi::xml_node blip = add(fill, "a:blip");
    const QString id = m_embed(shape);
    if (!id.isEmpty())
        blip.append_attribute("r:embed") = id.toUtf8().constData();
    if (data.colorType == 2)
        add(blip, "a:grayscl");
    else if (data.colorType == 3)
        add(blip, "a:biLevel").append_attribute("thresh") = "50000";
    int bright = imaging::lumAttribute(data.brightness);
    int contrast = imaging::lumAttribute(data.contrast);
    if (data.colorType == 4 && bright == 0 && contrast == 0) {
        bright = 70000; // the watermark's washed-out look
        contrast = -70000;
    }
    if (bright != 0 || contrast != 0) {
        pugi::xml_node lum = add(blip, "a:lum");
        if (bright != 0)
            lum.append_attribute("bright") = bright;
        if (contrast != 0)
            lum.append_attribute("contrast") = contrast;
    }
    pugi::xml_node src = add(fill, "a:srcRect");
    auto crop = [&](const char* name, double points, double untouched) {
        if (untouched <= 0)
            return;
        const long long v = std::llround(points / untouched * 100000);
        if (v != 0)
            src.append_attribute(name) = v;
    };
    crop("l", data.cropLeft, data.untouchedWidth);
    crop("t", data.cropTop, data.untouchedHeight);
    crop("r", data.cropRight, data.untouchedWidth);
    crop("b", data.cropBottom, data.untouchedHeight);
    add(add(fill, "a:stretch"), "a:fillRect");

    pugi::xml_node spPr = add(pic, "xdr:spPr");
    transform(spPr, shape, "a:xfrm", false);
    geometry(spPr, 1);
    if (shape.fillVisible)
        appendSolidFill(spPr, shape.fillColor);
    if (shape.lineVisible) {
        pugi::xml_node ln = add(spPr, "a:ln");
        setEmu(ln, "w", shape.lineWeight);
        appendSolidFill(ln, shape.lineColor);
    }
}

void ShapeBuilder::appendTextShape(pugi::xml_node parent, const Shape& shape) const
{
    pugi::xml_node sp = add(parent, "xdr:sp");
    sp.append_attribute("macro") = "";
    sp.append_attribute("textlink") = "";
    pugi::xml_node nv = add(sp, "xdr:nvSpPr");
    nonVisual(nv, shape);
    pugi::xml_node c = add(nv, "xdr:cNvSpPr");
    if (shape.kind == ShapeKind::TextBox)
        c.append_attribute("txBox") = "1";
    if (shape.lockAspectRatio)
        add(c, "a:spLocks").append_attribute("noChangeAspect") = "1";
    pugi::xml_node spPr = add(sp, "xdr:spPr");
    transform(spPr, shape, "a:xfrm", false);
    appendProperties(spPr, shape);
    if (shape.text || shape.kind == ShapeKind::TextBox)
        writeTextBody(add(sp, "xdr:txBody"), shape.text.value_or(model::TextBody{}), m_palette);
}

void ShapeBuilder::appendGroup(pugi::xml_node parent, const Shape& shape) const
{
    pugi::xml_node g = add(parent, "xdr:grpSp");
    pugi::xml_node nv = add(g, "xdr:nvGrpSpPr");
    nonVisual(nv, shape);
    pugi::xml_node c = add(nv, "xdr:cNvGrpSpPr");
    if (shape.lockAspectRatio)
        add(c, "a:grpSpLocks").append_attribute("noChangeAspect") = "1";
    transform(add(g, "xdr:grpSpPr"), shape, "a:xfrm", true);
    for (const Shape& member : shape.members)
        appendShape(g, member);
}

void ShapeBuilder::appendKept(pugi::xml_node parent, const Shape& shape) const
{
    const model::DrawingSource& source = *shape.source;
    pugi::xml_node kept = source.node();
    if (dx::anchorOf(kept)) // a top-level element: its shape
        kept = dx::shapeOf(dx::anchorOf(kept));
    if (!kept)
        return;
    patchKept(appendKeptCopy(parent, source, kept), shape);
}

} // namespace host::xlsx
