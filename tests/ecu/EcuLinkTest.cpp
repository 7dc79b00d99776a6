#include <gtest/gtest.h>

#include "ecu/EcuLink.h"
#include "support/ScriptedPort.h"

namespace dp::test {
namespace {

Bytes Frame(const EcuLink& link)
{
    return Bytes(link.FrameBuffer.begin(), link.FrameBuffer.begin() + link.FrameBuffer[1] + 2);
}

struct FrameCase {
    const char* name;
    Bytes incoming;
    int byteUs;  // spacing of arrivals; 0 = all waiting already
    int minLength, maxLength;
    bool complete;
    Bytes frame;
};

class ReadReplyFrameTest : public ::testing::TestWithParam<FrameCase> {};

TEST_P(ReadReplyFrameTest, CollectsTheFrame)
{
    const FrameCase& c = GetParam();
    ScriptedPort port;
    port.arrive(0, c.incoming, c.byteUs);
    EcuLink link(port);
    EXPECT_EQ(link.ReadReplyFrame(c.minLength, c.maxLength), c.complete);
    if (c.complete) {
        EXPECT_EQ(Frame(link), c.frame);
    }
}

Bytes Long(uint8_t length)
{
    Bytes b = {0xFF, length};
    for (int i = 0; i < length; ++i) b.push_back(uint8_t(i));
    return b;
}

INSTANTIATE_TEST_SUITE_P(
    Link, ReadReplyFrameTest,
    ::testing::Values(
        FrameCase{"StrayBytesSkipped", {0x12, 0x34, 0xA5, 0xFF, 0x02, 0x21, 0x03}, 0, 0, 255, true, {0xFF, 0x02, 0x21, 0x03}},
        FrameCase{"FfInsidePayloadKept", {0xFF, 0x03, 0xFF, 0x07, 0xFF}, 0, 0, 255, true, {0xFF, 0x03, 0xFF, 0x07, 0xFF}},
        FrameCase{"UnacceptedLengthDropped",
                  {0xFF, 0x0C, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 0xFF, 0x09, 1, 2, 3, 4, 5, 6, 7, 8, 9},
                  0, 9, 11, true, {0xFF, 0x09, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        FrameCase{"LengthEightRefused", {0xFF, 0x08, 1, 2, 3, 4, 5, 6, 7, 8}, 0, 9, 11, false, {}},
        FrameCase{"LengthZero", {0xFF, 0x00, 0x55}, 0, 0, 255, true, {0xFF, 0x00}},
        FrameCase{"Length255", Long(255), 0, 0, 255, true, Long(255)},
        FrameCase{"TrickleAtLineSpeed", {0xA5, 0x00, 0xFF, 0x02, 0x10, 0x20}, 1040, 0, 255, true, {0xFF, 0x02, 0x10, 0x20}},
        FrameCase{"LastBytesNeverCome", {0xFF, 0x05, 1, 2}, 0, 0, 255, false, {}},
        FrameCase{"Silence", {}, 0, 0, 255, false, {}}),
    [](const auto& info) { return info.param.name; });

TEST(EcuLink, SilentFrameReadMakesItsAttemptsAndStopsWaiting)
{
    ScriptedPort port;
    EcuLink link(port);
    EXPECT_FALSE(link.ReadReplyFrame());
    EXPECT_EQ(port.readCalls, EcuLink::kFrameAttempts);
    EXPECT_EQ(port.waitedUs, EcuLink::kSilenceLimitMs * 1000);
}

// A unit streaming 12-byte frames where 9 to 11 are accepted, at 9600 bit/s: the read
// gives up after a few frames' time instead of reading the stream for every attempt.
TEST(EcuLink, StreamOfRefusedLengthsIsGivenUpAfterAFewFrames)
{
    ScriptedPort port;
    Bytes stream;
    for (int k = 0; k < 100; ++k) {
        const Bytes frame = {0xFF, 0x0C, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
        stream.insert(stream.end(), frame.begin(), frame.end());
    }
    port.arrive(0, stream, 1040);
    EcuLink link(port);
    EXPECT_FALSE(link.ReadReplyFrame(9, 11));
    EXPECT_LE(port.nowUs, int64_t(EcuLink::kMaxRefusedFrames) * 14 * 1040);
    EXPECT_GE(port.nowUs, int64_t(EcuLink::kMaxRefusedFrames - 1) * 14 * 1040);  // not before they came
}

TEST(EcuLink, FrameAfterAPauseStillCompletes)
{
    ScriptedPort port;
    port.arrive(150'000, {0xFF, 0x01, 0x42});  // a slow unit, within the silence limit
    EcuLink link(port);
    ASSERT_TRUE(link.ReadReplyFrame());
    EXPECT_EQ(link.Payload(1), 0x42);
}

TEST(EcuLink, HandshakeAnsweredAfterTheWrite)
{
    ScriptedPort port;
    port.onWrite = [](ScriptedPort& p, const Bytes& w) {
        if (w == Bytes{0xFF, 0xFF, 0xEF}) p.arrive(p.nowUs + 4000, {0x10});
    };
    EcuLink link(port);
    EXPECT_TRUE(link.EcuInit());
    EXPECT_EQ(port.writes.size(), 1u);
}

// A 0x10 left on the line from before (an earlier unit, a reply cut short) is no
// answer: the handshake drains the input before its first request. Bytes after the
// real answer stay for the next command's drain.
TEST(EcuLink, LeftoverAnswerDoesNotPassForTheHandshake)
{
    struct Case {
        const char* name;
        bool unitAnswers;
    };
    for (const Case& c : {Case{"SilentUnit", false}, Case{"AnsweringUnit", true}}) {
        SCOPED_TRACE(c.name);
        ScriptedPort port;
        port.arriveNow({0x33, 0x10, 0x44});
        port.onWrite = [&](ScriptedPort& p, const Bytes& w) {
            if (c.unitAnswers && w == Bytes{0xFF, 0xFF, 0xEF}) p.arrive(p.nowUs + 4000, {0x10, 0x55});
        };
        EcuLink link(port);
        EXPECT_EQ(link.EcuInit(), c.unitAnswers);
        EXPECT_EQ(port.writes.size(), c.unitAnswers ? 1u : 2u);
        EXPECT_EQ(port.waiting(), c.unitAnswers ? 1u : 0u);
    }
}

TEST(EcuLink, SilentHandshakeTriesTwiceOnTheOpenPort)
{
    ScriptedPort port;
    EcuLink link(port);
    EXPECT_FALSE(link.EcuInit());
    EXPECT_EQ(port.writes, (std::vector<Bytes>{{0xFF, 0xFF, 0xEF}, {0xFF, 0xFF, 0xEF}}));
    EXPECT_EQ(port.readCalls, 1 + 2 * EcuLink::kHandshakeAttempts);  // the drain finds nothing
    EXPECT_TRUE(port.isOpen());
    // Bounded: a dead line costs the silence limit per request, not seconds.
    EXPECT_EQ(port.waitedUs, 2 * EcuLink::kSilenceLimitMs * 1000);
}

TEST(EcuLink, AwaitInputWaitsForMoreThanThirtyBytesAtMost101Rounds)
{
    ScriptedPort silent;
    EcuLink link(silent);
    link.AwaitInput();
    EXPECT_EQ(silent.waitedUs, 101'000);
    EXPECT_EQ(silent.readCalls, 0);

    ScriptedPort busy;
    busy.arrive(0, Bytes(40, 0xA5), 1040);
    EcuLink busyLink(busy);
    busyLink.AwaitInput();
    EXPECT_EQ(busy.waiting(), 31u);
}

TEST(EcuLink, SendStopWritesStopByteAndDrains)
{
    ScriptedPort port;
    port.arriveNow({1, 2, 3});
    EcuLink link(port);
    link.SendStop();
    EXPECT_EQ(port.writes, (std::vector<Bytes>{{0x30}}));
    EXPECT_EQ(port.waiting(), 0u);
}

TEST(EcuLink, SendStopReadsTheStreamOutToItsEndMark)
{
    struct Case {
        const char* name;
        Bytes afterStop;  // what the unit still sends, one byte per 1.04 ms
        std::size_t left; // bytes on the line once it has settled
    };
    const Case cases[] = {
        {"FrameThenMark", {0xFF, 0x03, 0x11, 0x22, 0x33, 0xCF, 0x77}, 1},
        {"MarkAndHeaderInsideData", {0xFF, 0x04, 0xCF, 0xFF, 0x01, 0xCF, 0xCF, 0x77}, 1},
        {"MarkAtOnce", {0xCF, 0x77}, 1},
        {"NoMarkQuietLine", {0xFF, 0x01, 0x42}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedPort port;
        port.arrive(2000, c.afterStop, 1040);
        EcuLink link(port);
        link.SendStop();
        EXPECT_EQ(port.writes, (std::vector<Bytes>{{0x30}}));
        port.nowUs += 100'000;
        EXPECT_EQ(port.waiting(), c.left);  // only what came after the mark
    }
}

// A unit that goes on sending frames after the stop and never its end mark must not
// hold the window for a thousand reads: the wait ends after a few frame times at the
// line's speed.
TEST(EcuLink, StopWithoutEndMarkIsBoundedByFrameTimes)
{
    struct Case {
        const char* name;
        int bitRate;
    };
    for (const Case& c : {Case{"At9600", 9600}, Case{"At1200", 1200}}) {
        SCOPED_TRACE(c.name);
        const int64_t byteUs = 10'000'000 / c.bitRate;
        Bytes stream;
        for (int frame = 0; frame < 300; ++frame) {
            const Bytes f = {0xFF, 0x09, 1, 2, 3, 4, 5, 6, 7, 8, 9};
            stream.insert(stream.end(), f.begin(), f.end());
        }
        ScriptedPort port;
        port.arrive(0, stream, byteUs);
        EcuLink link(port);
        link.SetBitRate(c.bitRate);
        ASSERT_TRUE(link.ReadReplyFrame());
        const int64_t start = port.nowUs;
        link.SendStop();
        const int64_t took = port.nowUs - start;
        const int64_t frameUs = 11 * byteUs;
        EXPECT_GE(took, 2 * frameUs);  // the frame under way and the next were waited for
        EXPECT_LE(took, EcuLink::kStopFrames * frameUs + EcuLink::kStopQuietMs * 1000 + 2 * byteUs);
    }
}

TEST(EcuLink, PortFailureEscapesAsSerialError)
{
    ScriptedPort port;
    port.failReads = true;
    EcuLink link(port);
    EXPECT_THROW(link.ReadReplyFrame(), SerialError);
    port.failReads = false;
    port.close();
    EXPECT_THROW(link.SendStop(), SerialError);
}

}  // namespace
}  // namespace dp::test
