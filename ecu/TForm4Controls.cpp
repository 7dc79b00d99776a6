// The active tests window's controls: nine group boxes on a three-by-three grid, each
// with its input control and its Start and Stop buttons.

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>

#include "ecu/OnOffSwitch.h"
#include "ecu/TForm4.h"
#include "ecu/TrackEditWidget.h"

namespace dp {
namespace {

constexpr const char* kGroupCaptions[9] = {
    "Управление температурой ОЖ",
    "Корректировка времени впрыска (%)",
    "Корректировка УОЗ",
    "Положение КХХ",
    "Отключение цилиндров",
    "Топливный насос",
    "VTC",
    "Fan Hi",
    "P/REG control solenoid",
};
constexpr int kColumns[3] = {8, 240, 472};
constexpr int kRows[3] = {8, 148, 288};

}  // namespace

void TForm4::BuildControls()
{
    int trackEdits = 0;
    int switches = 0;
    for (int g = 0; g < 9; ++g) {
        auto* box = new QGroupBox(QString::fromUtf8(kGroupCaptions[g]), this);
        box->setObjectName(QStringLiteral("sGroupBox%1").arg(g + 1));
        box->setGeometry(kColumns[g % 3], kRows[g / 3], 225, 133);
        sGroupBox[std::size_t(g)] = box;

        const ActiveTestSpec& test = kActiveTests[std::size_t(g)];
        switch (test.input) {
        case TestInputKind::TrackEdit: {
            auto* edit = new TrackEditWidget(test.min, test.max, box);
            edit->setObjectName(QStringLiteral("sTrackEdit%1").arg(trackEdits + 1));
            edit->setGeometry(20, 32, 177, 21);
            sTrackEdit[std::size_t(trackEdits++)] = edit;
            break;
        }
        case TestInputKind::Cylinders:
            for (int n = 0; n < 8; ++n) {
                auto* check = new QCheckBox(QString::number(n + 1), box);
                check->setObjectName(QStringLiteral("sCheckBox%1").arg(n + 1));
                check->setGeometry(28 + 44 * (n % 4), n < 4 ? 28 : 52, 26, 17);
                sCheckBox[std::size_t(n)] = check;
            }
            break;
        case TestInputKind::Switch: {
            auto* slider = new OnOffSwitch(box);
            slider->setObjectName(QStringLiteral("sSlider%1").arg(switches + 1));
            slider->setGeometry(72, 36, 57, 21);
            sSlider[std::size_t(switches++)] = slider;
            break;
        }
        }

        for (int k = 0; k < 2; ++k) {
            const int number = 2 * g + k + 1;
            auto* button = new QPushButton(k == 0 ? QStringLiteral("Старт") : QStringLiteral("Стоп"), box);
            button->setObjectName(QStringLiteral("sButton%1").arg(number));
            button->setGeometry(k == 0 ? 24 : 120, 80, 75, 25);
            button->setAutoDefault(false);  // Enter in an edit box must not start a test
            sButton[std::size_t(number - 1)] = button;
        }
    }

    void (TForm4::*const handlers[18])() = {
        &TForm4::sButton1Click,  &TForm4::sButton2Click,  &TForm4::sButton3Click,  &TForm4::sButton4Click,
        &TForm4::sButton5Click,  &TForm4::sButton6Click,  &TForm4::sButton7Click,  &TForm4::sButton8Click,
        &TForm4::sButton9Click,  &TForm4::sButton10Click, &TForm4::sButton11Click, &TForm4::sButton12Click,
        &TForm4::sButton13Click, &TForm4::sButton14Click, &TForm4::sButton15Click, &TForm4::sButton16Click,
        &TForm4::sButton17Click, &TForm4::sButton18Click,
    };
    for (std::size_t i = 0; i < sButton.size(); ++i) connect(sButton[i], &QPushButton::clicked, this, handlers[i]);
}

}  // namespace dp
