// The unit's answers on the wire: exact bytes and the time each reaches the PC.

#include <gtest/gtest.h>

#include "ecu/LiveStream.h"
#include "sim/VirtualEcu.h"
#include "support/WireScript.h"

namespace dp::sim::test {
namespace {

using Bytes = std::vector<uint8_t>;

// At 10000 bit/s a byte takes exactly 1000 µs, which keeps the expected times readable.
constexpr int kFastBps = 10000;
constexpr int64_t kB = 1000;
const Bytes kTwoRegisters = {0x5A, 0x00, 0x5A, 0x01, 0xF0};
const Bytes kHandshake = {0xFF, 0xFF, 0xEF};
const Bytes kAllRegisters(dp::kStreamRequest.begin(), dp::kStreamRequest.end());

struct WireCase {
    const char* name;
    EcuOptions options;
    std::vector<TimedWrite> writes;
    const char* expect;
    int bps = kFastBps;
};

EcuOptions Opt(void (*set)(EcuOptions&))
{
    EcuOptions o;
    set(o);
    return o;
}

const WireCase kCases[] = {
    {"handshake", {}, {{0, kHandshake}}, "@4000 10"},
    {"handshake at 9600 bit/s", {}, {{0, kHandshake}}, "@4168 10", 9600},
    // The stop reaches the unit during the second frame, which is finished before CF.
    {"register read, stop mid-frame", {}, {{0, kTwoRegisters}, {10500, {0x30}}},
     "@2000 A5 00 A5 01 FF 02 ?? ?? FF 02 ?? ?? CF"},
    {"stop arriving as a frame would begin cancels it", {}, {{0, kTwoRegisters}, {12000, {0x30}}},
     "@2000 A5 00 A5 01 FF 02 ?? ?? FF 02 ?? ?? CF"},
    {"stop arriving just after a frame began", {}, {{0, kTwoRegisters}, {12001, {0x30}}},
     "@2000 A5 00 A5 01 FF 02 ?? ?? FF 02 ?? ?? FF 02 ?? ?? CF"},
    {"unknown register answered A5 FE and left out", {}, {{0, {0x5A, 0x00, 0x5A, 0x2A, 0xF0}}, {5000, {0x30}}},
     "@2000 A5 00 A5 FE FF 01 ?? CF"},
    {"all eighteen live-data registers in one request", {}, {{0, kAllRegisters}, {50000, {0x30}}},
     "@2000 A5 00 A5 01 A5 04 A5 05 A5 14 A5 15 A5 08 A5 0D A5 0C A5 0B A5 16 A5 17 A5 1C A5 09 A5 1A A5 13 "
     "A5 1E A5 1F FF 12 ?? ?? ?? ?? ?? ?? ?? ?? ?? ?? ?? ?? ?? ?? ?? ?? ?? ?? CF"},
    {"an older unit refuses registers beyond its limit", Opt([](EcuOptions& o) { o.registerLimit = 1; }),
     {{0, kTwoRegisters}, {6000, {0x30}}}, "@2000 A5 00 A5 FE FF 01 ?? CF"},
    {"only unknown registers: no stream", {}, {{0, {0x5A, 0x2A, 0xF0}}}, "@2000 A5 FE"},
    {"fault codes", {}, {{0, {0xD1, 0xF0}}, {6000, {0x30}}}, "@2000 2E FF 06 21 03 34 0C 45 07 CF"},
    {"cleared codes read as 55 00", {}, {{0, {0xC1, 0xF0, 0x30}}, {10000, {0xD1, 0xF0}}, {15000, {0x30}}},
     "@2000 3E @4000 CF @12000 2E FF 02 55 00 CF"},
    {"active test echoed, nothing streamed", {}, {{0, {0x0A, 0x80, 0x32, 0xF0}}}, "@2000 F5 80 32"},
    {"lone stop answered CF", {}, {{0, {0x30}}}, "@2000 CF"},
    {"unknown command bytes ignored", {}, {{0, {0x12, 0x34}}, {5000, kHandshake}}, "@9000 10"},
    {"silent unit", Opt([](EcuOptions& o) { o.silent = true; }),
     {{0, kHandshake}, {10000, kTwoRegisters}, {20000, {0x30}}}, ""},
    {"slow handshake", Opt([](EcuOptions& o) { o.slowUs = 5000; }), {{0, kHandshake}}, "@9000 10"},
    {"slow register read", Opt([](EcuOptions& o) { o.slowUs = 5000; }), {{0, kTwoRegisters}, {11000, {0x30}}},
     "@7000 A5 00 A5 01 FF 02 ?? ?? @18000 CF"},
    {"garbage between frames", Opt([](EcuOptions& o) { o.garbage = true; }),
     {{0, kTwoRegisters}, {12000, {0x30}}}, "@2000 A5 00 A5 01 FF 02 ?? ?? ~~ FF 02 ?? ?? CF"},
    {"frames three bytes too long", Opt([](EcuOptions& o) { o.wrongLength = 3; }),
     {{0, kTwoRegisters}, {5000, {0x30}}}, "@2000 A5 00 A5 01 FF 05 ?? ?? 00 00 00 CF"},
    {"frames one byte short", Opt([](EcuOptions& o) { o.wrongLength = -1; }),
     {{0, kTwoRegisters}, {5000, {0x30}}}, "@2000 A5 00 A5 01 FF 01 ?? CF"},
    {"0xFF inside register data", Opt([](EcuOptions& o) { o.ffInData = true; }),
     {{0, kTwoRegisters}, {5000, {0x30}}}, "@2000 A5 00 A5 01 FF 02 FF ?? CF"},
    {"0xFF inside fault data", Opt([](EcuOptions& o) { o.ffInData = true; }),
     {{0, {0xD1, 0xF0}}, {6000, {0x30}}}, "@2000 2E FF 06 FF 03 34 0C 45 07 CF"},
    {"vanishes after one frame", Opt([](EcuOptions& o) { o.vanishAfterFrames = 1; }),
     {{0, kTwoRegisters}, {20000, {0x30}}, {30000, kHandshake}}, "@2000 A5 00 A5 01 FF 02 ?? ??"},
    {"vanishes before any frame", Opt([](EcuOptions& o) { o.vanishAfterFrames = 0; }),
     {{0, kTwoRegisters}, {20000, {0x30}}}, "@2000 A5 00 A5 01"},
};

void PrintTo(const WireCase& c, std::ostream* os) { *os << c.name; }

class WireExchange : public ::testing::TestWithParam<WireCase> {};

TEST_P(WireExchange, BytesAndTimes)
{
    const WireCase& c = GetParam();
    VirtualEcu ecu(c.options);
    ecu.setBitRate(c.bps);
    const auto got = RunScript(ecu, c.writes, 60'000);
    EXPECT_EQ(MatchPattern(got, c.expect, ecu.byteTimeUs()), "") << Describe(got);
}

INSTANTIATE_TEST_SUITE_P(Cases, WireExchange, ::testing::ValuesIn(kCases), [](const auto& info) {
    std::string n = info.param.name;
    for (char& ch : n)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    return n;
});

// Frames carry the engine as it is when each frame starts, not a copy taken at the request.
TEST(VirtualEcuStream, FramesCarryFreshValues)
{
    VirtualEcu ecu;
    ecu.setBitRate(kFastBps);
    const auto got = RunScript(ecu, {{0, {0x5A, 0x08, 0xF0}}}, 400'000'000);  // coolant, 400 s
    ASSERT_GT(got.size(), 1000u);
    ASSERT_EQ(got[2].byte, 0xFF);
    const uint8_t first = got[4].byte;  // A5 08, then FF 01 value
    std::size_t k = got.size() - 3;
    while (got[k].byte != 0xFF) --k;  // the coolant byte is never 0xFF
    EXPECT_GT(got[k + 2].byte, first + 30) << "the coolant should have warmed while streaming";
}

// A long unread stream costs only the frames up to the time asked, and nothing more
// is produced once the unit has been stopped.
TEST(VirtualEcuStream, QuietAfterStopWhateverTheTime)
{
    VirtualEcu ecu;
    ecu.setBitRate(kFastBps);
    const Bytes req = {0x5A, 0x00, 0xF0};
    ecu.receive(req.data(), req.size(), 0);
    std::vector<uint8_t> out;
    ecu.collect(1'000'000, out);
    EXPECT_GT(out.size(), 900u);
    const uint8_t stop = 0x30;
    ecu.receive(&stop, 1, 1'000'000);
    out.clear();
    ecu.collect(2'000'000, out);
    ASSERT_FALSE(out.empty());
    EXPECT_EQ(out.back(), 0xCF);
    EXPECT_LE(out.size(), 5u);
    EXPECT_FALSE(ecu.nextArrivalUs().has_value());
}

// Faults switched while the unit runs: a vanished unit comes back answering, the
// vanishing count starts again at the switch, and a silenced unit hears nothing.
TEST(VirtualEcuOptions, FaultsSwitchOnAndOffWhileRunning)
{
    VirtualEcu ecu({.vanishAfterFrames = 1});
    ecu.setBitRate(kFastBps);
    const auto vanished = RunScript(ecu, {{0, kHandshake}, {10000, kTwoRegisters}, {30000, {0x30}}}, 50000);
    EXPECT_EQ(MatchPattern(vanished, "@4000 10 @12000 A5 00 A5 01 FF 02 ?? ??", kB), "") << Describe(vanished);

    ecu.setOptions({.vanishAfterFrames = 2});
    const auto back = RunScript(ecu, {{60000, kTwoRegisters}, {90000, {0x30}}}, 120000);
    EXPECT_EQ(MatchPattern(back, "@62000 A5 00 A5 01 FF 02 ?? ?? FF 02 ?? ??", kB), "") << Describe(back);

    ecu.setOptions({.silent = true});
    EXPECT_TRUE(RunScript(ecu, {{130000, kHandshake}}, 150000).empty());
    ecu.setOptions({});
    const auto healthy = RunScript(ecu, {{160000, kHandshake}}, 180000);
    EXPECT_EQ(MatchPattern(healthy, "@164000 10", kB), "") << Describe(healthy);
}

TEST(VirtualEcuInput, NullOrEmptyWritesChangeNothing)
{
    VirtualEcu ecu;
    ecu.receive(nullptr, 5, 0);
    ecu.receive(kHandshake.data(), 0, 0);
    EXPECT_FALSE(ecu.nextArrivalUs().has_value());
    ecu.setBitRate(0);
    ecu.setBitRate(-5);
    EXPECT_EQ(ecu.bitRate(), 9600);
}

}  // namespace
}  // namespace dp::sim::test
