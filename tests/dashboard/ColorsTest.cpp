#include "dashboard/Colors.h"

#include <gtest/gtest.h>

#include <QSet>
#include <algorithm>

namespace dp {
namespace {

// A palette where every role of every group has a colour of its own, none black.
QPalette DistinctPalette()
{
    QPalette palette;
    int n = 1;
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        for (int role = 0; role < QPalette::NColorRoles; ++role, ++n)
            palette.setColor(group, QPalette::ColorRole(role), QColor(n, 2 * n % 256, 200));
    return palette;
}

TEST(ColorList, StandardExtendedAndSystemColoursWithNames)
{
    const auto entries = ColorBoxEntries();
    ASSERT_FALSE(entries.empty());
    // The first entry is what a colour box shows before any pick.
    EXPECT_EQ(entries.front().value, 0x000000u);
    QSet<QString> names;
    QSet<uint32_t> values;
    for (const NamedColor& c : entries) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(QString::fromUtf8(c.name).trimmed().isEmpty());
        names.insert(QString::fromUtf8(c.name));
        values.insert(c.value);
    }
    EXPECT_EQ(names.size(), qsizetype(entries.size()));
    EXPECT_EQ(values.size(), qsizetype(entries.size()));

    struct Case {
        const char* name;
        uint32_t value;
    };
    const Case expected[] = {
        {"Красный", 0x0000FF},  {"Зелёный", 0x008000},        {"Синий", 0xFF0000},
        {"Белый", 0xFFFFFF},    {"Небесно-голубой", 0xF0CAA6}, {"Поверхность кнопки", 0xFF00000F},
        {"Текст окна", 0xFF000008}, {"Строка меню", 0xFF00001E},
    };
    for (const Case& c : expected) {
        SCOPED_TRACE(c.name);
        EXPECT_NE(std::find_if(entries.begin(), entries.end(),
                               [&](const NamedColor& e) { return QString::fromUtf8(e.name) == QString::fromUtf8(c.name) &&
                                                                 e.value == c.value; }),
                  entries.end());
    }
}

TEST(ColorList, EverySystemEntryResolvesThroughThePalette)
{
    const QPalette palette = DistinctPalette();
    int systemEntries = 0;
    for (const NamedColor& c : ColorBoxEntries()) {
        if ((c.value & 0xFF000000u) != kSystemColorFlag) continue;
        SCOPED_TRACE(c.name);
        ++systemEntries;
        // Black would mean the index has no palette role.
        EXPECT_NE(ColorFromValue(c.value, palette), QColor(0, 0, 0));
    }
    EXPECT_GE(systemEntries, 25);
}

TEST(ColorList, ValuesMapToColoursAndBack)
{
    const QPalette palette = DistinctPalette();
    struct Case {
        const char* name;
        uint32_t value;
        QColor color;
    };
    const Case cases[] = {
        {"red in the low byte", 0x0000FF, QColor(255, 0, 0)},
        {"blue in the third byte", 0xFF0000, QColor(0, 0, 255)},
        {"mixed", 0x123456, QColor(0x56, 0x34, 0x12)},
        {"button face follows the palette", 0xFF00000F, palette.color(QPalette::Active, QPalette::Button)},
        {"grey text is the disabled text", 0xFF000011, palette.color(QPalette::Disabled, QPalette::Text)},
        {"unknown system index draws black", 0xFF000019, QColor(0, 0, 0)},
        {"index beyond the table draws black", 0xFF0000C8, QColor(0, 0, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ColorFromValue(c.value, palette), c.color);
        if ((c.value & 0xFF000000u) == 0) {
            EXPECT_EQ(ValueFromColor(c.color), c.value);
        }
    }
}

}  // namespace
}  // namespace dp
