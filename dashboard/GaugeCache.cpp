#include "dashboard/GaugeCache.h"

#include <QPainter>
#include <algorithm>
#include <cstring>

#include "dashboard/Colors.h"

namespace dp {
namespace {

// Copies a rectangle of the face back into the picture (same size and format).
void CopyBack(QImage& picture, const QImage& face, QRect r)
{
    r &= picture.rect();
    if (r.isEmpty()) return;
    const int bytesPerPixel = picture.depth() / 8;
    for (int y = r.top(); y <= r.bottom(); ++y)
        std::memcpy(picture.scanLine(y) + r.left() * bytesPerPixel, face.constScanLine(y) + r.left() * bytesPerPixel,
                    std::size_t(r.width() * bytesPerPixel));
}

// Copies a kept rectangle of pixels into the picture at its place.
void Paste(QImage& picture, const QImage& pixels, QPoint at)
{
    const int bytesPerPixel = picture.depth() / 8;
    for (int y = 0; y < pixels.height(); ++y)
        std::memcpy(picture.scanLine(at.y() + y) + at.x() * bytesPerPixel, pixels.constScanLine(y),
                    std::size_t(pixels.width() * bytesPerPixel));
}

}  // namespace

const GaugeCache::Patch* GaugeCache::FindPatch(const QString& text)
{
    const auto it = std::find_if(patches_.begin(), patches_.end(), [&](const Patch& p) { return p.text == text; });
    if (it == patches_.end()) return nullptr;
    std::rotate(patches_.begin(), it, it + 1);
    return &patches_.front();
}

void GaugeCache::KeepPatch(const QString& text, const QRect& rect, const QImage& picture)
{
    if (patches_.size() == kPatches) patches_.pop_back();
    patches_.insert(patches_.begin(), Patch{text, rect, picture.copy(rect & picture.rect())});
}

bool GaugeCache::ReachesScale(const QRect& rect) const
{
    const QRect r = rect & scaleInk_.rect();
    for (int y = r.top(); y <= r.bottom(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(scaleInk_.constScanLine(y));
        if (std::any_of(line + r.left(), line + r.right() + 1, [](QRgb p) { return qAlpha(p) != 0; })) return true;
    }
    return false;
}

void GaugeCache::DrawFromScratch(QImage& picture, const GaugeColors& colors, const GaugeFonts& fonts,
                                 QChar decimalPoint, const QPalette& palette, float value)
{
    DrawGauge(picture, look_.title, value, look_.minimum, look_.maximum, colors, fonts, decimalPoint, palette);
    ++full_;
}

bool GaugeCache::Draw(QImage& picture, const QString& title, float value, float minimum, float maximum,
                      const GaugeColors& colors, const GaugeFonts& fonts, QChar decimalPoint,
                      const QPalette& palette)
{
    if (picture.isNull()) return false;
    const Look look{title,
                    minimum,
                    maximum,
                    ColorFromValue(colors.background, palette),
                    ColorFromValue(colors.title, palette),
                    ColorFromValue(colors.scale, palette),
                    ColorFromValue(colors.needle, palette),
                    ColorFromValue(colors.digit, palette),
                    fonts.title,
                    fonts.readout,
                    fonts.scale,
                    picture.size(),
                    picture.format()};
    const float v = RoundToTenth(value);
    const QString text = ReadoutText(v, decimalPoint);
    const int angle = NeedleAngle(v, minimum, maximum);

    // Only whole-byte formats can be copied back pixel for pixel.
    const bool copyable = picture.depth() >= 8 && picture.depth() % 8 == 0;
    const bool sameLook = valid_ && look == look_;
    if (!sameLook) {
        look_ = look;
        valid_ = copyable;
        patches_.clear();
        if (valid_) {
            face_ = QImage(picture.size(), picture.format());
            QPainter p(&face_);
            BeginGaugePainting(p);
            DrawGaugeFace(p, title, look.background, look.titleColor, fonts);
            DrawGaugeScale(p, minimum, maximum, look.scale, look.digit, fonts);
            scaleInk_ = QImage(picture.size(), QImage::Format_ARGB32_Premultiplied);
            scaleInk_.fill(Qt::transparent);
            QPainter ink(&scaleInk_);
            BeginGaugePainting(ink);
            DrawGaugeScale(ink, minimum, maximum, look.scale, look.digit, fonts);
        }
    }
    if (sameLook && picture.cacheKey() == drawnKey_ && text == text_ && angle == angle_) return false;

    // The readout is measured only after its font has drawn once: measuring a glyph
    // before the font's first drawing changes how that drawing comes out.
    const bool partial = valid_ && sameLook && picture.cacheKey() == drawnKey_;
    const Patch* patch = partial && text != text_ ? FindPatch(text) : nullptr;
    QRect readout = !partial ? QRect() : text == text_ ? readoutRect_ : patch ? patch->rect : ReadoutBounds(text, fonts);
    const QRect needle = NeedleBounds(angle);

    if (!partial || ReachesScale(readout)) {
        DrawFromScratch(picture, colors, fonts, decimalPoint, palette, value);
        readout = ReadoutBounds(text, fonts);
    } else {
        // A readout and needle that touch are drawn again together, in their order.
        const bool touching = (readoutRect_ | readout).intersects(needleRect_ | needle);
        const bool redrawReadout = text != text_ || touching;
        const bool redrawNeedle = angle != angle_ || touching;
        if (redrawReadout) CopyBack(picture, face_, readoutRect_);
        if (redrawNeedle) CopyBack(picture, face_, needleRect_);
        // The readout's rectangle now holds the face alone, so drawing it there gives
        // the same pixels whenever the same text is drawn.
        if (redrawReadout && !patch) patch = FindPatch(text);
        if (redrawReadout && patch) {
            Paste(picture, patch->pixels, (patch->rect & picture.rect()).topLeft());
        } else if (redrawReadout) {
            QPainter p(&picture);
            BeginGaugePainting(p);
            DrawGaugeReadout(p, text, look_.digit, fonts);
            p.end();
            KeepPatch(text, readout, picture);
        }
        if (redrawNeedle) {
            QPainter p(&picture);
            BeginGaugePainting(p);
            DrawGaugeNeedle(p, angle, look_.needle);
        }
        ++partial_;
    }
    text_ = text;
    angle_ = angle;
    readoutRect_ = readout;
    needleRect_ = needle;
    drawnKey_ = picture.cacheKey();
    return true;
}

}  // namespace dp
