#pragma once

#include <QPoint>

class QPainter;

namespace picrows {

// Switches a painter into a turned "world" and back. Switch-on moves the painter's viewport
// origin to `origin` (drawing coordinates (0, 0) land there) and, unless every tilt, the angle
// and both shears are zero or below, sets the world transform built from them; switch-off (all
// arguments but `on` ignored) puts back the transform, whether it was enabled, and the origin.
// One painter at a time: switching on another first switches the previous one off. The painter
// must stay alive until it is switched off.
//
// Tilts and the angle are degrees, shears percent. The transform is the product, in this
// order, of a tilt about the horizontal axis, one about the vertical axis, the rotation
// (clockwise on screen for a positive angle), a horizontal and a vertical shear, each built in
// single precision.
void S_SetWorldTrans(bool on, QPainter* painter = nullptr, double tiltX = 0, double tiltY = 0,
                     double angle = 0, double shearX = 0, double shearY = 0, QPoint origin = {});

} // namespace picrows
