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

void GaugeImageWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // A picture that covers the whole control (the dashboard makes every control square)
    // hides what lies under it, so the window need not paint that first.
    setAttribute(Qt::WA_OpaquePaintEvent, pictureRect() == rect());
}

void GaugeImageWidget::paintEvent(QPaintEvent*)
{
    const QRect target = pictureRect();
    if (target.isEmpty()) return;
    // Scaled in device pixels, exactly as drawing the picture scaled onto the control would.
    const qreal ratio = devicePixelRatioF();
    const QSize device = (QSizeF(target.size()) * ratio).toSize();
    if (scaled_.size() != device || scaled_.devicePixelRatio() != ratio || scaledFrom_ != picture_.cacheKey()) {
        scaled_ = QImage(device, picture_.format());
        scaled_.setDevicePixelRatio(ratio);
        QPainter s(&scaled_);
        s.setRenderHint(QPainter::SmoothPixmapTransform);
        s.drawImage(QRect(QPoint(0, 0), target.size()), picture_);
        scaledFrom_ = picture_.cacheKey();
    }
    QPainter p(this);
    p.drawImage(target.topLeft(), scaled_);
}

}  // namespace dp
