// The in-process port: timing through the clock, closed-port errors, and the program's
// own link operations running against the virtual unit.

#include <gtest/gtest.h>

#include <functional>

#include "ecu/EcuLink.h"
#include "ecu/LiveData.h"
#include "sim/SimPort.h"

namespace dp::sim {
namespace {

const uint8_t kHandshake[] = {0xFF, 0xFF, 0xEF};

struct Rig {
    ManualClock clock{1'000'000};
    VirtualEcu ecu{{}, clock.nowUs()};
    SimPort port{ecu, clock};
};

TEST(SimPort, ClosedPortRefusesReadsAndWrites)
{
    const std::vector<std::pair<const char*, std::function<void(SimPort&)>>> ops = {
        {"write", [](SimPort& p) { p.write(kHandshake, 3); }},
        {"readByte", [](SimPort& p) { uint8_t b; p.readByte(b); }},
        {"inputCount", [](SimPort& p) { p.inputCount(); }},
        {"waitForInput", [](SimPort& p) { p.waitForInput(5); }},
    };
    for (const auto& [name, op] : ops) {
        Rig r;
        try {
            op(r.port);
            ADD_FAILURE() << name << " did not throw";
        } catch (const SerialError& e) {
            EXPECT_STREQ(e.what(), "Port Not Open") << name;
        }
    }
}

TEST(SimPort, HandshakeAnswerArrivesAfterFourByteTimes)
{
    const struct {
        int code;
        int64_t answerUs;
    } cases[] = {{7, 4 * 1042}, {9, 4 * 521}, {0, 4 * 1042}, {99, 4 * 1042}, {15, 4 * 39}};
    for (const auto& c : cases) {
        Rig r;
        r.port.setBaudIndex(c.code);
        r.port.open();
        const int64_t t0 = r.clock.nowUs();
        EXPECT_EQ(r.port.write(kHandshake, 3), 3);
        EXPECT_EQ(r.port.inputCount(), 0);
        EXPECT_TRUE(r.port.waitForInput(100)) << c.code;
        EXPECT_EQ(r.clock.nowUs() - t0, c.answerUs) << c.code;
        uint8_t b = 0;
        ASSERT_TRUE(r.port.readByte(b));
        EXPECT_EQ(b, 0x10);
        EXPECT_FALSE(r.port.readByte(b));
    }
}

TEST(SimPort, WaitWithNothingComingSleepsTheWholeTime)
{
    Rig r;
    r.port.open();
    const int64_t t0 = r.clock.nowUs();
    EXPECT_FALSE(r.port.waitForInput(7));
    EXPECT_EQ(r.clock.nowUs() - t0, 7000);
    EXPECT_FALSE(r.port.waitForInput(-3));
    EXPECT_EQ(r.clock.nowUs() - t0, 7000);
}

TEST(SimPort, AnswersArrivingWhileClosedAreLost)
{
    Rig r;
    r.port.open();
    r.port.write(kHandshake, 3);
    r.port.close();
    r.clock.advanceUs(100'000);
    r.port.open();
    EXPECT_EQ(r.port.inputCount(), 0);
    r.port.setPortName("OTHER");  // reopened under the new name, still open
    EXPECT_TRUE(r.port.isOpen());
}

TEST(SimPort, UnreadStreamFillsTheInputBufferOnly)
{
    Rig r;
    r.port.open();
    const uint8_t req[] = {0x5A, 0x00, 0xF0};
    r.port.write(req, 3);
    r.clock.advanceUs(10'000'000);
    EXPECT_EQ(r.port.inputCount(), int(SimPort::kInputBufferBytes));
}

TEST(SimPort, ProgramLinkReadsLiveDataAndFaultCodes)
{
    Rig r;
    r.clock.advanceUs(400'000'000);  // warm, idling
    r.port.open();
    EcuLink link(r.port);
    ASSERT_TRUE(link.EcuInit());

    TEngineSample s;
    AcquireSample(link, s, 1.5f);
    EXPECT_FLOAT_EQ(s.Time, 1.5f);
    EXPECT_GT(s.EngineSpeed, 500);
    EXPECT_LT(s.EngineSpeed, 5000);
    EXPECT_GT(s.CoolantTemp, 70);
    EXPECT_GT(s.Battery, 13);
    EXPECT_EQ(s.VehicleSpeed, 0);
    EXPECT_EQ(s.NeutralFlag, 100);
    EXPECT_EQ(s.FuelPumpFlag, 100);
    EXPECT_GT(s.AirFuel, 80);

    r.clock.advanceUs(100'000);
    link.DrainInput();
    link.SendCommand({0xD1, 0xF0});
    link.AwaitInput();
    ASSERT_TRUE(link.ReadReplyFrame());
    link.SendStop();
    EXPECT_EQ(link.FrameLength(), 6);
    EXPECT_EQ(link.Payload(1), 0x21);
    EXPECT_EQ(link.Payload(2), 3);
    EXPECT_EQ(link.Payload(3), 0x34);
    EXPECT_EQ(link.Payload(4), 12);
}

}  // namespace
}  // namespace dp::sim
