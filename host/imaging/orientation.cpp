#include "host/imaging/orientation.h"

#include <QTransform>

namespace host::imaging {

QImage orientUpright(const QImage& stored, int orientation)
{
    const auto turned = [&](int degrees) {
        return stored.transformed(QTransform().rotate(degrees));
    };
    switch (orientation) {
    case 2:
        return stored.mirrored(true, false);
    case 3:
        return turned(180);
    case 4:
        return stored.mirrored(false, true);
    case 5: // transpose: a quarter turn clockwise, then mirrored left to right
        return turned(90).mirrored(true, false);
    case 6:
        return turned(90);
    case 7: // transverse: a quarter turn clockwise, then mirrored top to bottom
        return turned(90).mirrored(false, true);
    case 8:
        return turned(270);
    default:
        return stored;
    }
}

} // namespace host::imaging
