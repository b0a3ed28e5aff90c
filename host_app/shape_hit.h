#pragma once

#include <QPointF>
#include <QPolygonF>

#include <vector>

namespace host::model {
struct Drawing;
struct Shape;
} // namespace host::model

namespace host_app {

// The top-level shape shown at a sheet point (in points), the topmost one; 0 when the point
// shows cells. A group is hit where any of its members is. Hidden shapes and cell comments
// are never hit.
int shapeAt(const host::model::Drawing& drawing, QPointF points);

// The outlines (sheet points) of the shapes with `ids`, as they show, turned with their
// groups: where selection handles go.
std::vector<QPolygonF> shapeOutlines(const host::model::Drawing& drawing,
                                     const std::vector<int>& ids);

} // namespace host_app
