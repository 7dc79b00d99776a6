#include "log/ViewerLayout.h"

#include <gtest/gtest.h>

namespace dp {
namespace {

TEST(LayoutCharts, DesignedHeightGivesTheDesignedCharts)
{
    const ChartsPlacement p = LayoutChartsFor(kNavPanelTop, kNavPanelHeight, kViewerClientHeight);
    EXPECT_EQ(p.Chart1Top, 119);
    EXPECT_EQ(p.Chart2Top, 328);
    EXPECT_EQ(p.Height, 208);
}

// At every height: equal charts, Chart2 one pixel below Chart1, and 2 pixels left
// below Chart2, or 3 when what is shared out is odd.
TEST(LayoutCharts, AnyHeightSplitsEvenly)
{
    for (int client = kViewerMinClientHeight; client <= 1600; ++client) {
        SCOPED_TRACE(client);
        const ChartsPlacement p = LayoutChartsFor(kNavPanelTop, kNavPanelHeight, client);
        EXPECT_EQ(p.Chart1Top, kNavPanelTop + kNavPanelHeight + 2);
        EXPECT_EQ(p.Chart2Top, p.Chart1Top + p.Height + 1);
        const int below = client - (p.Chart2Top + p.Height);
        EXPECT_EQ(below, (client - p.Chart1Top - 3) % 2 == 1 ? 3 : 2);
    }
}

TEST(LayoutCharts, TooSmallAWindowGivesEmptyChartsNotNegativeOnes)
{
    EXPECT_EQ(LayoutChartsFor(kNavPanelTop, kNavPanelHeight, 100).Height, 0);
}

struct GridCase {
    const char* name;
    int channel;
    ChannelGridPlace place;
};

TEST(ChannelGrid, FiveColumnsOfFourTopToBottom)
{
    const GridCase cases[] = {
        {"rpm_first", 0, {4, 48, 100, 4}},
        {"maf_bottom_of_first_column", 3, {4, 48, 100, 52}},
        {"coolant_tops_second_column", 4, {160, 208, 260, 4}},
        {"af_sl_third_column_row_3", 10, {320, 364, 416, 36}},
        {"start_fourth_column", 12, {476, 524, 576, 4}},
        {"fuel_pump_fifth_column", 16, {632, 672, 724, 4}},
        {"egr_last", 19, {632, 672, 724, 52}},
    };
    for (const GridCase& c : cases) {
        SCOPED_TRACE(c.name);
        const ChannelGridPlace p = ChannelGridPlaceOf(c.channel);
        EXPECT_EQ(p.LabelX, c.place.LabelX);
        EXPECT_EQ(p.Graf1X, c.place.Graf1X);
        EXPECT_EQ(p.Graf2X, c.place.Graf2X);
        EXPECT_EQ(p.Y, c.place.Y);
    }
}

TEST(ChartMargins, OnePercentAtTheSidesTwoAtTopAndBottom)
{
    const ChartMargins m = ChartMarginsFor(777, 208);
    EXPECT_EQ(m.Left, 7);
    EXPECT_EQ(m.Right, 7);
    EXPECT_EQ(m.Top, 4);
    EXPECT_EQ(m.Bottom, 4);
}

TEST(ValueAxis, ZeroAtTwoPercentAndHundredAtNinetyEight)
{
    const double span = kValueAxisUpper - kValueAxisLower;
    EXPECT_DOUBLE_EQ((0 - kValueAxisLower) / span, 0.02);
    EXPECT_DOUBLE_EQ((100 - kValueAxisLower) / span, 0.98);
}

}  // namespace
}  // namespace dp
