// A long run without growth: an hour of live reading at 20 samples a second (72,000
// samples) with the program's own acquisition, dashboard drawing and recording code
// (the log and its journal file),
// against the in-process virtual ECU on a simulated clock, with the unit's faults
// switched on and off along the way.
//
// Checks, each failing the run (exit status 1):
//   - every tick ends within the bound its attempt limits give;
//   - the log and the journal hold one sample per tick, each stamped with its tick's
//     clock;
//   - the heap grows by no more than the log's own storage, plus a fixed allowance for
//     buffers first needed late in the run;
//   - a unit that gives nothing usable shows "нет ответа", an answering one never does;
//   - the saved log is exactly as long as its samples, and the journal then goes.
//
//   soak [--samples N] [--draw-every N]
// The dashboard costs milliseconds per drawing, so by default it is drawn on every 20th
// tick (once a simulated second); --draw-every 1 draws every tick as the program does.

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "SoakMemory.h"
#include "app/ReplyWatch.h"
#include "app/WorkingState.h"
#include "dashboard/DashboardLayout.h"
#include "dashboard/DashboardView.h"
#include "dashboard/GaugeImageWidget.h"
#include "dashboard/LampShapeWidget.h"
#include "ecu/LiveData.h"
#include "log/LogKeeper.h"
#include "log/SampleLog.h"
#include "sim/SimPort.h"

namespace {

using namespace dp;

constexpr int64_t kTickUs = 50'000;  // 20 updates a second
constexpr int kTicksPerMinute = 60 * 20;
// Two exchanges, each: the await rounds, the frame reader's attempts and the stop's
// read-out, every attempt waiting at most 1 ms.
constexpr int64_t kTickBoundUs = 2 * (EcuLink::kAwaitRounds + 2 * EcuLink::kFrameAttempts) * 1000;
// One-off buffers that may first be needed after the baseline (a longer queue in the
// simulated line, the log's list of blocks).
constexpr long long kAllowanceBytes = 256 * 1024;

struct Phase {
    const char* name;
    int fromMinute;
    sim::EcuOptions options;
    bool nothingUsable;  // no frame the program can decode: "нет ответа" is due
};

// The hour in minutes of samples at 20 a second (faulty ticks last longer, so the
// simulated time is longer); each phase runs until the next one begins. Frames two
// bytes short carry fewer than the nine values a reply must hold.
const Phase kPhases[] = {
    {"healthy", 0, {}, false},
    {"garbage", 10, {.garbage = true}, false},
    {"healthy", 14, {}, false},
    {"wrong length +3", 16, {.wrongLength = 3}, false},
    {"wrong length -2", 19, {.wrongLength = -2}, true},
    {"0xFF in data", 22, {.ffInData = true}, false},
    {"slow 60 ms", 25, {.slowUs = 60'000}, false},
    {"silent", 28, {.silent = true}, true},
    {"healthy", 31, {}, false},
    {"vanishing", 36, {.vanishAfterFrames = 200}, true},
    {"healthy", 41, {}, false},
    {"garbage, wrong length", 46, {.garbage = true, .wrongLength = 2}, false},
    {"healthy", 50, {}, false},
};
constexpr int kPhaseCount = int(std::size(kPhases));

struct PhaseFigures {
    long ticks = 0, answered = 0, quietTicks = 0;
    int64_t longestTickUs = 0;
    double wallMs = 0;
};

struct Options {
    long samples = 72'000;
    int drawEvery = 20;
};

bool ParseOptions(int argc, char** argv, Options& o)
{
    for (int i = 1; i + 1 < argc; i += 2) {
        const long v = std::atol(argv[i + 1]);
        if (std::strcmp(argv[i], "--samples") == 0 && v > 0)
            o.samples = v;
        else if (std::strcmp(argv[i], "--draw-every") == 0 && v > 0)
            o.drawEvery = int(v);
        else
            return false;
    }
    return argc % 2 == 1;
}

int PhaseAt(long tick)
{
    int p = 0;
    while (p + 1 < kPhaseCount && tick >= long(kPhases[p + 1].fromMinute) * kTicksPerMinute) ++p;
    return p;
}

// The twelve gauges and eight lamps of the main window, without the window.
struct Dashboard {
    std::array<std::unique_ptr<GaugeImageWidget>, 12> images;
    std::array<std::unique_ptr<LampShapeWidget>, 8> lamps;
    GaugeImages imagePtrs{};
    LampShapes lampPtrs{};
    GaugeFonts fonts = MakeGaugeFonts(96);

    Dashboard()
    {
        for (std::size_t i = 0; i < images.size(); ++i) imagePtrs[i] = (images[i] = std::make_unique<GaugeImageWidget>()).get();
        for (std::size_t i = 0; i < lamps.size(); ++i) lampPtrs[i] = (lamps[i] = std::make_unique<LampShapeWidget>()).get();
    }
    void Show(const TEngineSample& s) { DrawSampleOnDashboard(s, imagePtrs, lampPtrs, GaugeColors{}, fonts, QLatin1Char('.')); }
};

int failures = 0;
void Check(bool ok, const std::string& what)
{
    if (ok) return;
    if (++failures <= 20) std::printf("CHECK FAILED: %s\n", what.c_str());
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Options opt;
    if (!ParseOptions(argc, argv, opt)) {
        std::fprintf(stderr, "usage: soak [--samples N] [--draw-every N]\n");
        return 2;
    }

    sim::ManualClock clock;
    sim::VirtualEcu ecu;
    sim::SimPort port(ecu, clock);
    port.setBaudIndex(7);
    port.open();
    EcuLink link(port);
    Check(link.EcuInit(), "the handshake is answered");

    Dashboard dashboard;
    QTemporaryDir dir;
    const QString journal = dir.filePath(QStringLiteral("journal.dgz"));
    SampleLog log;
    LogKeeper keeper(log, journal);
    keeper.StartRecording();
    WorkingState state;
    state.Connected = state.Reading = state.Recording = true;
    ReplyWatch watch;
    TEngineSample live;
    auto nowSeconds = [&] { return 5000.25 + double(clock.nowUs()) / 1e6; };

    std::vector<PhaseFigures> figures(kPhaseCount);
    const long warmUp = std::min<long>(kTicksPerMinute, opt.samples / 10);
    long long heapAtBaseline = 0;
    std::size_t samplesAtBaseline = 0;
    int phase = -1;
    int64_t nextTickUs = clock.nowUs();
    QElapsedTimer wall, phaseWall;
    wall.start();
    phaseWall.start();

    for (long tick = 0; tick < opt.samples; ++tick) {
        if (tick == warmUp) {
            heapAtBaseline = HeapInUseBytes();
            samplesAtBaseline = log.Count();
        }
        if (PhaseAt(tick) != phase) {
            if (phase >= 0) figures[std::size_t(phase)].wallMs += double(phaseWall.restart());
            phase = PhaseAt(tick);
            ecu.setOptions(kPhases[phase].options);
        }
        // The refresh timer: ticks do not queue, a late one starts at once.
        clock.sleepUntilUs(nextTickUs);
        const int64_t startUs = clock.nowUs();
        AdvanceClock(state, nowSeconds());
        const bool answered = AcquireSample(link, live, state.ConnectionClock);
        watch.Reading(answered, nowSeconds());
        if (tick % opt.drawEvery == 0) dashboard.Show(live);
        const QString journalFailure = keeper.Record(live);
        const int64_t tickUs = clock.nowUs() - startUs;
        nextTickUs = startUs + kTickUs;

        PhaseFigures& f = figures[std::size_t(phase)];
        ++f.ticks;
        f.answered += answered;
        f.quietTicks += watch.Silent();
        f.longestTickUs = std::max(f.longestTickUs, tickUs);
        Check(tickUs <= kTickBoundUs, "tick " + std::to_string(tick) + " took " + std::to_string(tickUs) + " us");
        Check(log.Tail()->Sample.Time == state.ConnectionClock, "tick " + std::to_string(tick) + " stamped");
        Check(journalFailure.isEmpty(), journalFailure.toStdString());
    }
    figures[std::size_t(phase)].wallMs += double(phaseWall.elapsed());
    const long long heapGrowth = HeapInUseBytes() - heapAtBaseline;
    // Measured after the run, so that the probe does not change how the allocator
    // serves the run's own blocks.
    const long long blockBytes = MeasureLogBlockBytes();
    const long long logGrowth = LogStorageBytes(log.Count(), blockBytes) - LogStorageBytes(samplesAtBaseline, blockBytes);
    const double wallSeconds = double(wall.elapsed()) / 1000.0;

    Check(long(log.Count()) == opt.samples, "one sample per tick");
    Check(QFileInfo(journal).size() == 2 + qint64(kSampleSize) * opt.samples, "one journal record per tick");
    float lastTime = -1;
    bool ordered = true;
    for (const SampleNode* n = log.Head(); n; n = n->Next) ordered = ordered && n->Sample.Time >= lastTime, lastTime = n->Sample.Time;
    Check(ordered, "samples in tick order");

    std::printf("%-24s %7s %8s %7s %12s %8s\n", "phase", "ticks", "answered", "quiet", "longest tick", "wall");
    for (int p = 0; p < kPhaseCount; ++p) {
        const PhaseFigures& f = figures[std::size_t(p)];
        if (f.ticks == 0) continue;
        std::printf("%-24s %7ld %8ld %7ld %9.1f ms %6.1f s\n", kPhases[p].name, f.ticks, f.answered, f.quietTicks,
                    double(f.longestTickUs) / 1000.0, f.wallMs / 1000.0);
        // A unit giving nothing usable shows the sign within seconds; an answering one never.
        Check(kPhases[p].nothingUsable ? f.quietTicks > 0 : f.quietTicks == 0,
              std::string("status text in phase ") + kPhases[p].name);
    }

    const QString file = dir.filePath(QStringLiteral("soak.dgz"));
    keeper.Save(file);
    Check(QFileInfo(file).size() == 2 + qint64(kSampleSize) * opt.samples, "saved log size");
    Check(!QFileInfo::exists(journal) && !keeper.HasUnsaved(), "journal gone once saved");

    const long measured = opt.samples - warmUp;
    std::printf("samples %ld in %.1f s simulated, %.1f s wall; dashboard drawn every %d ticks\n", opt.samples,
                double(clock.nowUs()) / 1e6, wallSeconds, opt.drawEvery);
    std::printf("tick bound %.0f ms\n", double(kTickBoundUs) / 1000.0);
    if (heapAtBaseline >= 0) {
        std::printf("heap growth over %ld samples: %lld bytes (%.1f bytes/sample); log storage %lld bytes "
                    "(%.1f bytes/sample, blocks of %lld bytes for %zu samples); beyond the log %lld bytes\n",
                    measured, heapGrowth, double(heapGrowth) / double(measured), logGrowth,
                    double(logGrowth) / double(measured), blockBytes, SampleLog::kBlockNodes,
                    heapGrowth - logGrowth);
        Check(heapGrowth <= logGrowth + kAllowanceBytes, "heap grows by no more than the log");
    } else {
        std::printf("heap growth: not measurable with this C library\n");
    }
    std::printf(failures == 0 ? "soak passed\n" : "soak FAILED: %d checks\n", failures);
    return failures == 0 ? 0 : 1;
}
