#include "ecu/OnOffSwitch.h"

#include <QPainter>

namespace dp {

OnOffSwitch::OnOffSwitch(QWidget* parent) : QAbstractButton(parent)
{
    setCheckable(true);
    setChecked(true);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

void OnOffSwitch::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF track = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal radius = track.height() / 2;
    QColor fill = isOn() ? QColor(0x3c, 0x9a, 0x3c) : QColor(0x3a, 0x3a, 0x3a);
    if (!isEnabled()) fill = fill.darker(160);
    p.setPen(QPen(hasFocus() ? QColor(0xd0, 0xd0, 0xd0) : QColor(0x2a, 0x2a, 0x2a), 1));
    p.setBrush(fill);
    p.drawRoundedRect(track, radius, radius);

    const qreal d = track.height() - 4;
    const qreal x = isOn() ? track.right() - 2 - d : track.left() + 2;
    p.setPen(Qt::NoPen);
    p.setBrush(isEnabled() ? QColor(0xee, 0xee, 0xee) : QColor(0x8a, 0x8a, 0x8a));
    p.drawEllipse(QRectF(x, track.top() + 2, d, d));
}

}  // namespace dp
