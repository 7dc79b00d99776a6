#include "dashboard/GaugeImageWidget.h"

#include "dashboard/GaugeRenderer.h"

#include <QPainter>

namespace dp {

GaugeImageWidget::GaugeImageWidget(QWidget* parent)
    : QWidget(parent), picture_(kGaugePictureSize, kGaugePictureSize, QImage::Format_RGB32)
{
    picture_.fill(Qt::black);
}

QRect GaugeImageWidget::pictureRect() const
{
    return QRect(QPoint(0, 0), picture_.size().scaled(size(), Qt::KeepAspectRatio));
}

void GaugeImageWidget::paintEvent(QPaintEvent*)
{
    const QRect target = pictureRect();
    if (target.isEmpty()) return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(target, picture_);
}

}  // namespace dp
