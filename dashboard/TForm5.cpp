#include "dashboard/TForm5.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "dashboard/ColorBoxWidget.h"
#include "dashboard/ColorSwatchWidget.h"

namespace dp {
namespace {

constexpr std::array<int, 4> kRowTops = {28, 60, 92, 124};
constexpr std::array<const char*, 4> kCaptions = {"Стрелки", "Названия", "Цыфры", "Шкалы"};
constexpr std::array<const char*, 4> kCustomButtonNames = {"sButton1", "sButton4", "sButton5", "sButton6"};

QPushButton* MakeButton(QWidget* parent, const char* name, const char* text, QRect geometry)
{
    auto* button = new QPushButton(QString::fromUtf8(text), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    button->setAutoDefault(false);  // Enter presses no button by itself
    return button;
}

}  // namespace

TForm5::TForm5(DashboardColorFields colors, QWidget* parent)
    : QDialog(parent),
      sColorDialog1(this),
      fields_{&colors.NeedleColor, &colors.TitleColor, &colors.DigitColor, &colors.ScaleColor}
{
    setObjectName(QStringLiteral("TForm5"));
    setWindowTitle(QStringLiteral("  Настройки цвета"));
    setFixedSize(374, 248);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    std::array<QPushButton*, 4> custom{};
    for (std::size_t row = 0; row < 4; ++row) {
        const int top = kRowTops[row];
        const QString number = QString::number(row + 1);
        sLabel[row] = new QLabel(QString::fromUtf8(kCaptions[row]), this);
        sLabel[row]->setObjectName(QStringLiteral("sLabel") + number);
        sLabel[row]->move(16, top + 4);
        sLabel[row]->adjustSize();
        sColorBox[row] = new ColorBoxWidget(this);
        sColorBox[row]->setObjectName(QStringLiteral("sColorBox") + number);
        sColorBox[row]->setGeometry(84, top, 145, 22);
        custom[row] = MakeButton(this, kCustomButtonNames[row], "Свой", {240, top, 75, 25});
        Shape[row] = new ColorSwatchWidget(this);
        Shape[row]->setObjectName(QStringLiteral("Shape") + number);
        Shape[row]->setGeometry(332, top, 29, 25);
    }
    sButton1 = custom[0];
    sButton4 = custom[1];
    sButton5 = custom[2];
    sButton6 = custom[3];
    sButton2 = MakeButton(this, "sButton2", "Применить", {108, 200, 75, 25});
    sButton3 = MakeButton(this, "sButton3", "Отмена", {204, 200, 75, 25});

    QWidget* const focusOrder[] = {sColorBox[0], sButton1,     sButton2,     sButton3, sColorBox[1],
                                   sColorBox[2], sColorBox[3], sButton4,     sButton5, sButton6};
    for (std::size_t i = 0; i + 1 < std::size(focusOrder); ++i) setTabOrder(focusOrder[i], focusOrder[i + 1]);

    // activated: only a pick by the user changes a swatch.
    connect(sColorBox[0], &QComboBox::activated, this, &TForm5::sColorBox1Change);
    connect(sColorBox[1], &QComboBox::activated, this, &TForm5::sColorBox2Change);
    connect(sColorBox[2], &QComboBox::activated, this, &TForm5::sColorBox3Change);
    connect(sColorBox[3], &QComboBox::activated, this, &TForm5::sColorBox4Change);
    connect(sButton1, &QPushButton::clicked, this, &TForm5::sButton1Click);
    connect(sButton4, &QPushButton::clicked, this, &TForm5::sButton4Click);
    connect(sButton5, &QPushButton::clicked, this, &TForm5::sButton5Click);
    connect(sButton6, &QPushButton::clicked, this, &TForm5::sButton6Click);
    connect(sButton2, &QPushButton::clicked, this, &TForm5::sButton2Click);
    connect(sButton3, &QPushButton::clicked, this, &TForm5::sButton3Click);
}

void TForm5::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();  // not when the system merely restores the window
}

// Escape would hide the dialog by itself; only "Отмена" and the close button do.
void TForm5::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TForm5::FormShow()
{
    for (std::size_t row = 0; row < 4; ++row) Shape[row]->setBrushColor(*fields_[row]);
}

void TForm5::TakeBoxColor(std::size_t row) { Shape[row]->setBrushColor(sColorBox[row]->selectedColor()); }

void TForm5::TakePickedColor(std::size_t row)
{
    if (const auto picked = sColorDialog1.Execute()) Shape[row]->setBrushColor(*picked);
}

void TForm5::sButton2Click()
{
    for (std::size_t row = 0; row < 4; ++row) *fields_[row] = Shape[row]->brushColor();
    RedrawRequested = true;
    hide();
}

void TForm5::sButton3Click() { hide(); }

}  // namespace dp
