// The engine behind the registers looks like a real car and decodes, through the
// program's own decoding, to the readings the model holds.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "ecu/LiveData.h"
#include "sim/EngineModel.h"

namespace dp::sim {
namespace {

constexpr int64_t kS = 1'000'000;
const uint8_t kFirst[9] = {0x00, 0x01, 0x04, 0x05, 0x14, 0x15, 0x08, 0x0D, 0x0C};
const uint8_t kSecond[9] = {0x0B, 0x16, 0x17, 0x1C, 0x09, 0x1A, 0x13, 0x1E, 0x1F};

TEngineSample Decode(const EngineModel& m)
{
    uint8_t p1[9], p2[9];
    for (int i = 0; i < 9; ++i) {
        p1[i] = m.registerValue(kFirst[i]);
        p2[i] = m.registerValue(kSecond[i]);
    }
    TEngineSample s;
    DecodeFirstReply(p1, s);
    DecodeSecondReply(p2, s);
    return s;
}

// One sample every stepS seconds over [fromS, toS).
std::vector<TEngineSample> Drive(EngineModel& m, double fromS, double toS, double stepS)
{
    std::vector<TEngineSample> out;
    for (double t = fromS; t < toS; t += stepS) {
        m.advance(int64_t(t * kS));
        out.push_back(Decode(m));
    }
    return out;
}

TEST(EngineModel, ColdStartWarmsUpTowardsNinety)
{
    EngineModel m(7);
    const auto s = Drive(m, 0, 600, 1);
    EXPECT_GE(s.front().CoolantTemp, 10);
    EXPECT_LE(s.front().CoolantTemp, 20);
    EXPECT_LT(s[60].CoolantTemp, 60) << "warming takes minutes, not seconds";
    EXPECT_GE(s[300].CoolantTemp, 80);
    for (const auto& x : s) EXPECT_LE(x.CoolantTemp, 97);
    for (std::size_t i = 1; i < 240; ++i) EXPECT_GE(s[i].CoolantTemp, s[i - 1].CoolantTemp) << i;
}

TEST(EngineModel, StartsWithCrankingThenIdlesNearSevenFifty)
{
    EngineModel m(3);
    m.advance(kS / 2);
    EXPECT_EQ(Decode(m).StartFlag, 100);
    EXPECT_EQ(Decode(m).FuelPumpFlag, 100);
    const auto s = Drive(m, 400, 460, 0.1);
    double sum = 0;
    int n = 0;
    for (const auto& x : s) {
        EXPECT_EQ(x.StartFlag, 0);
        EXPECT_EQ(x.FuelPumpFlag, 100);
        EXPECT_GT(x.Battery, 13.5);
        EXPECT_LT(x.Battery, 14.6);
        if (x.ThrottleSensor < 0.5f) {
            sum += x.EngineSpeed;
            ++n;
        }
    }
    ASSERT_GT(n, 100);
    EXPECT_NEAR(sum / n, 750, 50);
}

TEST(EngineModel, ThrottleBlipsMoveSpeedAirInjectionAndAdvanceTogether)
{
    EngineModel m(11);
    const auto s = Drive(m, 300, 420, 0.05);
    TEngineSample open{}, closed{};
    int nOpen = 0, nClosed = 0;
    for (const auto& x : s) {
        TEngineSample& acc = x.ThrottleSensor > 1.5f ? open : closed;
        (x.ThrottleSensor > 1.5f ? nOpen : nClosed)++;
        acc.EngineSpeed += x.EngineSpeed;
        acc.MafSensor += x.MafSensor;
        acc.InjectionTime += x.InjectionTime;
        acc.IgnitionAdvance += x.IgnitionAdvance;
    }
    ASSERT_GT(nOpen, 5) << "two minutes should hold several blips";
    EXPECT_GT(open.EngineSpeed / nOpen, 1.8 * closed.EngineSpeed / nClosed);
    EXPECT_GT(open.MafSensor / nOpen, 1.2 * closed.MafSensor / nClosed);
    EXPECT_GT(open.InjectionTime / nOpen, 1.2 * closed.InjectionTime / nClosed);
    EXPECT_GT(open.IgnitionAdvance / nOpen, closed.IgnitionAdvance / nClosed + 5);
}

TEST(EngineModel, OxygenSensorSwitchesInClosedLoop)
{
    EngineModel m(5);
    const auto s = Drive(m, 300, 320, 0.02);
    int crossings = 0;
    float lo = 9, hi = 0;
    for (std::size_t i = 1; i < s.size(); ++i) {
        crossings += (s[i - 1].O2Sensor < 0.45f) != (s[i].O2Sensor < 0.45f);
        lo = std::min(lo, s[i].O2Sensor);
        hi = std::max(hi, s[i].O2Sensor);
    }
    EXPECT_GE(crossings, 10);
    EXPECT_LE(crossings, 80);
    EXPECT_LT(lo, 0.2f);
    EXPECT_GT(hi, 0.7f);
}

TEST(EngineModel, FanSwitchesOnWhenHotAndOffAgain)
{
    EngineModel m(2);
    bool sawOn = false, sawOffAfterOn = false;
    for (const auto& x : Drive(m, 0, 1800, 1)) {
        if (x.FanFlag) {
            sawOn = true;
            EXPECT_GT(x.CoolantTemp, 85);
        } else if (sawOn) {
            sawOffAfterOn = true;
        }
    }
    EXPECT_TRUE(sawOn);
    EXPECT_TRUE(sawOffAfterOn);
}

TEST(EngineModel, SameSeedSameEngineHoweverSampled)
{
    EngineModel a(42), b(42), c(43);
    bool differs = false;
    for (int64_t t = 0; t < 120 * kS; t += 250'000) {
        for (int64_t u = t - 240'000; u < t; u += 37'000) b.advance(u);  // extra, odd times
        a.advance(t);
        b.advance(t);
        c.advance(t);
        for (int r = 0; r < 0x20; ++r) {
            ASSERT_EQ(a.registerValue(uint8_t(r)), b.registerValue(uint8_t(r))) << "t=" << t << " reg " << r;
            differs |= a.registerValue(uint8_t(r)) != c.registerValue(uint8_t(r));
        }
    }
    EXPECT_TRUE(differs);
}

// Scale mistakes show up here: the program's decoding must give the model's readings back.
TEST(EngineModel, RegistersDecodeToTheReadings)
{
    EngineModel m(9);
    for (int64_t t = 0; t < 400 * kS; t += 730'000) {
        m.advance(t);
        const EngineReadings r = m.readings();
        const TEngineSample s = Decode(m);
        EXPECT_NEAR(s.EngineSpeed, r.rpm, 6.25 + 1e-3);
        EXPECT_NEAR(s.MafSensor, r.mafV, 0.0026);
        EXPECT_NEAR(s.InjectionTime, r.injectionMs, 0.0051);
        EXPECT_NEAR(s.CoolantTemp, r.coolantC, 0.51);
        EXPECT_NEAR(s.ThrottleSensor, r.throttleV, 0.011);
        EXPECT_NEAR(s.Battery, r.batteryV, 0.041);
        EXPECT_NEAR(s.VehicleSpeed, r.vehicleKmh, 1.01);
        EXPECT_NEAR(s.IgnitionAdvance, r.ignitionDeg, 0.51);
        EXPECT_NEAR(s.IdleValve, r.idleValvePct, 0.26);
        EXPECT_NEAR(s.AirFuelLearnt, r.airFuelLearnt, 0.51);
        EXPECT_NEAR(s.O2Sensor, r.o2V, 0.0051);
        EXPECT_NEAR(s.AirFuel, r.airFuel, 0.51);
        EXPECT_EQ(s.StartFlag != 0, r.start);
        EXPECT_EQ(s.FuelPumpFlag != 0, r.fuelPump);
        EXPECT_EQ(s.FanFlag != 0, r.fan);
        EXPECT_EQ(s.SteeringFlag != 0, r.steering);
        EXPECT_EQ(s.NeutralFlag != 0, r.neutral);
        EXPECT_EQ(s.VtcFlag != 0, r.vtc);
        EXPECT_EQ(s.WgFlag != 0, r.wg);
        EXPECT_EQ(s.EgrFlag != 0, r.egr);
        // Plausible for a parked car.
        EXPECT_LE(s.EngineSpeed, 7000);
        EXPECT_LE(s.MafSensor, 5);
        EXPECT_LE(s.InjectionTime, 20);
        EXPECT_LE(s.ThrottleSensor, 4.5);
        EXPECT_GT(s.Battery, 9.5);
        EXPECT_LE(s.Battery, 15);
        EXPECT_GT(s.IgnitionAdvance, -5);
        EXPECT_LT(s.IgnitionAdvance, 50);
        EXPECT_LE(s.O2Sensor, 1.0);
    }
}

TEST(EcuRegisters, OutOfRangeReadingsClampToTheRegister)
{
    EngineReadings r;
    r.rpm = 1e12;
    r.coolantC = -300;
    r.ignitionDeg = -400;  // 110 - (-400) is over 255
    r.o2V = std::nan("");
    EXPECT_EQ(EncodeRegister(r, 0x00), 0xFF);
    EXPECT_EQ(EncodeRegister(r, 0x01), 0xFF);
    EXPECT_EQ(EncodeRegister(r, 0x08), 0x00);
    EXPECT_EQ(EncodeRegister(r, 0x16), 0xFF);
    EXPECT_EQ(EncodeRegister(r, 0x09), 0x00);
    EXPECT_FALSE(HasRegister(0x2A));
    EXPECT_EQ(EncodeRegister(r, 0x2A), 0x00);
}

// A clock that leaps years ahead must not make the model loop for years.
TEST(EngineModel, HugeTimeJumpStaysCheapAndSane)
{
    EngineModel m(1);
    m.advance(int64_t(1) << 60);
    EXPECT_EQ(m.timeUs() % EngineModel::kStepUs, 0);
    EXPECT_GT(m.timeUs(), (int64_t(1) << 60) - EngineModel::kStepUs);
    const TEngineSample s = Decode(m);
    EXPECT_GT(s.EngineSpeed, 500);
    EXPECT_LT(s.EngineSpeed, 5000);
    EXPECT_GT(s.CoolantTemp, 80);
    m.advance(0);  // backwards: ignored
    EXPECT_GT(m.timeUs(), 0);
}

}  // namespace
}  // namespace dp::sim
