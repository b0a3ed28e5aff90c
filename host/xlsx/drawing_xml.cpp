#include "host/xlsx/drawing_xml.h"

#include "host/xlsx/xml_util.h"

namespace host::xlsx::drawingxml {

namespace {

pugi::xml_node firstOf(pugi::xml_node parent, bool (*accept)(pugi::xml_node))
{
    for (pugi::xml_node c : parent.children()) {
        if (accept(c))
            return c;
    }
    return {};
}

// The content an <mc:AlternateContent> offers: its first choice, else its fallback.
pugi::xml_node alternative(pugi::xml_node alternate, bool (*accept)(pugi::xml_node))
{
    for (const char* branch : {"Choice", "Fallback"}) {
        for (pugi::xml_node b : xml::children(alternate, branch)) {
            if (const pugi::xml_node found = firstOf(b, accept))
                return found;
        }
    }
    return {};
}

pugi::xml_node nonVisualContainer(pugi::xml_node shape)
{
    for (pugi::xml_node c : shape.children()) {
        if (c.type() == pugi::node_element && xml::localName(c.name()).substr(0, 2) == "nv")
            return c;
    }
    return {};
}

} // namespace

bool isAnchor(pugi::xml_node node)
{
    return xml::is(node, "twoCellAnchor") || xml::is(node, "oneCellAnchor") ||
           xml::is(node, "absoluteAnchor");
}

bool isShape(pugi::xml_node node)
{
    return xml::is(node, "sp") || xml::is(node, "pic") || xml::is(node, "grpSp") ||
           xml::is(node, "graphicFrame") || xml::is(node, "cxnSp") || xml::is(node, "contentPart");
}

pugi::xml_node anchorOf(pugi::xml_node topLevel)
{
    if (isAnchor(topLevel))
        return topLevel;
    if (xml::is(topLevel, "AlternateContent"))
        return alternative(topLevel, isAnchor);
    return {};
}

pugi::xml_node shapeOf(pugi::xml_node anchor)
{
    for (pugi::xml_node c : anchor.children()) {
        if (isShape(c))
            return c;
        if (xml::is(c, "AlternateContent"))
            return alternative(c, isShape);
    }
    return {};
}

pugi::xml_node nonVisual(pugi::xml_node shape)
{
    return xml::child(nonVisualContainer(shape), "cNvPr");
}

pugi::xml_node locks(pugi::xml_node shape)
{
    for (pugi::xml_node c : nonVisualContainer(shape).children()) {
        if (c.type() != pugi::node_element || xml::is(c, "cNvPr"))
            continue;
        for (pugi::xml_node l : c.children()) {
            if (xml::localName(l.name()).ends_with("Locks"))
                return l;
        }
    }
    return {};
}

pugi::xml_node properties(pugi::xml_node shape)
{
    if (const pugi::xml_node p = xml::child(shape, "spPr"))
        return p;
    return xml::child(shape, "grpSpPr");
}

pugi::xml_node transform(pugi::xml_node shape)
{
    if (const pugi::xml_node x = xml::child(shape, "xfrm")) // a graphic frame's
        return x;
    return xml::child(properties(shape), "xfrm");
}

} // namespace host::xlsx::drawingxml
