#include "dashboard/ColorSwatchWidget.h"

#include <QPainter>
#include <algorithm>

#include "dashboard/Colors.h"

namespace dp {

ColorSwatchWidget::ColorSwatchWidget(QWidget* parent) : QWidget(parent) {}

void ColorSwatchWidget::setBrushColor(uint32_t value)
{
    if (value == brushColor_) return;
    brushColor_ = value;
    update();
}

void ColorSwatchWidget::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(ColorFromValue(brushColor_, palette()));
    const double radius = std::min(width(), height()) / 4.0;
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

}  // namespace dp
