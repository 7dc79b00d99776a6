#include "support/LogTestSamples.h"
#include "log/ChartPoints.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>

namespace dp {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

struct PlotCase {
    const char* name;
    int channel;
    float reading;  // the value, or the flag byte for a flag channel
    float plotted;  // NaN: expect NaN
};

TEST(PlottedY, MapsEachChannelOntoTheCommonScale)
{
    const PlotCase cases[] = {
        {"rpm_4500_at_half", 0, 4500, 50},
        {"rpm_9000_at_top", 0, 9000, 100},
        {"rpm_above_9000_above_axis", 0, 18000, 200},
        {"speed_100", 1, 100, 50},
        {"throttle_3", 2, 3, 50},
        {"maf_6", 3, 6, 100},
        {"coolant_minus_50_at_zero", 4, -50, 0},
        {"coolant_50_at_half", 4, 50, 50},
        {"coolant_150_at_top", 4, 150, 100},
        {"inject_20", 5, 20, 50},
        {"ignit_35", 6, 35, 50},
        {"af_100_at_half", 7, 100, 50},
        {"af_40_below_axis", 7, 40, -10},
        {"o2_unscaled", 8, 0.8f, 0.8f},
        {"battery_8", 9, 8, 50},
        {"af_sl_100_at_half", 10, 100, 50},
        {"aac_unscaled", 11, 30, 30},
        {"flag_on", 12, 100, 100},
        {"flag_off", 17, 0, 0},
        {"odd_flag_byte_as_is", 19, 7, 7},
        {"nan_reading_is_a_gap", 0, kNaN, kNaN},
        {"infinite_reading_is_a_gap", 4, kInf, kNaN},
        {"overflow_is_a_gap", 0, 3e38f, kNaN},
        {"unscaled_infinity_is_a_gap", 8, -kInf, kNaN},
    };
    for (const PlotCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Channel& channel = kChannels[std::size_t(c.channel)];
        TEngineSample s;
        if (channel.Kind == ChannelKind::Value) s.*channel.ValueField = c.reading;
        else s.*channel.FlagField = uint8_t(c.reading);
        const float y = PlottedY(channel, s);
        if (std::isnan(c.plotted)) EXPECT_TRUE(std::isnan(y)) << y;
        else EXPECT_EQ(y, c.plotted);
    }
}

// Single precision, multiplying before dividing: 100 * 4321 / 9000 in float is not
// the same float as 4321 / 9000 * 100, nor as the double result rounded.
TEST(PlottedY, MultipliesBeforeDividingInSinglePrecision)
{
    TEngineSample s;
    s.EngineSpeed = 4321.7f;
    const float expected = (100.0f * 4321.7f) / 9000.0f;
    EXPECT_EQ(PlottedY(kChannels[0], s), expected);
    s.CoolantTemp = 87.3f;
    EXPECT_EQ(PlottedY(kChannels[4], s), (100.0f * (87.3f + 50.0f)) / 200.0f);
}

TEST(ChartOrder, KeepsARecordingAsItStands)
{
    SampleLog log;
    test::FillLog(log, 5);
    const auto order = ChartOrder(log);
    ASSERT_EQ(order.size(), 5u);
    const SampleNode* node = log.Head();
    for (const TEngineSample* s : order) {
        EXPECT_EQ(s, &node->Sample);
        node = node->Next;
    }
}

TEST(ChartOrder, SortsDecreasingTimesKeepingTiesInLogOrderAndDropsTimelessSamples)
{
    SampleLog log;
    // (time, engine speed as a tag)
    const std::pair<float, float> samples[] = {{5, 1}, {3, 2}, {kNaN, 3}, {3, 4}, {kInf, 5}, {1, 6}, {-kInf, 7}, {5, 8}};
    for (auto [time, tag] : samples) {
        TEngineSample s;
        s.Time = time;
        s.EngineSpeed = tag;
        log.AppendSample(s);
    }
    std::vector<float> tags;
    for (const TEngineSample* s : ChartOrder(log)) tags.push_back(s->EngineSpeed);
    EXPECT_EQ(tags, (std::vector<float>{6, 2, 4, 1, 8}));
}

TEST(ChartOrder, EmptyLogGivesNoPoints) { EXPECT_TRUE(ChartOrder(SampleLog()).empty()); }

TEST(FillChartPoints, FillsEveryChannelFromOnePass)
{
    SampleLog log;
    test::FillLog(log, 3);
    const auto order = ChartOrder(log);
    const Channel* channels[] = {&kChannels[0], &kChannels[17]};
    std::pair<double, double> rpm[3], fan[3];
    std::pair<double, double>* out[] = {rpm, fan};
    FillChartPoints<std::pair<double, double>>(order, channels, out);
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        const TEngineSample s = test::MakeSample(k);
        EXPECT_EQ(rpm[k], std::make_pair(double(s.Time), double(PlottedY(kChannels[0], s))));
        EXPECT_EQ(fan[k], std::make_pair(double(s.Time), double(s.FanFlag)));
    }
}

}  // namespace
}  // namespace dp
