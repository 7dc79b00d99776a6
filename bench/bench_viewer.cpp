// The log viewer's charts with all forty boxes ticked. Every figure is a ratio
// measured in this one run:
//   tick_ratio     a recording tick with the viewer visible (append, follow, and the
//                  repaint it queues) at 1,000,000 samples against at 1,000; also the
//                  slowest tick of each, and the handler's part without the repaint;
//   rebuild_ratio  RebuildCharts on 1,000,000 samples against a plain loop that fills
//                  forty coordinate arrays from the same log;
//   replot_ratio   one replot of both charts at 1,000,000 samples against at 1,000;
//   chart bytes    resident memory the charts' points take per sample.

#include "bench/ResidentMemory.h"
#include "log/ChartPoints.h"
#include "log/SampleLog.h"
#include "log/TForm2.h"
#include "log/ViewerChart.h"

#include <QApplication>
#include <QCheckBox>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <memory>
#include <vector>

#ifdef __linux__
#include <unistd.h>
#endif

namespace {

constexpr int kLong = 1'000'000;
constexpr int kShort = 1'000;
constexpr int kTicks = 200;

using Clock = std::chrono::steady_clock;
double Seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

using dp::bench::ResidentBytes;

// A drive at 10 samples a second with every channel moving.
dp::TEngineSample Sample(int i)
{
    dp::TEngineSample s;
    s.Time = 0.1f * float(i);
    s.EngineSpeed = 800.0f + float((i * 37) % 6000);
    s.VehicleSpeed = float((i / 10) % 180);
    s.ThrottleSensor = 0.5f + 0.001f * float(i % 4000);
    s.MafSensor = 1.0f + 0.001f * float((i * 7) % 4000);
    s.CoolantTemp = float(20 + (i / 100) % 70);
    s.InjectionTime = 2.0f + 0.01f * float(i % 1000);
    s.IgnitionAdvance = float(10 + i % 30);
    s.AirFuel = float(100 + i % 40);
    s.O2Sensor = 0.1f * float(i % 9);
    s.Battery = 13.0f + 0.1f * float(i % 12);
    s.AirFuelLearnt = float(100 + i % 10);
    s.IdleValve = float(20 + i % 40);
    const uint8_t on = (i / 50) % 2 ? 100 : 0;
    s.StartFlag = s.SteeringFlag = s.NeutralFlag = s.VtcFlag = on;
    s.FuelPumpFlag = s.FanFlag = s.WgFlag = s.EgrFlag = uint8_t(100 - on);
    return s;
}

struct Viewer {
    dp::SampleLog log;
    std::unique_ptr<dp::TForm2> form;
    explicit Viewer(int samples)
    {
        for (int i = 0; i < samples; ++i) log.AppendSample(Sample(i));
        form = std::make_unique<dp::TForm2>(log);
        form->show();
        for (QCheckBox* box : form->sCheckBox) box->setChecked(true);
        form->RebuildCharts();
        QApplication::processEvents();
    }
    // Both charts' time axes move by a hair first, as a drag would move them: a
    // replot of an unchanged view could reuse the lines sampled for the one before.
    void Replot()
    {
        for (dp::ViewerChart* chart : {form->Chart1, form->Chart2}) {
            chart->xAxis->moveRange(chart->xAxis->range().size() * 1e-4);
            chart->replot(QCustomPlot::rpImmediateRefresh);
        }
    }
};

struct TickTimes {
    double mean = 0, worst = 0;
    double handler = 0;  // mean of the handler's own part, before the repaint it queues
};

// What Timer1Timer does while recording with the viewer visible, then the repaint
// that it queues.
TickTimes Ticks(Viewer& v, int first)
{
    TickTimes t;
    for (int k = 0; k < kTicks; ++k) {
        const auto start = Clock::now();
        v.log.AppendSample(Sample(first + k));
        v.form->FollowRecording();
        t.handler += Seconds(start) / kTicks;
        QApplication::processEvents();
        const double s = Seconds(start);
        t.mean += s / kTicks;
        t.worst = std::max(t.worst, s);
    }
    return t;
}

double ReplotSeconds(Viewer& v, int times)
{
    v.Replot();  // warm caches and glyphs
    const auto start = Clock::now();
    for (int k = 0; k < times; ++k) v.Replot();
    return Seconds(start) / times;
}

// The reference for a rebuild: one walk of the log writing forty preallocated arrays.
double PlainFillSeconds(const dp::SampleLog& log)
{
    const auto start = Clock::now();
    const std::size_t n = log.Count();
    std::vector<std::vector<QCPGraphData>> arrays(40, std::vector<QCPGraphData>(n));
    std::size_t k = 0;
    for (const dp::SampleNode* node = log.Head(); node != nullptr; node = node->Next, ++k) {
        const double x = double(node->Sample.Time);
        for (std::size_t c = 0; c < 40; ++c) {
            arrays[c][k] = QCPGraphData(x, double(dp::PlottedY(dp::kChannels[c / 2], node->Sample)));
        }
    }
    benchmark::DoNotOptimize(arrays.data());
    return Seconds(start);
}

void BM_ViewerCharts(benchmark::State& state)
{
    double tickRatio = 0, worstTickRatio = 0, handlerRatio = 0, handlerLongUs = 0, handlerShortUs = 0, rebuildRatio = 0, replotRatio = 0;
    double bytesPerSample = 0;
    double tickLongMs = 0, tickShortMs = 0, rebuildMs = 0, plainMs = 0, replotLongMs = 0, replotShortMs = 0;
    for (auto _ : state) {
        Viewer shortLog(kShort);
        const TickTimes shortTicks = Ticks(shortLog, kShort);
        const double shortReplot = ReplotSeconds(shortLog, 20);

        // Memory first, on a fresh form: what the rebuild's points add to the process.
        dp::SampleLog log;
        for (int i = 0; i < kLong; ++i) log.AppendSample(Sample(i));
        dp::TForm2 form(log);
        for (QCheckBox* box : form.sCheckBox) box->setChecked(true);
        const long long before = ResidentBytes();
        auto start = Clock::now();
        form.RebuildCharts();
        const double rebuild = Seconds(start);
        bytesPerSample = double(ResidentBytes() - before) / kLong;
        const double plain = PlainFillSeconds(log);

        Viewer longLog(kLong);
        const TickTimes longTicks = Ticks(longLog, kLong);
        const double longReplot = ReplotSeconds(longLog, 5);

        tickRatio = longTicks.mean / shortTicks.mean;
        worstTickRatio = longTicks.worst / shortTicks.worst;
        handlerRatio = longTicks.handler / shortTicks.handler;
        handlerLongUs = longTicks.handler * 1e6;
        handlerShortUs = shortTicks.handler * 1e6;
        rebuildRatio = rebuild / plain;
        replotRatio = longReplot / shortReplot;
        tickLongMs = longTicks.mean * 1e3;
        tickShortMs = shortTicks.mean * 1e3;
        rebuildMs = rebuild * 1e3;
        plainMs = plain * 1e3;
        replotLongMs = longReplot * 1e3;
        replotShortMs = shortReplot * 1e3;
        state.SetIterationTime(rebuild);
    }
    state.counters["a_tick_ratio"] = tickRatio;
    state.counters["a_worst_tick_ratio"] = worstTickRatio;
    state.counters["a_handler_ratio"] = handlerRatio;
    state.counters["a_handler_1M_us"] = handlerLongUs;
    state.counters["a_handler_1k_us"] = handlerShortUs;
    state.counters["a_tick_1M_ms"] = tickLongMs;
    state.counters["a_tick_1k_ms"] = tickShortMs;
    state.counters["b_rebuild_ratio"] = rebuildRatio;
    state.counters["b_rebuild_ms"] = rebuildMs;
    state.counters["b_plain_fill_ms"] = plainMs;
    state.counters["c_replot_ratio"] = replotRatio;
    state.counters["c_replot_1M_ms"] = replotLongMs;
    state.counters["c_replot_1k_ms"] = replotShortMs;
    state.counters["d_chart_bytes_per_sample"] = bytesPerSample;
}
BENCHMARK(BM_ViewerCharts)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
