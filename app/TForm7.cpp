#include "app/TForm7.h"

#include <QLabel>

#include "app/AppIcon.h"

namespace dp {

TForm7::TForm7(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TForm7"));
    setWindowTitle(QStringLiteral("DravikProbe"));
    setFixedSize(309, 317);
    // Shown where it was designed to stand, not centred over the main window.
    move(kDesignedPos);
    sImage1 = new QLabel(this);
    sImage1->setObjectName(QStringLiteral("sImage1"));
    sImage1->setGeometry(92, 8, 129, 125);
    sImage1->setPixmap(EmblemPixmap(QSize(129, 125)));
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
