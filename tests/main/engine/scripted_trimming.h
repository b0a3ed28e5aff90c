#pragma once

#include "main/engine/trimming_state.h"

#include <QImage>

#include <deque>
#include <functional>
#include <vector>

namespace engine_test {

// The trimming dialog as a script: each call records what the dialog was given and answers
// with the next trimming (the last one again when the script is used up).
class ScriptedTrimming : public picrows::TrimmingService
{
public:
    struct Seen
    {
        double aspect;
        QSizeF points;
        QSize pixels;
        bool retrimming;
        picrows::TrimmingState given; // as the caller filled it in
    };
    void showTrimming(const QImage& picture, QSizeF points, picrows::TrimmingState& state,
                      bool blnTrimmingMode) override
    {
        seen.push_back({state.dblAspect, points, picture.size(), blnTrimmingMode, state});
        if (during)
            during();
        const picrows::TrimmingState answer =
            answers.empty() ? picrows::TrimmingState{} : answers.front();
        if (answers.size() > 1)
            answers.pop_front();
        const double aspect = state.dblAspect;
        state = answer;
        state.dblAspect = aspect;
    }
    static picrows::TrimmingState cancel()
    {
        picrows::TrimmingState s;
        s.blnCancel = true;
        return s;
    }
    static picrows::TrimmingState confirm(double l, double r, double t, double b, double angle = 0)
    {
        picrows::TrimmingState s;
        s.dblCropLeft = l;
        s.dblCropRight = r;
        s.dblCropTop = t;
        s.dblCropBottom = b;
        s.dblAngle = angle;
        s.blnCancel = false;
        return s;
    }

    std::deque<picrows::TrimmingState> answers;
    std::vector<Seen> seen;
    std::function<void()> during; // what the user does in the dialog besides, e.g. the options
};

} // namespace engine_test
