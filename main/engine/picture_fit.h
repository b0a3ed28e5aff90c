#pragma once

#include <QString>

#include <cstdint>

namespace xl {
class Picture;
class Range;
} // namespace xl

namespace picrows {

// A target's box in points.
struct TargetBox
{
    double L = 0;
    double T = 0;
    double W = 0;
    double H = 0;
    static TargetBox of(const xl::Range& target);
};

// Where a box of w × h sits in the target for a reference point (0 bottom-left, 1 bottom-right,
// 2 centre, 3 top-left, 4 top-right); false for any other point.
bool placeAtPoint(const TargetBox& box, std::int32_t point, double w, double h, double& left,
                  double& top);

// Size mode 0: stretched over the target.
void s_FitExact(const xl::Picture& picture, const TargetBox& box);

// Size mode 1: the largest proportional size inside the target, placed at `point`.
void s_FitInside(const xl::Picture& picture, const TargetBox& box, std::int32_t point);

// Size mode 2 when the picture can be cropped: the excess cropped, on top of the crops it
// already has (the edge of an unlinked copy), so that the named corner or the centre stays
// visible, then laid over the target.
void s_FitAutoFill(const xl::Picture& picture, const TargetBox& box, std::int32_t point);

// A fill mode on a picture that cannot be cropped: warns, switches `point` to the centre for
// the rest of the run and fits inside.
void s_FallbackToFitInside(const xl::Picture& picture, const TargetBox& box, const QString& path,
                           std::int32_t& point);

} // namespace picrows
