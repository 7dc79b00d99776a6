#pragma once
// What the viewer's charts plot: each channel's reading mapped onto the common 0..100
// scale, and the samples in the order the charts hold them. Widget-free, so the
// chart windows and the benchmarks fill their arrays through the same code.

#include "log/Channels.h"
#include "log/SampleLog.h"

#include <cmath>
#include <cstddef>
#include <limits>
#include <span>
#include <vector>

namespace dp {

// The plotted y, in single precision with the multiplication by 100 before the
// division. A reading that is not a finite number, or a result that overflows the
// float range, gives NaN: the chart draws a gap there instead of a line to infinity.
inline float PlottedY(const Channel& channel, const TEngineSample& sample)
{
    float y;
    switch (channel.Rule) {
    case PlotRule::Scaled: y = 100.0f * (sample.*channel.ValueField + channel.Offset) / channel.Divisor; break;
    case PlotRule::Shifted: y = sample.*channel.ValueField + channel.Offset; break;
    case PlotRule::Unscaled: y = sample.*channel.ValueField; break;
    case PlotRule::FlagByte: y = float(sample.*channel.FlagField); break;
    default: y = std::numeric_limits<float>::quiet_NaN(); break;
    }
    return std::isfinite(y) ? y : std::numeric_limits<float>::quiet_NaN();
}

// A sample goes on the time axis only when its time is a finite number.
inline bool HasChartTime(const TEngineSample& sample) { return std::isfinite(sample.Time); }

// The log's samples as the charts hold them: ascending time, samples of equal time
// in log order, samples without a finite time left out. A log whose times never
// decrease (every recording) is taken as it stands, without sorting.
std::vector<const TEngineSample*> ChartOrder(const SampleLog& log);

// Fills out[c][k] with the point of channels[c] for order[k], for every channel in
// one pass over the samples. Point is any type constructible from (x, y) doubles.
template <class Point>
void FillChartPoints(std::span<const TEngineSample* const> order, std::span<const Channel* const> channels,
                     std::span<Point* const> out)
{
    const std::size_t count = channels.size();
    for (std::size_t k = 0; k < order.size(); ++k) {
        const TEngineSample& s = *order[k];
        const double x = double(s.Time);
        for (std::size_t c = 0; c < count; ++c) out[c][k] = Point(x, double(PlottedY(*channels[c], s)));
    }
}

}  // namespace dp
