#include <gtest/gtest.h>

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>


#include "app/TForm1.h"
#include "app/TForm3.h"
#include "app/TForm7.h"
#include "dashboard/ColorBoxWidget.h"
#include "dashboard/DashboardLayout.h"
#include "dashboard/GaugeImageWidget.h"
#include "dashboard/LampShapeWidget.h"
#include "common/NumberFormat.h"
#include "dashboard/TForm5.h"
#include "ecu/LiveData.h"
#include "support/AnsweringTest.h"
#include "support/ScriptedPort.h"
#include "ecu/TForm4.h"
#include "ecu/TForm6.h"
#include "log/LogFile.h"
#include "log/SampleLog.h"
#include "log/TForm2.h"
#include "log/ViewerChart.h"

namespace dp::test {
namespace {

// A unit that answers the handshake when asked to and every register request with
// a frame of nine bytes; the engine speed byte counts up so samples differ.
struct ScriptedUnit {
    bool answersHandshake = true;
    bool answersRegisters = true;
    uint8_t counter = 0;
    void operator()(ScriptedPort& p, const Bytes& w)
    {
        if (w == Bytes{0xFF, 0xFF, 0xEF} && answersHandshake) p.arrive(p.nowUs + 4000, {0x10});
        if (w.size() == 19 && answersRegisters) p.arrive(p.nowUs + 20'000, {0xFF, 9, 0, ++counter, 0, 0, 0, 0, 140, 0, 0}, 1040);
    }
};

class MainWindow : public AnsweringTest {
protected:
    MainWindow()
    {
        port.onWrite = [this](ScriptedPort& p, const Bytes& w) { unit(p, w); };
        MainWindowServices services;
        AnswerAsTheUser(services);
        services.nowSeconds = [this] { return nowSeconds; };
        services.askSaveLogName = [this] { return fileName; };
        services.askOpenLogName = [this] { return fileName; };
        services.port = &port;
        services.settingsFile = dir.filePath(QStringLiteral("param.bin"));
        form = std::make_unique<TForm1>(log, services);
        form2 = std::make_unique<TForm2>(log);
        form3 = std::make_unique<TForm3>(form->Settings);
        form5 = std::make_unique<TForm5>(DashboardColorFields{form->Settings.NeedleColor, form->Settings.TitleColor,
                                                              form->Settings.DigitColor, form->Settings.ScaleColor});
        form1Windows = {form2.get(), form3.get(), &form4, form5.get(), &form6, &form7};
        form->attachWindows(form1Windows);
    }
    ~MainWindow() override { form->Timer1->stop(); }

    void Tick(double seconds = 0.1)
    {
        nowSeconds += seconds;
        form->Timer1Timer();
    }
    bool Looks(bool b1Down, bool b2Enabled, bool b2Down, bool b3Enabled, bool b3Down, bool commands) const
    {
        return form->sButton1->isChecked() == b1Down && form->sButton1->isEnabled() &&
               form->sButton2->isEnabled() == b2Enabled && form->sButton2->isChecked() == b2Down &&
               form->sButton3->isEnabled() == b3Enabled && form->sButton3->isChecked() == b3Down &&
               form->sButton4->isEnabled() == commands && form->sButton5->isEnabled() == commands &&
               form->sButton6->isEnabled() == commands && form->N8->isEnabled() == commands;
    }

    QTemporaryDir dir;
    ScriptedPort port{false};
    ScriptedUnit unit;
    SampleLog log;
    double nowSeconds = 5000.25;
    QString fileName;
    std::unique_ptr<TForm1> form;
    std::unique_ptr<TForm2> form2;
    std::unique_ptr<TForm3> form3;
    std::unique_ptr<TForm5> form5;
    TForm4 form4;
    TForm6 form6;
    TForm7 form7;
    SecondaryWindows form1Windows;
};

TEST_F(MainWindow, StartsDisconnectedWithTheStartupSample)
{
    EXPECT_TRUE(Looks(false, false, false, false, false, false));
    EXPECT_EQ(form->sButton1->text(), QStringLiteral("Подключиться"));
    EXPECT_EQ(form->Label9->text(), QStringLiteral("0"));
    EXPECT_EQ(form->StartupSample.CoolantTemp, -50.0f);
    for (LampShapeWidget* lamp : form->Shape) EXPECT_EQ(lamp->brushColor(), kLampOffColor);
    EXPECT_EQ(form->Timer1->interval(), 100);
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(MainWindow, SwitchesWalkTheStateTable)
{
    form->sButton1->click();
    ASSERT_TRUE(form->State.Connected);
    EXPECT_TRUE(Looks(true, true, false, false, false, true));
    EXPECT_EQ(form->sButton1->text(), QStringLiteral("Отключиться"));

    form->sButton2->click();
    EXPECT_TRUE(Looks(true, true, true, true, false, true));
    EXPECT_EQ(form->sButton2->text(), QStringLiteral("Стоп"));
    form->sButton3->click();
    EXPECT_TRUE(Looks(true, true, true, true, true, true));
    EXPECT_TRUE(form->State.Recording);

    // Disconnecting keeps reading and recording and their looks.
    form->sButton1->click();
    EXPECT_FALSE(port.isOpen());
    EXPECT_TRUE(Looks(false, false, true, true, true, false));
    EXPECT_TRUE(form->State.Reading && form->State.Recording);

    // Connecting again continues both with the next tick.
    form->sButton1->click();
    Tick();
    Tick();
    EXPECT_EQ(log.Count(), 2u);

    // Stopping reading stops recording; starting it again leaves recording off.
    form->sButton2->click();
    EXPECT_TRUE(Looks(true, true, false, false, false, true));
    EXPECT_FALSE(form->State.Recording);
    form->sButton2->click();
    EXPECT_FALSE(form->State.Recording);
    EXPECT_EQ(form->sButton3->text(), QStringLiteral("Записывать"));
}

TEST_F(MainWindow, FailedHandshakesLeaveThePortOpenAndRetryOnIt)
{
    unit.answersHandshake = false;
    form->sButton1->click();
    form->sButton1->click();
    EXPECT_FALSE(form->State.Connected);
    EXPECT_TRUE(Looks(false, false, false, false, false, false));
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(port.opens, 1);
    EXPECT_EQ(port.writes.size(), 4u);  // two handshake requests per click
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(MainWindow, PortThatCannotOpenIsReportedAndChangesNothing)
{
    port.failOpen = true;
    form->Settings.UpdatesPerSecond = 4;
    form->sButton1->click();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith(QStringLiteral("Unable to open com port (Error: ")));
    EXPECT_FALSE(form->State.Connected);
    EXPECT_TRUE(Looks(false, false, false, false, false, false));
    EXPECT_EQ(form->Timer1->interval(), 250);  // applied before the open
}

TEST_F(MainWindow, FailingTicksReportOnceAndNeverReenterTheExchange)
{
    form->sButton1->click();
    form->sButton2->click();
    port.failReads = true;
    std::size_t writesDuringBox = 0;
    onError = [&] {
        // The open box's event loop keeps delivering ticks.
        const std::size_t before = port.writes.size();
        Tick();
        Tick();
        writesDuringBox += port.writes.size() - before;
    };
    Tick();
    Tick();
    Tick();
    EXPECT_EQ(errors.size(), 1);
    EXPECT_EQ(writesDuringBox, 0u);
    EXPECT_TRUE(form->State.Connected && form->State.Reading);

    // Once the adapter works again, a later failure is reported again.
    port.failReads = false;
    Tick();
    port.failReads = true;
    Tick();
    EXPECT_EQ(errors.size(), 2);
}

// Silence is no error, but a unit that stops answering while read is shown beside the
// clock; the ticks and the recording go on.
TEST_F(MainWindow, UnitSilentForSecondsShowsNoAnswerWithoutAnErrorBox)
{
    form->sButton1->click();
    form->sButton2->click();
    form->sButton3->click();
    Tick(0.5);
    EXPECT_TRUE(form->Label10->text().isEmpty());

    unit.answersRegisters = false;
    for (int i = 0; i < 6; ++i) Tick(0.5);  // 3 s: not yet
    EXPECT_TRUE(form->Label10->text().isEmpty());
    Tick(0.5);
    EXPECT_EQ(form->Label10->text(), QStringLiteral("нет ответа"));
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_EQ(log.Count(), 8u);

    unit.answersRegisters = true;
    Tick(0.5);
    EXPECT_TRUE(form->Label10->text().isEmpty());

    unit.answersRegisters = false;
    for (int i = 0; i < 8; ++i) Tick(0.5);
    EXPECT_FALSE(form->Label10->text().isEmpty());
    form->sButton2->click();  // stopping the reading takes the sign away
    EXPECT_TRUE(form->Label10->text().isEmpty());
}

TEST_F(MainWindow, ClockLabelCountsFromTheSecondConnectedTick)
{
    Tick(5);  // not connected: nothing moves
    EXPECT_EQ(form->Label9->text(), QStringLiteral("0"));
    form->sButton1->click();
    Tick(1);
    Tick(1.25);
    EXPECT_EQ(form->Label9->text(), FormatClock(1.25, QLocale().decimalPoint().at(0)));
    form->sButton2->click();
    Tick(0.5);
    EXPECT_NEAR(form->LiveSample.Time, 1.75, 1e-4);
    EXPECT_EQ(form->LiveSample.CoolantTemp, 90.0f);
}

TEST_F(MainWindow, LogCommandsAndLogLoaded)
{
    form->sButton1->click();
    form->sButton2->click();
    form->sButton3->click();
    Tick();
    Tick();
    Tick();
    ASSERT_EQ(log.Count(), 3u);

    fileName = dir.filePath(QStringLiteral("a.dgz"));
    form->N5->trigger();
    EXPECT_EQ(QFile(fileName).size(), 2 + 3 * 60);

    // Cancelling does nothing; with everything saved nothing is asked either.
    fileName.clear();
    form->N6->trigger();
    EXPECT_FALSE(log.LogLoaded);
    EXPECT_TRUE(asked.empty());

    // "Очистить" while recording: recording goes on into the empty log.
    form->N7->trigger();
    EXPECT_EQ(log.Count(), 0u);
    Tick();
    EXPECT_EQ(log.Count(), 1u);

    // A missing file changes nothing, so the log is not marked as loaded and the next
    // recording extends it.
    answers = {Answer::No};
    fileName = dir.filePath(QStringLiteral("missing.dgz"));
    form->N6->trigger();
    EXPECT_EQ(asked, std::vector<Question>{Question::SaveUnsavedLog});
    EXPECT_EQ(log.Count(), 1u);
    EXPECT_FALSE(log.LogLoaded);
    form->sButton3->click();  // stop
    form->sButton3->click();  // start
    Tick();
    EXPECT_EQ(log.Count(), 2u);

    // A log file replaces the log; the next start of recording clears it, and
    // restarting afterwards keeps the samples.
    answers = {Answer::No};
    fileName = dir.filePath(QStringLiteral("a.dgz"));
    form->N6->trigger();
    EXPECT_EQ(log.Count(), 3u);
    EXPECT_TRUE(log.LogLoaded);
    form->sButton3->click();  // stop
    form->sButton3->click();  // start: clears
    EXPECT_EQ(log.Count(), 0u);
    EXPECT_FALSE(log.LogLoaded);
    Tick();
    form->sButton3->click();
    form->sButton3->click();
    Tick();
    EXPECT_EQ(log.Count(), 2u);

    // A damaged file is reported and does not set the flag.
    answers = {Answer::No};
    fileName = dir.filePath(QStringLiteral("short.dgz"));
    QFile f(fileName);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("D");
    f.close();
    form->N6->trigger();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0], QStringLiteral("Read beyond end of file"));
    EXPECT_FALSE(log.LogLoaded);
    EXPECT_EQ(log.Count(), 2u);
}

// The viewer's charts follow a recording only while the viewer is visible; showing
// it later catches them up with what was recorded meanwhile.
TEST_F(MainWindow, RecordingTicksFollowOnTheViewersChartsWhileItIsVisible)
{
    form2->sCheckBox[0]->click();  // "RPM" on Chart1
    form->sButton1->click();
    form->sButton2->click();
    form->sButton3->click();
    Tick();
    Tick();
    auto plotted = [&] { return form2->Chart1->Series(0)->data()->size(); };
    EXPECT_EQ(plotted(), 0);  // hidden: the charts are left alone

    form->N4->trigger();  // "Показать"
    ASSERT_TRUE(form2->isVisible());
    EXPECT_EQ(plotted(), 2);
    Tick();
    EXPECT_EQ(plotted(), 3);
    EXPECT_EQ(form2->Chart1->Series(0)->data()->at(2)->key, double(log.Tail()->Sample.Time));

    form2->close();  // hides it
    Tick();
    EXPECT_EQ(plotted(), 3);
    form->N4->trigger();
    EXPECT_EQ(plotted(), 4);
}

TEST_F(MainWindow, ActiveTestsTakeThePortAndStopReading)
{
    form->sButton1->click();
    form->sButton2->click();
    form->sButton3->click();
    form->N8->trigger();
    EXPECT_EQ(form4.TestPort, &port);
    EXPECT_TRUE(form4.isVisible());
    EXPECT_TRUE(form->State.Connected);
    EXPECT_FALSE(form->State.Reading || form->State.Recording);
    EXPECT_TRUE(Looks(true, true, false, false, false, true));
}

TEST_F(MainWindow, RedrawRequestDrawsTheLiveSampleEvenWhenDisconnected)
{
    form->LiveSample.FanFlag = 100;
    form5->RedrawRequested = true;
    Tick();
    EXPECT_FALSE(form5->RedrawRequested);
    EXPECT_EQ(form->Shape[6]->brushColor(), kLampOnColor);  // Shape7 is the fan
}

TEST_F(MainWindow, NeedleColourFromTheDialogShowsAtTheNextTickAndIsSavedAtExit)
{
    const auto centre = [this] { return form->Image[0]->picture().pixel(250, 250) | 0xFF000000u; };
    ASSERT_EQ(centre(), qRgb(255, 0, 0));  // the needle ends in the dial's centre
    form->N2->trigger();
    ASSERT_TRUE(form5->isVisible());
    ColorBoxWidget* box = form5->sColorBox[0];
    ASSERT_TRUE(box->selectColor(0xFF0000));  // blue
    emit box->activated(box->currentIndex());
    form5->sButton2->click();
    EXPECT_EQ(form->Settings.NeedleColor, 0xFF0000u);
    EXPECT_EQ(centre(), qRgb(255, 0, 0));  // not before the tick
    Tick();
    EXPECT_EQ(centre(), qRgb(0, 0, 255));

    QCloseEvent close;
    QCoreApplication::sendEvent(form.get(), &close);
    ASSERT_TRUE(close.isAccepted());
    TAppSettings saved;
    LoadSettings(saved, dir.filePath(QStringLiteral("param.bin")));
    EXPECT_EQ(saved.NeedleColor, 0xFF0000u);
}

// Settings that cannot be saved are reported, then the user chooses: stay, or close
// without them. Either way the user is never trapped in the program.
TEST_F(MainWindow, SettingsThatCannotBeSavedAskBeforeClosing)
{
    struct Case {
        const char* name;
        Answer answer;
        bool closes;
    };
    QFile blocker(dir.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    for (const Case& c : {Case{"stay", Answer::No, false}, Case{"close anyway", Answer::Yes, true}}) {
        SCOPED_TRACE(c.name);
        errors.clear();
        asked.clear();
        answers = {c.answer};
        QStringList order;
        MainWindowServices services;
        services.showError = [&](const QString& text) { order << QStringLiteral("error: ") + text; };
        services.ask = [&](Question q) {
            order << QStringLiteral("question %1").arg(int(q));
            return c.answer;
        };
        services.port = &port;
        services.settingsFile = dir.filePath(QStringLiteral("blocker/param.bin"));
        TForm1 other(log, services);
        QCloseEvent close;
        QCoreApplication::sendEvent(&other, &close);
        EXPECT_EQ(close.isAccepted(), c.closes);
        ASSERT_EQ(order.size(), 2) << order.join('\n').toStdString();
        EXPECT_TRUE(order[0].startsWith(QStringLiteral("error: ")));
        EXPECT_EQ(order[1], QStringLiteral("question %1").arg(int(Question::CloseWithoutSettings)));
        EXPECT_EQ(other.Timer1->isActive(), !c.closes);  // a window that stays keeps ticking
        other.Timer1->stop();
    }
}

TEST_F(MainWindow, DamagedSettingsFileSkipsTheRestOfStartup)
{
    const QString path = dir.filePath(QStringLiteral("short.bin"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("DP\x04""COM7", 7);
    f.close();
    MainWindowServices services;
    services.showError = [this](const QString& text) { errors << text; };
    services.port = &port;
    services.settingsFile = path;
    TForm1 other(log, services);
    other.Timer1->stop();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0], QStringLiteral("Read beyond end of file"));
    EXPECT_EQ(other.Timer1->interval(), 1000);
}

}  // namespace
}  // namespace dp::test
