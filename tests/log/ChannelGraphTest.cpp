// The chart series' indexed sampling must draw what the component's own adaptive
// sampling draws, at any zoom: the same points, except that a dense column may give
// its extremes in the other order, so that the join from the column before is short.

#include "log/ChannelGraph.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <string>
#include <vector>

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

using Line = std::vector<std::pair<double, double>>;

// The same points, or a column's two extremes (at the same keys) swapped.
bool SameUpToExtremesOrder(const Line& indexed, const Line& component)
{
    if (indexed.size() != component.size()) return false;
    for (std::size_t k = 0; k < indexed.size(); ++k) {
        if (indexed[k] == component[k]) continue;
        if (k + 1 == indexed.size() || indexed[k].first != component[k].first ||
            indexed[k + 1].first != component[k + 1].first || indexed[k].second != component[k + 1].second ||
            indexed[k + 1].second != component[k].second) {
            ADD_FAILURE() << "differs at point " << k << " of " << indexed.size();
            return false;
        }
        ++k;
    }
    return true;
}

double VerticalTravel(const Line& line)
{
    double travel = 0;
    for (std::size_t k = 1; k < line.size(); ++k) travel += std::abs(line[k].second - line[k - 1].second);
    return travel;
}

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
        const auto component = graph->Line(false);
        EXPECT_TRUE(SameUpToExtremesOrder(indexed, component));
        EXPECT_LE(VerticalTravel(indexed), VerticalTravel(component));
        if (c.points >= 100'000) {
            EXPECT_LT(indexed.size(), 4u * 777u);  // about one column per pixel
        }
        if (c.name == std::string("noise_whole_span")) {
            // A band of noise: each column is crossed once, not once more by its join.
            EXPECT_LT(VerticalTravel(indexed), 0.6 * VerticalTravel(component));
        }
    }
}

// One channel's points on several charts: a line sampled for one chart is reused
// only where the time axis draws the same way, and never after the points grew.
TEST(ChannelGraph, SharedPointsAreSampledForEachChartsOwnAxis)
{
    auto points = QSharedPointer<ChannelPoints>::create();
    std::mt19937 rng(5);
    QVector<QCPGraphData> data;
    for (int k = 0; k < 100'000; ++k) data.append(QCPGraphData(0.1 * k, double(rng() % 10'000) / 100.0));
    points->Data->set(data, true);

    struct Chart {
        QCustomPlot plot;
        ProbeGraph* graph;
        Chart(int width, const QSharedPointer<ChannelPoints>& points, double zoomTo)
        {
            plot.setViewport(QRect(0, 0, width, 208));
            graph = new ProbeGraph(plot.xAxis, plot.yAxis);
            graph->setAdaptiveSampling(true);
            graph->SetPoints(points);
            plot.xAxis->setRange(0, 10'000 * zoomTo);
            plot.replot();
        }
    };
    Chart wide(777, points, 1), narrow(500, points, 1), twin(777, points, 1), zoomed(777, points, 0.5);
    for (Chart* c : {&wide, &narrow, &twin, &zoomed, &wide, &twin}) {
        const auto indexed = c->graph->Line(true);
        EXPECT_TRUE(SameUpToExtremesOrder(indexed, c->graph->Line(false)));
    }
    points->Data->add(QCPGraphData(9'999.95, 1000.0));  // a point far above the rest, inside the view
    const auto grown = wide.graph->Line(true);
    EXPECT_TRUE(SameUpToExtremesOrder(grown, wide.graph->Line(false)));
    EXPECT_EQ(std::max_element(grown.begin(), grown.end(), [](auto& a, auto& b) { return a.second < b.second; })->second,
              1000.0);
}

}  // namespace
}  // namespace dp
