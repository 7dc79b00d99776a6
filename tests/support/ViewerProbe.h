#pragma once
// What the log viewer's charts hold, for comparing one way of filling them with
// another: every line series' points and every legend, chart by chart.

#include "log/TForm2.h"
#include "log/ViewerChart.h"

#include <array>
#include <bit>
#include <cstdint>
#include <ostream>
#include <utility>
#include <vector>

namespace dp::test {

struct ChartSnapshot {
    // (x, y) with y as bits, so NaN gaps compare equal to NaN gaps.
    using Points = std::vector<std::pair<double, uint64_t>>;
    std::array<std::array<Points, ViewerChart::kLineSeries>, 2> series;
    std::array<std::vector<QString>, 2> legend;

    static Points PointsOf(const QCPGraph* graph)
    {
        Points points;
        for (auto it = graph->data()->constBegin(); it != graph->data()->constEnd(); ++it) {
            points.emplace_back(it->key, std::bit_cast<uint64_t>(it->value));
        }
        return points;
    }

    static ChartSnapshot Of(const TForm2& form)
    {
        ChartSnapshot shot;
        const ViewerChart* charts[2] = {form.Chart1, form.Chart2};
        for (std::size_t c = 0; c < 2; ++c) {
            for (int i = 0; i < ViewerChart::kLineSeries; ++i) shot.series[c][std::size_t(i)] = PointsOf(charts[c]->Series(i));
            for (int k = 0; k < charts[c]->legend->itemCount(); ++k) {
                // A legend wrapped into columns has empty cells.
                if (QCPAbstractLegendItem* cell = charts[c]->legend->item(k)) {
                    auto* item = qobject_cast<QCPPlottableLegendItem*>(cell);
                    shot.legend[c].push_back(item ? item->plottable()->name() : QStringLiteral("?"));
                }
            }
        }
        return shot;
    }

    bool operator==(const ChartSnapshot&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const ChartSnapshot& shot)
{
    for (std::size_t c = 0; c < 2; ++c) {
        out << "Chart" << c + 1 << " legend:";
        for (const QString& title : shot.legend[c]) out << ' ' << title.toStdString();
        out << "; points per series:";
        for (const auto& points : shot.series[c]) out << ' ' << points.size();
        out << '\n';
    }
    return out;
}

}  // namespace dp::test
