// The fault-code buttons against the virtual ECU in real time: in-process, and through a
// pseudo-terminal with the QSerialPort backend as a real adapter would be used.

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include "app/TForm1.h"
#include "ecu/TForm6.h"
#include "log/SampleLog.h"
#include "sim/SimPort.h"
#ifdef Q_OS_UNIX
#include "sim/PtyServer.h"
#endif

namespace dp {
namespace {

class FaultCodesOnVirtualEcu : public ::testing::Test {
protected:
    void Connect(const std::string& portName, bool stream = false)
    {
        MainWindowServices services;
        services.showError = [this](const QString& text) { errors << text; };
        services.settingsFile = dir.filePath(QStringLiteral("param.bin"));
        form = std::make_unique<TForm1>(log, services);
        form->Timer1->stop();  // the test ticks by hand
        form->attachWindows({nullptr, nullptr, nullptr, nullptr, &form6, nullptr});
        form->Settings.PortName = portName;
        form->Settings.ContinuousStream = stream;
        form->sButton1->click();
        ASSERT_TRUE(form->State.Connected) << portName;
    }
    QString ReadReport()
    {
        form->sButton4->click();
        EXPECT_TRUE(form6.isVisible());
        return form6.sMemo1->toPlainText();
    }

    QTemporaryDir dir;
    SampleLog log;
    QStringList errors;
    TForm6 form6;
    std::unique_ptr<TForm1> form;
};

TEST_F(FaultCodesOnVirtualEcu, InProcessCodesAndSelfLearningReset)
{
    Connect(sim::kVirtualPortName);
    EXPECT_EQ(ReadReport(), QStringLiteral("Error: 21 from: 3 engine start\n"
                                           "Error: 34 from: 12 engine start\n"
                                           "Error: 45 from: 7 engine start"));

    // "A/F SL" shows the learnt mixture; the reset sets it back to neutral.
    form->sButton2->click();
    form->Timer1Timer();
    ASSERT_NE(form->LiveSample.AirFuelLearnt, 100.0f);
    form->sButton6->click();
    form->Timer1Timer();
    EXPECT_EQ(form->LiveSample.AirFuelLearnt, 100.0f);
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
}

#ifdef Q_OS_UNIX
TEST_F(FaultCodesOnVirtualEcu, PseudoTerminalReadResetRead)
{
    sim::EcuOptions options;
    options.faults = std::vector<sim::FaultCode>{{0x33, 11}, {0x05, 0}};
    sim::PtyServer server(options, 9600);
    server.start();
    Connect(server.slavePath());

    EXPECT_EQ(ReadReport(), QStringLiteral("Error: 33 from: 11 engine start\nError: 05 from: 0 engine start"));
    form->sButton5->click();
    EXPECT_EQ(ReadReport(), QStringLiteral("Error: 55 from: 0 engine start"));
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
}

// The unit streams live data until told to stop and finishes the frame under way; a
// fault read in the middle of it must get the report, not the tail of a frame, and
// the next tick must get the stream going again.
TEST_F(FaultCodesOnVirtualEcu, PseudoTerminalReadInTheMiddleOfAStream)
{
    sim::EcuOptions options;
    options.faults = std::vector<sim::FaultCode>{{0x33, 11}};
    sim::PtyServer server(options, 9600);
    server.start();
    Connect(server.slavePath(), true);
    form->sButton2->click();
    for (int i = 0; i < 3; ++i) {
        QThread::msleep(60);  // a few frames' time at 9600 bit/s
        form->Timer1Timer();
    }
    ASSERT_TRUE(form->Source().streaming());

    EXPECT_EQ(ReadReport().toStdString(), "Error: 33 from: 11 engine start");
    form->LiveSample = TEngineSample{};
    for (int i = 0; i < 10 && form->LiveSample.Battery == 0; ++i) {
        form->Timer1Timer();
        QThread::msleep(60);
    }
    EXPECT_TRUE(form->Source().streaming());
    EXPECT_GT(form->LiveSample.Battery, 9);
    EXPECT_EQ(form->Source().stream().frames().resyncs(), 0);
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
}
#endif

}  // namespace
}  // namespace dp
