#include "log/ViewerLayout.h"

#include <algorithm>

namespace dp {

ChannelGridPlace ChannelGridPlaceOf(int channel)
{
    // Five columns of four channels, filled top to bottom.
    static constexpr int kColumns[5][3] = {
        {4, 48, 100}, {160, 208, 260}, {320, 364, 416}, {476, 524, 576}, {632, 672, 724}};
    static constexpr int kRows[4] = {4, 20, 36, 52};
    const int column = std::clamp(channel / 4, 0, 4);
    const int row = std::clamp(channel % 4, 0, 3);
    return {kColumns[column][0], kColumns[column][1], kColumns[column][2], kRows[row]};
}

int AnchoredRightX(int designX, int parentWidth) { return designX + (parentWidth - kViewerClientWidth); }

ChartsPlacement LayoutChartsFor(int panelTop, int panelHeight, int clientHeight)
{
    const int top1 = panelTop + panelHeight + 2;
    // A platform that squeezes the window below its minimum gets empty charts, not
    // negative heights.
    const int h = std::max(0, (clientHeight - (top1 + 3)) / 2);
    return {top1, top1 + h + 1, h};
}

ChartMargins ChartMarginsFor(int width, int height)
{
    const int side = width / 100;
    const int edge = height * 2 / 100;
    return {side, edge, side, edge};
}

}  // namespace dp
