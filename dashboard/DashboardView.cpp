#include "dashboard/DashboardView.h"

#include "dashboard/DashboardLayout.h"
#include "dashboard/GaugeImageWidget.h"
#include "dashboard/LampShapeWidget.h"

namespace dp {

void DrawSampleOnDashboard(const TEngineSample& sample, const GaugeImages& images, const LampShapes& shapes,
                           const GaugeColors& colors, const GaugeFonts& fonts, QChar decimalPoint,
                           GaugeCaches* caches)
{
    for (const GaugeSpec& gauge : kGauges) {
        const std::size_t i = std::size_t(gauge.image - 1);
        GaugeImageWidget* image = images[i];
        if (!image) continue;
        const QString title = QString::fromUtf8(gauge.title);
        if (caches) {
            if ((*caches)[i].Draw(image->picture(), title, sample.*gauge.field, gauge.minimum, gauge.maximum, colors,
                                  fonts, decimalPoint, image->palette()))
                image->update();
        } else {
            DrawGauge(image->picture(), title, sample.*gauge.field, gauge.minimum, gauge.maximum, colors, fonts,
                      decimalPoint, image->palette());
            image->update();
        }
    }
    for (const LampSpec& lamp : kLamps)
        if (LampShapeWidget* shape = shapes[std::size_t(lamp.shape - 1)])
            shape->setBrushColor(LampColor(sample.*lamp.flag));
}

void PlaceDashboard(int clientWidth, int clientHeight, const GaugeImages& images, QWidget* panel)
{
    const DashboardGeometry g = DashboardGeometryFor(clientWidth, clientHeight);
    for (std::size_t i = 0; i < images.size(); ++i)
        if (images[i]) images[i]->setGeometry(g.images[i]);
    if (panel) panel->setGeometry(panel->x(), g.panelTop, g.panelWidth, panel->height());
}

}  // namespace dp
