#include "dashboard/Colors.h"

#include <array>

namespace dp {
namespace {

struct SystemColor {
    uint8_t index;
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

constexpr std::array<SystemColor, 30> kSystemColors = {{
    {kColorScrollbar, QPalette::Active, QPalette::Mid},
    {kColorDesktop, QPalette::Active, QPalette::Dark},
    {kColorActiveCaption, QPalette::Active, QPalette::Highlight},
    {kColorInactiveCaption, QPalette::Inactive, QPalette::Mid},
    {kColorMenu, QPalette::Active, QPalette::Window},
    {kColorWindow, QPalette::Active, QPalette::Base},
    {kColorWindowFrame, QPalette::Active, QPalette::Shadow},
    {kColorMenuText, QPalette::Active, QPalette::WindowText},
    {kColorWindowText, QPalette::Active, QPalette::Text},
    {kColorCaptionText, QPalette::Active, QPalette::HighlightedText},
    {kColorActiveBorder, QPalette::Active, QPalette::Button},
    {kColorInactiveBorder, QPalette::Inactive, QPalette::Button},
    {kColorAppWorkspace, QPalette::Active, QPalette::Dark},
    {kColorHighlight, QPalette::Active, QPalette::Highlight},
    {kColorHighlightText, QPalette::Active, QPalette::HighlightedText},
    {kColorBtnFace, QPalette::Active, QPalette::Button},
    {kColorBtnShadow, QPalette::Active, QPalette::Dark},
    {kColorGrayText, QPalette::Disabled, QPalette::Text},
    {kColorBtnText, QPalette::Active, QPalette::ButtonText},
    {kColorInactiveCaptionText, QPalette::Inactive, QPalette::WindowText},
    {kColorBtnHighlight, QPalette::Active, QPalette::Light},
    {kColor3dDarkShadow, QPalette::Active, QPalette::Shadow},
    {kColor3dLight, QPalette::Active, QPalette::Midlight},
    {kColorInfoText, QPalette::Active, QPalette::ToolTipText},
    {kColorInfoBk, QPalette::Active, QPalette::ToolTipBase},
    {kColorHotLight, QPalette::Active, QPalette::Link},
    {kColorGradientActiveCaption, QPalette::Active, QPalette::Highlight},
    {kColorGradientInactiveCaption, QPalette::Inactive, QPalette::Mid},
    {kColorMenuHighlight, QPalette::Active, QPalette::Highlight},
    {kColorMenuBar, QPalette::Active, QPalette::Window},
}};

}  // namespace

QColor ColorFromValue(uint32_t value, const QPalette& palette)
{
    if ((value & 0xFF000000u) == kSystemColorFlag) {
        const uint8_t index = uint8_t(value & 0xFFu);
        for (const SystemColor& c : kSystemColors)
            if (c.index == index) {
                QColor color = palette.color(c.group, c.role).toRgb();
                color.setAlpha(255);
                return color;
            }
        return QColor(0, 0, 0);
    }
    return QColor(int(value & 0xFFu), int((value >> 8) & 0xFFu), int((value >> 16) & 0xFFu));
}

uint32_t ValueFromColor(const QColor& color)
{
    const QColor c = color.toRgb();
    return uint32_t(c.red()) | (uint32_t(c.green()) << 8) | (uint32_t(c.blue()) << 16);
}

}  // namespace dp
