#pragma once

#include <pugixml.hpp>

#include <string_view>

// Where things sit in the elements of a drawing part, shared by its reader and writer.
namespace host::xlsx::drawingxml {

inline constexpr const char* kSpreadsheetDrawingNs =
    "http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing";
inline constexpr const char* kDrawingMainNs =
    "http://schemas.openxmlformats.org/drawingml/2006/main";
inline constexpr const char* kStrictSpreadsheetDrawingNs =
    "http://purl.oclc.org/ooxml/drawingml/spreadsheetDrawing";
inline constexpr const char* kStrictDrawingMainNs = "http://purl.oclc.org/ooxml/drawingml/main";
inline constexpr const char* kDrawingType =
    "application/vnd.openxmlformats-officedocument.drawing+xml";

bool isAnchor(pugi::xml_node node); // twoCellAnchor, oneCellAnchor, absoluteAnchor
bool isShape(pugi::xml_node node);  // sp, pic, grpSp, graphicFrame, cxnSp, contentPart

// The anchor inside a top-level <mc:AlternateContent>, or the node itself when it is one.
pugi::xml_node anchorOf(pugi::xml_node topLevel);
// The shape element of an anchor (looking into <mc:AlternateContent> for one).
pugi::xml_node shapeOf(pugi::xml_node anchor);

// The shape's <cNvPr>, its locks element (<a:picLocks>, <a:spLocks>, …), its properties
// (<spPr>, <grpSpPr>) and its transform (<a:xfrm>, or <xdr:xfrm> of a graphic frame).
pugi::xml_node nonVisual(pugi::xml_node shape);
pugi::xml_node locks(pugi::xml_node shape);
pugi::xml_node properties(pugi::xml_node shape);
pugi::xml_node transform(pugi::xml_node shape);

} // namespace host::xlsx::drawingxml
