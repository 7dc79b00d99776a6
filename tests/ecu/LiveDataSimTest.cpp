// The real link code against the virtual ECU, on a manual clock: exact and instant.

#include <gtest/gtest.h>

#include <cmath>

#include "ecu/LiveData.h"
#include "support/RecordingPort.h"
#include "support/ScriptedPort.h"
#include "sim/SimClock.h"
#include "sim/SimPort.h"
#include "sim/VirtualEcu.h"

namespace dp::test {
namespace {

class LiveDataOnVirtualEcu : public ::testing::Test {
protected:
    explicit LiveDataOnVirtualEcu(sim::EcuOptions options = {}) : ecu(options), port(ecu, clock), recorder(port)
    {
        port.open();
    }
    sim::ManualClock clock;
    sim::VirtualEcu ecu;
    sim::SimPort port;
    RecordingPort recorder;
    EcuLink link{recorder};
};

TEST_F(LiveDataOnVirtualEcu, HandshakeThenBothRequestsDecodeTheEngine)
{
    ASSERT_TRUE(link.EcuInit());
    clock.advanceUs(90'000'000);  // a warm engine at idle
    TEngineSample s;
    AcquireSample(link, s, 90.0f);

    const Bytes first(kFirstRequest.begin(), kFirstRequest.end());
    const Bytes second(kSecondRequest.begin(), kSecondRequest.end());
    EXPECT_EQ(recorder.writes, (std::vector<Bytes>{{0xFF, 0xFF, 0xEF}, first, {0x30}, second, {0x30}}));

    ecu.engine().advance(clock.nowUs());
    const sim::EngineReadings r = ecu.engine().readings();
    EXPECT_EQ(s.Time, 90.0f);
    EXPECT_NEAR(s.EngineSpeed, r.rpm, 150);
    EXPECT_NEAR(s.CoolantTemp, r.coolantC, 1.0);
    EXPECT_NEAR(s.Battery, r.batteryV, 0.2);
    EXPECT_NEAR(s.AirFuelLearnt, r.airFuelLearnt, 1.0);
    EXPECT_EQ(s.FuelPumpFlag, r.fuelPump ? 100 : 0);
    EXPECT_GT(s.EngineSpeed, 400);
    // A whole sample at 9600 bit/s takes tens of milliseconds, not the silence limits.
    EXPECT_LT(clock.nowUs() - 90'000'000 - 8'000, 200'000);
}

TEST_F(LiveDataOnVirtualEcu, BackToBackSamplesDecodeTheirOwnFrames)
{
    // At 20 ticks a second the exchanges follow each other without a pause: the tail of
    // one request's stream must not pass for the next request's reply.
    ASSERT_TRUE(link.EcuInit());
    clock.advanceUs(60'000'000);  // running, so the readings move slowly between frames
    TEngineSample s;
    for (int i = 0; i < 20; ++i) {
        AcquireSample(link, s, float(i));
        ecu.engine().advance(clock.nowUs());
        const sim::EngineReadings r = ecu.engine().readings();
        ASSERT_NEAR(s.CoolantTemp, r.coolantC, 1.0) << "sample " << i;
        ASSERT_NEAR(s.Battery, r.batteryV, 0.5) << "sample " << i;
        ASSERT_NEAR(s.IdleValve, r.idleValvePct, 3.0) << "sample " << i;
    }
}

class SilentVirtualEcu : public LiveDataOnVirtualEcu {
protected:
    SilentVirtualEcu() : LiveDataOnVirtualEcu(sim::EcuOptions{.silent = true}) {}
};

TEST_F(SilentVirtualEcu, HandshakeFailsAndSamplesKeepTheirValues)
{
    EXPECT_FALSE(link.EcuInit());
    TEngineSample s;
    s.EngineSpeed = 812.5f;
    AcquireSample(link, s, 4.0f);
    EXPECT_EQ(s.Time, 4.0f);
    EXPECT_EQ(s.EngineSpeed, 812.5f);
}

class GarbledVirtualEcu : public LiveDataOnVirtualEcu {
protected:
    GarbledVirtualEcu() : LiveDataOnVirtualEcu(sim::EcuOptions{.garbage = true}) {}
};

TEST_F(GarbledVirtualEcu, GarbageBetweenFramesIsSkipped)
{
    ASSERT_TRUE(link.EcuInit());
    clock.advanceUs(60'000'000);
    TEngineSample s;
    AcquireSample(link, s, 1.0f);
    ecu.engine().advance(clock.nowUs());
    EXPECT_NEAR(s.CoolantTemp, ecu.engine().readings().coolantC, 1.0);
}

}  // namespace
}  // namespace dp::test
