// The active tests window: bytes each control sends, the one-test-at-a-time lock-out,
// and the end byte on every way the window goes away.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "ecu/OnOffSwitch.h"
#include "ecu/TForm4.h"
#include "ecu/TrackEditWidget.h"
#include "support/ScriptedPort.h"

namespace dp::test {
namespace {

const Bytes kEnd = {0xF0};

class ActiveTestsWindow : public ::testing::Test {
protected:
    ActiveTestsWindow()
    {
        form.TestPort = &port;
        form.ReportError = [this](const QString& text) { errors << text; };
    }
    QPushButton* Start(int group) { return form.sButton[std::size_t(2 * group)]; }
    QPushButton* Stop(int group) { return form.sButton[std::size_t(2 * group + 1)]; }
    // Only the given group enabled, with its Start off; or all idle for -1.
    void ExpectRunning(int group)
    {
        EXPECT_EQ(form.RunningGroup(), group);
        for (int g = 0; g < 9; ++g) {
            SCOPED_TRACE(g + 1);
            EXPECT_EQ(form.sGroupBox[std::size_t(g)]->isEnabled(), group < 0 || g == group);
            EXPECT_EQ(Start(g)->isEnabled(), group < 0);
            EXPECT_EQ(Stop(g)->isEnabled(), group < 0 || g == group);
        }
    }

    ScriptedPort port{true};
    QStringList errors;
    TForm4 form;
};

TEST_F(ActiveTestsWindow, StartsIdleWithTheDesignedControls)
{
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Активные тесты"));
    EXPECT_EQ(form.size(), QSize(706, 430));
    EXPECT_EQ(form.sGroupBox[0]->title(), QStringLiteral("Управление температурой ОЖ"));
    EXPECT_EQ(form.sGroupBox[8]->title(), QStringLiteral("P/REG control solenoid"));
    EXPECT_EQ(form.sGroupBox[5]->geometry(), QRect(472, 148, 225, 133));
    const int ranges[4][2] = {{-50, 150}, {-50, 50}, {-50, 50}, {0, 100}};
    for (std::size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(form.sTrackEdit[i]->minimum(), ranges[i][0]);
        EXPECT_EQ(form.sTrackEdit[i]->maximum(), ranges[i][1]);
        EXPECT_EQ(form.sTrackEdit[i]->editBox()->text(), QStringLiteral("0"));
    }
    for (QCheckBox* c : form.sCheckBox) EXPECT_FALSE(c->isChecked());
    EXPECT_EQ(form.sCheckBox[4]->text(), QStringLiteral("5"));
    EXPECT_EQ(form.sCheckBox[4]->geometry(), QRect(28, 52, 26, 17));
    for (OnOffSwitch* s : form.sSlider) EXPECT_TRUE(s->isOn());
    for (int g = 0; g < 9; ++g) {
        EXPECT_EQ(Start(g)->text(), QStringLiteral("Старт"));
        EXPECT_EQ(Stop(g)->text(), QStringLiteral("Стоп"));
        EXPECT_EQ(Start(g)->parentWidget(), form.sGroupBox[std::size_t(g)]);
    }
    ExpectRunning(-1);
    EXPECT_TRUE(port.writes.empty());
}

// Each group reads its own control: the right input goes out with the right code.
struct StartCase {
    const char* name;
    int group;
    std::function<void(TForm4&)> set;
    Bytes expect;
};

const StartCase kStarts[] = {
    {"coolant at -50", 0, [](TForm4& f) { f.sTrackEdit[0]->setValue(-50); }, {0x0A, 0x80, 0x00, 0xF0}},
    {"injection at 50", 1, [](TForm4& f) { f.sTrackEdit[1]->setValue(50); }, {0x0A, 0x81, 0x96, 0xF0}},
    {"ignition at -1", 2, [](TForm4& f) { f.sTrackEdit[2]->setValue(-1); }, {0x0A, 0x82, 0xFF, 0xF0}},
    {"idle valve at 37", 3, [](TForm4& f) { f.sTrackEdit[3]->setValue(37); }, {0x0A, 0x84, 0x4A, 0xF0}},
    {"cylinders 1 and 3", 4,
     [](TForm4& f) {
         f.sCheckBox[0]->setChecked(true);
         f.sCheckBox[2]->setChecked(true);
     },
     {0x0A, 0x88, 0x05, 0xF0}},
    {"fuel pump as it starts", 5, [](TForm4&) {}, {0x0A, 0x89, 0x00, 0xF0}},
    {"VTC off", 6, [](TForm4& f) { f.sSlider[1]->click(); }, {0x0A, 0x8F, 0x01, 0xF0}},
    {"Fan Hi off", 7, [](TForm4& f) { f.sSlider[2]->click(); }, {0x0A, 0x94, 0x01, 0xF0}},
    {"pressure regulator off", 8, [](TForm4& f) { f.sSlider[3]->click(); }, {0x0A, 0x8A, 0x01, 0xF0}},
};

void PrintTo(const StartCase& c, std::ostream* os) { *os << c.name; }

class StartEachGroup : public ActiveTestsWindow, public ::testing::WithParamInterface<StartCase> {};

TEST_P(StartEachGroup, SendsItsCommandLocksTheOthersAndStopRestores)
{
    const StartCase& c = GetParam();
    c.set(form);
    Start(c.group)->click();
    ASSERT_EQ(port.writes, std::vector<Bytes>{c.expect});
    ExpectRunning(c.group);

    Stop(c.group)->click();
    EXPECT_EQ(port.writes.back(), kEnd);
    EXPECT_EQ(port.writes.size(), 2u);
    ExpectRunning(-1);
    EXPECT_TRUE(errors.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Groups, StartEachGroup, ::testing::ValuesIn(kStarts), [](const auto& info) {
    std::string n = info.param.name;
    for (char& ch : n)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    return n;
});

TEST_F(ActiveTestsWindow, InputChangedWhileRunningGoesOutOnlyWithTheNextStart)
{
    Start(0)->click();
    form.sTrackEdit[0]->setValue(10);
    EXPECT_EQ(port.writes.size(), 1u);
    Stop(0)->click();
    Start(0)->click();
    EXPECT_EQ(port.writes.back(), (Bytes{0x0A, 0x80, 0x3C, 0xF0}));
}

TEST_F(ActiveTestsWindow, StopWhileIdleStillSendsTheEndByte)
{
    Stop(4)->click();
    EXPECT_EQ(port.writes, std::vector<Bytes>{kEnd});
    ExpectRunning(-1);
}

// Every way the window goes away ends up in one place and sends the end byte once.
struct HideCase {
    const char* name;
    std::function<void(TForm4&)> hide;
};

void PrintTo(const HideCase& c, std::ostream* os) { *os << c.name; }

const HideCase kHides[] = {
    {"close", [](TForm4& f) { f.close(); }},
    // Escape reaches the dialog from the focused control, and hides it with no close event.
    {"Escape",
     [](TForm4& f) {
         QWidget* focused = f.focusWidget();
         QTest::keyClick(focused ? focused : &f, Qt::Key_Escape);
     }},
    {"reject", [](TForm4& f) { f.reject(); }},
    {"hide", [](TForm4& f) { f.hide(); }},
};

class HideTheWindow : public ActiveTestsWindow, public ::testing::WithParamInterface<HideCase> {
protected:
    void ShowAndRun(bool running)
    {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        if (running) Start(3)->click();
        port.writes.clear();
    }
};

TEST_P(HideTheWindow, EndsARunningTestOnceAndReturnsToIdle)
{
    ShowAndRun(true);
    GetParam().hide(form);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(port.writes, std::vector<Bytes>{kEnd});
    ExpectRunning(-1);
}

TEST_P(HideTheWindow, SendsTheEndByteOnceAlsoWhenIdle)
{
    ShowAndRun(false);
    GetParam().hide(form);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(port.writes, std::vector<Bytes>{kEnd});
}

TEST_P(HideTheWindow, ClosedPortIsReportedOnceAndTheWindowStillGoes)
{
    ShowAndRun(true);
    port.close();
    GetParam().hide(form);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(errors, QStringList{QStringLiteral("Port Not Open")});
    EXPECT_EQ(form.RunningGroup(), 3) << "the end byte never went out";
}

INSTANTIATE_TEST_SUITE_P(Paths, HideTheWindow, ::testing::ValuesIn(kHides), [](const auto& info) {
    return std::string(info.param.name);
});

TEST_F(ActiveTestsWindow, FailedWriteChangesNoControl)
{
    port.close();
    Start(0)->click();
    ExpectRunning(-1);
    port.open();
    Start(0)->click();
    port.close();
    Stop(0)->click();
    ExpectRunning(0);
    EXPECT_EQ(errors.size(), 2);
    EXPECT_EQ(port.writes.size(), 1u);
}

TEST_F(ActiveTestsWindow, PortClosingEndsOnlyARunningTest)
{
    form.EndTestBeforePortCloses();
    EXPECT_TRUE(port.writes.empty());

    Start(5)->click();
    form.EndTestBeforePortCloses();
    EXPECT_EQ(port.writes.back(), kEnd);
    EXPECT_EQ(port.writes.size(), 2u);
    ExpectRunning(-1);

    // A failing write is reported, and the groups still return to idle: the port is
    // going away, so nothing the window could send later would get through.
    Start(5)->click();
    port.failReads = true;
    form.EndTestBeforePortCloses();
    EXPECT_EQ(errors.size(), 1);
    ExpectRunning(-1);
}

TEST_F(ActiveTestsWindow, NoPortHandedOverIsAFailedWriteNotACrash)
{
    form.TestPort = nullptr;
    Start(0)->click();
    EXPECT_EQ(errors, QStringList{QStringLiteral("Port Not Open")});
    ExpectRunning(-1);
}

}  // namespace
}  // namespace dp::test
