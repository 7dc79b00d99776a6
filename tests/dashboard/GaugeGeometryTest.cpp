#include "dashboard/DashboardLayout.h"
#include "dashboard/GaugeRenderer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

namespace dp {
namespace {

TEST(GaugePoint, RoundsEachCoordinateAroundTheCentre)
{
    EXPECT_EQ(GaugePoint(230, 150), QPoint(51, 365));   // 230 cos 150 = -199.19
    EXPECT_EQ(GaugePoint(230, 270), QPoint(250, 20));   // straight up
    EXPECT_EQ(GaugePoint(230, 390), QPoint(449, 365));  // same as 30 degrees
    EXPECT_EQ(GaugePoint(165, 0), QPoint(415, 250));
    // 235 sin 150 = 117.5: the sine's own error decides, either neighbour is right.
    const QPoint halfway = GaugePoint(235, 150);
    EXPECT_TRUE(halfway.y() == 367 || halfway.y() == 368) << halfway.y();
}

TEST(RoundToTenth, RoundsHalvesToEven)
{
    const struct {
        float in, out;
    } cases[] = {{12.34f, 12.3f}, {12.36f, 12.4f}, {0.01f, 0.0f},  {0.25f, 0.2f},
                 {0.75f, 0.8f},   {-0.25f, -0.2f}, {-60, -60},     {99999.96f, 100000}};
    for (const auto& c : cases) EXPECT_EQ(RoundToTenth(c.in), c.out) << c.in;
}

TEST(NeedleAngle, WholeDegreesClampedToTheScale)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const struct {
        float value, minimum, maximum;
        int angle;
    } cases[] = {
        {0, 0, 9000, 150},
        {4500, 0, 9000, 270},
        {9000, 0, 9000, 390},
        {-60, -50, 150, 150},  // below the scale rests at the start
        {200, 0, 100, 390},    // above rests at the end
        {0, -50, 150, 210},    // a quarter of the way up
        {RoundToTenth(0.01f), 0, 6, 150},
        {RoundToTenth(0.1f), 0, 6, 154},
        {1, 0, 480, 150},  // exactly 0.5 degree: ties to even
        {3, 0, 480, 152},  // 1.5
        {5, 0, 480, 152},  // 2.5
        {2.55f, 0, 100, 156},
        {nan, 0, 100, 150},
        {inf, 0, 100, 390},
        {-inf, 0, 100, 150},
        {5, 10, 10, 150},  // empty range
        {5, 0, inf, 150},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NeedleAngle(c.value, c.minimum, c.maximum), c.angle)
            << c.value << " on " << c.minimum << ".." << c.maximum;
}

TEST(ScaleNumbers, MatchTheTwelveDials)
{
    const std::array<long long, 7> expected[12] = {
        {0, 1500, 3000, 4500, 6000, 7500, 9000}, {0, 1, 2, 3, 4, 5, 6},
        {0, 1, 2, 3, 4, 5, 6},                   {0, 7, 13, 20, 27, 33, 40},
        {0, 33, 67, 100, 133, 167, 200},         {0, 12, 23, 35, 47, 58, 70},
        {50, 67, 83, 100, 117, 133, 150},        {50, 67, 83, 100, 117, 133, 150},
        {-50, -17, 17, 50, 83, 117, 150},        {0, 17, 33, 50, 67, 83, 100},
        {0, 17, 33, 50, 67, 83, 100},            {4, 6, 8, 10, 12, 14, 16},
    };
    for (const GaugeSpec& g : kGauges)
        EXPECT_EQ(ScaleNumbers(g.minimum, g.maximum), expected[g.image - 1]) << g.title;
    // Ties of the k/6 points round to even.
    EXPECT_EQ(ScaleNumbers(0, 3), (std::array<long long, 7>{0, 0, 1, 2, 2, 2, 3}));
}

TEST(FontPixelHeight, PointsToPixelsAtTheScreenResolution)
{
    EXPECT_EQ(FontPixelHeight(30, 96), 40);
    EXPECT_EQ(FontPixelHeight(56, 96), 75);
    EXPECT_EQ(FontPixelHeight(29, 96), 39);
    EXPECT_EQ(FontPixelHeight(30, 144), 60);
    EXPECT_EQ(FontPixelHeight(30, 0), 40);  // unknown resolution falls back to 96 ppi
}

// Each gauge and lamp reads the field at the byte offset the record layout gives it.
TEST(DashboardTables, FieldsSitAtTheirRecordOffsets)
{
    const int gaugeOffsets[12] = {4, 12, 8, 28, 36, 32, 24, 48, 20, 40, 44, 16};
    for (const GaugeSpec& g : kGauges) {
        SampleBytes bytes{};
        const float marker = 123.5f;
        std::memcpy(bytes.data() + gaugeOffsets[g.image - 1], &marker, sizeof marker);
        EXPECT_EQ(SampleFromBytes(bytes.data()).*g.field, marker) << g.title;
    }
    const int lampOffsets[8] = {52, 53, 55, 57, 54, 56, 58, 59};  // Shape1 ... Shape8
    for (const LampSpec& l : kLamps) {
        SampleBytes bytes{};
        bytes[std::size_t(lampOffsets[l.shape - 1])] = 100;
        EXPECT_EQ(SampleFromBytes(bytes.data()).*l.flag, 100) << l.caption;
    }
}

}  // namespace
}  // namespace dp
