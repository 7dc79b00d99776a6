// Drawing only what changed must give the very pixels of drawing from scratch, along
// named sequences of readings that move the readout, the needle, or both.

#include "dashboard/GaugeCache.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <cmath>
#include <limits>

namespace dp {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

struct Sequence {
    const char* name;
    const char* title;
    float minimum, maximum;
    std::vector<float> values;
    double ppi = 96;  // larger fonts make the readout reach the needle and the scale
};

const Sequence kSequences[] = {
    {"IdleJitterMovesOnlyTheReadout", "RPM", 0, 9000, {800, 812.5f, 825, 800, 787.5f, 812.5f}},
    {"NeedleSweepsTheWholeScale", "RPM", 0, 9000, {0, 1500, 4500, 6000, 9000, 4500, 0}},
    {"ReadoutWidensAndNarrows", "Inject", 0, 40, {0, 2.5f, 12345.6f, 1.5f, 99999.96f, 131072, 7}},
    {"OutOfRangeBothWays", "Water temp", -50, 150, {-50, -60, 200, 150, 149.9f, -49.9f}},
    {"NeedleAcrossTheReadoutsCorner", "AAC", 0, 100, {0, -88888.8f, 0.4f, -88888.8f, 100, -1.5f}},
    {"ReadoutReachingIntoTheScale", "Speed", 0, 200, {0, -1.3107e15f, 0, -8.8888e37f, 33}},
    {"SmallSteps", "O2", 0, 100, {0, 0.01f, 0.05f, 0.1f, 0.14f, 2.55f, 0}},
    {"NotANumberAndInfinities", "Batery", 4, 16, {12, kNaN, kInf, -kInf, kNaN, 12}},
    {"LargeReadoutUnderTheNeedle", "AAC", 0, 100, {0, -88888.8f, 0.4f, -88888.8f, 100, -88888.8f, 0}, 144},
    {"LargeReadoutOverTheScale", "Speed", 0, 200, {0, -1.3107e15f, 0, 1, -8.8888e37f, 33}, 144},
};

void PrintTo(const Sequence& s, std::ostream* os) { *os << s.name; }

class GaugeCacheSequence : public testing::TestWithParam<Sequence> {
protected:
    static void SetUpTestSuite() { fonts_ = new GaugeFonts(MakeGaugeFonts(96)); }
    static void TearDownTestSuite() { delete fonts_; }
    static inline GaugeFonts* fonts_ = nullptr;
};

class GaugeCacheTest : public GaugeCacheSequence {};

QImage FromScratch(const QString& title, float value, float minimum, float maximum, const GaugeColors& colors,
                   const GaugeFonts& fonts, QChar decimalPoint)
{
    QImage picture(kGaugePictureSize, kGaugePictureSize, QImage::Format_RGB32);
    DrawGauge(picture, title, value, minimum, maximum, colors, fonts, decimalPoint);
    return picture;
}

TEST_P(GaugeCacheSequence, EveryStepEqualsDrawingFromScratch)
{
    const Sequence& s = GetParam();
    const QString title = QString::fromUtf8(s.title);
    const GaugeColors colors;
    const GaugeFonts fonts = MakeGaugeFonts(s.ppi);
    for (const QChar point : {QLatin1Char('.'), QLatin1Char(',')}) {
        GaugeCache cache;
        QImage picture(kGaugePictureSize, kGaugePictureSize, QImage::Format_RGB32);
        picture.fill(Qt::black);
        for (std::size_t i = 0; i < s.values.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "step " << i << ", value " << s.values[i] << ", separator " << char(point.unicode()));
            cache.Draw(picture, title, s.values[i], s.minimum, s.maximum, colors, fonts, point);
            ASSERT_TRUE(picture == FromScratch(title, s.values[i], s.minimum, s.maximum, colors, fonts, point));
        }
        EXPECT_GT(cache.partialDrawings(), 0);  // the sequence did exercise the partial path
    }
}

INSTANTIATE_TEST_SUITE_P(Readings, GaugeCacheSequence, testing::ValuesIn(kSequences),
                         [](const testing::TestParamInfo<Sequence>& info) { return std::string(info.param.name); });

TEST_F(GaugeCacheTest, AnUnchangedShownValueDrawsNothing)
{
    GaugeCache cache;
    QImage picture(kGaugePictureSize, kGaugePictureSize, QImage::Format_RGB32);
    const GaugeColors colors;
    EXPECT_TRUE(cache.Draw(picture, QStringLiteral("RPM"), 812.5f, 0, 9000, colors, *fonts_, QLatin1Char('.')));
    const qint64 key = picture.cacheKey();
    // 812.54 shows as 812.5 with the same needle.
    EXPECT_FALSE(cache.Draw(picture, QStringLiteral("RPM"), 812.54f, 0, 9000, colors, *fonts_, QLatin1Char('.')));
    EXPECT_EQ(picture.cacheKey(), key);
    EXPECT_EQ(cache.fullDrawings() + cache.partialDrawings(), 1);
}

TEST_F(GaugeCacheTest, ColourTitleOrRangeChangesAndForeignDrawingAreNoticed)
{
    GaugeCache cache;
    QImage picture(kGaugePictureSize, kGaugePictureSize, QImage::Format_RGB32);
    GaugeColors colors;
    const QLatin1Char point('.');
    auto step = [&](const char* what, const QString& title, float value, float minimum, float maximum) {
        SCOPED_TRACE(what);
        EXPECT_TRUE(cache.Draw(picture, title, value, minimum, maximum, colors, *fonts_, point));
        EXPECT_TRUE(picture == FromScratch(title, value, minimum, maximum, colors, *fonts_, point));
    };
    step("first", QStringLiteral("RPM"), 800, 0, 9000);
    colors.needle = 0xFF0000;
    step("needle colour", QStringLiteral("RPM"), 800, 0, 9000);
    colors.background = 0x202020;
    step("background colour", QStringLiteral("RPM"), 800, 0, 9000);
    step("title", QStringLiteral("MAF"), 800, 0, 9000);
    step("range", QStringLiteral("MAF"), 800, 0, 6);
    {
        QPainter other(&picture);
        other.fillRect(10, 10, 50, 50, Qt::yellow);
    }
    step("someone else drew", QStringLiteral("MAF"), 800, 0, 6);
    picture = QImage(kGaugePictureSize, kGaugePictureSize, QImage::Format_RGB32);
    step("a new picture", QStringLiteral("MAF"), 800, 0, 6);
    EXPECT_EQ(cache.partialDrawings(), 0);
}

}  // namespace
}  // namespace dp
