#pragma once
// The main window: the dashboard, the connect / read / record switches, the menu and
// the refresh timer that drives all live work. It holds the controls and the state it
// owns and forwards to the logic of the other units.

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "app/ComPort.h"
#include "app/ErrorReporter.h"
#include "app/Questions.h"
#include "app/ReplyWatch.h"
#include "app/Settings.h"
#include "app/WorkingState.h"
#include "dashboard/DashboardView.h"
#include "dashboard/GaugeRenderer.h"
#include "ecu/EcuLink.h"
#include "ecu/EngineSample.h"
#include "ecu/SampleSource.h"
#include "log/LogKeeper.h"

class QAction;
class QFrame;
class QLabel;
class QPushButton;
class QTimer;

namespace dp {

class GaugeImageWidget;
class LampShapeWidget;
class SampleLog;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TForm7;

// The windows created after the main one; handed over once they exist.
struct SecondaryWindows {
    TForm2* form2 = nullptr;
    TForm3* form3 = nullptr;
    TForm4* form4 = nullptr;
    TForm5* form5 = nullptr;
    TForm6* form6 = nullptr;
    TForm7* form7 = nullptr;
};

// What the main window takes from its surroundings; tests replace each piece.
struct MainWindowServices {
    ErrorReporter::Presenter showError;        // default: the standard error box
    std::function<double()> nowSeconds;        // default: MonotonicSeconds
    std::function<QString()> askSaveLogName;   // default: save dialog; empty = cancelled
    std::function<QString()> askOpenLogName;   // default: open dialog; empty = cancelled
    std::function<Answer(Question)> ask;       // default: a message box (AskWithBox)
    SerialPort* port = nullptr;                // default: ComPort1
    QString settingsFile = kSettingsFileName;
    // default: the journal beside the settings file; an empty name keeps no journal
    std::optional<QString> journalFile;
};

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(SampleLog& log, MainWindowServices services = {});
    ~TForm1() override;
    void attachWindows(const SecondaryWindows& windows);

    // State owned by the main window.
    TAppSettings Settings;
    WorkingState State;
    TEngineSample LiveSample;
    TEngineSample StartupSample;
    uint32_t BackgroundColor = 0x505050;

    // Controls.
    std::array<GaugeImageWidget*, 12> Image{};
    std::array<LampShapeWidget*, 8> Shape{};
    std::array<QLabel*, 8> LampLabel{};  // Label1 .. Label8, by shape
    QWidget* ClientArea = nullptr;
    QFrame* sPanel1 = nullptr;
    QPushButton *sButton1 = nullptr, *sButton2 = nullptr, *sButton3 = nullptr;
    QPushButton *sButton4 = nullptr, *sButton5 = nullptr, *sButton6 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* StreamStatusLabel = nullptr;  // says when the unit refused the stream
    QLabel* Label10 = nullptr;  // beside the clock: "нет ответа" while the unit is silent
    QAction *N3 = nullptr, *N4 = nullptr, *N5 = nullptr, *N6 = nullptr, *N7 = nullptr;
    QAction *N1 = nullptr, *COM1 = nullptr, *N2 = nullptr, *N8 = nullptr, *N9 = nullptr;
    QTimer* Timer1 = nullptr;

    SerialPort& Port() { return port_; }
    SampleLog& Log() { return log_; }
    const SampleSource& Source() const { return source_; }

    // Handlers.
    void FormResize();
    void sButton1Click();
    void sButton2Click();
    void sButton3Click();
    void sButton4Click();
    void sButton5Click();
    void sButton6Click();
    void N4Click();
    void N5Click();
    void N6Click();
    void N7Click();
    void COM1Click();
    void N2Click();
    void N8Click();
    void N9Click();
    void Timer1Timer();

    void ArrangeDashboard();
    void ShowSample(const TEngineSample& sample);

protected:
    void closeEvent(QCloseEvent* event) override;  // FormClose
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void BuildMenu();
    void FormCreate();
    void ApplyControls();
    // Before the port closes: no actuator test may be left running at the unit.
    void EndActiveTest(bool closeWindow);
    void ReportError(const QString& text) { errors_.report(text); }
    void Guarded(const std::function<void()>& f);  // runs f, reporting serial, file and memory errors
    // Stops the unit's stream before something else uses the port; errors reported.
    void PauseStream();
    // The same where the port is closed next anyway: a failing adapter is no news then.
    void PauseStreamQuietly();
    void ShowStreamStatus();
    // What keeps recorded samples from being lost (TForm1Log.cpp).
    void OfferJournalRecovery();
    bool OfferToSaveUnsaved();  // false: the user cancelled, or saving failed
    bool SaveLogAs();           // false: cancelled or failed
    bool MayClose();
    void RecordSample();

    SampleLog& log_;
    MainWindowServices services_;
    ErrorReporter errors_;
    LogKeeper keeper_;
    ComPort ComPort1;
    SerialPort& port_;
    EcuLink link_;
    SampleSource source_{link_};
    GaugeFonts fonts_;
    std::unique_ptr<GaugeCaches> gaugeCaches_;
    SecondaryWindows windows_;
    bool* redrawRequested_ = nullptr;
    bool tickFailing_ = false;  // the previous reading tick failed on the port
    ReplyWatch replyWatch_;
};

}  // namespace dp
