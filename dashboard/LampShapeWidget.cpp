#include "dashboard/LampShapeWidget.h"

#include "dashboard/Colors.h"
#include "dashboard/DashboardLayout.h"

#include <QPainter>
#include <algorithm>

namespace dp {

LampShapeWidget::LampShapeWidget(QWidget* parent) : QWidget(parent), brushColor_(kLampOffColor)
{
    resize(kLampWidth, kLampHeight);
}

void LampShapeWidget::setBrushColor(uint32_t value)
{
    if (value == brushColor_) return;
    brushColor_ = value;
    update();
}

void LampShapeWidget::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(ColorFromValue(brushColor_, palette()));
    const double radius = std::min(width(), height()) / 8.0;
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

}  // namespace dp
