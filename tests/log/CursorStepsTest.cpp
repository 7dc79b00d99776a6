#include "log/CursorSteps.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace dp {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

void FillTimes(SampleLog& log, const std::vector<float>& times)
{
    for (float t : times) {
        TEngineSample s;
        s.Time = t;
        log.AppendSample(s);
    }
}

SampleNode* NodeAt(SampleLog& log, int index)
{
    SampleNode* n = log.Head();
    for (int k = 0; k < index; ++k) n = n->Next;
    return n;
}

int IndexOf(const SampleLog& log, const SampleNode* at)
{
    int k = 0;
    for (const SampleNode* n = log.Head(); n != nullptr; n = n->Next, ++k) {
        if (n == at) return k;
    }
    return -1;
}

enum class Step { Head, Tail, Back, Forward, FiveForward, FiveBack };

struct StepCase {
    const char* name;
    std::vector<float> times;
    int from;
    Step step;
    int lands;
};

std::vector<float> Every(float dt, float first, int count)
{
    std::vector<float> t;
    for (int k = 0; k < count; ++k) t.push_back(first + dt * float(k));
    return t;
}

TEST(CursorSteps, LandWhereTheButtonsSay)
{
    const StepCase cases[] = {
        {"to_head", Every(1, 0, 5), 3, Step::Head, 0},
        {"to_tail", Every(1, 0, 5), 1, Step::Tail, 4},
        {"back_on_first_stays", Every(1, 0, 3), 0, Step::Back, 0},
        {"forward_on_last_stays", Every(1, 0, 3), 2, Step::Forward, 2},
        {"back_one", Every(1, 0, 3), 2, Step::Back, 1},
        {"forward_one", Every(1, 0, 3), 0, Step::Forward, 1},
        // every 0.5 s from 0: time 10.0 is index 20, 15.0 is index 30
        {"five_forward_half_second_samples", Every(0.5f, 0, 40), 20, Step::FiveForward, 30},
        // every 2 s from 0: 10 is index 5, 16 is index 8
        {"five_forward_two_second_samples", Every(2, 0, 12), 5, Step::FiveForward, 8},
        {"threshold_is_4_999_not_5", {10.0f, 12.0f, 14.9995f, 16.0f}, 0, Step::FiveForward, 2},
        {"just_below_threshold_goes_on", {10.0f, 14.998f, 16.0f}, 0, Step::FiveForward, 2},
        {"five_forward_to_last_when_none_far_enough", {10, 11}, 0, Step::FiveForward, 1},
        {"five_forward_on_last_stays", {10, 11}, 1, Step::FiveForward, 1},
        {"five_back_from_second_to_first", {10, 12}, 1, Step::FiveBack, 0},
        {"five_back_half_second_samples", Every(0.5f, 0, 40), 30, Step::FiveBack, 20},
        {"five_back_on_first_stays", {10, 12}, 0, Step::FiveBack, 0},
        {"nan_time_is_passed_over", {10, kNaN, 16, 17}, 0, Step::FiveForward, 2},
        {"from_nan_time_runs_to_the_end", {kNaN, 1, 100}, 0, Step::FiveForward, 2},
    };
    for (const StepCase& c : cases) {
        SCOPED_TRACE(c.name);
        SampleLog log;
        FillTimes(log, c.times);
        log.SetCursor(NodeAt(log, c.from));
        switch (c.step) {
        case Step::Head: CursorToHead(log); break;
        case Step::Tail: CursorToTail(log); break;
        case Step::Back: CursorBack(log); break;
        case Step::Forward: CursorForward(log); break;
        case Step::FiveForward: CursorStepForward(log); break;
        case Step::FiveBack: CursorStepBack(log); break;
        }
        EXPECT_EQ(IndexOf(log, log.Cursor()), c.lands);
    }
}

TEST(CursorSteps, EmptyLogKeepsNoCursor)
{
    SampleLog log;
    for (auto step : {CursorToHead, CursorToTail, CursorBack, CursorForward, CursorStepForward, CursorStepBack}) {
        step(log);
        EXPECT_EQ(log.Cursor(), nullptr);
    }
}

}  // namespace
}  // namespace dp
