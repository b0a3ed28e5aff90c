#pragma once

#include "host/model/geometry.h"

#include <pugixml.hpp>

#include <vector>

namespace host::model {
struct Sheet;
struct Workbook;
} // namespace host::model

// Drawing anchors: a cell corner plus offsets in EMUs, converted to and from the points the
// object model works in with the same cell geometry that Range.Left and Range.Top answer.
namespace host::xlsx {

inline constexpr double kEmuPerPoint = 12700;

// A corner as <xdr:from>/<xdr:to> state it: 0-based column and row, offsets in EMUs.
struct CellMarker
{
    int column = 0;
    long long columnOffset = 0;
    int row = 0;
    long long rowOffset = 0;
};

// The workbook's maximum digit width, the unit of its column widths.
int digitWidthOf(const model::Workbook& book);

class AnchorGeometry
{
public:
    AnchorGeometry(const model::Sheet& sheet, int digitWidth);

    // The marker's position in points from the sheet's top-left corner.
    double x(const CellMarker& marker) const;
    double y(const CellMarker& marker) const;
    // The marker of a position: the visible cell holding it and the offset into that cell.
    CellMarker marker(double x, double y) const;

private:
    int rowAt(double y) const;

    model::SheetGeometry m_geometry;
    // The stated rows with their tops and heights in twips, so that finding the row at a
    // position costs a binary search rather than a walk over every stated row above it.
    struct StatedRow
    {
        int row;
        long long top;
        long long height;
    };
    std::vector<StatedRow> m_rows;
    long long m_defaultTwips = 0;
};

// Reads a <from>/<to> element; values out of the sheet's bounds are clamped, missing or
// malformed ones read as 0. Returns false when the element is absent.
bool readMarker(pugi::xml_node element, CellMarker* marker);
// Fills an empty <from>/<to> element.
void writeMarker(pugi::xml_node element, const CellMarker& marker);

// An EMU attribute in points; `fallback` when it is missing or malformed.
double emuPoints(pugi::xml_attribute a, double fallback = 0);
long long pointsToEmu(double points);

} // namespace host::xlsx
