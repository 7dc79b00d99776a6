// The chart series' indexed sampling must draw what the component's own adaptive
// sampling draws, at any zoom.

#include "log/ChannelGraph.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>

namespace dp {
namespace {

class ProbeGraph : public ChannelGraph {
public:
    using ChannelGraph::ChannelGraph;
    // The line points of the visible data, by this series' sampling or the component's.
    std::vector<std::pair<double, double>> Line(bool indexed) const
    {
        QCPGraphDataContainer::const_iterator begin, end;
        getVisibleDataBounds(begin, end, QCPDataRange(0, dataCount()));
        QVector<QCPGraphData> out;
        if (indexed) getOptimizedLineData(&out, begin, end);
        else QCPGraph::getOptimizedLineData(&out, begin, end);
        std::vector<std::pair<double, double>> line;
        for (const QCPGraphData& p : out) line.emplace_back(p.key, p.value);
        return line;
    }
};

struct SamplingCase {
    const char* name;
    int points;
    std::function<double(int, std::mt19937&)> key;    // increasing in the index
    std::function<double(int, std::mt19937&)> value;
    double zoomFrom, zoomTo;  // part of the key span shown, 0..1
};

TEST(ChannelGraph, DrawsWhatTheComponentsSamplingDraws)
{
    auto uniform = [](int k, std::mt19937&) { return 0.1 * k; };
    auto noisy = [](int, std::mt19937& rng) { return double(rng() % 10'000) / 100.0; };
    auto walk = [state = 50.0](int, std::mt19937& rng) mutable { return state += double(int(rng() % 201) - 100) / 100.0; };
    auto gaps = [](int k, std::mt19937&) { return double(k) + (k / 500) * 3000.0; };  // bursts far apart
    auto flag = [](int k, std::mt19937&) { return (k / 37) % 2 ? 100.0 : 0.0; };
    const SamplingCase cases[] = {
        {"noise_whole_span", 200'000, uniform, noisy, 0, 1},
        {"random_walk_whole_span", 200'000, uniform, walk, 0, 1},
        {"random_walk_zoomed_in", 200'000, uniform, walk, 0.4, 0.45},
        {"flag_steps", 100'000, uniform, flag, 0, 1},
        {"bursts_with_empty_columns", 20'000, gaps, noisy, 0, 1},
        {"under_two_points_per_pixel", 900, uniform, noisy, 0, 1},
        {"one_point", 1, uniform, noisy, 0, 1},
    };
    for (const SamplingCase& c : cases) {
        SCOPED_TRACE(c.name);
        QCustomPlot plot;
        plot.setViewport(QRect(0, 0, 777, 208));
        auto* graph = new ProbeGraph(plot.xAxis, plot.yAxis);
        graph->setAdaptiveSampling(true);
        std::mt19937 rng(11);
        QVector<QCPGraphData> data;
        for (int k = 0; k < c.points; ++k) {
            const double key = c.key(k, rng);
            data.append(QCPGraphData(key, c.value(k, rng)));
        }
        graph->data()->set(data, true);
        const double lo = data.first().key, span = data.last().key - lo;
        plot.xAxis->setRange(lo + span * c.zoomFrom - 0.5, lo + span * c.zoomTo + 0.5);
        plot.yAxis->setRange(-10, 110);
        plot.replot();
        const auto indexed = graph->Line(true);
        EXPECT_EQ(indexed, graph->Line(false));
        if (c.points >= 100'000) {
            EXPECT_LT(indexed.size(), 4u * 777u);  // about one column per pixel
        }
    }
}

}  // namespace
}  // namespace dp
