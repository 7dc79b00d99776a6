// The log viewer's controls, placed as the window was designed.

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "log/Channels.h"
#include "log/TForm2.h"
#include "log/ViewerChart.h"
#include "log/ViewerLayout.h"

namespace dp {

namespace {

QFont PointFont(const QFont& base, int points, bool bold = false)
{
    QFont font(base);
    font.setPixelSize(points * 96 / 72);  // as designed at 96 dots per inch
    font.setBold(bold);
    return font;
}

// The channel grid was designed for a narrow face; a condensed one keeps its texts
// clear of the neighbouring boxes.
QFont Condensed(QFont font)
{
    font.setStretch(QFont::Condensed);
    return font;
}

}  // namespace

void TForm2::BuildControls()
{
    for (int i = 0; i < int(kChannelCount); ++i) {
        const ChannelGridPlace at = ChannelGridPlaceOf(i);
        auto* label = new QLabel(QString::fromUtf8(kChannels[std::size_t(i)].Caption), this);
        label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        label->setFont(Condensed(PointFont(font(), 10)));
        label->move(at.LabelX, at.Y);
        label->adjustSize();
        Label[std::size_t(i)] = label;
        const int boxX[2] = {at.Graf1X, at.Graf2X};
        for (int k = 0; k < 2; ++k) {
            auto* box = new QCheckBox(k == 0 ? QStringLiteral("Graf 1") : QStringLiteral("Graf 2"), this);
            box->setObjectName(QStringLiteral("sCheckBox%1").arg(2 * i + k + 1));
            box->setGeometry(boxX[k], at.Y, 49, 17);
            box->setFont(Condensed(box->font()));
            connect(box, &QCheckBox::clicked, this, &TForm2::sCheckBoxClick);
            sCheckBox[std::size_t(2 * i + k)] = box;
        }
    }

    sPanel1 = new QFrame(this);
    sPanel1->setObjectName(QStringLiteral("sPanel1"));
    sPanel1->setGeometry(0, kNavPanelTop, kViewerClientWidth, kNavPanelHeight);

    struct ButtonSpec {
        QPushButton** button;
        const char* name;
        int x;
        const char* caption;
        const char* hint;
        void (TForm2::*handler)();
    };
    const ButtonSpec buttons[] = {
        {&sButton1, "sButton1", 4, "|<", "В начало", &TForm2::sButton1Click},
        {&sButton2, "sButton2", 40, "<<", "На 5 сек назад", &TForm2::sButton2Click},
        {&sButton3, "sButton3", 76, "<", "Назад", &TForm2::sButton3Click},
        {&sButton6, "sButton6", 664, ">", "Вперед", &TForm2::sButton6Click},
        {&sButton5, "sButton5", 700, ">>", "На 5 сек вперед", &TForm2::sButton5Click},
        {&sButton4, "sButton4", 736, ">|", "В конец", &TForm2::sButton4Click},
    };
    for (const ButtonSpec& b : buttons) {
        auto* button = new QPushButton(QString::fromUtf8(b.caption), sPanel1);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setGeometry(b.x, 12, 33, 25);
        button->setToolTip(QString::fromUtf8(b.hint));
        connect(button, &QPushButton::clicked, this, b.handler);
        *b.button = button;
    }

    sLabel1 = new QLabel(QStringLiteral("0"), sPanel1);
    sLabel1->setObjectName(QStringLiteral("sLabel1"));
    sLabel1->setFont(PointFont(font(), 10, true));
    sLabel1->setGeometry(120, 16, 72, 17);

    const char* const startTexts[4] = {"RPM", "Speed", "Throtle", "MAF"};
    QLabel** panels[4] = {&sPanel2, &sPanel3, &sPanel4, &sPanel5};
    for (int k = 0; k < 4; ++k) {
        const int x = 196 + 100 * k;
        auto* box = new QComboBox(sPanel1);
        box->setObjectName(QStringLiteral("sComboBox%1").arg(k + 1));
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        for (const Channel& channel : kChannels) box->addItem(QString::fromUtf8(channel.Name));
        box->setCurrentIndex(-1);
        box->setEditText(QString::fromUtf8(startTexts[k]));
        box->setGeometry(x, 4, 97, 21);
        connect(box, &QComboBox::currentIndexChanged, this, &TForm2::sComboBoxChange);
        connect(box, &QComboBox::editTextChanged, this, &TForm2::sComboBoxChange);
        sComboBox[std::size_t(k)] = box;

        auto* panel = new QLabel(QStringLiteral("0"), sPanel1);
        panel->setObjectName(QStringLiteral("sPanel%1").arg(k + 2));
        panel->setProperty("readout", true);
        panel->setAlignment(Qt::AlignCenter);
        panel->setGeometry(x, 28, 97, 17);
        *panels[k] = panel;
    }

    setStyleSheet(QStringLiteral("QCheckBox { spacing: 2px; }"
                                 "QLabel[readout=\"true\"] { background-color: #3a3a3a; border: 1px solid #2a2a2a; }"));

    Chart1 = new ViewerChart(true, this);
    Chart1->setObjectName(QStringLiteral("Chart1"));
    Chart2 = new ViewerChart(false, this);
    Chart2->setObjectName(QStringLiteral("Chart2"));
}

}  // namespace dp
