#include "main/tools/world_transform.h"

#include <QPainter>
#include <QRect>
#include <QTransform>

#include <cmath>

namespace picrows {

namespace {

// A 2 × 2 affine matrix with no translation, in single precision: a point (x, y) maps to
// (x·m11 + y·m21, x·m12 + y·m22).
struct Matrix
{
    float m11, m12, m21, m22;
};

// `first` applied, then `second`.
Matrix combine(const Matrix& first, const Matrix& second)
{
    return {first.m11 * second.m11 + first.m12 * second.m21,
            first.m11 * second.m12 + first.m12 * second.m22,
            first.m21 * second.m11 + first.m22 * second.m21,
            first.m21 * second.m12 + first.m22 * second.m22};
}

float radians(double degrees)
{
    return static_cast<float>(degrees * 3.14159265358979 / 180);
}

// Graphics modes as the saved record keeps them: whether the painter had its world transform
// enabled before switch-on.
constexpr int kModeUnchanged = 0;
constexpr int kModeCompatible = 1;
constexpr int kModeAdvanced = 2;

// The one painter switched on and what it had before.
struct SavedState
{
    QRect viewport;
    int graphicsMode = kModeUnchanged;
    QTransform worldTransform;
    QPainter* painter = nullptr;
};

SavedState g_saved;

void switchOff()
{
    QPainter* painter = g_saved.painter;
    if (!painter)
        return;
    if (g_saved.graphicsMode != kModeUnchanged) {
        painter->setWorldTransform(g_saved.worldTransform);
        painter->setWorldMatrixEnabled(g_saved.graphicsMode == kModeAdvanced);
    }
    painter->setViewport(g_saved.viewport);
    g_saved = SavedState{};
}

} // namespace

void S_SetWorldTrans(bool on, QPainter* painter, double tiltX, double tiltY, double angle,
                     double shearX, double shearY, QPoint origin)
{
    if (!on) {
        switchOff();
        return;
    }
    switchOff();
    if (!painter || !painter->isActive())
        return;

    g_saved.painter = painter;
    g_saved.viewport = painter->viewport();
    // With the window left as it is, a viewport of the same size moved to `origin` only
    // translates: the painter's counterpart of the device context's viewport origin.
    painter->setViewport(QRect(origin, g_saved.viewport.size()));

    if (tiltX <= 0 && tiltY <= 0 && angle <= 0 && shearX == 0 && shearY == 0)
        return;

    g_saved.graphicsMode = painter->worldMatrixEnabled() ? kModeAdvanced : kModeCompatible;
    painter->setWorldMatrixEnabled(true);

    const float a = radians(tiltX);
    const float b = radians(tiltY);
    const float c = radians(angle);
    const Matrix tiltHorizontal{1, 0, 0, std::cos(a)};
    const Matrix tiltVertical{std::cos(b), 0, 0, 1};
    const Matrix rotation{std::cos(c), std::sin(c), -std::sin(c), std::cos(c)};
    const Matrix shearHorizontal{1, 0, static_cast<float>(shearX / 100), 1};
    const Matrix shearVertical{1, static_cast<float>(shearY / 100), 0, 1};
    const Matrix m =
        combine(combine(combine(combine(tiltHorizontal, tiltVertical), rotation), shearHorizontal),
                shearVertical);

    g_saved.worldTransform = painter->worldTransform();
    painter->setWorldTransform(QTransform(m.m11, m.m12, m.m21, m.m22, 0, 0));
}

} // namespace picrows
