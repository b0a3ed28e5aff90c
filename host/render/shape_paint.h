#pragma once

#include <QRectF>
#include <QTransform>

#include <vector>

class QPainter;

namespace host::model {
struct Drawing;
struct Shape;
struct Workbook;
} // namespace host::model

// Drawing a sheet's shapes. The painter's units are sheet points (the sheet's top-left corner
// at the origin, or wherever the caller moved it).
//
// What is drawn: pictures (crop, scale, brightness and contrast through the imaging layer),
// text boxes and rectangles (fill, line, text inside the margins), groups with their members;
// each turned by its rotation about its box's centre, pictures and groups also flipped.
// Group members have boxes in sheet points like top-level shapes; a group's rotation turns
// them with it about the group's centre. Not drawn: hidden shapes, cell comments (the host
// shows them only on demand), charts, autoshapes other than rectangles, and the shapes the
// host only keeps; a picture's colour type, transparent colour and shadows are not drawn
// either.
namespace host::render {

// How a shape's unrotated box is placed where it shows: its rotation (and flips for pictures
// and groups) about the box's centre.
QTransform shapeTransform(const model::Shape& shape);

// The box as it shows, turned: its axis-aligned bounds in sheet points, inside groups whose
// transform is `enclosing`.
QRectF displayedBounds(const model::Shape& shape, const QTransform& enclosing = {});

// A shape found in a drawing's tree, with the transform of the groups that hold it.
struct PlacedShape
{
    const model::Shape* shape = nullptr;
    QTransform enclosing;
};

// The shapes with `ids` (top-level shapes or group members), in the drawing's z-order
// whatever the order of `ids`; ids the drawing lacks are left out.
std::vector<PlacedShape> placeShapes(const model::Drawing& drawing, const std::vector<int>& ids);

void paintShape(QPainter& painter, const model::Workbook& book, const model::Shape& shape);
// Paints the placed shapes, each inside its enclosing groups' transform.
void paintPlaced(QPainter& painter, const model::Workbook& book,
                 const std::vector<PlacedShape>& shapes);

} // namespace host::render
