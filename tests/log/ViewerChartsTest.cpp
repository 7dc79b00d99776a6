// The log viewer's charts, headless: their series and settings, the rebuild, the
// incremental follow of a recording, and bad input.

#include "support/LogTestSamples.h"
#include "support/ViewerProbe.h"
#include "log/ChartPoints.h"
#include "log/TForm2.h"
#include "log/ViewerChart.h"
#include "log/ViewerLayout.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <functional>
#include <limits>

namespace dp {
namespace {

using test::ChartSnapshot;
using test::FillLog;
using test::MakeSample;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

class Charts : public ::testing::Test {
protected:
    SampleLog log;
    TForm2 form{log};

    void Click(int channel, int chart) { form.sCheckBox[std::size_t(2 * channel + chart - 1)]->click(); }
    void TickAll()
    {
        for (QCheckBox* box : form.sCheckBox) box->click();
    }
    ChartSnapshot Shot() const { return ChartSnapshot::Of(form); }
};

TEST_F(Charts, EachChartHasTwentyLinesThenTheBar)
{
    for (ViewerChart* chart : {form.Chart1, form.Chart2}) {
        SCOPED_TRACE(chart->objectName().toStdString());
        ASSERT_EQ(chart->plottableCount(), 21);
        for (int i = 0; i < 20; ++i) {
            SCOPED_TRACE(kChannels[std::size_t(i)].Name);
            auto* series = qobject_cast<QCPGraph*>(chart->plottable(i));
            ASSERT_NE(series, nullptr);
            EXPECT_EQ(series->name(), QString::fromUtf8(kChannels[std::size_t(i)].Name));
            const ChartColor c = kChannels[std::size_t(i)].Color;
            EXPECT_EQ(series->pen().color(), QColor(c.Red, c.Green, c.Blue));
            EXPECT_EQ(series->lineStyle(), QCPGraph::lsLine);
            EXPECT_TRUE(series->scatterStyle().isNone());
            EXPECT_TRUE(series->adaptiveSampling());
            EXPECT_FALSE(chart->legend->hasItemWithPlottable(series));
        }
        auto* bar = qobject_cast<QCPBars*>(chart->plottable(20));
        ASSERT_EQ(bar, chart->CursorBar());
        EXPECT_EQ(bar->brush().color(), QColor(Qt::black));
        EXPECT_FALSE(chart->legend->hasItemWithPlottable(bar));
        EXPECT_EQ(chart->toPixmap(777, 208).toImage().pixelColor(1, 1), QColor(80, 80, 80));
        EXPECT_EQ(chart->legend->brush().color(), QColor(128, 128, 128));
    }
    EXPECT_EQ(form.Chart2->Series(16)->pen().color(), QColor(255, 0, 0));  // "Fuel pump" shares red with "RPM"
}

TEST_F(Charts, ValueAxisShowsZeroToHundredOnTheMiddleOfThePlot)
{
    form.show();  // the chart lays itself out once it has been shown
    form.Chart1->replot();
    const QRect plot = form.Chart1->axisRect()->rect();
    const double zero = form.Chart1->yAxis->coordToPixel(0);
    const double hundred = form.Chart1->yAxis->coordToPixel(100);
    EXPECT_NEAR((plot.bottom() - zero) / plot.height(), 0.02, 0.001);
    EXPECT_NEAR((plot.bottom() - hundred) / plot.height(), 0.98, 0.001);
}

TEST_F(Charts, SecondBoxOnlyPutsTheChannelOnTheSecondChart)
{
    FillLog(log, 5);
    Click(1, 2);  // "Speed", "Graf 2"
    ChartSnapshot shot = Shot();
    EXPECT_EQ(shot.series[1][1].size(), 5u);
    EXPECT_TRUE(shot.series[0][1].empty());
    EXPECT_EQ(shot.legend[1], std::vector<QString>{"Speed"});
    EXPECT_TRUE(shot.legend[0].empty());
    for (int i = 0; i < 20; ++i) {
        if (i != 1) {
            EXPECT_TRUE(shot.series[1][std::size_t(i)].empty()) << i;
        }
    }

    Click(1, 2);  // unticked: the series empties at once
    shot = Shot();
    EXPECT_TRUE(shot.series[1][1].empty());
    EXPECT_TRUE(shot.legend[1].empty());
}

TEST_F(Charts, PointsAreTimeAgainstPlottedValue)
{
    FillLog(log, 4);
    Click(0, 1);
    Click(17, 1);
    const ChartSnapshot shot = Shot();
    ASSERT_EQ(shot.series[0][0].size(), 4u);
    for (int k = 0; k < 4; ++k) {
        SCOPED_TRACE(k);
        const TEngineSample s = MakeSample(k);
        EXPECT_EQ(shot.series[0][0][std::size_t(k)].first, double(s.Time));
        EXPECT_EQ(form.Chart1->Series(0)->data()->at(k)->value, double(PlottedY(kChannels[0], s)));
        EXPECT_EQ(form.Chart1->Series(17)->data()->at(k)->value, double(s.FanFlag));
    }
}

TEST_F(Charts, BothBoxesGiveTheSamePointsOnBothCharts)
{
    FillLog(log, 6);
    Click(4, 1);
    Click(4, 2);
    const ChartSnapshot shot = Shot();
    EXPECT_EQ(shot.series[0][4].size(), 6u);
    EXPECT_EQ(shot.series[0][4], shot.series[1][4]);
    EXPECT_EQ(shot.legend[0], std::vector<QString>{"W temp"});
    EXPECT_EQ(shot.legend[1], std::vector<QString>{"W temp"});
}

TEST_F(Charts, LegendListsTickedChannelsInChannelOrder)
{
    Click(17, 1);
    Click(0, 1);
    Click(8, 1);
    const ChartSnapshot shot = Shot();
    EXPECT_EQ(shot.legend[0], (std::vector<QString>{"RPM", "O2", "Fan"}));
    // An empty log: the series stay empty and the legends still follow the boxes.
    for (const auto& points : shot.series[0]) EXPECT_TRUE(points.empty());
}

TEST_F(Charts, DecreasingTimesStillDrawLeftToRight)
{
    for (float t : {9.0f, 3.0f, 6.0f, 1.0f}) {
        TEngineSample s;
        s.Time = t;
        log.AppendSample(s);
    }
    Click(0, 1);
    const ChartSnapshot shot = Shot();
    std::vector<double> keys;
    for (const auto& p : shot.series[0][0]) keys.push_back(p.first);
    EXPECT_EQ(keys, (std::vector<double>{1, 3, 6, 9}));
    EXPECT_EQ(form.Chart1->xAxis->range().lower, 1);
    EXPECT_EQ(form.Chart1->xAxis->range().upper, 9);
}

TEST_F(Charts, RebuildShowsTheLogOnlyWhenItRuns)
{
    FillLog(log, 5);
    Click(0, 1);
    const ChartSnapshot before = Shot();
    log.ClearLog();
    EXPECT_EQ(Shot(), before);  // a cleared log is not seen until the next rebuild
    form.RebuildCharts();
    EXPECT_TRUE(Shot().series[0][0].empty());
}

// A loaded file may hold NaN or infinite values: no crash, gaps where a value is not
// a number, samples without a finite time left off the time axis, and a time axis
// that spans the finite times only.
TEST_F(Charts, NonFiniteValuesNeitherCrashNorBreakTheTimeAxis)
{
    const float times[] = {1, 2, kNaN, 3, kInf, 4, -kInf, 5};
    for (int k = 0; k < 8; ++k) {
        TEngineSample s = MakeSample(k);
        s.Time = times[k];
        s.EngineSpeed = k == 1 ? kNaN : k == 3 ? kInf : k == 5 ? -3e38f : 1000;
        s.CoolantTemp = k == 0 ? -kInf : 80;
        log.AppendSample(s);
    }
    TickAll();
    const ChartSnapshot shot = Shot();
    ASSERT_EQ(shot.series[0][0].size(), 5u);
    for (ViewerChart* chart : {form.Chart1, form.Chart2}) {
        const QPixmap picture = chart->toPixmap(777, 208);
        EXPECT_FALSE(picture.isNull());
        EXPECT_EQ(chart->xAxis->range().lower, 1);
        EXPECT_EQ(chart->xAxis->range().upper, 5);
    }
    int gaps = 0;
    for (auto it = form.Chart1->Series(0)->data()->constBegin(); it != form.Chart1->Series(0)->data()->constEnd(); ++it) {
        gaps += std::isnan(it->value);
    }
    EXPECT_EQ(gaps, 3);  // NaN, infinity, and -3e38 overflowing the scale

    log.SetCursor(log.Head()->Next->Next);  // the sample whose time is NaN
    form.ShowCursorSample();
    EXPECT_EQ(form.Chart1->CursorBar()->data()->size(), 0);
    EXPECT_FALSE(form.Chart1->toPixmap(777, 208).isNull());
}

// A view the user zoomed or dragged stays while a recording goes on; a double click
// hands the time axis back to the points.
TEST_F(Charts, UserViewStaysUntilGivenBack)
{
    FillLog(log, 10);  // times 0 .. 0.9
    Click(0, 1);
    Click(0, 2);
    form.Chart1->xAxis->setRange(0.2, 0.4);  // as the mouse wheel or a drag does
    ASSERT_TRUE(form.Chart1->UserView());
    log.AppendSample(MakeSample(30));  // time 3
    form.FollowRecording();
    EXPECT_EQ(form.Chart1->xAxis->range(), QCPRange(0.2, 0.4));
    EXPECT_EQ(form.Chart2->xAxis->range().upper, 3.0f);  // the other chart still follows

    form.Chart1->RestoreAutomaticView();
    EXPECT_FALSE(form.Chart1->UserView());
    EXPECT_EQ(form.Chart1->xAxis->range().lower, 0);
    EXPECT_EQ(form.Chart1->xAxis->range().upper, 3.0f);
    EXPECT_EQ(form.Chart1->yAxis->range(), QCPRange(kValueAxisLower, kValueAxisUpper));
}

// What a recording tick does to the log between two follows.
struct FollowCase {
    const char* name;
    std::function<void(SampleLog&)> tick;
};

TEST_F(Charts, FollowingARecordingHoldsWhatARebuildGives)
{
    auto append = [](float time, int tag) {
        return [=](SampleLog& l) {
            TEngineSample s = MakeSample(tag);
            s.Time = time;
            l.AppendSample(s);
        };
    };
    const FollowCase cases[] = {
        {"rising_times", append(100, 1)},
        {"equal_time_keeps_log_order", append(100, 2)},
        {"nan_time_left_out", append(kNaN, 3)},
        {"nan_values", [](SampleLog& l) {
             TEngineSample s = MakeSample(4);
             s.Time = 101;
             s.EngineSpeed = kNaN;
             s.MafSensor = kInf;
             l.AppendSample(s);
         }},
        {"two_samples_between_follows", [&](SampleLog& l) {
             append(102, 5)(l);
             append(103, 6)(l);
         }},
        {"time_goes_back", append(50, 7)},
        {"time_goes_back_onto_a_plotted_time", append(100, 12)},  // after the two at 100, as in the log
        {"clock_back_then_on", append(60, 8)},
        {"log_cleared_then_recorded", [&](SampleLog& l) {
             l.ClearLog();
             append(1, 9)(l);
         }},
        {"after_clear_rising", append(2, 10)},
        {"nothing_new", [](SampleLog&) {}},
    };
    FillLog(log, 20);
    for (int channel : {0, 4, 8, 12, 17, 19}) Click(channel, 1);
    for (int channel : {0, 1, 8, 13}) Click(channel, 2);
    for (const FollowCase& c : cases) {
        SCOPED_TRACE(c.name);
        c.tick(log);
        form.FollowRecording();
        const ChartSnapshot followed = Shot();
        form.RebuildCharts();
        EXPECT_EQ(followed, Shot());
    }
    // A box ticked without its click (nothing rebuilt) is caught up by the next follow.
    form.sCheckBox[2]->setChecked(true);
    append(3, 11)(log);
    form.FollowRecording();
    const ChartSnapshot followed = Shot();
    form.RebuildCharts();
    EXPECT_EQ(followed, Shot());
    EXPECT_EQ(followed.series[0][1].size(), 3u);
}

}  // namespace
}  // namespace dp
