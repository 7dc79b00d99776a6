#include <gtest/gtest.h>

#include "app/WorkingState.h"

namespace dp {
namespace {

TEST(WorkingState, ControlsFollowTheStateTable)
{
    struct Row {
        bool connected, reading, recording;
        ButtonLook b1, b2, b3;
        bool commands;
    };
    const ButtonLook connect{"Подключиться", false, true}, disconnect{"Отключиться", true, true};
    const Row rows[] = {
        {false, false, false, connect, {"Считывать", false, false}, {"Записывать", false, false}, false},
        {true, false, false, disconnect, {"Считывать", false, true}, {"Записывать", false, false}, true},
        {true, true, false, disconnect, {"Стоп", true, true}, {"Записывать", false, true}, true},
        {true, true, true, disconnect, {"Стоп", true, true}, {"Стоп", true, true}, true},
        // Disconnected while reading and recording: the switches keep their look.
        {false, true, true, connect, {"Стоп", true, false}, {"Стоп", true, true}, false},
    };
    for (const Row& r : rows) {
        WorkingState s;
        s.Connected = r.connected;
        s.Reading = r.reading;
        s.Recording = r.recording;
        const ControlLooks got = ControlsFor(s);
        EXPECT_EQ(got, (ControlLooks{r.b1, r.b2, r.b3, r.commands}))
            << r.connected << r.reading << r.recording;
    }
}

TEST(WorkingState, ClockStartsAtTheSecondTickAndSpansDisconnections)
{
    WorkingState s;
    const double t0 = 0.0;  // a monotonic reading of zero is a reading like any other
    AdvanceClock(s, t0);
    EXPECT_EQ(s.ConnectionClock, 0.0f);
    AdvanceClock(s, t0 + 2);
    EXPECT_NEAR(s.ConnectionClock, 2.0f, 1e-6);
    // Ticks while disconnected do not call AdvanceClock; the next one adds the gap.
    AdvanceClock(s, t0 + 62);
    EXPECT_NEAR(s.ConnectionClock, 62.0f, 1e-6);
}

}  // namespace
}  // namespace dp
