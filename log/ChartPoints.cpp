#include "log/ChartPoints.h"

#include <algorithm>

namespace dp {

std::vector<const TEngineSample*> ChartOrder(const SampleLog& log)
{
    std::vector<const TEngineSample*> order;
    order.reserve(log.Count());
    bool sorted = true;
    for (const SampleNode* node = log.Head(); node != nullptr; node = node->Next) {
        if (!HasChartTime(node->Sample)) continue;
        if (!order.empty() && node->Sample.Time < order.back()->Time) sorted = false;
        order.push_back(&node->Sample);
    }
    if (!sorted) {
        std::stable_sort(order.begin(), order.end(),
                         [](const TEngineSample* a, const TEngineSample* b) { return a->Time < b->Time; });
    }
    return order;
}

}  // namespace dp
