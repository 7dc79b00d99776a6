// Active tests through the main window and the test window against the virtual ECU:
// the bytes on the line, and what the unit's engine does with them. In-process on a
// manual clock, and through a pseudo-terminal in real time.

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <optional>
#include <thread>

#include "app/TForm1.h"
#include "ecu/OnOffSwitch.h"
#include "ecu/TForm4.h"
#include "ecu/TrackEditWidget.h"
#include "log/SampleLog.h"
#include "sim/SimClock.h"
#include "sim/SimPort.h"
#include "sim/VirtualEcu.h"
#include "support/RecordingPort.h"
#ifdef Q_OS_UNIX
#include "sim/PtyServer.h"
#endif

namespace dp::test {
namespace {

using Bytes = std::vector<uint8_t>;
using sim::ActiveTestState;
const Bytes kEnd = {0xF0};
constexpr int64_t kWarmUs = 40'000'000;  // the engine idles by then

class ActiveTestsOnVirtualEcu : public ::testing::Test {
protected:
    ActiveTestsOnVirtualEcu()
    {
        MainWindowServices services;
        services.showError = [this](const QString& text) {
            errors << text;
            if (onError) onError();
        };
        services.port = &line;
        services.settingsFile = dir.filePath(QStringLiteral("param.bin"));
        form = std::make_unique<TForm1>(log, services);
        form->Timer1->stop();
        form->attachWindows({nullptr, nullptr, &form4, nullptr, nullptr, nullptr});
        clock.advanceUs(kWarmUs);
    }

    // Connected, reading, then the test window opened from the menu.
    void Open()
    {
        form->sButton1->click();
        ASSERT_TRUE(form->State.Connected);
        form->sButton2->click();
        form->N8->trigger();
        ASSERT_TRUE(form4.isVisible());
        line.writes.clear();
    }
    // Lets the written bytes reach the unit and the engine run on a little.
    void Settle()
    {
        clock.advanceUs(50'000);
        Bytes answers;
        ecu.collect(clock.nowUs(), answers);
    }
    std::optional<ActiveTestState> UnitTest()
    {
        Settle();
        return ecu.engine().activeTest();
    }
    QPushButton* Start(int group) { return form4.sButton[std::size_t(2 * group)]; }
    QPushButton* Stop(int group) { return form4.sButton[std::size_t(2 * group + 1)]; }
    void SendClose()
    {
        QCloseEvent close;
        QCoreApplication::sendEvent(form.get(), &close);
        ASSERT_TRUE(close.isAccepted());
    }

    QTemporaryDir dir;
    sim::ManualClock clock;
    sim::VirtualEcu ecu;
    sim::SimPort port{ecu, clock};
    RecordingPort line{port};
    SampleLog log;
    QStringList errors;
    std::function<void()> onError;
    TForm4 form4;
    std::unique_ptr<TForm1> form;
};

// What a user sets in each group, what goes out, and what the unit then runs.
struct UnitCase {
    const char* name;
    int group;
    std::function<void(TForm4&)> set;
    Bytes command;
    std::function<void(const sim::EngineReadings&)> check;  // the engine follows the test
};

const UnitCase kUnitCases[] = {
    {"coolant 20", 0, [](TForm4& f) { f.sTrackEdit[0]->setValue(20); }, {0x0A, 0x80, 0x46, 0xF0},
     [](const sim::EngineReadings& r) { EXPECT_EQ(r.coolantC, 20); }},
    {"injection +30", 1, [](TForm4& f) { f.sTrackEdit[1]->setValue(30); }, {0x0A, 0x81, 0x82, 0xF0}, {}},
    {"ignition -10", 2, [](TForm4& f) { f.sTrackEdit[2]->setValue(-10); }, {0x0A, 0x82, 0xF6, 0xF0}, {}},
    {"idle valve 37", 3, [](TForm4& f) { f.sTrackEdit[3]->setValue(37); }, {0x0A, 0x84, 0x4A, 0xF0},
     [](const sim::EngineReadings& r) { EXPECT_EQ(r.idleValvePct, 37); }},
    {"cylinder 2 cut", 4, [](TForm4& f) { f.sCheckBox[1]->setChecked(true); }, {0x0A, 0x88, 0x02, 0xF0}, {}},
    {"fuel pump off", 5, [](TForm4& f) { f.sSlider[0]->setOn(false); }, {0x0A, 0x89, 0x01, 0xF0},
     [](const sim::EngineReadings& r) { EXPECT_FALSE(r.fuelPump); }},
    {"VTC on", 6, [](TForm4&) {}, {0x0A, 0x8F, 0x00, 0xF0},
     [](const sim::EngineReadings& r) { EXPECT_TRUE(r.vtc); }},
    {"Fan Hi on", 7, [](TForm4&) {}, {0x0A, 0x94, 0x00, 0xF0},
     [](const sim::EngineReadings& r) { EXPECT_TRUE(r.fan); }},
    {"pressure regulator on", 8, [](TForm4&) {}, {0x0A, 0x8A, 0x00, 0xF0},
     [](const sim::EngineReadings& r) { EXPECT_TRUE(r.pressureReg); }},
};

void PrintTo(const UnitCase& c, std::ostream* os) { *os << c.name; }

class EachTestOnTheUnit : public ActiveTestsOnVirtualEcu, public ::testing::WithParamInterface<UnitCase> {};

TEST_P(EachTestOnTheUnit, RunsAndStops)
{
    const UnitCase& c = GetParam();
    Open();
    c.set(form4);
    Start(c.group)->click();
    EXPECT_EQ(line.writes, std::vector<Bytes>{c.command});
    EXPECT_EQ(UnitTest(), (ActiveTestState{c.command[1], c.command[2]}));
    if (c.check) c.check(ecu.engine().readings());

    Stop(c.group)->click();
    EXPECT_EQ(line.writes.back(), kEnd);
    EXPECT_EQ(UnitTest(), std::nullopt);
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Groups, EachTestOnTheUnit, ::testing::ValuesIn(kUnitCases), [](const auto& info) {
    std::string n = info.param.name;
    for (char& ch : n)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    return n;
});

TEST_F(ActiveTestsOnVirtualEcu, DisconnectingEndsARunningTestBeforeThePortCloses)
{
    Open();
    Start(5)->click();
    line.writes.clear();
    form->sButton1->click();
    EXPECT_FALSE(form->State.Connected);
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(line.writes, std::vector<Bytes>{kEnd}) << "written while the port was open";
    EXPECT_EQ(UnitTest(), std::nullopt);
    EXPECT_EQ(form4.RunningGroup(), -1);
    EXPECT_TRUE(form4.sGroupBox[0]->isEnabled());
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(ActiveTestsOnVirtualEcu, StartingReadingEndsARunningTestAndShowsItEnded)
{
    Open();
    Start(5)->click();
    line.writes.clear();
    form->sButton2->click();
    EXPECT_TRUE(form->State.Reading);
    EXPECT_EQ(line.writes, std::vector<Bytes>{kEnd});
    EXPECT_EQ(UnitTest(), std::nullopt);
    EXPECT_EQ(form4.RunningGroup(), -1);
    EXPECT_TRUE(Start(5)->isEnabled());
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(ActiveTestsOnVirtualEcu, DisconnectingWhenIdleSendsNothing)
{
    Open();
    form->sButton1->click();
    EXPECT_TRUE(line.writes.empty());
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(ActiveTestsOnVirtualEcu, ClosingTheProgramWithATestRunningEndsItOnce)
{
    Open();
    Start(0)->click();
    line.writes.clear();
    SendClose();
    EXPECT_EQ(line.writes, std::vector<Bytes>{kEnd});
    EXPECT_FALSE(form4.isVisible());
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(UnitTest(), std::nullopt);
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(ActiveTestsOnVirtualEcu, ClosingTheProgramWithTheWindowOpenSendsTheEndByteOnce)
{
    Open();
    SendClose();
    EXPECT_EQ(line.writes, std::vector<Bytes>{kEnd});
    EXPECT_FALSE(port.isOpen());
}

TEST_F(ActiveTestsOnVirtualEcu, ClosingTheProgramAfterDisconnectingSendsAndReportsNothing)
{
    Open();
    form->sButton1->click();
    SendClose();
    EXPECT_TRUE(line.writes.empty());
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(ActiveTestsOnVirtualEcu, ClosingTheTestWindowAfterDisconnectingIsReportedOnce)
{
    Open();
    form->sButton1->click();
    // While the box is up, a further failing write must not open a second one.
    onError = [this] { Stop(0)->click(); };
    form4.close();
    EXPECT_FALSE(form4.isVisible());
    EXPECT_EQ(errors, QStringList{QStringLiteral("Port Not Open")});
}

TEST_F(ActiveTestsOnVirtualEcu, ReopenedWindowShowsIdleAfterAClose)
{
    Open();
    Start(4)->click();
    form4.close();
    EXPECT_EQ(UnitTest(), std::nullopt);
    form->N8->trigger();
    EXPECT_EQ(form4.RunningGroup(), -1);
    EXPECT_TRUE(Start(4)->isEnabled());
}

#ifdef Q_OS_UNIX
// Waits, within a bound, until the served unit's running test is want.
bool UnitReaches(sim::PtyServer& server, std::optional<ActiveTestState> want, sim::EngineReadings& readings)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 3000) {
        bool match = false;
        server.inspect([&](const sim::VirtualEcu& ecu) {
            match = ecu.engine().activeTest() == want;
            readings = ecu.engine().readings();
        });
        if (match) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

TEST(ActiveTestsOnATerminal, CoolantTestStartsAndStopsAtTheUnit)
{
    sim::PtyServer server(sim::EcuOptions{}, 9600);
    server.start();
    QTemporaryDir dir;
    SampleLog log;
    QStringList errors;
    MainWindowServices services;
    services.showError = [&](const QString& text) { errors << text; };
    services.settingsFile = dir.filePath(QStringLiteral("param.bin"));
    TForm1 form(log, services);
    form.Timer1->stop();
    TForm4 form4;
    form.attachWindows({nullptr, nullptr, &form4, nullptr, nullptr, nullptr});
    form.Settings.PortName = server.slavePath();
    form.sButton1->click();
    ASSERT_TRUE(form.State.Connected);
    form.N8->trigger();

    form4.sTrackEdit[0]->setValue(-20);
    form4.sButton[0]->click();
    sim::EngineReadings r;
    ASSERT_TRUE(UnitReaches(server, ActiveTestState{0x80, 0x1E}, r));
    EXPECT_EQ(r.coolantC, -20);

    form4.sButton[1]->click();
    EXPECT_TRUE(UnitReaches(server, std::nullopt, r));
    form.sButton1->click();
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
}
#endif

}  // namespace
}  // namespace dp::test
