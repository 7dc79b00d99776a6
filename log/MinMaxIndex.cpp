#include "log/MinMaxIndex.h"

#include <limits>

namespace dp {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Inside the index an empty span is {+inf, -inf}, so widening is two plain
// comparisons with no test for NaN: a NaN value compares false and changes nothing.
// Written as selects, they compile without branches; a replot makes millions.
constexpr MinMaxIndex::Span kEmpty{kInf, -kInf};

void Widen(MinMaxIndex::Span& into, double min, double max)
{
    into.Min = min < into.Min ? min : into.Min;
    into.Max = max > into.Max ? max : into.Max;
}

void Widen(MinMaxIndex::Span& into, const MinMaxIndex::Span& by) { Widen(into, by.Min, by.Max); }

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
                Span first = kEmpty;
                if (level > 0) {
                    for (const Span& below : levels_[level - 1]) Widen(first, below);
                }
                levels_.push_back({first});
            }
            std::vector<Span>& entries = levels_[level];
            if (entries.size() == index) entries.push_back(kEmpty);
            Widen(entries[index], v, v);
            if (index == 0) break;  // every level above covers this one entry alone
        }
    }
    if (count > count_) count_ = count;
}

MinMaxIndex::Span MinMaxIndex::Range(const double* values, std::size_t stride, std::size_t from, std::size_t to) const
{
    Span span = kEmpty;
    if (to > count_) to = count_;
    // Edges are taken a finer unit at a time while whole wider blocks remain between
    // them; units are powers of kFanOut, so positions convert by shifts.
    auto singles = [&](std::size_t a, std::size_t b) {
        for (const double* v = values + a * stride; a < b; ++a, v += stride) {
            Widen(span, *v, *v);
        }
    };
    auto entries = [&](std::size_t level, std::size_t shift, std::size_t a, std::size_t b) {
        const Span* e = levels_[level - 1].data();
        for (std::size_t k = a >> shift, end = b >> shift; k < end; ++k) Widen(span, e[k]);
    };
    std::size_t shift = 0;  // units of 2^shift values: levels_[level - 1] entries
    std::size_t level = 0;
    while (from < to && level < levels_.size()) {
        const std::size_t widerShift = shift + kFanOutBits;
        const std::size_t left = ((from >> widerShift) + 1) << widerShift;  // next wider boundary above from
        const std::size_t edge = (from & ((std::size_t(1) << widerShift) - 1)) == 0 ? from : left;
        const std::size_t rightEdge = (to >> widerShift) << widerShift;
        if (edge >= rightEdge) break;  // no whole wider block: finish at this unit
        if (level == 0) {
            singles(from, edge);
            singles(rightEdge, to);
        } else {
            entries(level, shift, from, edge);
            entries(level, shift, rightEdge, to);
        }
        from = edge;
        to = rightEdge;
        shift = widerShift;
        ++level;
    }
    if (level == 0) singles(from, to);
    else entries(level, shift, from, to);
    if (span.Min > span.Max) return {kNaN, kNaN};  // no number in the range
    return span;
}

}  // namespace dp
