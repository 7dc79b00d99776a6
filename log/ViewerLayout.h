#pragma once
// The log viewer's placement arithmetic, in pixels as the window was designed at 96
// dots per inch: the channel grid, the navigation panel's right-anchored buttons,
// the two charts' vertical split and the charts' inner margins and value scale.

namespace dp {

inline constexpr int kViewerClientWidth = 777;
inline constexpr int kViewerClientHeight = 539;
inline constexpr int kViewerMinClientWidth = 777;
inline constexpr int kViewerMinClientHeight = 532;

inline constexpr int kNavPanelTop = 68;
inline constexpr int kNavPanelHeight = 49;

// Where channel i's label and its "Graf 1" and "Graf 2" boxes stand.
struct ChannelGridPlace {
    int LabelX, Graf1X, Graf2X, Y;
};
ChannelGridPlace ChannelGridPlaceOf(int channel);

// The x of a control anchored to the right edge of a parent designed
// kViewerClientWidth wide, once the parent is parentWidth wide.
int AnchoredRightX(int designX, int parentWidth);

struct ChartsPlacement {
    int Chart1Top, Chart2Top, Height;
};
// Chart1 starts 2 pixels below the panel, both charts get half of what is left less
// 3 pixels (rounded toward zero), Chart2 starts one pixel below Chart1.
ChartsPlacement LayoutChartsFor(int panelTop, int panelHeight, int clientHeight);

struct ChartMargins {
    int Left, Top, Right, Bottom;
};
// 1 % of the width left and right, 2 % of the height top and bottom.
ChartMargins ChartMarginsFor(int width, int height);

// The value axis shows 0..100 on the middle 96 % of the plot's height: these bounds
// put 0 at 2 % and 100 at 98 %.
inline constexpr double kValueAxisLower = -100.0 * 2.0 / 96.0;
inline constexpr double kValueAxisUpper = 100.0 + 100.0 * 2.0 / 96.0;

}  // namespace dp
