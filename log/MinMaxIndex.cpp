#include "log/MinMaxIndex.h"

#include <cmath>
#include <limits>

namespace dp {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// NaN stands for "no number yet" and gives way to any number.
void Widen(MinMaxIndex::Span& into, double min, double max)
{
    if (std::isnan(into.Min) || min < into.Min) into.Min = min;
    if (std::isnan(into.Max) || max > into.Max) into.Max = max;
}

void Widen(MinMaxIndex::Span& into, const MinMaxIndex::Span& by)
{
    if (!std::isnan(by.Min)) Widen(into, by.Min, by.Max);
}

}  // namespace

void MinMaxIndex::Clear()
{
    levels_.clear();
    count_ = 0;
}

void MinMaxIndex::Extend(const double* values, std::size_t stride, std::size_t count)
{
    for (std::size_t k = count_; k < count; ++k) {
        const double v = values[k * stride];
        std::size_t index = k;
        for (std::size_t level = 0;; ++level) {
            index /= kFanOut;
            if (levels_.size() == level) {
                // A level starts when the one below gets its second entry; its first
                // entry sums up everything below, the new value included.
                Span first{kNaN, kNaN};
                if (level > 0) {
                    for (const Span& below : levels_[level - 1]) Widen(first, below);
                }
                levels_.push_back({first});
            }
            std::vector<Span>& entries = levels_[level];
            if (entries.size() == index) entries.push_back({kNaN, kNaN});
            if (!std::isnan(v)) Widen(entries[index], v, v);
            if (index == 0) break;  // every level above covers this one entry alone
        }
    }
    if (count > count_) count_ = count;
}

MinMaxIndex::Span MinMaxIndex::Range(const double* values, std::size_t stride, std::size_t from, std::size_t to) const
{
    Span span{kNaN, kNaN};
    if (to > count_) to = count_;
    // Climb while whole blocks fit: edges are taken one finer unit at a time.
    auto single = [&](std::size_t k) {
        const double v = values[k * stride];
        if (!std::isnan(v)) Widen(span, v, v);
    };
    std::size_t unit = 1;  // values per entry at the current level
    std::size_t level = 0; // entries of levels_[level - 1] are `unit` values wide
    while (from < to) {
        const std::size_t wider = unit * kFanOut;
        const bool canClimb = level < levels_.size() && (from + wider - 1) / wider < to / wider;
        if (!canClimb) break;
        // Take the left edge up to the next wider boundary.
        const std::size_t edge = (from + wider - 1) / wider * wider;
        for (; from < edge; from += unit) {
            if (level == 0) single(from);
            else Widen(span, levels_[level - 1][from / unit]);
        }
        const std::size_t rightEdge = to / wider * wider;
        for (; to > rightEdge; to -= unit) {
            if (level == 0) single(to - 1);
            else Widen(span, levels_[level - 1][(to - unit) / unit]);
        }
        unit = wider;
        ++level;
    }
    for (; from < to; from += unit) {
        if (level == 0) single(from);
        else Widen(span, levels_[level - 1][from / unit]);
    }
    return span;
}

}  // namespace dp
