#include "dashboard/DashboardLayout.h"
#include "dashboard/DashboardView.h"
#include "dashboard/GaugeImageWidget.h"
#include "dashboard/LampShapeWidget.h"

#include <gtest/gtest.h>

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
