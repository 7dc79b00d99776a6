#include "dashboard/Colors.h"

#include <array>

namespace dp {
namespace {

constexpr std::array<NamedColor, 16> kStandardColors = {{
    {"Чёрный", 0x000000},
    {"Бордовый", 0x000080},
    {"Зелёный", 0x008000},
    {"Оливковый", 0x008080},
    {"Тёмно-синий", 0x800000},
    {"Пурпурный", 0x800080},
    {"Сине-зелёный", 0x808000},
    {"Серый", 0x808080},
    {"Серебристый", 0xC0C0C0},
    {"Красный", 0x0000FF},
    {"Ярко-зелёный", 0x00FF00},
    {"Жёлтый", 0x00FFFF},
    {"Синий", 0xFF0000},
    {"Фуксия", 0xFF00FF},
    {"Бирюзовый", 0xFFFF00},
    {"Белый", 0xFFFFFF},
}};

constexpr std::array<NamedColor, 4> kExtendedColors = {{
    {"Светло-зелёный", 0xC0DCC0},
    {"Небесно-голубой", 0xF0CAA6},
    {"Кремовый", 0xF0FBFF},
    {"Средне-серый", 0xA4A0A0},
}};

// The one table from a system colour's index to where its current value lives.
struct SystemColor {
    SystemColorIndex index;
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
    const char* name;
};

constexpr std::array<SystemColor, 30> kSystemColors = {{
    {kColorScrollbar, QPalette::Active, QPalette::Mid, "Полоса прокрутки"},
    {kColorDesktop, QPalette::Active, QPalette::Dark, "Рабочий стол"},
    {kColorActiveCaption, QPalette::Active, QPalette::Highlight, "Заголовок активного окна"},
    {kColorInactiveCaption, QPalette::Inactive, QPalette::Mid, "Заголовок неактивного окна"},
    {kColorMenu, QPalette::Active, QPalette::Window, "Фон меню"},
    {kColorWindow, QPalette::Active, QPalette::Base, "Фон окна"},
    {kColorWindowFrame, QPalette::Active, QPalette::Shadow, "Рамка окна"},
    {kColorMenuText, QPalette::Active, QPalette::WindowText, "Текст меню"},
    {kColorWindowText, QPalette::Active, QPalette::Text, "Текст окна"},
    {kColorCaptionText, QPalette::Active, QPalette::HighlightedText, "Текст заголовка"},
    {kColorActiveBorder, QPalette::Active, QPalette::Button, "Граница активного окна"},
    {kColorInactiveBorder, QPalette::Inactive, QPalette::Button, "Граница неактивного окна"},
    {kColorAppWorkspace, QPalette::Active, QPalette::Dark, "Рабочая область"},
    {kColorHighlight, QPalette::Active, QPalette::Highlight, "Выделение"},
    {kColorHighlightText, QPalette::Active, QPalette::HighlightedText, "Выделенный текст"},
    {kColorBtnFace, QPalette::Active, QPalette::Button, "Поверхность кнопки"},
    {kColorBtnShadow, QPalette::Active, QPalette::Dark, "Тень кнопки"},
    {kColorGrayText, QPalette::Disabled, QPalette::Text, "Недоступный текст"},
    {kColorBtnText, QPalette::Active, QPalette::ButtonText, "Текст кнопки"},
    {kColorInactiveCaptionText, QPalette::Inactive, QPalette::WindowText, "Текст неактивного заголовка"},
    {kColorBtnHighlight, QPalette::Active, QPalette::Light, "Блик кнопки"},
    {kColor3dDarkShadow, QPalette::Active, QPalette::Shadow, "Тёмная тень объёма"},
    {kColor3dLight, QPalette::Active, QPalette::Midlight, "Светлая грань объёма"},
    {kColorInfoText, QPalette::Active, QPalette::ToolTipText, "Текст подсказки"},
    {kColorInfoBk, QPalette::Active, QPalette::ToolTipBase, "Фон подсказки"},
    {kColorHotLight, QPalette::Active, QPalette::Link, "Ссылка"},
    {kColorGradientActiveCaption, QPalette::Active, QPalette::Highlight, "Градиент активного заголовка"},
    {kColorGradientInactiveCaption, QPalette::Inactive, QPalette::Mid, "Градиент неактивного заголовка"},
    {kColorMenuHighlight, QPalette::Active, QPalette::Highlight, "Выделение меню"},
    {kColorMenuBar, QPalette::Active, QPalette::Window, "Строка меню"},
}};

constexpr auto kColorBoxEntries = [] {
    std::array<NamedColor, kStandardColors.size() + kExtendedColors.size() + kSystemColors.size()> all{};
    std::size_t n = 0;
    for (const NamedColor& c : kStandardColors) all[n++] = c;
    for (const NamedColor& c : kExtendedColors) all[n++] = c;
    for (const SystemColor& c : kSystemColors) all[n++] = {c.name, SystemColorValue(c.index)};
    return all;
}();

}  // namespace

std::span<const NamedColor> ColorBoxEntries() { return kColorBoxEntries; }

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
