#include <gtest/gtest.h>

#include <vector>

#include "app/ReplyWatch.h"

namespace dp {
namespace {

constexpr double kStart = 5000.25;  // some monotonic time, in seconds

// One step: a reading tick at a second offset ('A' answered, '-' silent) or a stop ('S').
struct Step {
    char what;
    double atSeconds;
    bool silentAfter;
};

struct WatchCase {
    const char* name;
    std::vector<Step> steps;
};

const WatchCase kCases[] = {
    {"answering unit", {{'A', 0, false}, {'A', 1, false}, {'A', 10, false}}},
    {"silent from the first tick", {{'-', 0, false}, {'-', 2, false}, {'-', 3, false}, {'-', 3.5, true}}},
    {"answer ends the silence", {{'A', 0, false}, {'-', 4, true}, {'A', 5, false}, {'-', 7, false}}},
    {"slow ticks: one long silent tick is enough", {{'A', 0, false}, {'-', 3.2, true}}},
    {"stop forgets the silence", {{'-', 0, false}, {'-', 5, true}, {'S', 6, false}, {'-', 100, false}, {'-', 102, false}}},
    {"clock going back restarts the count", {{'-', 0, false}, {'-', -3600, false}, {'-', -3598, false}, {'-', -3596, true}}},
};

TEST(ReplyWatch, SilenceLongerThanAFewSecondsShowsInTheStatus)
{
    for (const WatchCase& c : kCases) {
        SCOPED_TRACE(c.name);
        ReplyWatch watch;
        for (const Step& s : c.steps) {
            if (s.what == 'S')
                watch.Stopped();
            else
                watch.Reading(s.what == 'A', kStart + s.atSeconds);
            EXPECT_EQ(watch.Silent(), s.silentAfter) << "at " << s.atSeconds << " s";
            EXPECT_EQ(watch.StatusText(), s.silentAfter ? QStringLiteral("нет ответа") : QString());
        }
    }
}

}  // namespace
}  // namespace dp
