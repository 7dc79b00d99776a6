#include "support/LogTestSamples.h"
#include "log/Channels.h"
#include "log/CsvExport.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <sstream>

namespace dp {
namespace {

std::vector<std::string> Split(const std::string& text, char by)
{
    std::vector<std::string> parts;
    std::string::size_type from = 0;
    for (;;) {
        const auto at = text.find(by, from);
        parts.push_back(text.substr(from, at - from));
        if (at == std::string::npos) return parts;
        from = at + 1;
    }
}

// Each channel must read its own bytes of the 60-byte record: fill every float
// slot with its offset and every flag byte with its offset, then see what each
// channel yields.
TEST(Channels, EachReadsItsFieldOfTheRecord)
{
    uint8_t bytes[kSampleSize] = {};
    for (int offset = 0; offset < 52; offset += 4) {
        const float marker = float(offset);
        uint32_t bits;
        std::memcpy(&bits, &marker, 4);
        for (int k = 0; k < 4; ++k) bytes[offset + k] = uint8_t(bits >> (8 * k));
    }
    for (int offset = 52; offset < 60; ++offset) bytes[offset] = uint8_t(offset);
    const TEngineSample s = SampleFromBytes(bytes);

    const int offsets[kChannelCount] = {4, 36, 12, 8, 20, 28, 32, 24, 40, 16,
                                        48, 44, 54, 52, 53, 56, 55, 58, 57, 59};
    for (std::size_t i = 0; i < kChannelCount; ++i) {
        SCOPED_TRACE(kChannels[i].Name);
        EXPECT_EQ(kChannels[i].Index, int(i));
        EXPECT_EQ(kChannels[i].Kind, i < 12 ? ChannelKind::Value : ChannelKind::Flag);
        EXPECT_EQ(ChannelValue(kChannels[i], s), float(offsets[i]));
    }
}

TEST(CsvExport, SmallLog)
{
    SampleLog log;
    TEngineSample a;
    a.Time = 0.1f;
    a.EngineSpeed = 812.5f;
    a.CoolantTemp = -50;
    a.O2Sensor = 0.01f;
    a.StartFlag = 100;
    a.EgrFlag = 100;
    log.AppendSample(a);
    TEngineSample b;
    b.Time = 12345.6f;
    b.ThrottleSensor = 5.1f;
    b.SteeringFlag = 100;
    log.AppendSample(b);

    std::ostringstream out;
    WriteCsv(log, out);
    EXPECT_EQ(out.str(),
              "Time,RPM,Speed,Throtle,MAF,W temp,Inject,Ignit,A/F,O2,Batery,A/F SL,AAC,"
              "Start,Steering,Neutral,VTC,Fuel pump,Fan,WG,EGR\n"
              "0.1,812.5,0,0,0,-50,0,0,0,0.01,0,0,0,100,0,0,0,0,0,0,100\n"
              "12345.6,0,0,5.1,0,0,0,0,0,0,0,0,0,0,100,0,0,0,0,0,0\n");
}

TEST(CsvExport, EmptyLogGivesTheHeaderOnly)
{
    SampleLog log;
    std::ostringstream out;
    WriteCsv(log, out);
    EXPECT_EQ(out.str(), CsvHeader() + "\n");
}

// Every number must read back to exactly the stored float, however awkward.
TEST(CsvExport, NumbersReadBackExactly)
{
    const float awkward[] = {0.1f, 1.0f / 3.0f, -145.0f, 819187.5f, 1e-7f, 3.4e38f,
                             std::numeric_limits<float>::denorm_min(), -0.0f};
    for (float v : awkward) {
        SCOPED_TRACE(v);
        TEngineSample s;
        s.Time = v;
        s.AirFuelLearnt = v;
        const std::vector<std::string> fields = Split(CsvRow(s), ',');
        ASSERT_EQ(fields.size(), 1 + kChannelCount);
        for (const std::string& text : {fields[0], fields[11]}) {
            EXPECT_EQ(text.find_first_of(" ;"), std::string::npos) << text;
            float back = 0;
            const auto r = std::from_chars(text.data(), text.data() + text.size(), back);
            EXPECT_EQ(r.ec, std::errc());
            EXPECT_EQ(r.ptr, text.data() + text.size());
            EXPECT_EQ(back, v);
            EXPECT_EQ(std::signbit(back), std::signbit(v));
        }
    }
}

}  // namespace
}  // namespace dp
