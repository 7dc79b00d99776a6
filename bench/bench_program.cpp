// The whole program's cost while reading: the real main window, shown at its default
// size, connected through QSerialPort to the virtual ECU served on a pseudo-terminal
// by its own process at 9600 bit/s, reading and recording at 20 samples a second.
// Reports samples a second against the rate set and the process's CPU time (all its
// threads) as a share of one core. Run it under Xvfb for the figure a user sees, or
// with QT_QPA_PLATFORM=offscreen for the program's own share without a display.
//
//   bench_program [seconds] [--exchanges]

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <ctime>

#include <algorithm>
#include <vector>

#include "app/Skin.h"
#include "app/TForm1.h"
#include "ecu/LiveData.h"
#include "ecu/QtSerialBackend.h"
#include "log/SampleLog.h"

namespace {

// Passes everything to the real port and notes, per sample of the two exchanges, when
// its first request went out and when the last byte before it was read: the time spent
// acquiring against the time the rest of the tick and the event loop take.
class TimedPort : public dp::SerialPort {
public:
    explicit TimedPort(dp::SerialPort& inner) : inner_(inner) { clock_.start(); }
    void setPortName(const std::string& n) override { inner_.setPortName(n); }
    void setBaudIndex(int c) override { inner_.setBaudIndex(c); }
    void open() override { inner_.open(); }
    void close() override { inner_.close(); }
    bool isOpen() const override { return inner_.isOpen(); }
    int write(const uint8_t* d, int n) override
    {
        if (n == int(dp::kFirstRequest.size()) && std::equal(d, d + n, dp::kFirstRequest.begin())) {
            requests_.push_back(Ms());
            lastReads_.push_back(lastRead_);
        }
        return inner_.write(d, n);
    }
    bool readByte(uint8_t& b) override
    {
        const bool got = inner_.readByte(b);
        if (got) lastRead_ = Ms();
        return got;
    }
    int inputCount() override { return inner_.inputCount(); }
    bool waitForInput(int ms) override { return inner_.waitForInput(ms); }

    // Means over the samples after the first `skip`; false when there were none.
    bool Split(std::size_t skip, double& acquiring, double& between) const
    {
        double a = 0, b = 0;
        std::size_t n = 0;
        for (std::size_t i = skip; i + 1 < requests_.size(); ++i, ++n) {
            a += lastReads_[i + 1] - requests_[i];
            b += requests_[i + 1] - lastReads_[i + 1];
        }
        if (n == 0) return false;
        acquiring = a / double(n);
        between = b / double(n);
        return true;
    }

private:
    double Ms() const { return double(clock_.nsecsElapsed()) / 1e6; }
    dp::SerialPort& inner_;
    QElapsedTimer clock_;
    std::vector<double> requests_, lastReads_;
    double lastRead_ = 0;
};

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // Looks as the program's main() sets them up.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans"));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    QApplication::setFont(font);
    app.setStyleSheet(dp::ApplicationStyleSheet());
    double seconds = 20;
    bool stream = true;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--exchanges") == 0)
            stream = false;
        else
            seconds = std::atof(argv[i]);
    }
    constexpr int kRate = 20;

    QProcess unit;
    unit.start(QStringLiteral(DP_ECUSIM_PATH), {QStringLiteral("--baud"), QStringLiteral("9600")});
    if (!unit.waitForStarted() || !unit.waitForReadyRead(5000)) {
        std::fprintf(stderr, "the virtual ECU did not start\n");
        return 1;
    }
    const std::string path = unit.readLine().trimmed().toStdString();

    QTemporaryDir dir;
    dp::SampleLog log;
    dp::QtSerialBackend port;
    dp::MainWindowServices services;
    TimedPort timed(port);
    services.port = &timed;
    services.settingsFile = dir.filePath(QStringLiteral("param.bin"));
    services.showError = [](const QString& text) { std::fprintf(stderr, "error: %s\n", qPrintable(text)); };
    // Closing at the end must not wait for a user: the recording is not kept.
    services.ask = [](dp::Question q) { return q == dp::Question::CloseWithoutSettings ? dp::Answer::Yes : dp::Answer::No; };
    dp::TForm1 form(log, services);
    form.Settings.PortName = path;
    form.Settings.UpdatesPerSecond = kRate;
    form.Settings.ContinuousStream = stream;
    form.show();
    QElapsedTimer wall;
    std::clock_t cpu0 = 0;
    std::size_t samples0 = 0;
    double elapsed = 0, cpu = 0, samples = 0;
    QTimer::singleShot(500, [&] {  // once the window has been shown and laid out
        form.sButton1->click();
        if (!form.State.Connected) {
            std::fprintf(stderr, "no handshake on %s\n", path.c_str());
            app.exit(1);
            return;
        }
        form.sButton2->click();
        form.sButton3->click();
        // Counted from the first second on, when the unit streams steadily.
        QTimer::singleShot(1000, [&] {
            samples0 = log.Count();
            cpu0 = std::clock();
            wall.start();
            QTimer::singleShot(int(seconds * 1000), [&] {
                elapsed = wall.elapsed() / 1000.0;
                cpu = double(std::clock() - cpu0) / CLOCKS_PER_SEC;
                samples = double(log.Count() - samples0);
                app.quit();
            });
        });
    });
    if (app.exec() != 0) return 1;
    unit.terminate();
    unit.waitForFinished(2000);

    std::printf("whole program, %s, %d samples/s set, %s, %.1f s\n", stream ? "stream mode" : "two exchanges",
                kRate, qPrintable(QGuiApplication::platformName()), elapsed);
    std::printf("  samples:              %.0f\n", samples);
    std::printf("  rate / rate set:      %.3f (%.2f samples/s)\n", samples / elapsed / kRate, samples / elapsed);
    double acquiring = 0, between = 0;
    if (!stream && timed.Split(20, acquiring, between)) {
        std::printf("  per sample:           %.2f ms acquiring (line: %.2f ms), %.2f ms between\n", acquiring,
                    1000.0 * 2 * (19 + 11 + 11 + 1) * 10.0 / 9600, between);
    }
    if (!stream) {
        // Two exchanges of 19 + 11 + 11 + 1 byte times each (see bench_livedata).
        const double limit = 9600.0 / (10.0 * 2 * (19 + 11 + 11 + 1));
        std::printf("  rate / line's limit:  %.3f (limit %.2f samples/s)\n", samples / elapsed / limit, limit);
    }
    std::printf("  CPU:                  %.1f%% of one core (%.3f ms per sample)\n", 100.0 * cpu / elapsed,
                samples > 0 ? 1000.0 * cpu / samples : 0.0);
    return 0;
}
