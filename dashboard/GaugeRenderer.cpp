#include "dashboard/GaugeRenderer.h"

#include "common/NumberFormat.h"
#include "common/Rounding.h"
#include "dashboard/Colors.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace dp {
namespace {

constexpr double kTitlePoints = 30;
constexpr double kReadoutPoints = 56;
constexpr double kScalePoints = 29;
constexpr int kReadoutDigits = 5;
constexpr int kNeedleWidth = 9;
const QPoint kReadoutCentre(250, 400);
// Anti-aliasing and glyph outlines may reach a little past the measured boxes.
constexpr int kBoundsMargin = 3;


QFont GaugeFont(const QString& family, double points, double ppi)
{
    QFont font(family);
    font.setStyleHint(QFont::Serif);
    font.setBold(true);
    font.setPixelSize(FontPixelHeight(points, ppi));
    // With lighter hinting, glyphs drawn as outlines (the readout is too large for the
    // glyph cache) came out slightly differently depending on which other glyphs had
    // been drawn before, so the same dial drawn twice could differ. Full hinting makes
    // a drawing depend on its arguments alone.
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

// The baseline origin of a text whose top-left corner is at (cx - w div 2, cy - h div 2).
QPoint TextOrigin(const QFontMetrics& fm, const QString& text, QPoint centre)
{
    const int left = centre.x() - fm.horizontalAdvance(text) / 2;
    const int top = centre.y() - fm.height() / 2;
    return {left, top + fm.ascent()};
}

// The text's line box, widened by an eighth of its height for glyphs that overhang
// their advance; the line's ascent and descent already hold the glyphs' height. Only
// metrics the drawing itself asks for are used: asking for a glyph's ink box changes
// how its next drawing comes out.
QRect TextBounds(const QFontMetrics& fm, const QString& text, QPoint centre)
{
    const QPoint origin = TextOrigin(fm, text, centre);
    const int overhang = fm.height() / 8 + kBoundsMargin;
    return QRect(origin - QPoint(0, fm.ascent()), QSize(fm.horizontalAdvance(text), fm.height()))
        .adjusted(-overhang, -kBoundsMargin, overhang, kBoundsMargin);
}

void DrawCentredText(QPainter& p, const QFont& font, const QColor& color, const QString& text,
                     QPoint centre)
{
    p.setFont(font);
    p.setPen(color);
    p.drawText(TextOrigin(QFontMetrics(font), text, centre), text);  // drawText places the baseline
}

// Pixel centres, so that odd widths cover whole pixels on both sides.
void DrawRadial(QPainter& p, double inner, double outer, int degrees)
{
    const QPointF half(0.5, 0.5);
    p.drawLine(QPointF(GaugePoint(inner, degrees)) + half, QPointF(GaugePoint(outer, degrees)) + half);
}

QPen WidePen(const QColor& color, int width)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

}  // namespace

QString GaugeFontFamily()
{
    const QStringList installed = QFontDatabase::families();
    for (const char* name : {"Book Antiqua", "TeX Gyre Pagella"})
        if (installed.contains(QLatin1String(name), Qt::CaseInsensitive)) return QLatin1String(name);
    QFont serif;
    serif.setStyleHint(QFont::Serif);
    return serif.defaultFamily();
}

int FontPixelHeight(double points, double ppi)
{
    if (!(ppi > 0) || !std::isfinite(ppi)) ppi = 96;
    return std::clamp(int(RoundHalfToEven(points * ppi / 72.0)), 1, 4096);
}

GaugeFonts MakeGaugeFonts(double ppi, const QString& family)
{
    return {GaugeFont(family, kTitlePoints, ppi), GaugeFont(family, kReadoutPoints, ppi),
            GaugeFont(family, kScalePoints, ppi)};
}

QPoint GaugePoint(double radius, int degrees)
{
    const double rad = degrees * std::numbers::pi / 180.0;
    return {kGaugeCentre + int(RoundHalfToEven(radius * std::cos(rad))),
            kGaugeCentre + int(RoundHalfToEven(radius * std::sin(rad)))};
}

float RoundToTenth(float value)
{
    // value * 10 is exact in double, so only the halving rule decides.
    return float(RoundHalfToEven(double(value) * 10.0) / 10.0);
}

int NeedleAngle(float value, float minimum, float maximum)
{
    // A reading that is not a number, or a range without width, rests at the start.
    if (std::isnan(value) || !(maximum > minimum)) return kScaleStartAngle;
    double v = value;
    if (v < minimum) v = minimum;
    if (v > maximum) v = maximum;
    // Multiplying first keeps exact halves exact, so ties round to even as intended.
    double share = (v - minimum) * kScaleSweep / (double(maximum) - double(minimum));
    if (!(share >= 0)) share = 0;  // NaN from infinite ranges
    return kScaleStartAngle + int(RoundHalfToEven(std::min<double>(share, kScaleSweep)));
}

std::array<long long, 7> ScaleNumbers(float minimum, float maximum)
{
    std::array<long long, 7> numbers{};
    const double lo = minimum, span = double(maximum) - double(minimum);
    for (int k = 0; k < 7; ++k) {
        const double n = RoundHalfToEven(lo + span * k / 6.0);
        // Beyond +-9e18 (or NaN) the number cannot be held; show the nearest limit.
        numbers[std::size_t(k)] = std::isnan(n) ? 0 : (long long)std::clamp(n, -9.0e18, 9.0e18);
    }
    return numbers;
}

QString ReadoutText(float roundedValue, QChar decimalPoint)
{
    return FormatGeneral(roundedValue, kReadoutDigits, decimalPoint);
}

void BeginGaugePainting(QPainter& p)
{
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
}

void DrawGaugeFace(QPainter& p, const QString& title, const QColor& background, const QColor& titleColor,
                   const GaugeFonts& fonts)
{
    p.fillRect(p.window(), background);  // the whole picture
    DrawCentredText(p, fonts.title, titleColor, title, {250, 300});
}

void DrawGaugeReadout(QPainter& p, const QString& text, const QColor& digitColor, const GaugeFonts& fonts)
{
    DrawCentredText(p, fonts.readout, digitColor, text, kReadoutCentre);
}

void DrawGaugeScale(QPainter& p, float minimum, float maximum, const QColor& scaleColor, const QColor& digitColor,
                    const GaugeFonts& fonts)
{
    const std::array<long long, 7> numbers = ScaleNumbers(minimum, maximum);
    for (int k = 0; k < 7; ++k) {
        const int angle = kScaleStartAngle + 40 * k;
        p.setPen(WidePen(scaleColor, 5));
        DrawRadial(p, 200, 235, angle);
        DrawCentredText(p, fonts.scale, digitColor, QString::number(numbers[std::size_t(k)]),
                        GaugePoint(165, angle));
        if (k < 6) {
            p.setPen(WidePen(scaleColor, 3));
            for (int minor = 10; minor <= 30; minor += 10) DrawRadial(p, 215, 235, angle + minor);
        }
    }
}

void DrawGaugeNeedle(QPainter& p, int angle, const QColor& needleColor)
{
    p.setPen(WidePen(needleColor, kNeedleWidth));
    const QPointF half(0.5, 0.5);
    p.drawLine(QPointF(kGaugeCentre, kGaugeCentre) + half, QPointF(GaugePoint(230, angle)) + half);
}

QRect ReadoutBounds(const QString& text, const GaugeFonts& fonts)
{
    return TextBounds(QFontMetrics(fonts.readout), text, kReadoutCentre);
}

QRect NeedleBounds(int angle)
{
    const int reach = (kNeedleWidth + 1) / 2 + kBoundsMargin;
    return QRect(QPoint(kGaugeCentre, kGaugeCentre), GaugePoint(230, angle))
        .normalized()
        .adjusted(-reach, -reach, reach + 1, reach + 1);
}

void DrawGauge(QImage& picture, const QString& title, float value, float minimum, float maximum,
               const GaugeColors& colors, const GaugeFonts& fonts, QChar decimalPoint,
               const QPalette& palette)
{
    if (picture.isNull()) return;
    QPainter p(&picture);
    if (!p.isActive()) return;
    BeginGaugePainting(p);
    const QColor digitColor = ColorFromValue(colors.digit, palette);
    DrawGaugeFace(p, title, ColorFromValue(colors.background, palette), ColorFromValue(colors.title, palette),
                  fonts);
    // The readout shows the rounded reading before clamping: out-of-range values show
    // their own number while the needle rests at the scale's end.
    const float v = RoundToTenth(value);
    DrawGaugeReadout(p, ReadoutText(v, decimalPoint), digitColor, fonts);
    DrawGaugeScale(p, minimum, maximum, ColorFromValue(colors.scale, palette), digitColor, fonts);
    DrawGaugeNeedle(p, NeedleAngle(v, minimum, maximum), ColorFromValue(colors.needle, palette));
}

}  // namespace dp
