// Live data on the line: the real link code on the real serial backend (QSerialPort)
// against the virtual ECU serving a pseudo-terminal from its own process, paced at
// 9600 bit/s, with a refresh timer at 20 ticks a second and nothing drawn. Two runs
// in one: the two exchanges per sample, against their limit computed from the bytes
// on the line; then the continuous stream, its fresh samples against the rate set and
// its parsed frames against the line's limit for the frame size.
//
//   bench_livedata [seconds per run]

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>
#include <cstdio>
#include <ctime>
#include <functional>

#include "ecu/EcuLink.h"
#include "ecu/LiveData.h"
#include "ecu/LiveStream.h"
#include "ecu/QtSerialBackend.h"

namespace {

constexpr int kBitRate = 9600;
constexpr int kRefreshMs = 50;  // 20 updates a second
constexpr double kByteS = 10.0 / kBitRate;

struct Run {
    double seconds = 0;
    double cpu = 0;
    long ticks = 0;
};

// Calls tick() from a timer every kRefreshMs for the given time, as the refresh timer does.
Run Ticking(QCoreApplication& app, double seconds, const std::function<void()>& tick)
{
    Run run;
    QElapsedTimer wall;
    QTimer timer;
    timer.setInterval(kRefreshMs);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        tick();
        ++run.ticks;
        if (wall.elapsed() >= seconds * 1000) app.quit();
    });
    const std::clock_t cpu0 = std::clock();
    wall.start();
    timer.start();
    app.exec();
    run.seconds = wall.elapsed() / 1000.0;
    run.cpu = double(std::clock() - cpu0) / CLOCKS_PER_SEC;
    return run;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;

    QProcess unit;
    unit.start(QStringLiteral(DP_ECUSIM_PATH), {QStringLiteral("--baud"), QString::number(kBitRate)});
    if (!unit.waitForStarted() || !unit.waitForReadyRead(5000)) {
        std::fprintf(stderr, "the virtual ECU did not start\n");
        return 1;
    }
    const std::string path = unit.readLine().trimmed().toStdString();

    dp::QtSerialBackend port;
    port.setPortName(path);
    port.setBaudIndex(7);
    port.open();
    dp::EcuLink link(port);
    link.SetBitRate(kBitRate);
    if (!link.EcuInit()) {
        std::fprintf(stderr, "no handshake on %s\n", path.c_str());
        return 1;
    }

    dp::TEngineSample sample;
    const Run exchanges = Ticking(app, seconds, [&] { dp::AcquireSample(link, sample, 0); });

    dp::LiveStream stream(link);
    if (stream.Start(kBitRate) != dp::StreamStart::Running) {
        std::fprintf(stderr, "the unit refused the stream\n");
        return 1;
    }
    long fresh = 0;
    const long frames0 = stream.frames().framesFound();
    const Run streamed = Ticking(app, seconds, [&] { fresh += stream.Poll(sample) ? 1 : 0; });
    const double frames = double(stream.frames().framesFound() - frames0);
    stream.Stop();
    port.close();
    unit.terminate();
    unit.waitForFinished(2000);

    // Each exchange puts the 19-byte request on the wire and gets one frame of 0xFF,
    // length and nine bytes back; after the stop the unit finishes the next frame,
    // already under way, and sends its end mark before it listens again.
    const double exchangeLimit = 1.0 / (2 * (19 + 11 + 11 + 1) * kByteS);
    const double exchangeRate = exchanges.ticks / exchanges.seconds;
    std::printf("live data over a pseudo-terminal at %d bit/s, refresh every %d ms, nothing drawn\n", kBitRate,
                kRefreshMs);
    std::printf("two exchanges per sample, %.1f s:\n", exchanges.seconds);
    std::printf("  rate:                    %.2f samples/s\n", exchangeRate);
    std::printf("  limit from the line:     %.2f samples/s\n", exchangeLimit);
    std::printf("  rate / limit:            %.3f\n", exchangeRate / exchangeLimit);
    std::printf("  CPU:                     %.1f%% of one core\n", 100.0 * exchanges.cpu / exchanges.seconds);

    // A frame of eighteen registers is 20 bytes; the unit sends them back to back.
    const double frameLimit = 1.0 / (20 * kByteS);
    const double rateSet = 1000.0 / kRefreshMs;
    std::printf("continuous stream, %.1f s:\n", streamed.seconds);
    std::printf("  fresh samples:           %.2f /s\n", fresh / streamed.seconds);
    std::printf("  fresh / rate set:        %.3f\n", fresh / streamed.seconds / rateSet);
    std::printf("  frames parsed:           %.2f /s (line limit %.2f)\n", frames / streamed.seconds, frameLimit);
    std::printf("  frames / line limit:     %.3f\n", frames / streamed.seconds / frameLimit);
    std::printf("  resynchronisations:      %ld\n", stream.frames().resyncs());
    std::printf("  CPU:                     %.1f%% of one core\n", 100.0 * streamed.cpu / streamed.seconds);
    return 0;
}
