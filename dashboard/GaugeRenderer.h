#pragma once
// One round dial gauge drawn from scratch onto a 500 x 500 picture: background,
// title, readout, scale with numbers, needle. Nothing is kept between calls.

#include <QChar>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPalette>
#include <QPoint>
#include <QString>
#include <array>
#include <cstdint>

namespace dp {

constexpr int kGaugePictureSize = 500;
constexpr int kGaugeCentre = 250;
constexpr int kScaleStartAngle = 150;  // degrees, clockwise from the positive x axis
constexpr int kScaleSweep = 240;

// Colour values 0x00BBGGRR (or system colours, see Colors.h).
struct GaugeColors {
    uint32_t background = 0x505050;
    uint32_t title = 0xFFFFFF;
    uint32_t scale = 0x008000;
    uint32_t needle = 0x0000FF;
    uint32_t digit = 0xFFFFFF;
};

// The three bold fonts of a dial, sized for the screen. Made once: the family lookup
// is the only costly part.
struct GaugeFonts {
    QFont title;    // 30 pt
    QFont readout;  // 56 pt
    QFont scale;    // 29 pt
};

// "Book Antiqua" where installed, else "TeX Gyre Pagella", else the default serif face.
QString GaugeFontFamily();
// Character height in pixels of a size in points: round(points * ppi / 72).
int FontPixelHeight(double points, double ppi);
GaugeFonts MakeGaugeFonts(double ppi, const QString& family = GaugeFontFamily());

// P(r, theta): centre plus (round(r cos), round(r sin)), ties to even.
QPoint GaugePoint(double radius, int degrees);
// The reading rounded to one decimal (ties to even), as the dial shows and uses it.
float RoundToTenth(float value);
// Whole-degree needle angle of an already rounded value, clamped to the scale.
int NeedleAngle(float value, float minimum, float maximum);
// The numbers at the seven major ticks.
std::array<long long, 7> ScaleNumbers(float minimum, float maximum);

void DrawGauge(QImage& picture, const QString& title, float value, float minimum, float maximum,
               const GaugeColors& colors, const GaugeFonts& fonts, QChar decimalPoint,
               const QPalette& palette = QGuiApplication::palette());

}  // namespace dp
