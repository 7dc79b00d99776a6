// The main window's controls and menu, placed as the dashboard's design has them.

#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>

#include "app/TForm1.h"
#include "dashboard/DashboardLayout.h"
#include "dashboard/GaugeImageWidget.h"
#include "dashboard/LampShapeWidget.h"

namespace dp {

void TForm1::BuildControls()
{
    ClientArea = new QWidget(this);
    ClientArea->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(ClientArea);
    ClientArea->installEventFilter(this);

    for (std::size_t i = 0; i < Image.size(); ++i) {
        Image[i] = new GaugeImageWidget(ClientArea);
        Image[i]->setObjectName(QStringLiteral("Image%1").arg(i + 1));
        Image[i]->setToolTip(QString::fromUtf8(kGauges[i].hint));
    }

    sPanel1 = new QFrame(ClientArea);
    sPanel1->setObjectName(QStringLiteral("sPanel1"));
    sPanel1->setGeometry(0, 0, 901, kPanelHeight);

    struct ButtonSpec {
        QPushButton** button;
        int left, top, width;
        const char* caption;
        const char* hint;
        void (TForm1::*handler)();
    };
    const ButtonSpec buttons[] = {
        {&sButton1, 4, 4, 89, "Подключиться", "Подключение к ECU", &TForm1::sButton1Click},
        {&sButton2, 96, 4, 89, "Считывать", "Онлайн считывание состояния двигателя", &TForm1::sButton2Click},
        {&sButton3, 188, 4, 93, "Записывать", "Включить запись лога", &TForm1::sButton3Click},
        {&sButton4, 4, 32, 89, "Ошибки", "Считать коды ошибок", &TForm1::sButton4Click},
        {&sButton5, 96, 32, 89, "Сброс", "Сбросить ошибки", &TForm1::sButton5Click},
        {&sButton6, 188, 32, 93, "Сброс SL", "Сброс самообучения (Self learning)", &TForm1::sButton6Click},
    };
    int n = 1;
    for (const ButtonSpec& b : buttons) {
        auto* button = new QPushButton(QString::fromUtf8(b.caption), sPanel1);
        button->setObjectName(QStringLiteral("sButton%1").arg(n++));
        button->setGeometry(b.left, b.top, b.width, 25);
        button->setToolTip(QString::fromUtf8(b.hint));
        button->setCheckable(n <= 4);  // the three switches latch "down"
        connect(button, &QPushButton::clicked, this, b.handler);
        *b.button = button;
    }

    Label9 = new QLabel(QStringLiteral("0"), sPanel1);
    Label9->setObjectName(QStringLiteral("Label9"));
    Label9->move(292, 40);
    Label9->setMinimumWidth(120);
    Label9->setToolTip(QStringLiteral("Время подключения"));

    StreamStatusLabel = new QLabel(sPanel1);
    StreamStatusLabel->setObjectName(QStringLiteral("StreamStatusLabel"));
    StreamStatusLabel->setGeometry(292, 10, 250, 16);
    StreamStatusLabel->setToolTip(QStringLiteral(
        "Блок не принял непрерывный поток: до следующего подключения данные читаются двумя запросами на отсчёт"));

    Label10 = new QLabel(sPanel1);
    Label10->setObjectName(QStringLiteral("Label10"));
    Label10->setGeometry(420, 40, 124, Label9->sizeHint().height());
    Label10->setToolTip(QStringLiteral("Связь с ECU"));

    for (const LampSpec& lamp : kLamps) {
        auto* shape = new LampShapeWidget(sPanel1);
        shape->setObjectName(QStringLiteral("Shape%1").arg(lamp.shape));
        shape->setGeometry(QRect(lamp.pos, QSize(kLampWidth, kLampHeight)));
        shape->setBrushColor(kLampOffColor);
        auto* label = new QLabel(QString::fromUtf8(lamp.caption), sPanel1);
        label->setObjectName(QStringLiteral("Label%1").arg(lamp.captionLabel));
        label->setProperty("lampCaption", true);
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        label->move(lamp.captionPos);
        label->adjustSize();
        Shape[std::size_t(lamp.shape - 1)] = shape;
        LampLabel[std::size_t(lamp.shape - 1)] = label;
    }
}

void TForm1::BuildMenu()
{
    auto item = [this](QMenu* menu, QAction** action, const char* name, const char* caption, void (TForm1::*handler)()) {
        *action = menu ? menu->addAction(QString::fromUtf8(caption)) : menuBar()->addAction(QString::fromUtf8(caption));
        (*action)->setObjectName(QString::fromLatin1(name));
        if (handler) connect(*action, &QAction::triggered, this, handler);
    };
    QMenu* logMenu = menuBar()->addMenu(QStringLiteral("Лог"));
    N3 = logMenu->menuAction();
    N3->setObjectName(QStringLiteral("N3"));
    item(logMenu, &N4, "N4", "Показать", &TForm1::N4Click);
    item(logMenu, &N5, "N5", "Сохранить", &TForm1::N5Click);
    item(logMenu, &N6, "N6", "Загрузить", &TForm1::N6Click);
    item(logMenu, &N7, "N7", "Очистить", &TForm1::N7Click);
    QMenu* settingsMenu = menuBar()->addMenu(QStringLiteral("Настройки"));
    N1 = settingsMenu->menuAction();
    N1->setObjectName(QStringLiteral("N1"));
    item(settingsMenu, &COM1, "COM1", "COM порт", &TForm1::COM1Click);
    item(settingsMenu, &N2, "N2", "Цвета", &TForm1::N2Click);
    item(nullptr, &N8, "N8", "Активные тесты", &TForm1::N8Click);
    item(nullptr, &N9, "N9", "О программе", &TForm1::N9Click);
}

}  // namespace dp
