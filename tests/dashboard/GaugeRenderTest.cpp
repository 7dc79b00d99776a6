#include "dashboard/GaugeRenderer.h"

#include <gtest/gtest.h>

#include <QRect>

namespace dp {
namespace {

// Distinct colours so every probe tells which element painted a pixel.
constexpr GaugeColors kColors{.background = 0x303030, .title = 0x00FFFF, .scale = 0x00FF00,
                              .needle = 0x0000FF, .digit = 0xFFFFFF};
const QRgb kBackground = qRgb(0x30, 0x30, 0x30);
const QRgb kScale = qRgb(0, 255, 0);
const QRgb kNeedle = qRgb(255, 0, 0);

class GaugeRender : public testing::Test {
protected:
    static void SetUpTestSuite() { fonts_ = new GaugeFonts(MakeGaugeFonts(96)); }
    static void TearDownTestSuite() { delete fonts_; }

    static QImage Draw(float value, float minimum, float maximum, const GaugeColors& colors = kColors,
                       const QPalette& palette = QPalette())
    {
        QImage picture(kGaugePictureSize, kGaugePictureSize, QImage::Format_RGB32);
        picture.fill(Qt::black);
        DrawGauge(picture, QStringLiteral("RPM"), value, minimum, maximum, colors, *fonts_,
                  QLatin1Char('.'), palette);
        return picture;
    }
    static QRgb At(const QImage& image, double radius, int degrees)
    {
        return image.pixel(GaugePoint(radius, degrees)) | 0xFF000000u;
    }
    // Bounding box of the pixels of one colour inside an area.
    static QRect InkBox(const QImage& image, const QRect& area, QRgb color)
    {
        QRect box;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if ((image.pixel(x, y) | 0xFF000000u) == color) box |= QRect(x, y, 1, 1);
        return box;
    }
    static inline GaugeFonts* fonts_ = nullptr;
};

TEST_F(GaugeRender, NeedleEndsAtItsAngleAndNowhereElse)
{
    const struct {
        float value, minimum, maximum;
        int angle;
    } cases[] = {
        {0, 0, 9000, 150},  {4500, 0, 9000, 270}, {9000, 0, 9000, 30}, {-60, -50, 150, 150},
        {200, 0, 100, 30},  {0.01f, 0, 6, 150},   {0.1f, 0, 6, 154},   {12.34f, 0, 40, 150 + 74},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " on " << c.minimum << ".." << c.maximum);
        const QImage image = Draw(c.value, c.minimum, c.maximum);
        EXPECT_EQ(At(image, 120, c.angle), kNeedle);
        EXPECT_EQ(At(image, 215, c.angle), kNeedle);  // covers the ticks
        EXPECT_EQ(At(image, 228, c.angle), kNeedle);
        EXPECT_EQ(At(image, 241, c.angle), kBackground);  // past the tip and the ticks
        for (int other : {150, 270, 30}) {
            if (other != c.angle) {
                EXPECT_EQ(At(image, 215, other), kScale) << other;
            }
        }
    }
}

TEST_F(GaugeRender, ReadingIsRoundedToOneDecimalBeforeEverything)
{
    EXPECT_EQ(Draw(12.34f, 0, 40), Draw(12.3f, 0, 40));
    EXPECT_EQ(Draw(12.36f, 0, 40), Draw(12.4f, 0, 40));
    EXPECT_NE(Draw(12.34f, 0, 40), Draw(12.36f, 0, 40));
    EXPECT_EQ(Draw(0.01f, 0, 6), Draw(0, 0, 6));
}

TEST_F(GaugeRender, OutOfRangeReadoutShowsItsOwnNumber)
{
    const QImage below = Draw(-60, -50, 150);
    const QImage atMinimum = Draw(-50, -50, 150);
    const QRect readout(150, 360, 200, 130);
    EXPECT_NE(below.copy(readout), atMinimum.copy(readout));
    const QRect dial(0, 0, 500, 300);
    EXPECT_EQ(below.copy(dial), atMinimum.copy(dial));  // same needle and scale
}

TEST_F(GaugeRender, TextsAreCentredOnTheirPoints)
{
    const QImage image = Draw(4500, 0, 9000);
    const QRect readout = InkBox(image, QRect(150, 360, 200, 135), qRgb(255, 255, 255));
    ASSERT_FALSE(readout.isEmpty());
    EXPECT_NEAR(readout.center().x(), 250, 4);
    EXPECT_NEAR(readout.center().y(), 400, 12);
    const QRect title = InkBox(image, QRect(100, 260, 300, 80), qRgb(255, 255, 0));
    ASSERT_FALSE(title.isEmpty());
    EXPECT_NEAR(title.center().x(), 250, 4);
    EXPECT_NEAR(title.center().y(), 300, 12);
    // The number of each major tick sits around P(165, angle).
    for (int k = 0; k < 7; ++k) {
        const QPoint at = GaugePoint(165, 150 + 40 * k);
        const QRect number = InkBox(image, QRect(at - QPoint(60, 30), QSize(120, 60)), qRgb(255, 255, 255));
        ASSERT_FALSE(number.isEmpty()) << k;
        EXPECT_NEAR(number.center().x(), at.x(), 4) << k;
        EXPECT_NEAR(number.center().y(), at.y(), 8) << k;
    }
}

TEST_F(GaugeRender, EveryCallRepaintsTheWholePicture)
{
    QImage picture(kGaugePictureSize, kGaugePictureSize, QImage::Format_RGB32);
    DrawGauge(picture, QStringLiteral("RPM"), 9000, 0, 9000, kColors, *fonts_, QLatin1Char('.'));
    DrawGauge(picture, QStringLiteral("RPM"), 0, 0, 9000, kColors, *fonts_, QLatin1Char('.'));
    EXPECT_EQ(picture, Draw(0, 0, 9000, kColors, QGuiApplication::palette()));
    EXPECT_EQ(picture.pixel(0, 0) | 0xFF000000u, kBackground);
    EXPECT_EQ(picture.pixel(499, 499) | 0xFF000000u, kBackground);
}

TEST_F(GaugeRender, SameDialSamePixelsWhateverWasDrawnBefore)
{
    // Glyphs new to the process in other dials and sizes must not change how this
    // dial's readout comes out (it is drawn as outlines, being too large to cache).
    const QImage first = Draw(0, 0, 40);
    QImage other(kGaugePictureSize, kGaugePictureSize, QImage::Format_RGB32);
    DrawGauge(other, QStringLiteral("Water temp"), 87.5f, -50, 150, kColors, *fonts_, QLatin1Char(','));
    DrawGauge(other, QStringLiteral("Speed"), 131072, 0, 200, kColors, *fonts_, QLatin1Char('.'));
    EXPECT_TRUE(Draw(0, 0, 40) == first);
}

TEST_F(GaugeRender, ColoursAreTakenAtEachCallIncludingSystemColours)
{
    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::Button, QColor(10, 20, 30));
    GaugeColors colors = kColors;
    colors.background = 0xFF00000F;  // the button face system colour
    colors.needle = 0xFF0000;        // blue
    const QImage image = Draw(4500, 0, 9000, colors, palette);
    EXPECT_EQ(image.pixel(0, 0) | 0xFF000000u, qRgb(10, 20, 30));
    EXPECT_EQ(At(image, 215, 270), qRgb(0, 0, 255));
}

TEST_F(GaugeRender, BadInputsDrawSafely)
{
    QImage empty;
    DrawGauge(empty, QStringLiteral("X"), 1, 0, 10, kColors, *fonts_, QLatin1Char('.'));
    EXPECT_TRUE(empty.isNull());
    const QImage noRange = Draw(5, 10, 10);  // empty range: needle at the start
    EXPECT_EQ(At(noRange, 215, 150), kNeedle);
    const QImage huge = Draw(3e38f, -3e38f, 3e38f);
    EXPECT_EQ(At(huge, 215, 30), kNeedle);
}

}  // namespace
}  // namespace dp
