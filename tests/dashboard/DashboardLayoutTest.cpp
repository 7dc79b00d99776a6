#include "dashboard/DashboardLayout.h"

#include <gtest/gtest.h>

namespace dp {
namespace {

struct LayoutCase {
    int width, height;
    std::array<int, 4> lefts;
    std::array<int, 3> tops;
    int size, size4, panelTop, panelWidth;
};

const LayoutCase kLayouts[] = {
    {1000, 600, {0, 251, 501, 751}, {0, 179, 357}, 178, 178, 535, 999},    // height limits
    {712, 800, {0, 179, 357, 535}, {0, 246, 491}, 178, 177, 736, 711},     // width, CW mod 4 = 0
    {713, 800, {0, 179, 357, 535}, {0, 246, 491}, 178, 178, 736, 712},     // width, CW mod 4 = 1
    {1920, 1017, {0, 481, 961, 1441}, {0, 318, 635}, 317, 317, 952, 1919},  // maximised
    {10, 30, {0, 3, 5, 7}, {0, 1, 1}, 0, 0, 1, 9},                          // far below minimum
};

TEST(DashboardGeometryFor, PlacesGaugesAndPanel)
{
    for (const LayoutCase& c : kLayouts) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        const DashboardGeometry g = DashboardGeometryFor(c.width, c.height);
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 4; ++col) {
                const int s = col == 3 ? c.size4 : c.size;
                EXPECT_EQ(g.images[std::size_t(row * 4 + col)],
                          QRect(c.lefts[std::size_t(col)], c.tops[std::size_t(row)], s, s))
                    << "Image" << row * 4 + col + 1;
            }
        EXPECT_EQ(g.panelTop, c.panelTop);
        EXPECT_EQ(g.panelWidth, c.panelWidth);
        // Nothing reaches past the client area.
        EXPECT_LE(g.images[3].right() + 1, c.width);
        if (c.height >= 100) {
            EXPECT_LE(g.panelTop + kPanelHeight, c.height - 2);
        }
    }
}

TEST(Lamps, StayAtTheirDistanceFromThePanelsRightEdge)
{
    EXPECT_EQ(AnchoredToRight({804, 4}, kPanelDesignWidth), QPoint(804, 4));
    EXPECT_EQ(AnchoredToRight({804, 32}, 1919), QPoint(1822, 32));
    // The fourth column ends 16 pixels inside the panel at any width.
    const int width = 1300;
    EXPECT_EQ(width - (AnchoredToRight(kLamps[3].pos, width).x() + kLampWidth), 16);
}

}  // namespace
}  // namespace dp
