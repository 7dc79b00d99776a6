// Showing one sample on the twelve dials, against the same pixels drawn by bare
// QPainter calls whose texts, positions and line ends were worked out beforehand.
// The reference's parts (fill, texts, lines) are timed alone to show where time goes.
//
// Then one sample's whole cost, drawing and painting the controls at the size of the
// default window's gauges: drawing every dial from scratch and scaling all twelve
// pictures at every paint (as before the gauge caches), against the cached drawing
// and painting of only the changed gauges. The samples are what the virtual engine
// streams at 20 a second; the worst case changes every readout and needle each time.

#include "dashboard/DashboardLayout.h"
#include "dashboard/DashboardView.h"
#include "dashboard/GaugeImageWidget.h"
#include "dashboard/LampShapeWidget.h"
#include "common/NumberFormat.h"
#include "ecu/LiveStream.h"
#include "sim/SimClock.h"
#include "sim/SimPort.h"
#include "sim/VirtualEcu.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace {

using namespace dp;

// One painter call of a dial: a text (font, colour, baseline) or a line (pen, ends),
// in the order the dial draws them.
struct Op {
    bool isText;
    const QFont* font;
    QPen pen;
    QPointF from, to;  // a text uses `from` as its baseline
    QString text;
};
using Recipe = std::vector<Op>;

struct Setup {
    GaugeFonts fonts = MakeGaugeFonts(96);
    GaugeColors colors;
    TEngineSample sample;
    std::array<std::unique_ptr<GaugeImageWidget>, 12> images;
    std::array<std::unique_ptr<LampShapeWidget>, 8> shapes;
    GaugeImages imagePtrs{};
    LampShapes shapePtrs{};
    std::array<Recipe, 12> recipes;
    std::array<QImage, 12> pictures;

    Setup()
    {
        // A lively sample: every needle away from its rest.
        for (const GaugeSpec& g : kGauges) sample.*g.field = g.minimum + (g.maximum - g.minimum) * 0.37f;
        sample.FanFlag = 100;
        for (std::size_t i = 0; i < 12; ++i) {
            images[i] = std::make_unique<GaugeImageWidget>();
            imagePtrs[i] = images[i].get();
            pictures[i] = QImage(kGaugePictureSize, kGaugePictureSize, QImage::Format_RGB32);
        }
        for (std::size_t i = 0; i < 8; ++i) {
            shapes[i] = std::make_unique<LampShapeWidget>();
            shapePtrs[i] = shapes[i].get();
        }
        for (const GaugeSpec& g : kGauges) recipes[std::size_t(g.image - 1)] = MakeRecipe(g);
    }

    Op Centred(const QFont& font, const QString& text, QPoint centre) const
    {
        const QFontMetrics fm(font);
        const QPoint baseline(centre.x() - fm.horizontalAdvance(text) / 2,
                              centre.y() - fm.height() / 2 + fm.ascent());
        return {true, &font, QPen(QColor(255, 255, 255)), baseline, {}, text};
    }

    Recipe MakeRecipe(const GaugeSpec& g) const
    {
        Recipe r;
        const float v = RoundToTenth(sample.*g.field);
        r.push_back(Centred(fonts.title, QString::fromUtf8(g.title), {250, 300}));
        r.push_back(Centred(fonts.readout, FormatGeneral(v, 5, QLatin1Char('.')), {250, 400}));
        const auto numbers = ScaleNumbers(g.minimum, g.maximum);
        const QPointF half(0.5, 0.5);
        auto line = [&](QPoint a, QPoint b, QColor color, int width) {
            r.push_back({false, nullptr, QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin),
                         QPointF(a) + half, QPointF(b) + half, {}});
        };
        const QColor green(0, 128, 0);
        for (int k = 0; k < 7; ++k) {
            const int angle = 150 + 40 * k;
            line(GaugePoint(200, angle), GaugePoint(235, angle), green, 5);
            r.push_back(Centred(fonts.scale, QString::number(numbers[std::size_t(k)]), GaugePoint(165, angle)));
            if (k < 6)
                for (int m = 10; m <= 30; m += 10)
                    line(GaugePoint(215, angle + m), GaugePoint(235, angle + m), green, 3);
        }
        line({250, 250}, GaugePoint(230, NeedleAngle(v, g.minimum, g.maximum)), QColor(255, 0, 0), 9);
        return r;
    }
};

Setup* setup = nullptr;

// Samples as the program decodes them from the virtual engine's stream at 20 a second.
std::vector<TEngineSample> StreamedSamples(int count)
{
    sim::ManualClock clock;
    sim::VirtualEcu ecu;
    sim::SimPort port(ecu, clock);
    port.open();
    EcuLink link(port);
    link.EcuInit();
    clock.advanceUs(60'000'000);  // warm and idling, with the driver's throttle blips
    LiveStream stream(link);
    stream.Start(9600);
    std::vector<TEngineSample> samples;
    TEngineSample s;
    while (int(samples.size()) < count) {
        clock.advanceUs(50'000);
        stream.Poll(s);
        samples.push_back(s);
    }
    return samples;
}

// Every readout and needle moves at every sample.
std::vector<TEngineSample> RestlessSamples(int count)
{
    std::vector<TEngineSample> samples;
    for (int i = 0; i < count; ++i) {
        TEngineSample s;
        for (const GaugeSpec& g : kGauges) s.*g.field = g.minimum + (g.maximum - g.minimum) * float(i % 20) / 19.0f;
        samples.push_back(s);
    }
    return samples;
}

struct Painting {
    std::vector<TEngineSample> samples;
    std::size_t next = 0;
    std::array<std::unique_ptr<GaugeImageWidget>, 12> images;
    GaugeImages imagePtrs{};
    std::unique_ptr<GaugeCaches> caches = std::make_unique<GaugeCaches>();
    QImage screen;  // stands in for the window's backing store

    Painting(std::vector<TEngineSample> s, int side) : samples(std::move(s)), screen(side, side, QImage::Format_RGB32)
    {
        for (std::size_t i = 0; i < 12; ++i) {
            images[i] = std::make_unique<GaugeImageWidget>();
            images[i]->resize(side, side);
            imagePtrs[i] = images[i].get();
        }
    }
    const TEngineSample& Next()
    {
        const TEngineSample& s = samples[next];
        next = (next + 1) % samples.size();
        return s;
    }
};

// Drawing every dial from scratch and scaling every picture at its paint.
void BM_SampleFromScratch(benchmark::State& state)
{
    Painting p(StreamedSamples(400), int(state.range(0)));
    for (auto _ : state) {
        DrawSampleOnDashboard(p.Next(), p.imagePtrs, {}, setup->colors, setup->fonts, QLatin1Char('.'));
        for (auto& image : p.images) {
            QPainter painter(&p.screen);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(image->pictureRect(), image->picture());
        }
    }
}

// Drawing the changed gauges and painting those controls, as the refresh tick does.
void CachedRun(benchmark::State& state, Painting& p)
{
    long repainted = 0, samples = 0;
    for (auto _ : state) {
        std::array<qint64, 12> before{};
        for (std::size_t i = 0; i < 12; ++i) before[i] = p.images[i]->picture().cacheKey();
        DrawSampleOnDashboard(p.Next(), p.imagePtrs, {}, setup->colors, setup->fonts, QLatin1Char('.'),
                              p.caches.get());
        for (std::size_t i = 0; i < 12; ++i) {
            if (p.images[i]->picture().cacheKey() == before[i]) continue;  // not updated, not repainted
            p.images[i]->render(&p.screen, QPoint(), QRegion(), QWidget::RenderFlags());
            ++repainted;
        }
        ++samples;
    }
    state.counters["gauges_repainted"] = samples ? double(repainted) / double(samples) : 0;
    long full = 0;
    for (const GaugeCache& c : *p.caches) full += c.fullDrawings();
    state.counters["full_drawings"] = samples ? double(full) / double(samples) : 0;
}

void BM_SampleCached(benchmark::State& state)
{
    Painting p(StreamedSamples(400), int(state.range(0)));
    CachedRun(state, p);
}

void BM_SampleCachedWorstCase(benchmark::State& state)
{
    Painting p(RestlessSamples(400), int(state.range(0)));
    CachedRun(state, p);
}


enum Part { kFill = 1, kTexts = 2, kLines = 4, kAll = 7 };

// The pen changes only where the dial changes it, so both do the same state changes.
void PaintRecipe(QImage& picture, const Recipe& recipe, int parts)
{
    QPainter p(&picture);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    if (parts & kFill) p.fillRect(picture.rect(), QColor(80, 80, 80));
    for (const Op& op : recipe) {
        if (!(parts & (op.isText ? kTexts : kLines))) continue;
        if (op.pen != p.pen()) p.setPen(op.pen);
        if (op.isText) {
            p.setFont(*op.font);
            p.drawText(op.from, op.text);
        } else {
            p.drawLine(op.from, op.to);
        }
    }
}

void BM_ShowSample(benchmark::State& state)
{
    for (auto _ : state)
        DrawSampleOnDashboard(setup->sample, setup->imagePtrs, setup->shapePtrs, setup->colors, setup->fonts,
                   QLatin1Char('.'));
}

void BM_DrawGauge12(benchmark::State& state)
{
    for (auto _ : state)
        for (const GaugeSpec& g : kGauges)
            DrawGauge(setup->pictures[std::size_t(g.image - 1)], QString::fromUtf8(g.title),
                      setup->sample.*g.field, g.minimum, g.maximum, setup->colors, setup->fonts,
                      QLatin1Char('.'));
}

void BM_Reference12(benchmark::State& state)
{
    const int parts = int(state.range(0));
    for (auto _ : state)
        for (std::size_t i = 0; i < 12; ++i) PaintRecipe(setup->pictures[i], setup->recipes[i], parts);
}

void BM_FormatReadout12(benchmark::State& state)
{
    for (auto _ : state)
        for (const GaugeSpec& g : kGauges)
            benchmark::DoNotOptimize(FormatGeneral(RoundToTenth(setup->sample.*g.field), 5, QLatin1Char('.')));
}

BENCHMARK(BM_ShowSample)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawGauge12)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Reference12)->Arg(kAll)->Arg(kFill)->Arg(kTexts)->Arg(kLines)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FormatReadout12)->Unit(benchmark::kMicrosecond);
// 142: the gauges of the default 983 x 512 window; 340: maximised on a 1920 x 1080 screen.
BENCHMARK(BM_SampleFromScratch)->Arg(142)->Arg(340)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SampleCached)->Arg(142)->Arg(340)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SampleCachedWorstCase)->Arg(142)->Arg(340)->Unit(benchmark::kMicrosecond);

// Keeps every run's time so the ratios can be printed after the table.
class Collector : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> times;
    void ReportRuns(const std::vector<Run>& runs) override
    {
        // CPU time: the machine may be shared. With repetitions, the median stands for the benchmark.
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !times.count(run.run_name.str()))
                times[run.run_name.str()] = run.GetAdjustedCPUTime();
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                times[run.run_name.str()] = run.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Setup s;
    setup = &s;
    benchmark::Initialize(&argc, argv);
    Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    benchmark::Shutdown();

    auto& t = collector.times;
    const double ref = t["BM_Reference12/7"];
    if (ref > 0) {
        std::printf("\nratios against the bare QPainter reference (12 dials):\n");
        for (const char* name : {"BM_ShowSample", "BM_DrawGauge12", "BM_Reference12/1", "BM_Reference12/2",
                                 "BM_Reference12/4", "BM_FormatReadout12"})
            if (t.count(name)) std::printf("  %-20s %.3f\n", name, t[name] / ref);
    }
    for (const char* size : {"142", "340"}) {
        const double scratch = t[std::string("BM_SampleFromScratch/") + size];
        if (scratch <= 0) continue;
        std::printf("\none sample drawn and painted at %s px, against drawing from scratch:\n", size);
        for (const char* name : {"BM_SampleCached", "BM_SampleCachedWorstCase"}) {
            const std::string key = std::string(name) + "/" + size;
            if (t.count(key)) std::printf("  %-26s %.3f\n", name, t[key] / scratch);
        }
    }
    setup = nullptr;
    return 0;
}
