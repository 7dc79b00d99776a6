#pragma once
// Colour values as stored in the settings: 0x00BBGGRR (red in the low byte). A value
// whose top byte is 0xFF names a system colour by the index in its low byte.

#include <QColor>
#include <QPalette>
#include <cstdint>
#include <span>

namespace dp {

constexpr uint32_t kSystemColorFlag = 0xFF000000u;

// System colour indices as the settings file stores them.
enum SystemColorIndex : uint8_t {
    kColorScrollbar = 0,
    kColorDesktop = 1,
    kColorActiveCaption = 2,
    kColorInactiveCaption = 3,
    kColorMenu = 4,
    kColorWindow = 5,
    kColorWindowFrame = 6,
    kColorMenuText = 7,
    kColorWindowText = 8,
    kColorCaptionText = 9,
    kColorActiveBorder = 10,
    kColorInactiveBorder = 11,
    kColorAppWorkspace = 12,
    kColorHighlight = 13,
    kColorHighlightText = 14,
    kColorBtnFace = 15,
    kColorBtnShadow = 16,
    kColorGrayText = 17,
    kColorBtnText = 18,
    kColorInactiveCaptionText = 19,
    kColorBtnHighlight = 20,
    kColor3dDarkShadow = 21,
    kColor3dLight = 22,
    kColorInfoText = 23,
    kColorInfoBk = 24,
    kColorHotLight = 26,
    kColorGradientActiveCaption = 27,
    kColorGradientInactiveCaption = 28,
    kColorMenuHighlight = 29,
    kColorMenuBar = 30,
};

constexpr uint32_t SystemColorValue(SystemColorIndex index) { return kSystemColorFlag | index; }

// One entry of a colour box: its caption (UTF-8) and the value a pick stores.
struct NamedColor {
    const char* name;
    uint32_t value;
};

// The colour box's list: the standard colours, the extended ones, then the system
// colours (stored as references, so they follow the system's current values).
std::span<const NamedColor> ColorBoxEntries();

// Opaque colour of a value; system colours come from the palette (unknown index: black).
// The dialog's samples and the gauges both draw through here, so they agree.
QColor ColorFromValue(uint32_t value, const QPalette& palette);
uint32_t ValueFromColor(const QColor& color);

}  // namespace dp
