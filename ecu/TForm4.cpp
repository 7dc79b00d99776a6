#include "ecu/TForm4.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHideEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include "ecu/OnOffSwitch.h"
#include "ecu/SerialPort.h"
#include "ecu/TrackEditWidget.h"

namespace dp {

TForm4::TForm4(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TForm4"));
    setWindowTitle(QStringLiteral("Активные тесты"));
    setFixedSize(706, 430);
    // The longest caption just fits a 225-pixel box with the title pulled to the left.
    setStyleSheet(QStringLiteral("QGroupBox::title { left: 4px; padding: 0 1px; }"));
    BuildControls();
}

void TForm4::sButton1Click() { StartTest(0); }
void TForm4::sButton2Click() { StopTest(0); }
void TForm4::sButton3Click() { StartTest(1); }
void TForm4::sButton4Click() { StopTest(1); }
void TForm4::sButton5Click() { StartTest(2); }
void TForm4::sButton6Click() { StopTest(2); }
void TForm4::sButton7Click() { StartTest(3); }
void TForm4::sButton8Click() { StopTest(3); }
void TForm4::sButton9Click() { StartTest(4); }
void TForm4::sButton10Click() { StopTest(4); }
void TForm4::sButton11Click() { StartTest(5); }
void TForm4::sButton12Click() { StopTest(5); }
void TForm4::sButton13Click() { StartTest(6); }
void TForm4::sButton14Click() { StopTest(6); }
void TForm4::sButton15Click() { StartTest(7); }
void TForm4::sButton16Click() { StopTest(7); }
void TForm4::sButton17Click() { StartTest(8); }
void TForm4::sButton18Click() { StopTest(8); }

ActiveTestInput TForm4::InputOf(int group) const
{
    ActiveTestInput in;
    int trackEdit = 0;
    int slider = 0;
    for (int g = 0; g < group; ++g) {
        trackEdit += kActiveTests[std::size_t(g)].input == TestInputKind::TrackEdit;
        slider += kActiveTests[std::size_t(g)].input == TestInputKind::Switch;
    }
    switch (kActiveTests[std::size_t(group)].input) {
    case TestInputKind::TrackEdit:
        in.trackValue = sTrackEdit[std::size_t(trackEdit)]->value();
        break;
    case TestInputKind::Cylinders:
        for (std::size_t n = 0; n < sCheckBox.size(); ++n) in.cylinders[n] = sCheckBox[n]->isChecked();
        break;
    case TestInputKind::Switch:
        in.switchOn = sSlider[std::size_t(slider)]->isOn();
        break;
    }
    return in;
}

void TForm4::StartTest(int group)
{
    const std::array<uint8_t, 4> command = ActiveTestCommand(group, InputOf(group));
    if (!Write(command.data(), int(command.size()))) return;
    running_ = group;
    ApplyGroups();
}

void TForm4::StopTest(int)
{
    // Sent even when no test runs: a stray end byte does no harm, a missed one would.
    if (!Write(&kEndTestByte, 1)) return;
    running_ = -1;
    ApplyGroups();
}

void TForm4::FormClose()
{
    // The unit has ended the test, so the window stops showing one as running.
    if (!Write(&kEndTestByte, 1)) return;
    running_ = -1;
    ApplyGroups();
}

void TForm4::EndTestBeforePortCloses()
{
    if (running_ < 0) return;
    Write(&kEndTestByte, 1);
    running_ = -1;
    ApplyGroups();
}

bool TForm4::Write(const uint8_t* data, int count)
{
    try {
        if (!TestPort) throw SerialError("Port Not Open");
        TestPort->write(data, count);
        return true;
    } catch (const SerialError& e) {
        const QString text = QString::fromStdString(e.what());
        if (ReportError)
            ReportError(text);
        else
            QMessageBox::critical(this, windowTitle(), text);
        return false;
    }
}

void TForm4::ApplyGroups()
{
    for (std::size_t g = 0; g < sGroupBox.size(); ++g) {
        sGroupBox[g]->setEnabled(running_ < 0 || int(g) == running_);
        sButton[2 * g]->setEnabled(int(g) != running_);
    }
}

void TForm4::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (placed_ || event->spontaneous()) return;
    placed_ = true;  // centred on the screen when first shown; the user may move it later
    if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
}

void TForm4::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    // Escape, the close button, reject() and hide() all end here; a minimised window
    // gets a spontaneous hide and keeps its test.
    if (!event->spontaneous()) FormClose();
}

}  // namespace dp
