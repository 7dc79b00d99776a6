// Whole-program figure for live data: the real link code on a real serial backend
// (QSerialPort) against the virtual ECU serving a pseudo-terminal from its own
// process, paced at 9600 bit/s, with the refresh timer at 20 ticks a second.
// Reports the sample rate against the wire limit of the two exchanges, measured in
// the same run, and the program's CPU time per sample.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>
#include <cstdio>
#include <ctime>

#include "ecu/EcuLink.h"
#include "ecu/LiveData.h"
#include "ecu/QtSerialBackend.h"

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
    constexpr int kBitRate = 9600;
    constexpr int kRefreshMs = 50;  // 20 updates a second

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
    if (!link.EcuInit()) {
        std::fprintf(stderr, "no handshake on %s\n", path.c_str());
        return 1;
    }

    dp::TEngineSample sample;
    long samples = 0;
    QElapsedTimer wall;
    QTimer timer;
    timer.setInterval(kRefreshMs);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        dp::AcquireSample(link, sample, float(wall.elapsed() / 1000.0));
        ++samples;
        if (wall.elapsed() >= seconds * 1000) app.quit();
    });
    const std::clock_t cpu0 = std::clock();
    wall.start();
    timer.start();
    app.exec();
    const double elapsed = wall.elapsed() / 1000.0;
    const double cpu = double(std::clock() - cpu0) / CLOCKS_PER_SEC;
    port.close();
    unit.terminate();
    unit.waitForFinished(2000);

    // Each exchange must put the 19-byte request on the wire, get one frame of
    // 0xFF, length and nine bytes back, and send the stop byte: 31 byte times of 10 bits.
    // The unit then finishes the next frame, already under way when the stop reaches it,
    // and sends its end mark before it listens again: 19 + 11 + 11 + 1 byte times.
    const double byteS = 10.0 / kBitRate;
    const double wireLimit = 1.0 / (2 * (19 + 11 + 1) * byteS);
    const double streamLimit = 1.0 / (2 * (19 + 11 + 11 + 1) * byteS);
    const double rate = samples / elapsed;
    std::printf("live data over a pseudo-terminal at %d bit/s, refresh every %d ms, %.1f s\n", kBitRate,
                kRefreshMs, elapsed);
    std::printf("  samples:                 %ld\n", samples);
    std::printf("  rate:                    %.2f samples/s\n", rate);
    std::printf("  wire limit:              %.2f samples/s\n", wireLimit);
    std::printf("  rate / wire limit:       %.3f\n", rate / wireLimit);
    std::printf("  stream limit:            %.2f samples/s (the unit's frame under way and end mark)\n",
                streamLimit);
    std::printf("  rate / stream limit:     %.3f\n", rate / streamLimit);
    std::printf("  rate / refresh rate:     %.3f\n", rate / (1000.0 / kRefreshMs));
    std::printf("  CPU per sample:          %.3f ms (%.1f%% of one core)\n", 1000.0 * cpu / samples,
                100.0 * cpu / elapsed);
    return 0;
}
