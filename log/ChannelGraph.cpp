#include "log/ChannelGraph.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace dp {

static_assert(sizeof(QCPGraphData) == 2 * sizeof(double), "the index reads values with a stride of two doubles");

namespace {

using Iter = QCPGraphDataContainer::const_iterator;

// The first point from `from` on whose key reaches `limit` (from itself is in the
// column). Recordings come at a steady rate, so the visible points' mean spacing
// predicts the end almost exactly: start there and gallop out, so that a column
// costs a few memory reads rather than a binary search's scattered ones.
Iter ColumnEnd(Iter from, Iter end, double limit, double spacing)
{
    auto below = [limit](const QCPGraphData& p) { return p.key < limit; };
    Iter lo = from + 1;  // everything before lo is in the column
    Iter hi = end;       // everything from hi on is past it
    if (lo == hi || !below(*lo)) return lo;
    const double guess = spacing > 0 ? (limit - lo->key) / spacing : 0;
    std::ptrdiff_t at = guess < double(hi - lo) ? std::ptrdiff_t(guess) : hi - lo - 1;
    for (std::ptrdiff_t step = 1;; step *= 2) {
        if (at <= 0 || at >= hi - lo) break;
        if (below(*(lo + at))) {
            lo += at;
            at = step;  // look a little further on
        } else {
            hi = lo + at;
            at -= step;  // look a little further back
            if (at <= 0) break;
        }
    }
    return std::partition_point(lo, hi, below);
}

}  // namespace

ChannelGraph::ChannelGraph(QCPAxis* keyAxis, QCPAxis* valueAxis)
    : QCPGraph(keyAxis, valueAxis), points_(QSharedPointer<ChannelPoints>::create())
{
    setData(points_->Data);
}

void ChannelGraph::SetPoints(QSharedPointer<ChannelPoints> points)
{
    points_ = std::move(points);
    setData(points_->Data);
}

// The same clusters as the component's sampling: per pixel column of two or more
// points, the first value (when the column before was not a cluster), the minimum,
// the maximum and the last value (when the next column is not adjacent); a column
// of one point is that point. Columns are found by binary search and their extremes
// through the index. NaN values are left out of a column's extremes.
void ChannelGraph::getOptimizedLineData(QVector<QCPGraphData>* lineData,
                                        const QCPGraphDataContainer::const_iterator& begin,
                                        const QCPGraphDataContainer::const_iterator& end) const
{
    QCPAxis* keyAxis = mKeyAxis.data();
    const bool ours = lineData && keyAxis && mValueAxis && mAdaptiveSampling && points_ &&
                      points_->Data == mDataContainer && keyAxis->scaleType() == QCPAxis::stLinear && begin != end;
    if (!ours) {
        QCPGraph::getOptimizedLineData(lineData, begin, end);
        return;
    }
    const double keyPixelSpan = qAbs(keyAxis->coordToPixel(begin->key) - keyAxis->coordToPixel((end - 1)->key));
    const double maxCount = 2 * keyPixelSpan + 2;
    if (!(maxCount < double(std::numeric_limits<int>::max())) || double(end - begin) < maxCount) {
        QCPGraph::getOptimizedLineData(lineData, begin, end);  // under two points per pixel: every point
        return;
    }

    const QCPGraphDataContainer::const_iterator first = mDataContainer->constBegin();
    ChannelPoints::Sampling wanted;
    wanted.Lower = keyAxis->range().lower;
    wanted.Upper = keyAxis->range().upper;
    wanted.PixelLower = keyAxis->coordToPixel(wanted.Lower);
    wanted.PixelUpper = keyAxis->coordToPixel(wanted.Upper);
    wanted.Begin = begin - first;
    wanted.End = end - first;
    wanted.Size = mDataContainer->size();
    ChannelPoints::Sampling& last = points_->LastSampling;
    if (last == wanted) {
        *lineData += last.Line;
        return;
    }
    const qsizetype lineStart = lineData->size();

    const double* values = &first->value;
    MinMaxIndex& index = points_->Values;
    const auto size = std::size_t(mDataContainer->size());
    if (index.Count() > size) index.Clear();
    index.Extend(values, 2, size);

    const int reversedFactor = keyAxis->pixelOrientation();
    const int reversedRound = reversedFactor == -1 ? 1 : 0;
    auto columnStart = [&](double key) { return keyAxis->pixelToCoord(int(keyAxis->coordToPixel(key) + reversedRound)); };
    double start = columnStart(begin->key);
    const double eps = qAbs(start - keyAxis->pixelToCoord(keyAxis->coordToPixel(start) + 1.0 * reversedFactor));
    double lastColumnEndKey = start;
    const double spacing = ((end - 1)->key - begin->key) / double(end - begin - 1);

    for (auto it = begin; it != end;) {
        const auto next = ColumnEnd(it, end, start + eps, spacing);
        if (next - it >= 2) {
            if (lastColumnEndKey < start - eps) lineData->append(QCPGraphData(start + eps * 0.2, it->value));
            const MinMaxIndex::Span span =
                index.Range(values, 2, std::size_t(it - first), std::size_t(next - first));
            // Join from the point before to the nearer extreme: in a dense band the
            // joins then stay short instead of crossing the band once per column.
            const double before = lineData->isEmpty() ? span.Min : lineData->last().value;
            const bool maxFirst = std::abs(before - span.Max) < std::abs(before - span.Min);
            lineData->append(QCPGraphData(start + eps * 0.25, maxFirst ? span.Max : span.Min));
            lineData->append(QCPGraphData(start + eps * 0.75, maxFirst ? span.Min : span.Max));
            if (next != end && next->key > start + eps * 2) {
                lineData->append(QCPGraphData(start + eps * 0.8, (next - 1)->value));
            }
        } else {
            lineData->append(*it);
        }
        lastColumnEndKey = (next - 1)->key;
        if (next != end) start = columnStart(next->key);
        it = next;
    }
    wanted.Line = lineData->mid(lineStart);
    last = std::move(wanted);
}

}  // namespace dp
