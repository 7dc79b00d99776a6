// The fault-code read and the resets through the real link code: against a scripted
// port for exact bytes, and against the virtual ECU for the whole exchange.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>

#include "ecu/FaultCodes.h"
#include "ecu/LiveData.h"
#include "sim/SimClock.h"
#include "sim/SimPort.h"
#include "sim/VirtualEcu.h"
#include "support/ScriptedPort.h"

namespace dp::test {
namespace {

// Formatted independently of the code under test.
QString Line(int code, int starts)
{
    char text[64];
    std::snprintf(text, sizeof text, "Error: %02X from: %d engine start", code, starts);
    return QString::fromLatin1(text);
}

// The report as the memo shows it, readable in a failure message.
std::string Text(const QStringList& lines) { return lines.join(QLatin1Char('\n')).toStdString(); }

// A frame of `pairs` code/count pairs (code i + 1, count 2 i), with one odd byte more
// when asked, and the lines it should give.
std::pair<Bytes, QStringList> LongFrame(int pairs, bool oddByte)
{
    Bytes frame = {0xFF, uint8_t(pairs * 2 + (oddByte ? 1 : 0))};
    QStringList lines;
    for (int i = 0; i < pairs; ++i) {
        frame.push_back(uint8_t(i + 1));
        frame.push_back(uint8_t(2 * i));
        lines << Line(i + 1, 2 * i);
    }
    if (oddByte) frame.push_back(0x21);
    return {frame, lines};
}

struct ReadCase {
    std::string name;
    Bytes waiting;  // already in the input when the button is pressed
    Bytes reply;    // arrives at line pace after the request
    QStringList lines;
};

std::vector<ReadCase> ReadCases()
{
    const auto sixty = LongFrame(60, false);
    const auto full = LongFrame(127, true);
    return {
        {"PairsInFrameOrder", {}, {0xFF, 0x04, 0x21, 0x03, 0x0B, 0x0C}, {Line(0x21, 3), Line(0x0B, 12)}},
        {"BytesBeforeTheFrameSkipped", {}, {0x12, 0x34, 0xFF, 0x02, 0x21, 0x03}, {Line(0x21, 3)}},
        {"OddLastByteNotShown", {}, {0xFF, 0x03, 0x21, 0x03, 0x07}, {Line(0x21, 3)}},
        {"LengthZeroEmpty", {}, {0xFF, 0x00}, {}},
        {"LengthOneEmpty", {}, {0xFF, 0x01, 0x21}, {}},
        {"LowCodeZeroPaddedCountZero", {}, {0xFF, 0x02, 0x05, 0x00}, {QStringLiteral("Error: 05 from: 0 engine start")}},
        {"UpperCaseHexAndLargestCount", {}, {0xFF, 0x04, 0xAB, 0xFF, 0xFF, 0x7F}, {Line(0xAB, 255), Line(0xFF, 127)}},
        {"RepeatedCodesKept", {}, {0xFF, 0x04, 0x21, 0x01, 0x21, 0x01}, {Line(0x21, 1), Line(0x21, 1)}},
        {"NoReplyEmpty", {}, {}, {}},
        {"ReplyCutShortEmpty", {}, {0xFF, 0x06, 0x21, 0x03, 0x0B}, {}},
        {"StaleFrameDrainedFirst", {0xFF, 0x02, 0x99, 0x01}, {0xFF, 0x02, 0x21, 0x03}, {Line(0x21, 3)}},
        {"SixtyPairsAllListed", {}, sixty.first, sixty.second},
        {"LongestFrameAllPairsListed", {}, full.first, full.second},
    };
}

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class FaultCodeRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(FaultCodeRead, ReportLines)
{
    const ReadCase& c = GetParam();
    ScriptedPort port;
    port.arriveNow(c.waiting);
    port.onWrite = [&](ScriptedPort& p, const Bytes& w) {
        if (w == Bytes{0xD1, 0xF0}) p.arrive(p.nowUs + 3000, c.reply, 1040);
    };
    EcuLink link(port);
    EXPECT_EQ(Text(ReadFaultCodes(link)), Text(c.lines));
    // The request in one write, then the stop byte whether or not a frame came.
    EXPECT_EQ(port.writes, (std::vector<Bytes>{{0xD1, 0xF0}, {0x30}}));
    EXPECT_EQ(port.waiting(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Cases, FaultCodeRead, ::testing::ValuesIn(ReadCases()),
                         [](const auto& info) { return info.param.name; });

// A frame whose length byte promises more than it holds lists only the pairs present.
TEST(FaultReportLines, ShortFrameListsWhatItHolds)
{
    const Bytes frame = {0xFF, 0x08, 0x21, 0x03, 0x0B};
    EXPECT_EQ(Text(FaultReportLines(frame)), Text({Line(0x21, 3)}));
    EXPECT_TRUE(FaultReportLines(Bytes{0xFF}).isEmpty());
}

struct ResetCase {
    const char* name;
    std::function<void(EcuLink&)> send;
    Bytes bytes;
};

void PrintTo(const ResetCase& c, std::ostream* os) { *os << c.name; }

class ResetCommand : public ::testing::TestWithParam<ResetCase> {};

TEST_P(ResetCommand, OneWriteAndNothingRead)
{
    const ResetCase& c = GetParam();
    ScriptedPort port;
    port.arriveNow({0x2E, 0xFF});  // left over from before: not drained
    EcuLink link(port);
    c.send(link);
    EXPECT_EQ(port.writes, std::vector<Bytes>{c.bytes});
    EXPECT_EQ(port.readCalls, 0);
    EXPECT_EQ(port.waiting(), 2u);
}

INSTANTIATE_TEST_SUITE_P(Cases, ResetCommand,
                         ::testing::Values(ResetCase{"ClearCodes", ClearFaultCodes, {0xC1, 0xF0, 0x30}},
                                           ResetCase{"SelfLearning", ResetSelfLearning, {0x0A, 0x8B, 0x00, 0xF0}}),
                         [](const auto& info) { return std::string(info.param.name); });

// The whole exchange against the virtual ECU on a manual clock.
class FaultCodesOnVirtualEcu : public ::testing::Test {
protected:
    explicit FaultCodesOnVirtualEcu(sim::EcuOptions options = {}) : ecu(std::move(options)), port(ecu, clock)
    {
        port.open();
    }
    sim::ManualClock clock;
    sim::VirtualEcu ecu;
    sim::SimPort port;
    EcuLink link{port};
};

class ManyStoredCodes : public FaultCodesOnVirtualEcu {
protected:
    static sim::EcuOptions Sixty()
    {
        sim::EcuOptions o;
        o.faults.clear();
        for (int i = 0; i < 60; ++i) o.faults.push_back({uint8_t(i + 1), uint8_t(2 * i)});
        return o;
    }
    ManyStoredCodes() : FaultCodesOnVirtualEcu(Sixty()) {}
};

TEST_F(ManyStoredCodes, ReadClearAndReadNoMalfunction)
{
    ASSERT_TRUE(link.EcuInit());
    clock.advanceUs(5'000'000);
    EXPECT_EQ(Text(ReadFaultCodes(link)), Text(LongFrame(60, false).second));

    // The fault stream was stopped: live data reads normally right after.
    TEngineSample s;
    s.Battery = -1;
    AcquireSample(link, s, 5.0f);
    EXPECT_GT(s.Battery, 9);

    ClearFaultCodes(link);
    EXPECT_EQ(Text(ReadFaultCodes(link)), "Error: 55 from: 0 engine start");
}

// The reset puts the learnt mixture back to neutral; closed-loop control then learns
// the engine's own error again over the following minutes.
TEST_F(FaultCodesOnVirtualEcu, SelfLearningResetThenRelearning)
{
    ASSERT_TRUE(link.EcuInit());
    TEngineSample s;
    clock.advanceUs(300'000'000);  // warm, long in closed loop
    AcquireSample(link, s, 300);
    const float learnt = s.AirFuelLearnt;
    ASSERT_GT(std::abs(learnt - 100), 2) << "the engine should have something to learn";

    ResetSelfLearning(link);
    AcquireSample(link, s, 300);
    EXPECT_EQ(s.AirFuelLearnt, 100);

    clock.advanceUs(30'000'000);
    AcquireSample(link, s, 330);
    EXPECT_GT(std::abs(s.AirFuelLearnt - 100), 0.5f) << "learning again";
    EXPECT_GT(std::abs(s.AirFuelLearnt - learnt), 0.5f) << "not yet back";

    clock.advanceUs(300'000'000);
    AcquireSample(link, s, 630);
    EXPECT_LE(std::abs(s.AirFuelLearnt - learnt), 1.0f) << "back where it was";
}

}  // namespace
}  // namespace dp::test
