#include "app/TForm7.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>

namespace dp {
namespace {

// The emblem: a small dial with its needle, drawn rather than shipped as a file.
QPixmap Emblem()
{
    QPixmap pixmap(129, 125);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 128, 0), 6, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(10, 8, 109, 109), -30 * 16, 240 * 16);
    p.setPen(QPen(QColor(255, 0, 0), 7, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(64.5, 62.5), QPointF(98, 30));
    p.setBrush(QColor(220, 220, 220));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(64.5, 62.5), 8, 8);
    return pixmap;
}

}  // namespace

TForm7::TForm7(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TForm7"));
    setWindowTitle(QStringLiteral("DravikProbe"));
    setFixedSize(309, 317);
    sImage1 = new QLabel(this);
    sImage1->setObjectName(QStringLiteral("sImage1"));
    sImage1->setGeometry(92, 8, 129, 125);
    sImage1->setPixmap(Emblem());
    sImage1->setAttribute(Qt::WA_TranslucentBackground);

    sLabel1 = new QLabel(QStringLiteral("Dravik Probe"), this);
    sLabel1->setObjectName(QStringLiteral("sLabel1"));
    QFont big(QStringLiteral("MS Sans Serif"));
    big.setPixelSize(24);
    big.setBold(true);
    sLabel1->setFont(big);
    sLabel1->setGeometry(0, 140, 309, 30);
    sLabel1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    sLabel1->setIndent(72);

    sLabel2 = new QLabel(QStringLiteral("V 1.0.0.9"), this);
    sLabel2->setObjectName(QStringLiteral("sLabel2"));
    QFont small(QStringLiteral("MS Sans Serif"));
    small.setPixelSize(19);
    sLabel2->setFont(small);
    sLabel2->setGeometry(116, 176, 120, 24);
}

}  // namespace dp
