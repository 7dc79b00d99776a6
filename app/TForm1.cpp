#include "app/TForm1.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "app/MainWindowPlacement.h"
#include "app/QuestionBox.h"
#include "app/TForm3.h"
#include "app/TForm7.h"
#include "dashboard/DashboardLayout.h"
#include "dashboard/DashboardView.h"
#include "dashboard/GaugeImageWidget.h"
#include "dashboard/LampShapeWidget.h"
#include "common/NumberFormat.h"
#include "dashboard/TForm5.h"
#include "common/FileIo.h"
#include "ecu/FaultCodes.h"
#include "ecu/TForm4.h"
#include "ecu/TForm6.h"
#include "log/LogFile.h"
#include "log/SampleLog.h"
#include "log/TForm2.h"

namespace dp {
namespace {

QString AskLogName(QWidget* parent, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(QStringLiteral("DravikProbe log (*.dgz)"));
    dialog.setDefaultSuffix(QStringLiteral("dgz"));
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().first()
                                                                                   : QString();
}

QString JournalPathFor(const MainWindowServices& services)
{
    if (services.journalFile) return *services.journalFile;
    return QFileInfo(services.settingsFile).dir().filePath(kJournalFileName);
}

void ShowWindow(QWidget* w)
{
    if (!w) return;
    w->show();
    w->raise();
    w->activateWindow();
}

}  // namespace

TForm1::TForm1(SampleLog& log, MainWindowServices services)
    : log_(log),
      services_(std::move(services)),
      errors_(services_.showError ? services_.showError
                                  : ErrorReporter::Presenter([this](const QString& text) {
                                        QMessageBox::critical(this, windowTitle(), text);
                                    })),
      keeper_(log, JournalPathFor(services_)),
      port_(services_.port ? *services_.port : static_cast<SerialPort&>(ComPort1)),
      link_(port_),
      fonts_(MakeGaugeFonts(QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->logicalDotsPerInch()
                                                             : 96.0)),
      gaugeCaches_(std::make_unique<GaugeCaches>())
{
    if (!services_.nowSeconds) services_.nowSeconds = MonotonicSeconds;
    if (!services_.ask) services_.ask = [this](Question q) { return AskWithBox(this, q); };
    if (!services_.askSaveLogName) services_.askSaveLogName = [this] { return AskLogName(this, QFileDialog::AcceptSave); };
    if (!services_.askOpenLogName) services_.askOpenLogName = [this] { return AskLogName(this, QFileDialog::AcceptOpen); };

    setWindowTitle(QStringLiteral("DravikProbe"));
    new MainWindowPlacement(this);
    BuildControls();
    BuildMenu();
    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    FormCreate();
    ApplyControls();
    OfferJournalRecovery();
    Timer1->start();
}

TForm1::~TForm1() = default;

void TForm1::attachWindows(const SecondaryWindows& windows)
{
    windows_ = windows;
    redrawRequested_ = windows.form5 ? &windows.form5->RedrawRequested : nullptr;
    if (windows.form4) windows.form4->ReportError = [this](const QString& text) { ReportError(text); };
}

void TForm1::FormCreate()
{
    // Settings defaults and colours come with TAppSettings; the log starts empty.
    State.LastClockReading.reset();
    log_.LogLoaded = false;
    StartupSample = TEngineSample{};
    StartupSample.CoolantTemp = -50.0f;
    ArrangeDashboard();
    try {
        LoadSettings(Settings, services_.settingsFile);
    } catch (const IoError& e) {
        // A damaged settings file: the rest of start-up is skipped, the window opens anyway.
        ReportError(QString::fromStdString(e.what()));
        return;
    }
    ShowSample(StartupSample);
    State.Connected = State.Reading = State.Recording = false;
    Timer1->setInterval(RefreshIntervalMs(Settings.UpdatesPerSecond));
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ClientArea && event->type() == QEvent::Resize) FormResize();
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::FormResize() { ArrangeDashboard(); }

void TForm1::ArrangeDashboard()
{
    PlaceDashboard(ClientArea->width(), ClientArea->height(), Image, sPanel1);
    for (const LampSpec& lamp : kLamps) {
        const std::size_t k = std::size_t(lamp.shape - 1);
        Shape[k]->move(AnchoredToRight(lamp.pos, sPanel1->width()));
        LampLabel[k]->move(AnchoredToRight(lamp.captionPos, sPanel1->width()));
    }
}

void TForm1::ShowSample(const TEngineSample& sample)
{
    const GaugeColors colors{BackgroundColor, Settings.TitleColor, Settings.ScaleColor, Settings.NeedleColor,
                             Settings.DigitColor};
    DrawSampleOnDashboard(sample, Image, Shape, colors, fonts_, QLocale().decimalPoint().at(0), gaugeCaches_.get());
}

void TForm1::ApplyControls()
{
    const ControlLooks looks = ControlsFor(State);
    const std::pair<QPushButton*, const ButtonLook*> switches[] = {
        {sButton1, &looks.sButton1}, {sButton2, &looks.sButton2}, {sButton3, &looks.sButton3}};
    for (auto [button, look] : switches) {
        button->setText(look->caption);
        button->setChecked(look->down);
        button->setEnabled(look->enabled);
    }
    for (QPushButton* b : {sButton4, sButton5, sButton6}) b->setEnabled(looks.commandsEnabled);
    N8->setEnabled(looks.commandsEnabled);
    if (!State.Connected || !State.Reading) replyWatch_.Stopped();
    Label10->setText(replyWatch_.StatusText());
}

void TForm1::Guarded(const std::function<void()>& f)
{
    try {
        f();
    } catch (const SerialError& e) {
        ApplyControls();  // undo the clicked switch's own toggle before the box shows
        ReportError(QString::fromStdString(e.what()));
    } catch (const IoError& e) {
        ReportError(QString::fromStdString(e.what()));
    } catch (const std::bad_alloc&) {
        ReportError(QString::fromLatin1(kOutOfMemory));
    }
}

void TForm1::sButton1Click()
{
    bool unanswered = false;
    Guarded([this, &unanswered] {
        if (!State.Connected) {
            Timer1->setInterval(RefreshIntervalMs(Settings.UpdatesPerSecond));
            port_.setPortName(Settings.PortName);
            port_.setBaudIndex(Settings.BaudIndex);
            link_.SetBitRate(BaudRateForCode(Settings.BaudIndex));
            port_.open();
            tickFailing_ = false;
            if (link_.EcuInit()) {
                State.Connected = true;
                source_.Connect(Settings.ContinuousStream, BaudRateForCode(Settings.BaudIndex));
            } else {
                unanswered = true;
            }
        } else {
            PauseStreamQuietly();
            EndActiveTest(false);
            port_.close();
            State.Connected = false;
        }
    });
    ShowStreamStatus();
    ApplyControls();
    // Silence is no error, but a connect that came to nothing must not look like no click.
    if (unanswered) Label10->setText(ReplyWatch::NoAnswerText());
}

void TForm1::sButton2Click()
{
    if (State.Reading) {
        StopReading(State);
        ApplyControls();
        PauseStream();
    } else {
        // Reading's stop byte ends any test at the unit; end it here so the test window
        // does not go on showing it as running.
        EndActiveTest(false);
        State.Reading = true;
        ApplyControls();
        Guarded([this] { source_.Resume(); });
        ShowStreamStatus();
    }
}

void TForm1::sButton4Click()
{
    TForm6* report = windows_.form6;
    if (!report) return;
    Guarded([&] {
        report->sMemo1->clear();  // first: a failed read must not leave the last report up
        source_.Pause();          // the unit listens for nothing else while it streams
        report->sMemo1->setPlainText(ReadFaultCodes(link_).join(QLatin1Char('\n')));
        ShowWindow(report);
    });
}

void TForm1::sButton5Click()
{
    Guarded([this] {
        source_.Pause();
        ClearFaultCodes(link_);
    });
}

void TForm1::sButton6Click()
{
    Guarded([this] {
        source_.Pause();
        ResetSelfLearning(link_);
    });
}

void TForm1::N4Click() { ShowWindow(windows_.form2); }
void TForm1::COM1Click() { ShowWindow(windows_.form3); }
void TForm1::N2Click() { ShowWindow(windows_.form5); }

void TForm1::EndActiveTest(bool closeWindow)
{
    TForm4* tests = windows_.form4;
    if (!tests) return;
    // Closing the window sends the end byte through its own hide path, once; it can
    // only get through while connected.
    if (closeWindow && State.Connected && tests->isVisible()) tests->close();
    tests->EndTestBeforePortCloses();
}

void TForm1::N8Click()
{
    PauseStream();
    if (windows_.form4) windows_.form4->TestPort = &port_;
    ShowWindow(windows_.form4);
    StopReading(State);
    ApplyControls();
}

void TForm1::N9Click()
{
    ShowWindow(windows_.form7);
    if (windows_.form7) windows_.form7->sLabel1->setAlignment(Qt::AlignCenter);
}

void TForm1::Timer1Timer()
{
    // While a failing tick's error box is up its event loop still delivers ticks; they
    // stay off the port. Other boxes let the recording go on.
    if (errors_.holdsTicks()) return;
    if (redrawRequested_ && *redrawRequested_) {
        ShowSample(LiveSample);
        *redrawRequested_ = false;
    }
    const double now = services_.nowSeconds();
    if (!State.Connected) return;
    AdvanceClock(State, now);
    Label9->setText(FormatClock(State.ConnectionClock, QLocale().decimalPoint().at(0)));
    if (!State.Reading) return;
    bool answered = false;
    try {
        answered = source_.Acquire(LiveSample, State.ConnectionClock);
    } catch (const SerialError& e) {
        // A pulled adapter fails every tick; one report per run of failures is enough,
        // so the user can still reach "Отключиться" between ticks.
        if (!tickFailing_) tickFailing_ = errors_.report(QString::fromStdString(e.what()), true);
        return;
    }
    tickFailing_ = false;
    ShowStreamStatus();
    replyWatch_.Reading(answered, now);
    Label10->setText(replyWatch_.StatusText());
    ShowSample(LiveSample);
    if (State.Recording) RecordSample();
}

}  // namespace dp
