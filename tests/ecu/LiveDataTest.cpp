#include <gtest/gtest.h>

#include <cmath>

#include "ecu/LiveData.h"
#include "support/ScriptedPort.h"

namespace dp::test {
namespace {

Bytes Reply(const Bytes& payload)
{
    Bytes b = {0xFF, uint8_t(payload.size())};
    b.insert(b.end(), payload.begin(), payload.end());
    return b;
}

TEST(LiveData, FirstReplyDecoding)
{
    struct Case {
        const char* name;
        Bytes p;
        float rpm, maf, inject, coolant, throttle, battery;
    };
    const Case cases[] = {
        {"typical values", {0x02, 0x58, 0x00, 0xC8, 0x01, 0x2C, 0x8C, 0x32, 0xAF}, 7500.0f, 1.0f, 3.0f, 90.0f, 1.0f, 14.0f},
        {"all zero", {0, 0, 0, 0, 0, 0, 0, 0, 0}, 0, 0, 0, -50.0f, 0, 0},
        {"all 0xFF", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, 819187.5f, float(65535 * 0.005), 655.35f, 205.0f,
         float(255 * 0.02), float(255 * 0.08)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TEngineSample s;
        DecodeFirstReply(c.p.data(), s);
        EXPECT_EQ(s.EngineSpeed, c.rpm);
        EXPECT_EQ(s.MafSensor, c.maf);
        EXPECT_EQ(s.InjectionTime, c.inject);
        EXPECT_EQ(s.CoolantTemp, c.coolant);
        EXPECT_EQ(s.ThrottleSensor, c.throttle);
        EXPECT_EQ(s.Battery, c.battery);
    }
}

TEST(LiveData, SecondReplyDecodingAndFlags)
{
    struct Case {
        const char* name;
        Bytes p;
        float speed, ignition, idle, learnt, o2, airFuel;
        uint8_t steering, neutral, start, pump, vtc, fan, wg, egr;
    };
    const Case cases[] = {
        {"advance below zero above 110", {30, 120, 40, 100, 45, 99, 0x0E, 0x62, 0x21}, 60, -10, 20, 100, 0.45f, 99, 100, 100, 100, 100, 100, 100, 100, 100},
        {"bits that carry no flag change nothing", {0, 110, 0, 0, 0, 0, 0xF1, 0x9D, 0xDE}, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
        {"all 0xFF but advance", {255, 0, 255, 255, 255, 255, 0xFF, 0xFF, 0xFF}, 510, 110, 127.5f, 255, 2.55f, 255, 100, 100, 100, 100, 100, 100, 100, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TEngineSample s;
        DecodeSecondReply(c.p.data(), s);
        EXPECT_EQ(s.VehicleSpeed, c.speed);
        EXPECT_EQ(s.IgnitionAdvance, c.ignition);
        EXPECT_EQ(s.IdleValve, c.idle);
        EXPECT_EQ(s.AirFuelLearnt, c.learnt);
        EXPECT_EQ(s.O2Sensor, float(c.p[4] * 0.01));
        EXPECT_EQ(s.AirFuel, c.airFuel);
        const uint8_t flags[] = {s.SteeringFlag, s.NeutralFlag, s.StartFlag, s.FuelPumpFlag,
                                 s.VtcFlag,      s.FanFlag,     s.WgFlag,    s.EgrFlag};
        const uint8_t want[] = {c.steering, c.neutral, c.start, c.pump, c.vtc, c.fan, c.wg, c.egr};
        for (int i = 0; i < 8; ++i) EXPECT_EQ(flags[i], want[i]) << "flag " << i;
    }
}

// A unit answering each request with the given frames; later requests get nothing.
struct Answers {
    std::vector<Bytes> replies;
    std::size_t next = 0;
    void operator()(ScriptedPort& p, const Bytes& w)
    {
        if (w.size() == 19 && next < replies.size()) p.arrive(p.nowUs + 20'000, replies[next++], 1040);
    }
};

TEST(LiveData, AcquireSampleSendsBothRequestsAndDecodes)
{
    ScriptedPort port;
    port.onWrite = Answers{{Reply({0x02, 0x58, 0, 0, 0x01, 0x2C, 0x8C, 0, 0}), Reply({1, 110, 0, 0, 0, 0, 0, 0x02, 0})}};
    EcuLink link(port);
    TEngineSample s;
    EXPECT_TRUE(AcquireSample(link, s, 12.5f));
    EXPECT_EQ(s.Time, 12.5f);
    EXPECT_EQ(s.EngineSpeed, 7500.0f);
    EXPECT_EQ(s.InjectionTime, 3.0f);
    EXPECT_EQ(s.CoolantTemp, 90.0f);
    EXPECT_EQ(s.VehicleSpeed, 2.0f);
    EXPECT_EQ(s.FanFlag, 100);
    ASSERT_EQ(port.writes.size(), 4u);
    EXPECT_EQ(port.writes[0], Bytes(kFirstRequest.begin(), kFirstRequest.end()));
    EXPECT_EQ(port.writes[1], Bytes{0x30});
    EXPECT_EQ(port.writes[2], Bytes(kSecondRequest.begin(), kSecondRequest.end()));
    EXPECT_EQ(port.writes[3], Bytes{0x30});
}

TEST(LiveData, IncompleteFramesKeepTheirFields)
{
    TEngineSample before;
    before.EngineSpeed = 800;
    before.CoolantTemp = 85;
    before.VehicleSpeed = 40;
    before.FanFlag = 100;
    struct Case {
        const char* name;
        std::vector<Bytes> replies;
        bool firstChanges, secondChanges;
    };
    const Case cases[] = {
        {"Silent", {}, false, false},
        {"SecondMissing", {Reply({0, 80, 0, 0, 0, 0, 100, 0, 0})}, true, false},
        {"FirstTooShort", {Reply({0, 80, 0, 0}), Reply({5, 110, 0, 0, 0, 0, 0, 0, 0})}, false, true},
        {"SecondLength12Then10",
         {Reply({0, 80, 0, 0, 0, 0, 100, 0, 0}),
          [] {
              Bytes b = Reply(Bytes(12, 7));
              const Bytes ok = Reply({5, 110, 0, 0, 0, 0, 0, 0, 0, 1});
              b.insert(b.end(), ok.begin(), ok.end());
              return b;
          }()},
         true, true},
        {"SecondLength8", {Reply({0, 80, 0, 0, 0, 0, 100, 0, 0}), Reply(Bytes(8, 5))}, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedPort port;
        port.onWrite = Answers{c.replies};
        EcuLink link(port);
        TEngineSample s = before;
        const bool answered = AcquireSample(link, s, 3.0f);
        EXPECT_EQ(answered, c.firstChanges || c.secondChanges);
        EXPECT_EQ(s.Time, 3.0f);
        EXPECT_EQ(s.EngineSpeed != before.EngineSpeed, c.firstChanges);
        EXPECT_EQ(s.CoolantTemp != before.CoolantTemp, c.firstChanges);
        EXPECT_EQ(s.VehicleSpeed != before.VehicleSpeed, c.secondChanges);
        EXPECT_EQ(s.FanFlag != before.FanFlag, c.secondChanges);
    }
}

}  // namespace
}  // namespace dp::test
