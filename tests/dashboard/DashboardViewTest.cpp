#include "dashboard/DashboardLayout.h"
#include "dashboard/DashboardView.h"
#include "dashboard/GaugeImageWidget.h"
#include "dashboard/LampShapeWidget.h"

#include <gtest/gtest.h>

#include <QPainter>

#include <memory>

namespace dp {
namespace {

class Dashboard : public testing::Test {
protected:
    Dashboard()
    {
        for (auto& image : owned_) image = std::make_unique<GaugeImageWidget>();
        for (auto& shape : ownedShapes_) shape = std::make_unique<LampShapeWidget>();
        for (std::size_t i = 0; i < images_.size(); ++i) images_[i] = owned_[i].get();
        for (std::size_t i = 0; i < shapes_.size(); ++i) shapes_[i] = ownedShapes_[i].get();
    }
    void Show(const TEngineSample& sample)
    {
        DrawSampleOnDashboard(sample, images_, shapes_, colors_, fonts_, QLatin1Char(','));
    }

    std::array<std::unique_ptr<GaugeImageWidget>, 12> owned_;
    std::array<std::unique_ptr<LampShapeWidget>, 8> ownedShapes_;
    GaugeImages images_{};
    LampShapes shapes_{};
    GaugeColors colors_;  // the start-up colours: red needle 0x0000FF
    GaugeFonts fonts_ = MakeGaugeFonts(96);
};

TEST_F(Dashboard, LampLightsForAnyNonZeroFlag)
{
    for (const uint8_t flag : {uint8_t(1), uint8_t(100), uint8_t(0)})
        for (const LampSpec& lamp : kLamps) {
            TEngineSample sample;
            sample.*lamp.flag = flag;
            Show(sample);
            for (const LampSpec& other : kLamps) {
                const bool on = flag != 0 && other.shape == lamp.shape;
                EXPECT_EQ(shapes_[std::size_t(other.shape - 1)]->brushColor(),
                          on ? kLampOnColor : kLampOffColor)
                    << lamp.caption << " flag " << int(flag) << ", Shape" << other.shape;
            }
        }
}

TEST_F(Dashboard, LampPaintsItsBrushColour)
{
    LampShapeWidget& lamp = *shapes_[0];
    EXPECT_EQ(lamp.size(), QSize(kLampWidth, kLampHeight));
    lamp.setBrushColor(kLampOnColor);
    EXPECT_EQ(lamp.grab().toImage().pixel(40, 12) | 0xFF000000u, qRgb(0, 128, 0));
    lamp.setBrushColor(kLampOffColor);
    EXPECT_EQ(lamp.grab().toImage().pixel(40, 12) | 0xFF000000u, qRgb(128, 0, 0));
}

TEST_F(Dashboard, EachGaugeShowsItsOwnField)
{
    // Odd images get their maximum, even ones their minimum: the needles tell them apart.
    TEngineSample sample;
    for (const GaugeSpec& g : kGauges) sample.*g.field = g.image % 2 ? g.maximum : g.minimum;
    Show(sample);
    for (const GaugeSpec& g : kGauges) {
        const QImage& picture = images_[std::size_t(g.image - 1)]->picture();
        const int angle = g.image % 2 ? 30 : 150;
        EXPECT_EQ(picture.pixel(GaugePoint(215, angle)) | 0xFF000000u, qRgb(255, 0, 0)) << g.title;
    }
}

TEST(GaugeImage, ScalesWithAspectKeptFromTheTopLeft)
{
    GaugeImageWidget widget;
    widget.picture().fill(QColor(255, 0, 0));
    const struct {
        QSize control;
        QRect shown;
    } cases[] = {
        {{300, 200}, {0, 0, 200, 200}},
        {{120, 400}, {0, 0, 120, 120}},
        {{178, 178}, {0, 0, 178, 178}},
        {{800, 900}, {0, 0, 800, 800}},
    };
    for (const auto& c : cases) {
        widget.resize(c.control);
        EXPECT_EQ(widget.pictureRect(), c.shown) << c.control.width() << "x" << c.control.height();
        const QImage shot = widget.grab().toImage();
        const QPoint inside = c.shown.bottomRight() - QPoint(1, 1);
        EXPECT_EQ(shot.pixel(inside) | 0xFF000000u, qRgb(255, 0, 0));
        if (c.control.width() > c.shown.width()) {
            EXPECT_NE(shot.pixel(c.shown.right() + 2, 1) | 0xFF000000u, qRgb(255, 0, 0));
        }
        if (c.control.height() > c.shown.height()) {
            EXPECT_NE(shot.pixel(1, c.shown.bottom() + 2) | 0xFF000000u, qRgb(255, 0, 0));
        }
    }
    EXPECT_EQ(widget.picture().size(), QSize(500, 500));  // the picture itself never changes size
}

// What the control showed when it scaled the picture at every paint.
QImage ScaledAtPaint(const QImage& picture, QRect target, QSize control)
{
    QImage shown(control, QImage::Format_RGB32);
    shown.fill(Qt::black);
    QPainter p(&shown);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(target, picture);
    return shown;
}

QImage Painted(GaugeImageWidget& widget)
{
    QImage shown(widget.size(), QImage::Format_RGB32);
    shown.fill(Qt::black);
    widget.render(&shown, QPoint(), QRegion(), QWidget::RenderFlags());
    return shown;
}

TEST(GaugeImage, KeptScaledPictureShowsTheSamePixelsAsScalingAtEveryPaint)
{
    const GaugeFonts fonts = MakeGaugeFonts(96);
    GaugeImageWidget widget;
    const struct {
        const char* name;
        QSize control;
        float value;  // drawn on the picture before the paint
    } steps[] = {
        {"first paint", {178, 178}, 800},
        {"repaint without change", {178, 178}, 800},
        {"picture changed", {178, 178}, 812.5f},
        {"smaller control", {142, 150}, 812.5f},
        {"odd size, picture changed", {245, 231}, 4500},
        {"larger than the picture", {620, 640}, 9000},
        {"tiny", {37, 37}, 0},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        widget.resize(step.control);
        DrawGauge(widget.picture(), QStringLiteral("RPM"), step.value, 0, 9000, GaugeColors{}, fonts, QLatin1Char('.'));
        EXPECT_TRUE(Painted(widget) == ScaledAtPaint(widget.picture(), widget.pictureRect(), step.control));
    }
}

TEST(GaugeImage, ASquareControlSkipsTheBackgroundUnderItWithoutChangingAPixel)
{
    QWidget window;
    window.resize(300, 260);
    window.setAutoFillBackground(true);
    QPalette red;
    red.setColor(QPalette::Window, Qt::red);
    window.setPalette(red);
    auto* gauge = new GaugeImageWidget(&window);
    DrawGauge(gauge->picture(), QStringLiteral("RPM"), 4500, 0, 9000, GaugeColors{}, MakeGaugeFonts(96),
              QLatin1Char('.'));
    window.show();
    for (const QSize size : {QSize(178, 178), QSize(240, 178)}) {
        SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height());
        gauge->setGeometry(QRect(QPoint(7, 9), size));
        const bool square = size.width() == size.height();
        EXPECT_EQ(gauge->testAttribute(Qt::WA_OpaquePaintEvent), square);
        const QImage shown = window.grab().toImage();
        gauge->setAttribute(Qt::WA_OpaquePaintEvent, false);  // the window paints under it again
        EXPECT_TRUE(shown == window.grab().toImage());
    }
}

TEST_F(Dashboard, CachedDrawingGivesTheSamePicturesAndSkipsUnchangedGauges)
{
    GaugeCaches caches;
    std::array<std::unique_ptr<GaugeImageWidget>, 12> fresh;
    GaugeImages freshImages{};
    for (std::size_t i = 0; i < fresh.size(); ++i) {
        fresh[i] = std::make_unique<GaugeImageWidget>();
        freshImages[i] = fresh[i].get();
    }
    TEngineSample sample;
    for (int step = 0; step < 4; ++step) {
        SCOPED_TRACE(testing::Message() << "sample " << step);
        if (step == 1) sample.EngineSpeed = 812.5f;
        if (step == 2) sample.CoolantTemp = 91;
        std::array<qint64, 12> before{};
        for (std::size_t i = 0; i < 12; ++i) before[i] = images_[i]->picture().cacheKey();
        DrawSampleOnDashboard(sample, images_, shapes_, colors_, fonts_, QLatin1Char(','), &caches);
        DrawSampleOnDashboard(sample, freshImages, {}, colors_, fonts_, QLatin1Char(','));
        for (const GaugeSpec& g : kGauges) {
            const std::size_t i = std::size_t(g.image - 1);
            EXPECT_TRUE(images_[i]->picture() == fresh[i]->picture()) << g.title;
            const bool changed = step == 0 || (step == 1 && g.field == &TEngineSample::EngineSpeed) ||
                                 (step == 2 && g.field == &TEngineSample::CoolantTemp);
            EXPECT_EQ(images_[i]->picture().cacheKey() != before[i], changed) << g.title;
        }
    }
}

TEST_F(Dashboard, PlaceDashboardMovesImagesAndPanel)
{
    QWidget panel;
    panel.setGeometry(0, 0, 901, kPanelHeight);
    PlaceDashboard(1000, 600, images_, &panel);
    EXPECT_EQ(images_[3]->geometry(), QRect(751, 0, 178, 178));
    EXPECT_EQ(images_[8]->geometry(), QRect(0, 357, 178, 178));
    EXPECT_EQ(panel.geometry(), QRect(0, 535, 999, kPanelHeight));
}

}  // namespace
}  // namespace dp
