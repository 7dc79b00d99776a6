// The journal's cost per recorded sample against the refresh tick without it, both
// measured in the same run: the main window's whole tick (two exchanges with the
// in-process virtual ECU on a manual clock, so no time goes to waiting for the line,
// the dashboard drawn, the sample recorded), with and without the journal; and the
// recording step alone, with and without the journal, over many samples. CPU time of
// the process (user and system, so the journal's write calls count), medians of
// alternating rounds, since the machine may be shared.

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

#include "app/TForm1.h"
#include "log/LogKeeper.h"
#include "log/SampleLog.h"
#include "sim/SimClock.h"
#include "sim/SimPort.h"
#include "sim/VirtualEcu.h"

namespace {

constexpr int kRounds = 7;
constexpr int kTicksPerRound = 100;
constexpr int kRecordsPerRound = 20000;

double CpuSeconds() { return double(std::clock()) / CLOCKS_PER_SEC; }

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// A main window recording from its own virtual ECU, ticked by hand.
struct Recorder {
    explicit Recorder(const QString& folder, bool journal)
    {
        dp::MainWindowServices services;
        services.showError = [](const QString& text) { std::fprintf(stderr, "error: %s\n", qPrintable(text)); };
        services.ask = [](dp::Question) { return dp::Answer::No; };
        services.nowSeconds = [this] { return now; };
        services.port = &port;
        services.settingsFile = folder + QStringLiteral("/param.bin");
        if (!journal) services.journalFile = QString();
        form = std::make_unique<dp::TForm1>(log, services);
        form->Timer1->stop();
        form->sButton1->click();
        form->sButton2->click();
        form->sButton3->click();
        if (!form->State.Recording) std::fprintf(stderr, "not recording\n");
    }
    // CPU seconds per tick over n ticks.
    double Ticks(int n)
    {
        const double start = CpuSeconds();
        for (int i = 0; i < n; ++i) {
            now += 0.05;
            form->Timer1Timer();
        }
        return (CpuSeconds() - start) / n;
    }

    dp::sim::ManualClock clock{1'000'000};
    dp::sim::VirtualEcu ecu{{}, clock.nowUs()};
    dp::sim::SimPort port{ecu, clock};
    dp::SampleLog log;
    double now = 100.0;
    std::unique_ptr<dp::TForm1> form;
};

// CPU seconds per recorded sample, the log alone or the log and the journal.
double Records(dp::LogKeeper& keeper, int n)
{
    dp::TEngineSample sample;
    const double start = CpuSeconds();
    for (int i = 0; i < n; ++i) {
        sample.Time = float(i) * 0.05f;
        sample.EngineSpeed = float(800 + i % 5000);
        if (!keeper.Record(sample).isEmpty()) std::fprintf(stderr, "journal failed\n");
    }
    return (CpuSeconds() - start) / n;
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir plainDir, journalDir;
    Recorder plain(plainDir.path(), false), journaled(journalDir.path(), true);
    plain.Ticks(20);  // warm up: fonts, caches
    journaled.Ticks(20);

    std::vector<double> tickPlain, tickJournal;
    for (int round = 0; round < kRounds; ++round) {
        tickPlain.push_back(plain.Ticks(kTicksPerRound));
        tickJournal.push_back(journaled.Ticks(kTicksPerRound));
    }

    std::vector<double> recordPlain, recordJournal;
    for (int round = 0; round < kRounds; ++round) {
        dp::SampleLog logA, logB;
        dp::LogKeeper without(logA, QString());
        dp::LogKeeper with(logB, journalDir.filePath(QStringLiteral("bench-journal.dgz")));
        recordPlain.push_back(Records(without, kRecordsPerRound));
        recordJournal.push_back(Records(with, kRecordsPerRound));
        with.EndSession();
    }

    const double tick = Median(tickPlain), tickJ = Median(tickJournal);
    const double journalCost = Median(recordJournal) - Median(recordPlain);
    std::printf("journal against the refresh tick (%d rounds; medians of CPU time)\n", kRounds);
    std::printf("  tick without journal:          %8.3f ms\n", tick * 1e3);
    std::printf("  tick with journal:             %8.3f ms  (ratio %.4f)\n", tickJ * 1e3, tickJ / tick);
    std::printf("  recording a sample, log only:  %8.3f us\n", Median(recordPlain) * 1e6);
    std::printf("  recording a sample, + journal: %8.3f us\n", Median(recordJournal) * 1e6);
    std::printf("  journal per sample:            %8.3f us\n", journalCost * 1e6);
    std::printf("  journal / tick:                %8.4f %%  (goal: under 5 %%)\n", 100.0 * journalCost / tick);
    return 0;
}
