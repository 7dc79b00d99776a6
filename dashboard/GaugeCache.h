#pragma once
// Draws one dial with exactly the pixels DrawGauge would draw from scratch, doing only
// the work the change since its previous drawing needs. What never changes between
// samples (background, title, scale) is kept ready in a face picture of its own; a
// changed readout or needle has its old rectangle copied back from the face and is
// drawn anew. That is the same as drawing from scratch because no part drawn after the
// readout reaches into its rectangle except the needle, which is then drawn again too;
// where a readout's rectangle holds ink of the scale, the dial is drawn from scratch.
// The last few readouts are kept as drawn over the face, and copied when they recur.

#include <QColor>
#include <QImage>
#include <QString>
#include <vector>

#include "dashboard/GaugeRenderer.h"

namespace dp {

class GaugeCache {
public:
    // Returns whether the picture changed. Any change of title, range, colour, font,
    // picture, or a drawing on the picture by anyone else, is noticed: the dial is then
    // drawn from scratch.
    bool Draw(QImage& picture, const QString& title, float value, float minimum, float maximum,
              const GaugeColors& colors, const GaugeFonts& fonts, QChar decimalPoint,
              const QPalette& palette = QGuiApplication::palette());

    // How the last drawings went, for tests and benchmarks.
    long fullDrawings() const { return full_; }
    long partialDrawings() const { return partial_; }

private:
    struct Look {
        QString title;
        float minimum = 0, maximum = 0;
        QColor background, titleColor, scale, needle, digit;
        QFont titleFont, readoutFont, scaleFont;
        QSize size;
        QImage::Format format = QImage::Format_Invalid;
        bool operator==(const Look&) const = default;
    };

    void DrawFromScratch(QImage& picture, const GaugeColors& colors, const GaugeFonts& fonts, QChar decimalPoint,
                         const QPalette& palette, float value);
    // Whether any pixel of the scale lies in the rectangle.
    bool ReachesScale(const QRect& r) const;

    // A readout as drawn over the face: its rectangle and the pixels there. Readings
    // that come and go (an idling engine's speed) are then copied, not drawn again.
    struct Patch {
        QString text;
        QRect rect;
        QImage pixels;
    };
    static constexpr std::size_t kPatches = 8;
    const Patch* FindPatch(const QString& text);  // moves it to the front
    void KeepPatch(const QString& text, const QRect& rect, const QImage& picture);

    Look look_;
    QImage face_;
    QImage scaleInk_;  // the scale alone on a transparent picture: where it left any ink
    bool valid_ = false;
    qint64 drawnKey_ = 0;  // the picture as this cache left it
    QString text_;
    int angle_ = 0;
    QRect readoutRect_, needleRect_;
    std::vector<Patch> patches_;  // most recently used first
    long full_ = 0, partial_ = 0;
};

}  // namespace dp
