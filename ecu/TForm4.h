#pragma once
// The active tests window: nine actuator tests, one running at a time. It only writes to
// the port the main window hands it, and it never leaves a test running at the unit:
// every hide sends the end byte, and the main window asks it to end a running test
// before the port closes.

#include <QDialog>
#include <array>
#include <functional>

#include "ecu/ActiveTests.h"

class QCheckBox;
class QGroupBox;
class QPushButton;

namespace dp {

class OnOffSwitch;
class SerialPort;
class TrackEditWidget;

class TForm4 : public QDialog {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);

    SerialPort* TestPort = nullptr;  // the main window's port, set before showing
    // Where failed writes are reported; the main window hands over its one error box.
    std::function<void(const QString&)> ReportError;

    // Controls, numbered as the window's design names them (index 0 is number 1).
    std::array<QGroupBox*, 9> sGroupBox{};
    std::array<TrackEditWidget*, 4> sTrackEdit{};
    std::array<QCheckBox*, 8> sCheckBox{};
    std::array<OnOffSwitch*, 4> sSlider{};
    std::array<QPushButton*, 18> sButton{};  // odd numbers start a test, even ones stop it

    // Handlers.
    void sButton1Click();
    void sButton2Click();
    void sButton3Click();
    void sButton4Click();
    void sButton5Click();
    void sButton6Click();
    void sButton7Click();
    void sButton8Click();
    void sButton9Click();
    void sButton10Click();
    void sButton11Click();
    void sButton12Click();
    void sButton13Click();
    void sButton14Click();
    void sButton15Click();
    void sButton16Click();
    void sButton17Click();
    void sButton18Click();
    // Runs on every hide of the window, whatever hid it.
    void FormClose();

    // The port is about to close: a running test is ended first, and the groups return
    // to idle either way, since no later write could reach the unit.
    void EndTestBeforePortCloses();
    // The group (0 to 8) whose test runs, or -1.
    int RunningGroup() const { return running_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void BuildControls();
    ActiveTestInput InputOf(int group) const;
    void StartTest(int group);
    void StopTest(int group);
    // One write through TestPort; a failure is reported and gives false.
    bool Write(const uint8_t* data, int count);
    void ApplyGroups();

    int running_ = -1;
    bool placed_ = false;
};

}  // namespace dp
