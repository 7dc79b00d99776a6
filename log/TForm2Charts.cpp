// The log viewer's chart operations: the full rebuild, the incremental follow of a
// recording, and the cursor bar.

#include <QCheckBox>

#include "log/ChannelGraph.h"
#include "log/ChartPoints.h"
#include "log/SampleLog.h"
#include "log/TForm2.h"
#include "log/ViewerChart.h"

#include <vector>

namespace dp {

namespace {

QSharedPointer<ChannelPoints> NoPoints() { return QSharedPointer<ChannelPoints>::create(); }

void Repaint(ViewerChart* chart)
{
    chart->FitTimeAxis();
    chart->replot(QCustomPlot::rpQueuedReplot);
}

}  // namespace

std::bitset<40> TForm2::TickedBoxes() const
{
    std::bitset<40> ticked;
    for (std::size_t k = 0; k < sCheckBox.size(); ++k) ticked[k] = sCheckBox[k]->isChecked();
    return ticked;
}

void TForm2::RebuildCharts()
{
    const std::vector<const TEngineSample*> order = ChartOrder(log_);
    const auto n = qsizetype(order.size());

    // A channel ticked on both charts gets one point array that both series share:
    // the same points as two copies, in half the memory.
    std::vector<const Channel*> channels;
    std::vector<QVector<QCPGraphData>> arrays;
    std::vector<int> channelOf;
    for (int i = 0; i < ViewerChart::kLineSeries; ++i) {
        if (Graf1(i) || Graf2(i)) {
            channels.push_back(&kChannels[std::size_t(i)]);
            // Room for a recording to go on: without it the first tick after a rebuild
            // would copy every series to grow it.
            arrays.emplace_back().reserve(n + n / 16 + 1024);
            arrays.back().resize(n);
            channelOf.push_back(i);
        }
    }
    std::vector<QCPGraphData*> out;
    for (QVector<QCPGraphData>& a : arrays) out.push_back(a.data());
    FillChartPoints<QCPGraphData>(order, channels, out);

    for (ViewerChart* chart : {Chart1, Chart2}) {
        chart->legend->clearItems();
        for (int i = 0; i < ViewerChart::kLineSeries; ++i) chart->Series(i)->SetPoints(NoPoints());
    }
    for (std::size_t c = 0; c < arrays.size(); ++c) {
        const int i = channelOf[c];
        auto points = NoPoints();
        points->Data->set(arrays[c], true);
        if (Graf1(i)) Chart1->Series(i)->SetPoints(points);
        if (Graf2(i)) Chart2->Series(i)->SetPoints(points);
    }
    arrays.clear();  // the containers now hold the only reference to each array
    for (int i = 0; i < ViewerChart::kLineSeries; ++i) {
        if (Graf1(i)) Chart1->Series(i)->addToLegend();
        if (Graf2(i)) Chart2->Series(i)->addToLegend();
    }
    for (ViewerChart* chart : {Chart1, Chart2}) chart->legend->setVisible(chart->legend->itemCount() > 0);

    plottedGeneration_ = log_.Generation();
    plottedCount_ = log_.Count();
    plottedUntil_ = order.empty() ? -std::numeric_limits<double>::infinity() : double(order.back()->Time);
    plottedBoxes_ = TickedBoxes();
    Repaint(Chart1);
    Repaint(Chart2);
}

void TForm2::FollowRecording()
{
    // Anything but growth of the log the charts were filled from needs the rebuild.
    if (log_.Generation() != plottedGeneration_ || log_.Count() < plottedCount_ ||
        TickedBoxes() != plottedBoxes_) {
        RebuildCharts();
        return;
    }
    const std::size_t fresh = log_.Count() - plottedCount_;
    if (fresh == 0) return;
    const SampleNode* node = log_.Tail();
    for (std::size_t k = 1; k < fresh; ++k) node = node->Prev;

    // Each ticked channel's point array, shared by both charts when it is on both.
    QCPGraphDataContainer* points[ViewerChart::kLineSeries] = {};
    for (int i = 0; i < ViewerChart::kLineSeries; ++i) {
        if (Graf1(i)) points[i] = Chart1->Series(i)->Points()->Data.data();
        else if (Graf2(i)) points[i] = Chart2->Series(i)->Points()->Data.data();
    }
    for (; node != nullptr; node = node->Next) {
        const TEngineSample& s = node->Sample;
        if (!HasChartTime(s)) continue;
        // The points stay sorted by time only if the new one is not earlier.
        if (double(s.Time) < plottedUntil_) {
            RebuildCharts();
            return;
        }
        for (int i = 0; i < ViewerChart::kLineSeries; ++i) {
            if (points[i]) points[i]->add(QCPGraphData(double(s.Time), double(PlottedY(kChannels[std::size_t(i)], s))));
        }
        plottedUntil_ = double(s.Time);
    }
    plottedCount_ = log_.Count();
    Repaint(Chart1);
    Repaint(Chart2);
}

void TForm2::MoveCursorBar(double t)
{
    for (ViewerChart* chart : {Chart1, Chart2}) {
        QCPBars* bar = chart->CursorBar();
        bar->data()->clear();
        // A sample without a finite time has no place on the time axis: no bar then.
        if (std::isfinite(t)) bar->addData(t, 100);
        Repaint(chart);
    }
}

}  // namespace dp
