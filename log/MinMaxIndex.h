#pragma once
// The smallest and largest value over any index range of a series that only grows
// at its end, in time that depends on the range's length only logarithmically: a
// pyramid of per-block minima and maxima. The charts use it to draw a million
// points per series as about one line piece per pixel column without visiting
// every point on each repaint.

#include <cstddef>
#include <vector>

namespace dp {

class MinMaxIndex {
public:
    struct Span {
        double Min, Max;  // NaN, NaN when the range holds no number
    };

    // Takes in values[Count()] .. values[count - 1]; values[k] is read at
    // values + k * stride (stride in doubles).
    void Extend(const double* values, std::size_t stride, std::size_t count);
    void Clear();
    std::size_t Count() const { return count_; }

    // Over values [from, to), as passed to Extend; NaN values are left out.
    Span Range(const double* values, std::size_t stride, std::size_t from, std::size_t to) const;

    static constexpr std::size_t kFanOutBits = 4;
    static constexpr std::size_t kFanOut = std::size_t(1) << kFanOutBits;

private:
    // levels_[0] summarises kFanOut values per entry, levels_[1] kFanOut entries of
    // levels_[0], and so on. The last entry of a level may be partial.
    std::vector<std::vector<Span>> levels_;
    std::size_t count_ = 0;
};

}  // namespace dp
