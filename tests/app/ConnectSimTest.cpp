// The whole main window against the virtual ECU in real time: in-process, and through
// a pseudo-terminal with the QSerialPort backend as a real adapter would be used.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include "app/TForm1.h"
#include "app/TForm3.h"
#include "ecu/TForm4.h"
#include "ecu/TForm6.h"
#include "log/SampleLog.h"
#include "sim/SimClock.h"
#include "sim/SimPort.h"
#include "sim/VirtualEcu.h"
#ifdef Q_OS_UNIX
#include "sim/PtyServer.h"
#endif

namespace dp {
namespace {

class ConnectToVirtualEcu : public ::testing::Test {
protected:
    std::unique_ptr<TForm1> MakeForm(SerialPort* port = nullptr)
    {
        MainWindowServices services;
        services.port = port;
        services.showError = [this](const QString& text) { errors << text; };
        services.settingsFile = dir.filePath(QStringLiteral("param.bin"));
        auto form = std::make_unique<TForm1>(log, services);
        form->Timer1->stop();  // the test ticks by hand
        return form;
    }
    // Connects, reads a few samples and disconnects; returns the last sample.
    TEngineSample ConnectAndRead(TForm1& form, const std::string& portName)
    {
        form.Settings.PortName = portName;
        form.sButton1->click();
        EXPECT_TRUE(form.State.Connected) << portName;
        form.sButton2->click();
        for (int i = 0; i < 3; ++i) {
            QThread::msleep(50);  // ticks as far apart as at 20 a second: the stream needs time
            form.Timer1Timer();
        }
        form.sButton1->click();
        EXPECT_FALSE(form.State.Connected);
        return form.LiveSample;
    }
    static void ExpectPlausible(const TEngineSample& s)
    {
        EXPECT_GT(s.EngineSpeed, 100);  // cranking or running
        EXPECT_LT(s.EngineSpeed, 8000);
        EXPECT_GE(s.CoolantTemp, -40);
        EXPECT_LE(s.CoolantTemp, 130);
        EXPECT_GT(s.Battery, 9);
        EXPECT_LT(s.Battery, 16);
    }

    QTemporaryDir dir;
    SampleLog log;
    QStringList errors;
};

TEST_F(ConnectToVirtualEcu, InProcessBackend)
{
    auto form = MakeForm();
    ExpectPlausible(ConnectAndRead(*form, sim::kVirtualPortName));
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
}

TEST_F(ConnectToVirtualEcu, InProcessBackendStreaming)
{
    auto form = MakeForm();
    form->Settings.ContinuousStream = true;
    ExpectPlausible(ConnectAndRead(*form, sim::kVirtualPortName));
    EXPECT_GE(form->Source().stream().frames().framesFound(), 1);
    EXPECT_FALSE(form->Source().streaming());  // stopped by the disconnection
    EXPECT_TRUE(form->StreamStatusLabel->text().isEmpty());
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
}

// The unit must have stopped streaming whenever something else may use the port.
struct PortUse {
    const char* name;
    void (TForm1::*action)();
    bool resumedByTheTick;
};

void PrintTo(const PortUse& p, std::ostream* os) { *os << p.name; }

class StreamPausedFor : public ConnectToVirtualEcu, public testing::WithParamInterface<PortUse> {};

TEST_P(StreamPausedFor, TheUnitIsQuietAfterwards)
{
    sim::SteadyClock clock;
    sim::VirtualEcu ecu;
    sim::SimPort port(ecu, clock);
    auto form = MakeForm(&port);
    TForm4 tests;
    TForm6 report;
    form->attachWindows({.form4 = &tests, .form6 = &report});
    form->Settings.ContinuousStream = true;
    form->sButton1->click();
    ASSERT_TRUE(form->State.Connected);
    form->sButton2->click();
    EXPECT_TRUE(ecu.streaming());  // switching reading on starts it
    form->Timer1Timer();
    ASSERT_TRUE(form->Source().streaming());

    ((*form).*GetParam().action)();
    EXPECT_FALSE(ecu.streaming());
    EXPECT_FALSE(form->Source().streaming());
    form->Timer1Timer();
    EXPECT_EQ(ecu.streaming(), GetParam().resumedByTheTick);
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
    tests.hide();
}

INSTANTIATE_TEST_SUITE_P(Actions, StreamPausedFor,
                         testing::Values(PortUse{"ReadingOff", &TForm1::sButton2Click, false},
                                         PortUse{"FaultCodes", &TForm1::sButton4Click, true},
                                         PortUse{"Reset", &TForm1::sButton5Click, true},
                                         PortUse{"SelfLearningReset", &TForm1::sButton6Click, true},
                                         PortUse{"ActiveTests", &TForm1::N8Click, false},
                                         PortUse{"Disconnect", &TForm1::sButton1Click, false}),
                         [](const testing::TestParamInfo<PortUse>& info) { return std::string(info.param.name); });

TEST_F(ConnectToVirtualEcu, PortSpeedAndRatePickedInTheDialog)
{
    auto form = MakeForm();
    TForm3 dialog(form->Settings);  // the machine's real port list
    dialog.show();
    const auto pick = [](QComboBox* box, const char* text) {
        const int index = box->findText(QString::fromLatin1(text));
        ASSERT_GE(index, 0) << text;
        box->setCurrentIndex(index);
    };
    pick(dialog.sComboBox1, sim::kVirtualPortName);
    pick(dialog.sComboBox2, "19200");
    pick(dialog.sComboBox3, "4");
    dialog.sButton1->click();
    form->sButton1->click();
    ASSERT_TRUE(form->State.Connected);
    EXPECT_EQ(form->Timer1->interval(), 250);
    form->sButton2->click();
    for (int i = 0; i < 3; ++i) form->Timer1Timer();
    ExpectPlausible(form->LiveSample);
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
}

#ifdef Q_OS_UNIX
TEST_F(ConnectToVirtualEcu, PseudoTerminalThroughQSerialPort)
{
    sim::PtyServer server(sim::EcuOptions{}, 9600);
    server.start();
    auto form = MakeForm();
    ExpectPlausible(ConnectAndRead(*form, server.slavePath()));
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
}

TEST_F(ConnectToVirtualEcu, PseudoTerminalStreaming)
{
    sim::PtyServer server(sim::EcuOptions{}, 9600);
    server.start();
    auto form = MakeForm();
    form->Settings.ContinuousStream = true;
    ExpectPlausible(ConnectAndRead(*form, server.slavePath()));
    EXPECT_GE(form->Source().stream().frames().framesFound(), 1);
    EXPECT_EQ(form->Source().stream().frames().resyncs(), 0);
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
}

TEST_F(ConnectToVirtualEcu, OlderUnitOnATerminalFallsBackToExchangesAndSaysSo)
{
    sim::PtyServer server(sim::EcuOptions{.registerLimit = 9}, 9600);
    server.start();
    auto form = MakeForm();
    form->Settings.ContinuousStream = true;
    form->Settings.PortName = server.slavePath();
    form->sButton1->click();
    ASSERT_TRUE(form->State.Connected);
    form->sButton2->click();
    EXPECT_TRUE(form->Source().refused());
    EXPECT_EQ(form->StreamStatusLabel->text(), QStringLiteral("Поток отклонён, обмен по запросам"));
    for (int i = 0; i < 3; ++i) form->Timer1Timer();
    ExpectPlausible(form->LiveSample);
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();

    // The next connection asks again.
    form->sButton1->click();
    form->sButton1->click();
    EXPECT_TRUE(form->StreamStatusLabel->text().isEmpty());
}

TEST_F(ConnectToVirtualEcu, SilentUnitOnATerminalNeitherConnectsNorHangs)
{
    sim::PtyServer server(sim::EcuOptions{.silent = true}, 9600);
    server.start();
    auto form = MakeForm();
    form->Settings.PortName = server.slavePath();
    form->sButton1->click();
    EXPECT_FALSE(form->State.Connected);
    EXPECT_TRUE(form->Port().isOpen());
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_EQ(form->Label10->text(), QStringLiteral("нет ответа"));  // told, without an error box
}
#endif

TEST_F(ConnectToVirtualEcu, MissingDeviceIsReported)
{
    auto form = MakeForm();
    form->Settings.PortName = "/dev/no-such-adapter";
    form->sButton1->click();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith(QStringLiteral("Unable to open com port (Error: ")));
    EXPECT_FALSE(form->State.Connected);
    EXPECT_TRUE(form->Label10->text().isEmpty());  // the error box has said it all
}

}  // namespace
}  // namespace dp
