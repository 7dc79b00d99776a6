// Sample log and log file at a million samples. Every figure is set against a
// plain reference measured in the same run: QFile writing and reading a buffer of
// the file's size, a std::vector of records, and the 60 bytes of the record.

#include "bench/ResidentMemory.h"
#include "ecu/EngineSample.h"
#include "log/LogFile.h"
#include "log/SampleLog.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <fstream>
#include <vector>

#ifdef __linux__
#include <unistd.h>
#endif

namespace {

constexpr int kSamples = 1'000'000;
constexpr qint64 kFileSize = 2 + 60 * qint64(kSamples);

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

dp::TEngineSample Sample(int i)
{
    dp::TEngineSample s;
    s.Time = 0.1f * float(i);
    s.EngineSpeed = 800.0f + float(i % 5000);
    s.CoolantTemp = float(i % 120);
    s.FanFlag = (i & 1) ? 100 : 0;
    return s;
}

void Fill(dp::SampleLog& log)
{
    for (int i = 0; i < kSamples; ++i) log.AppendSample(Sample(i));
}

using dp::bench::ResidentBytes;

void WriteRaw(const QString& path, const QByteArray& bytes, bool sync)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) std::abort();
    f.flush();
#ifdef __linux__
    if (sync) fdatasync(f.handle());
#else
    (void)sync;
#endif
}

// Runs first, before the other benchmarks leave freed memory for the log to reuse.
void BM_LogMemory(benchmark::State& state)
{
    double perSample = 0;
    for (auto _ : state) {
        const long long before = ResidentBytes();
        dp::SampleLog log;
        Fill(log);
        const long long after = ResidentBytes();
        benchmark::DoNotOptimize(log.Tail());
        perSample = before < 0 ? -1 : double(after - before) / kSamples;
    }
    state.counters["rss_bytes_per_sample"] = perSample;
    state.counters["node_bytes"] = double(sizeof(dp::SampleNode));
    state.counters["ratio_to_record"] = perSample / double(dp::kSampleSize);
}
BENCHMARK(BM_LogMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_AppendSample(benchmark::State& state)
{
    double logSec = 0, vectorSec = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        {
            std::vector<dp::TEngineSample> plain;
            for (int i = 0; i < kSamples; ++i) plain.push_back(Sample(i));
            benchmark::DoNotOptimize(plain.data());
        }
        vectorSec += Seconds(start);

        start = Clock::now();
        {
            dp::SampleLog log;
            Fill(log);
            benchmark::DoNotOptimize(log.Tail());
        }
        const double s = Seconds(start);
        logSec += s;
        state.SetIterationTime(s);
    }
    const double n = double(state.iterations()) * kSamples;
    state.counters["ns_per_append"] = logSec / n * 1e9;
    state.counters["ns_per_vector_push"] = vectorSec / n * 1e9;
    state.counters["ratio"] = logSec / vectorSec;
}
BENCHMARK(BM_AppendSample)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

void BM_SaveLog(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString raw = dir.filePath("raw.bin"), saved = dir.filePath("saved.dgz");
    const QByteArray bytes(kFileSize, 'x');
    dp::SampleLog log;
    Fill(log);
    double rawSec = 0, syncSec = 0, saveSec = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        WriteRaw(raw, bytes, false);
        rawSec += Seconds(start);

        start = Clock::now();
        WriteRaw(raw, bytes, true);
        syncSec += Seconds(start);

        start = Clock::now();
        dp::SaveLog(log, saved);
        const double s = Seconds(start);
        saveSec += s;
        state.SetIterationTime(s);
    }
    const double it = double(state.iterations());
    state.counters["save_ms"] = saveSec / it * 1e3;
    state.counters["raw_write_ms"] = rawSec / it * 1e3;
    state.counters["raw_write_sync_ms"] = syncSec / it * 1e3;
    state.counters["ratio"] = saveSec / rawSec;
    state.counters["ratio_to_synced"] = saveSec / syncSec;
}
BENCHMARK(BM_SaveLog)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

void BM_LoadLog(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("load.dgz");
    {
        dp::SampleLog log;
        Fill(log);
        dp::SaveLog(log, path);
    }
    QByteArray buffer(kFileSize, '\0');
    dp::SampleLog log;
    double rawSec = 0, loadSec = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        {
            QFile f(path);
            if (!f.open(QIODevice::ReadOnly) || f.read(buffer.data(), kFileSize) != kFileSize) std::abort();
        }
        rawSec += Seconds(start);

        start = Clock::now();
        dp::LoadLog(log, path);
        const double s = Seconds(start);
        loadSec += s;
        state.SetIterationTime(s);
        if (log.Count() != std::size_t(kSamples)) std::abort();
        log.ClearLog();  // so each load starts from an empty log, as after start-up
    }
    const double it = double(state.iterations());
    state.counters["load_ms"] = loadSec / it * 1e3;
    state.counters["raw_read_ms"] = rawSec / it * 1e3;
    state.counters["ratio"] = loadSec / rawSec;
}
BENCHMARK(BM_LoadLog)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
