// The main window's log commands, the recording into the log, and the duties that keep
// recorded samples from being lost: the journal's recovery at start-up and the
// questions before anything unsaved is discarded.

#include <QCloseEvent>
#include <QCoreApplication>
#include <QTimer>

#include "app/TForm1.h"
#include "common/FileIo.h"
#include "log/SampleLog.h"
#include "log/TForm2.h"

#include <new>

namespace dp {

void TForm1::OfferJournalRecovery()
{
    if (!keeper_.HasJournalToRecover()) return;
    Guarded([this] {
        if (services_.ask(Question::RecoverJournal) == Answer::Yes) {
            keeper_.RecoverJournal();
        } else {
            keeper_.KeepJournalAside();
        }
    });
}

bool TForm1::OfferToSaveUnsaved()
{
    if (!keeper_.HasUnsaved()) return true;
    switch (services_.ask(Question::SaveUnsavedLog)) {
    case Answer::Yes:
        return SaveLogAs();
    case Answer::No:
        return true;
    case Answer::Cancel:
        break;
    }
    return false;
}

bool TForm1::SaveLogAs()
{
    const QString name = services_.askSaveLogName();
    if (name.isEmpty()) return false;
    bool saved = false;
    Guarded([&] {
        keeper_.Save(name);
        saved = true;
    });
    return saved;
}

void TForm1::N5Click() { SaveLogAs(); }

void TForm1::N6Click()
{
    if (!OfferToSaveUnsaved()) return;
    const QString name = services_.askOpenLogName();
    if (name.isEmpty()) return;
    // Marks the log as loaded only when the file's records replaced it.
    Guarded([&] { keeper_.Load(name); });
}

void TForm1::N7Click()
{
    if (OfferToSaveUnsaved()) keeper_.Clear();
}

void TForm1::sButton3Click()
{
    if (State.Recording) {
        State.Recording = false;
    } else if (!log_.LogLoaded || OfferToSaveUnsaved()) {
        // A loaded log is never extended by a recording: it is cleared first. Only a
        // recovered one can hold unsaved samples then, and they are offered for saving.
        State.Recording = true;
        keeper_.StartRecording();
    }
    ApplyControls();
}

void TForm1::RecordSample()
{
    QString journalFailure;
    try {
        journalFailure = keeper_.Record(LiveSample);
    } catch (const std::bad_alloc&) {
        // The log keeps what it has; recording stops rather than fail every tick.
        State.Recording = false;
        ApplyControls();
        ReportError(QString::fromLatin1(kOutOfMemory));
        return;
    }
    // The charts take only the new sample's points; a full rebuild per tick would grow
    // with the log.
    if (windows_.form2 && windows_.form2->isVisible()) windows_.form2->FollowRecording();
    if (!journalFailure.isEmpty()) ReportError(journalFailure);
}

bool TForm1::MayClose()
{
    if (!OfferToSaveUnsaved()) return false;
    try {
        SaveSettings(Settings, services_.settingsFile);
    } catch (const IoError& e) {
        // A folder that cannot be written must not trap the user in the program.
        ReportError(QString::fromStdString(e.what()));
        return services_.ask(Question::CloseWithoutSettings) == Answer::Yes;
    }
    return true;
}

// FormClose: the one path by which the main window goes away.
void TForm1::closeEvent(QCloseEvent* event)
{
    // The recording pauses while the user decides, so that what is saved or given up
    // is all there is.
    const bool ticking = Timer1->isActive();
    Timer1->stop();
    if (!MayClose()) {
        event->ignore();
        if (ticking) Timer1->start();
        return;
    }
    keeper_.EndSession();
    PauseStreamQuietly();
    EndActiveTest(true);
    port_.close();
    event->accept();
    QCoreApplication::quit();
}

}  // namespace dp
