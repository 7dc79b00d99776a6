#include "app/AppIcon.h"

#include <QPainter>
#include <QSvgRenderer>
#include <algorithm>

namespace dp {

QPixmap EmblemPixmap(QSize size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(QString::fromLatin1(kEmblemResource));
    if (!renderer.isValid()) return pixmap;
    const int side = std::min(size.width(), size.height());
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF((size.width() - side) / 2.0, (size.height() - side) / 2.0, side, side));
    return pixmap;
}

QIcon AppIcon()
{
    QIcon icon;
    for (int side : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(EmblemPixmap(QSize(side, side)));
    return icon;
}

}  // namespace dp
