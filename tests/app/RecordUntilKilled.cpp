// A small driver for the crash test: the main window as the program builds it, working
// in the folder given as the argument, connects to the virtual ECU and records until it
// is killed. After each recorded sample it prints the sample's 60 bytes in hex, so the
// test knows what had been recorded when the kill came.

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

#include "app/TForm1.h"
#include "ecu/EngineSample.h"
#include "log/SampleLog.h"
#include "sim/SimPort.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2 || !QDir::setCurrent(QString::fromLocal8Bit(argv[1]))) {
        std::fputs("usage: dp_record_until_killed FOLDER\n", stderr);
        return 2;
    }
    dp::SampleLog log;
    dp::MainWindowServices services;  // the program's own clock, port and files
    services.showError = [](const QString& text) { std::fprintf(stderr, "error: %s\n", qPrintable(text)); };
    services.ask = [](dp::Question) {
        std::fputs("unexpected question\n", stderr);
        std::exit(3);
        return dp::Answer::Cancel;
    };
    dp::TForm1 form(log, services);
    form.Settings.PortName = dp::sim::kVirtualPortName;
    form.Settings.UpdatesPerSecond = 20;
    form.sButton1->click();
    form.sButton2->click();
    form.sButton3->click();
    if (!form.State.Recording) return 4;

    std::size_t printed = 0;
    // Connected after the window's own tick handler, so it runs once the sample is in.
    QObject::connect(form.Timer1, &QTimer::timeout, [&] {
        if (log.Count() == printed) return;
        printed = log.Count();
        const dp::SampleBytes bytes = dp::SampleToBytes(log.Tail()->Sample);
        const QByteArray line =
            QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())).toHex() + '\n';
        std::fwrite(line.constData(), 1, std::size_t(line.size()), stdout);
        std::fflush(stdout);
    });
    return app.exec();
}
