#pragma once
// One round dial gauge drawn from scratch onto a 500 x 500 picture: background,
// title, readout, scale with numbers, needle. Nothing is kept between calls; the
// dashboard's GaugeCache draws the same pixels doing only what a change needs.

#include <QChar>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPalette>
#include <QPoint>
#include <QString>
#include <QRect>
#include <array>
#include <cstdint>

class QPainter;

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

// The parts of a dial in the order DrawGauge draws them, for drawing only what changed.
// Each sets the painter state it needs; BeginGaugePainting sets the render hints.
void BeginGaugePainting(QPainter& p);
void DrawGaugeFace(QPainter& p, const QString& title, const QColor& background, const QColor& titleColor,
                   const GaugeFonts& fonts);  // background and title
void DrawGaugeReadout(QPainter& p, const QString& text, const QColor& digitColor, const GaugeFonts& fonts);
void DrawGaugeScale(QPainter& p, float minimum, float maximum, const QColor& scaleColor, const QColor& digitColor,
                    const GaugeFonts& fonts);  // ticks and numbers
void DrawGaugeNeedle(QPainter& p, int angle, const QColor& needleColor);
// The readout's text for a reading already rounded to one decimal.
QString ReadoutText(float roundedValue, QChar decimalPoint);
// Rectangles holding every pixel the part may touch.
QRect ReadoutBounds(const QString& text, const GaugeFonts& fonts);
QRect NeedleBounds(int angle);

void DrawGauge(QImage& picture, const QString& title, float value, float minimum, float maximum,
               const GaugeColors& colors, const GaugeFonts& fonts, QChar decimalPoint,
               const QPalette& palette = QGuiApplication::palette());

}  // namespace dp
