// Finding the frames of a continuous stream: named cases, each fed whole, byte by byte
// and in odd chunks, which must all find the same frames.

#include <gtest/gtest.h>

#include <algorithm>

#include "ecu/StreamFrames.h"
#include "support/ScriptedPort.h"

namespace dp::test {
namespace {

constexpr int kLength = 18;

// A frame whose payload starts with its tag; `data` overwrites payload bytes from offset 1.
Bytes Frame(uint8_t tag, const Bytes& data = {}, int length = kLength)
{
    Bytes f{0xFF, uint8_t(length), tag};
    for (int i = 1; i < length; ++i) f.push_back(uint8_t(0x20 + i));
    std::copy(data.begin(), data.end(), f.begin() + 3);
    return f;
}

Bytes Join(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

Bytes Echo()
{
    Bytes e;
    for (int r = 0; r < kLength; ++r) e.insert(e.end(), {0xA5, uint8_t(r)});
    return e;
}

Bytes WithoutBytes(Bytes b, std::size_t from, std::size_t count)
{
    b.erase(b.begin() + std::ptrdiff_t(from), b.begin() + std::ptrdiff_t(from + count));
    return b;
}

struct Case {
    const char* name;
    Bytes stream;
    std::vector<uint8_t> tags;  // frames found, in order
    long resyncs;
    bool endMark;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

std::vector<Case> Cases()
{
    const Bytes f1 = Frame(1), f2 = Frame(2), f3 = Frame(3), f4 = Frame(4), f5 = Frame(5);
    return {
        {"EchoThenFramesLastAwaitsItsSuccessor", Join({Echo(), f1, f2, f3}), {1, 2}, 0, false},
        {"NextStartWithoutItsLengthYet", Join({f1, f2, {0xFF}}), {1}, 0, false},
        {"FrameStartAndLengthInsideData", Join({Frame(1, {0xFF, kLength, 0xFF}), Frame(2, {0x00, 0xFF, kLength}), f3}),
         {1, 2}, 0, false},
        // The stream joined mid-frame at a 0xFF and length inside the data: its successor
        // would be inside frame 1, where no start lies.
        {"FalseStartBeforeTheFirstFrame", Join({{0xFF, kLength, 0x00, 0x01}, f1, f2, f3}), {1, 2}, 0, false},
        {"BytesLostInsideAFrame", Join({f1, f2, WithoutBytes(f3, 5, 7), f4, f5, f1}), {1, 2, 4, 5}, 1, false},
        {"BytesLostAcrossAStart", Join({f1, WithoutBytes(Join({f2, f3}), 15, 10), f4, f5, f1}), {1, 4, 5}, 1, false},
        {"EndMarkConfirmsTheLastFrame", Join({f1, f2, {0xCF}, f3, f4}), {1, 2}, 0, true},
        {"EndMarkInsideDataIsData", Join({Frame(1, {0xCF}), Frame(2, {0xCF, 0xCF}), f3}), {1, 2}, 0, false},
        {"StrayBytesBetweenFramesConfirmNothing", Join({f1, {0x11}, f2, {0x22, 0x33}, f3, {0x44}}), {}, 0, false},
        {"FramesOfAnotherLength", Join({Frame(1, {}, 9), Frame(2, {}, 9), Frame(3, {}, 9)}), {}, 0, false},
        {"Nothing", {}, {}, 0, false},
    };
}

class StreamFrames : public testing::TestWithParam<Case> {};

TEST_P(StreamFrames, SameFramesHoweverTheBytesArrive)
{
    const Case& c = GetParam();

    // Byte by byte, taking every frame as it is confirmed.
    StreamFrameFinder single(kLength);
    std::vector<uint8_t> tags;
    for (uint8_t b : c.stream) {
        single.feed(&b, 1);
        if (single.hasNewFrame()) tags.push_back(single.takeFrame()[0]);
    }
    EXPECT_EQ(tags, c.tags);
    EXPECT_EQ(single.resyncs(), c.resyncs);
    EXPECT_EQ(single.endMarkSeen(), c.endMark);

    for (std::size_t chunk : {c.stream.size() + 1, std::size_t(7), std::size_t(23)}) {
        SCOPED_TRACE(testing::Message() << "chunks of " << chunk);
        StreamFrameFinder finder(kLength);
        for (std::size_t at = 0; at < c.stream.size(); at += chunk)
            finder.feed(c.stream.data() + at, std::min(chunk, c.stream.size() - at));
        EXPECT_EQ(finder.framesFound(), long(c.tags.size()));
        EXPECT_EQ(finder.hasNewFrame(), !c.tags.empty());
        if (!c.tags.empty()) {
            const uint8_t* newest = finder.takeFrame();
            EXPECT_EQ(newest[0], c.tags.back());  // the newest one, whole
            EXPECT_EQ(newest[kLength - 1], 0x20 + kLength - 1);
        }
        EXPECT_EQ(finder.resyncs(), c.resyncs);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, StreamFrames, testing::ValuesIn(Cases()),
                         [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(StreamFrameFinder, ResetForgetsTheOldStream)
{
    StreamFrameFinder finder(kLength);
    const Bytes old = Join({Frame(1), Frame(2), {0xCF}});
    finder.feed(old.data(), old.size());
    ASSERT_TRUE(finder.endMarkSeen());
    finder.reset();
    const Bytes fresh = Join({Echo(), Frame(7), Frame(8)});
    finder.feed(fresh.data(), fresh.size());
    EXPECT_FALSE(finder.endMarkSeen());
    ASSERT_TRUE(finder.hasNewFrame());
    EXPECT_EQ(finder.takeFrame()[0], 7);
    EXPECT_FALSE(finder.hasNewFrame());
}

}  // namespace
}  // namespace dp::test
