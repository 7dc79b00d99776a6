// The stream mode's real code against the virtual ECU on a manual clock: starting,
// following the stream tick by tick, stopping, and the units that refuse it.

#include <gtest/gtest.h>

#include "ecu/LiveData.h"
#include "ecu/LiveStream.h"
#include "ecu/SampleSource.h"
#include "sim/SimClock.h"
#include "sim/SimPort.h"
#include "sim/VirtualEcu.h"
#include "support/RecordingPort.h"
#include "support/ScriptedPort.h"

namespace dp::test {
namespace {

constexpr int64_t kFrameUs = 20 * 1042;  // eighteen registers at 9600 bit/s

class StreamOnVirtualEcu : public testing::Test {
protected:
    explicit StreamOnVirtualEcu(sim::EcuOptions options = {}) : ecu(options), port(ecu, clock), recorder(port)
    {
        port.open();
        EXPECT_TRUE(link.EcuInit());
        clock.advanceUs(60'000'000);  // running, so readings move slowly between frames
        recorder.writes.clear();
    }
    // The sample against what the unit reads now, to the registers' resolution and the
    // drift of a frame or two.
    void ExpectMatchesEngine(const TEngineSample& s)
    {
        ecu.engine().advance(clock.nowUs());
        const sim::EngineReadings r = ecu.engine().readings();
        EXPECT_NEAR(s.CoolantTemp, r.coolantC, 1.0);
        EXPECT_NEAR(s.Battery, r.batteryV, 0.5);
        EXPECT_NEAR(s.IdleValve, r.idleValvePct, 3.0);
        EXPECT_NEAR(s.AirFuelLearnt, r.airFuelLearnt, 1.0);
        EXPECT_GT(s.EngineSpeed, 400);
        EXPECT_LT(s.EngineSpeed, 3000);
    }
    bool Wrote(const Bytes& bytes) const
    {
        return std::find(recorder.writes.begin(), recorder.writes.end(), bytes) != recorder.writes.end();
    }

    sim::ManualClock clock;
    sim::VirtualEcu ecu;
    sim::SimPort port;
    RecordingPort recorder;
    EcuLink link{recorder};
    LiveStream stream{link};
};

TEST_F(StreamOnVirtualEcu, OneRequestOfAllRegistersThenEveryTickDecodesTheNewestFrame)
{
    ASSERT_EQ(stream.Start(9600), StreamStart::Running);
    EXPECT_EQ(recorder.writes, (std::vector<Bytes>{Bytes(kStreamRequest.begin(), kStreamRequest.end())}));
    EXPECT_TRUE(ecu.streaming());
    // The request, its echo and one frame confirmed by the next one's start.
    EXPECT_LT(clock.nowUs() - 60'000'000, 70'000);

    TEngineSample s;
    for (int tick = 0; tick < 20; ++tick) {
        clock.advanceUs(50'000);
        ASSERT_TRUE(stream.Poll(s)) << "tick " << tick;
        ExpectMatchesEngine(s);
    }
    EXPECT_EQ(recorder.writes.size(), 1u);  // nothing more is asked for
    EXPECT_EQ(stream.frames().resyncs(), 0);
}

TEST_F(StreamOnVirtualEcu, EveryFrameOnTheLineIsParsed)
{
    ASSERT_EQ(stream.Start(9600), StreamStart::Running);
    const int64_t start = clock.nowUs();
    TEngineSample s;
    for (int tick = 0; tick < 200; ++tick) {  // ten seconds at 20 ticks a second
        clock.advanceUs(50'000);
        stream.Poll(s);
    }
    const long onLine = long((clock.nowUs() - start) / kFrameUs);
    EXPECT_GE(stream.frames().framesFound(), onLine - 1);
    EXPECT_EQ(stream.frames().resyncs(), 0);
}

TEST_F(StreamOnVirtualEcu, ATickWithoutANewFrameKeepsTheValues)
{
    ASSERT_EQ(stream.Start(9600), StreamStart::Running);
    TEngineSample s;
    clock.advanceUs(50'000);
    ASSERT_TRUE(stream.Poll(s));
    const TEngineSample before = s;
    EXPECT_FALSE(stream.Poll(s));  // no time has passed
    EXPECT_EQ(s, before);
}

TEST_F(StreamOnVirtualEcu, BytesLostWhileTheWindowWasBusyDoNotShiftTheDecoding)
{
    ASSERT_EQ(stream.Start(9600), StreamStart::Running);
    TEngineSample s;
    clock.advanceUs(3'000'000);  // the input buffer overflows: a run of frames is lost
    ASSERT_TRUE(stream.Poll(s));
    for (int tick = 0; tick < 10; ++tick) {
        clock.advanceUs(50'000);
        ASSERT_TRUE(stream.Poll(s)) << "tick " << tick;
        ExpectMatchesEngine(s);
    }
    EXPECT_GE(stream.frames().resyncs(), 1);
}

TEST_F(StreamOnVirtualEcu, StopEndsTheStreamSoTheNextCommandGetsItsOwnReply)
{
    ASSERT_EQ(stream.Start(9600), StreamStart::Running);
    TEngineSample s;
    clock.advanceUs(1'000'000);
    stream.Poll(s);
    clock.advanceUs(7'000);  // in the middle of a frame
    const int64_t before = clock.nowUs();
    stream.Stop();
    EXPECT_FALSE(stream.running());
    EXPECT_FALSE(ecu.streaming());
    EXPECT_EQ(recorder.writes.back(), Bytes{0x30});
    // The frame under way and the end mark, not the quiet limit.
    EXPECT_LT(clock.nowUs() - before, kFrameUs + 5'000);

    TEngineSample exchanged;
    AcquireSample(link, exchanged, 1.0f);
    ExpectMatchesEngine(exchanged);
    const std::size_t writes = recorder.writes.size();
    stream.Stop();  // a second stop sends nothing
    EXPECT_EQ(recorder.writes.size(), writes);
}

struct Refusal {
    const char* name;
    sim::EcuOptions options;
};

void PrintTo(const Refusal& r, std::ostream* os) { *os << r.name; }

class RefusingUnit : public StreamOnVirtualEcu, public testing::WithParamInterface<Refusal> {
protected:
    RefusingUnit() : StreamOnVirtualEcu(GetParam().options) {}
};

TEST_P(RefusingUnit, StartFailsWithinAFewFrameTimesAndLeavesTheUnitQuiet)
{
    const int64_t before = clock.nowUs();
    EXPECT_EQ(stream.Start(9600), StreamStart::Refused);
    EXPECT_FALSE(stream.running());
    EXPECT_FALSE(ecu.streaming());
    EXPECT_TRUE(Wrote({0x30}));
    EXPECT_LT(clock.nowUs() - before, 300'000);
}

INSTANTIATE_TEST_SUITE_P(
    Units, RefusingUnit,
    testing::Values(Refusal{"InvalidRegisterEcho", sim::EcuOptions{.registerLimit = 9}},
                    Refusal{"NoFrameAfterTheRequest", sim::EcuOptions{.vanishAfterFrames = 0}},
                    Refusal{"TooSlowToStream", sim::EcuOptions{.slowUs = 150'000}},
                    Refusal{"StrayBytesBetweenFrames", sim::EcuOptions{.garbage = true}}),
    [](const testing::TestParamInfo<Refusal>& info) { return std::string(info.param.name); });

TEST_F(StreamOnVirtualEcu, AUnitThatSaysNothingIsSilentNotRefusing)
{
    ecu.setOptions(sim::EcuOptions{.silent = true});
    const int64_t before = clock.nowUs();
    EXPECT_EQ(stream.Start(9600), StreamStart::Silent);
    EXPECT_FALSE(stream.running());
    EXPECT_LT(clock.nowUs() - before, 300'000);
}

TEST_F(StreamOnVirtualEcu, AZeroByteInsideDataIsNoFrameStart)
{
    // Every frame carries 0xFF as its first data byte.
    sim::VirtualEcu unit(sim::EcuOptions{.ffInData = true}, clock.nowUs());
    sim::SimPort other(unit, clock);
    other.open();
    EcuLink otherLink(other);
    ASSERT_TRUE(otherLink.EcuInit());
    LiveStream s2(otherLink);
    ASSERT_EQ(s2.Start(9600), StreamStart::Running);
    TEngineSample s;
    for (int tick = 0; tick < 20; ++tick) {
        clock.advanceUs(50'000);
        ASSERT_TRUE(s2.Poll(s));
        EXPECT_GE(s.EngineSpeed, 255 * 256 * 12.5);  // p1 is that 0xFF
    }
    EXPECT_EQ(s2.frames().resyncs(), 0);
}

class SourceOnVirtualEcu : public StreamOnVirtualEcu {
protected:
    SourceOnVirtualEcu(sim::EcuOptions options = {}) : StreamOnVirtualEcu(options) {}
    SampleSource source{link};
    const Bytes streamRequest{kStreamRequest.begin(), kStreamRequest.end()};
};

TEST_F(SourceOnVirtualEcu, StreamWhenWantedPausedForOtherCommandsAndResumedByTheTick)
{
    source.Connect(true, 9600);
    TEngineSample s;
    source.Acquire(s, 1.5f);
    EXPECT_EQ(s.Time, 1.5f);
    EXPECT_TRUE(source.streaming());
    clock.advanceUs(50'000);
    source.Acquire(s, 1.55f);
    ExpectMatchesEngine(s);

    source.Pause();
    EXPECT_FALSE(ecu.streaming());
    recorder.writes.clear();
    clock.advanceUs(50'000);
    source.Acquire(s, 1.6f);
    EXPECT_EQ(recorder.writes.front(), streamRequest);
    EXPECT_TRUE(source.streaming());
    source.Pause();
}

TEST_F(SourceOnVirtualEcu, WithoutTheWishTheTwoExchangesAsEver)
{
    source.Connect(false, 9600);
    TEngineSample s;
    source.Acquire(s, 2.0f);
    const Bytes first(kFirstRequest.begin(), kFirstRequest.end());
    const Bytes second(kSecondRequest.begin(), kSecondRequest.end());
    EXPECT_EQ(recorder.writes, (std::vector<Bytes>{first, {0x30}, second, {0x30}}));
    EXPECT_FALSE(source.streaming());
    ExpectMatchesEngine(s);
}

class SourceOnOlderUnit : public SourceOnVirtualEcu {
protected:
    SourceOnOlderUnit() : SourceOnVirtualEcu(sim::EcuOptions{.registerLimit = 9}) {}
};

TEST_F(SourceOnOlderUnit, RefusalFallsBackToExchangesInTheSameTickUntilTheNextConnection)
{
    source.Connect(true, 9600);
    TEngineSample s;
    source.Acquire(s, 3.0f);
    EXPECT_TRUE(source.refused());
    ExpectMatchesEngine(s);  // from the exchanges that followed at once
    recorder.writes.clear();
    source.Acquire(s, 3.1f);
    EXPECT_EQ(recorder.writes.size(), 4u);  // two requests and their stops, no new stream request
    EXPECT_EQ(recorder.writes.front(), Bytes(kFirstRequest.begin(), kFirstRequest.end()));

    source.Connect(true, 9600);
    EXPECT_FALSE(source.refused());
}

// The unit loses power in the middle of a stream and comes back idle: the source
// keeps the stream mode, holds no tick long while the unit is gone, and has the
// stream going again within the quiet limit of its return.
TEST_F(SourceOnVirtualEcu, StreamIsAskedForAgainWhenTheUnitComesBack)
{
    ecu.setOptions(sim::EcuOptions{.vanishAfterFrames = 30});
    source.Connect(true, 9600);
    TEngineSample s;
    float t = 10.0f;
    int64_t longestTickUs = 0;
    auto tick = [&] {
        clock.advanceUs(50'000);
        t += 0.05f;
        const int64_t before = clock.nowUs();
        const bool answered = source.Acquire(s, t);
        longestTickUs = std::max(longestTickUs, clock.nowUs() - before);
        return answered;
    };
    int answered = 0;
    for (int k = 0; k < 20; ++k) answered += tick();
    EXPECT_GE(answered, 10);

    recorder.writes.clear();
    for (int k = 0; k < 200; ++k) ASSERT_FALSE(tick()) << "tick " << k << ", the unit is gone";
    EXPECT_FALSE(source.refused());
    EXPECT_FALSE(Wrote(Bytes(kFirstRequest.begin(), kFirstRequest.end())));  // no exchanges meanwhile
    EXPECT_TRUE(Wrote(streamRequest));                                        // but asked again
    EXPECT_LT(recorder.writes.size(), 20u);                                  // now and then
    EXPECT_LT(longestTickUs, 400'000);

    ecu.setOptions(sim::EcuOptions{});  // back, idle, as after a power cycle
    int ticksToComeBack = 0;
    while (!tick() && ticksToComeBack < 200) ++ticksToComeBack;
    EXPECT_LE(ticksToComeBack * 0.05, SampleSource::kQuietSeconds + 0.1);
    EXPECT_TRUE(source.streaming());
    ExpectMatchesEngine(s);
    source.Pause();
}

}  // namespace
}  // namespace dp::test
