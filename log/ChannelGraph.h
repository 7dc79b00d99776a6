#pragma once
// A chart line series whose adaptive sampling finds each pixel column's smallest and
// largest value through a min/max index instead of visiting every point, so a
// repaint costs about the same for a thousand points as for a million. It draws
// what the component's own adaptive sampling draws.

#include "log/MinMaxIndex.h"

#include <qcustomplot.h>

namespace dp {

// One channel's points, shared by its series on both charts when it is on both. The
// points only ever grow at the end (a recording) or are replaced whole (a rebuild
// makes new ChannelPoints), which is what keeps the index true.
struct ChannelPoints {
    QSharedPointer<QCPGraphDataContainer> Data = QSharedPointer<QCPGraphDataContainer>::create();
    MinMaxIndex Values;  // brought up to date by the first repaint that needs it

    // The last sampled line and what it was sampled for: a channel on both charts,
    // whose time axes match, is sampled once per repaint instead of twice.
    struct Sampling {
        double Lower = 0, Upper = 0;            // the time axis range
        double PixelLower = 0, PixelUpper = 0;  // and where its ends are drawn
        qsizetype Begin = -1, End = -1, Size = -1;
        QVector<QCPGraphData> Line;
        bool operator==(const Sampling& o) const
        {
            return Lower == o.Lower && Upper == o.Upper && PixelLower == o.PixelLower && PixelUpper == o.PixelUpper &&
                   Begin == o.Begin && End == o.End && Size == o.Size;
        }
    } LastSampling;
};

class ChannelGraph : public QCPGraph {
    Q_OBJECT
public:
    ChannelGraph(QCPAxis* keyAxis, QCPAxis* valueAxis);

    void SetPoints(QSharedPointer<ChannelPoints> points);
    const QSharedPointer<ChannelPoints>& Points() const { return points_; }

protected:
    void getOptimizedLineData(QVector<QCPGraphData>* lineData, const QCPGraphDataContainer::const_iterator& begin,
                              const QCPGraphDataContainer::const_iterator& end) const override;

private:
    QSharedPointer<ChannelPoints> points_;
};

}  // namespace dp
