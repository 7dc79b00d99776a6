#include "app/ReplyWatch.h"

#include <cmath>

namespace dp {

void ReplyWatch::Reading(bool answered, double nowSeconds)
{
    // The first tick of a reading, and a clock that went back, start the count afresh.
    if (answered || !watching_ || nowSeconds < lastAnswerSeconds_) lastAnswerSeconds_ = nowSeconds;
    watching_ = true;
    // Whole milliseconds keep the limit exact whatever the clock's rounding.
    const long long quietMs = std::llround((nowSeconds - lastAnswerSeconds_) * 1000);
    silent_ = quietMs > std::llround(kQuietSeconds * 1000);
}

void ReplyWatch::Stopped()
{
    watching_ = false;
    silent_ = false;
}

QString ReplyWatch::StatusText() const { return silent_ ? NoAnswerText() : QString(); }

}  // namespace dp
