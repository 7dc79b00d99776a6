#pragma once
// Keeps what was recorded from being lost: the log commands go through here, so that
// it knows which samples have been recorded since the last save, mirrors them into
// the journal, and offers a journal left by a crash for recovery. No widgets: the
// main window asks the user and calls in.

#include "log/Journal.h"
#include "log/LogFile.h"
#include "log/SampleLog.h"

#include <QString>
#include <memory>

namespace dp {

class LogKeeper {
public:
    // An empty journal path keeps no journal.
    LogKeeper(SampleLog& log, const QString& journalPath);
    ~LogKeeper();

    // Start-up: whether a run that did not end normally left samples to recover.
    bool HasJournalToRecover();
    // Loads them into the log as if from a file (LogLoaded); they stay unsaved and the
    // journal goes on holding them. Throws IoError or std::bad_alloc; after running out
    // of memory the log is empty and the journal is kept aside.
    void RecoverJournal();
    // Renames the left journal with its date; returns the new name. Throws IoError.
    QString KeepJournalAside();

    // A recording tick: the sample goes into the log and the journal. The first journal
    // failure returns its text for one report; recording then goes on in memory. Throws
    // std::bad_alloc when memory runs out (the log is then unchanged).
    QString Record(const TEngineSample& sample);
    // Samples recorded (or recovered) since the log was last saved, cleared or loaded.
    bool HasUnsaved() const { return unsaved_; }

    // Start of recording: a log loaded from a file is cleared first.
    void StartRecording();
    // The menu's "Сохранить". Throws IoError; then nothing counts as saved.
    void Save(const QString& fileName);
    // The menu's "Загрузить". LogLoaded becomes true exactly when the log was replaced
    // by the file's records, also when a partial last record then throws. Throws
    // IoError; after running out of memory (std::bad_alloc) the log is empty.
    LoadOutcome Load(const QString& fileName);
    // The menu's "Очистить".
    void Clear();
    // A normal end of the program: the samples were saved or given up by the user.
    void EndSession();

private:
    // Nothing unsaved any more: the journal goes.
    void Forget();

    SampleLog& log_;
    std::unique_ptr<Journal> journal_;
    bool unsaved_ = false;
    bool journalFailed_ = false;
};

}  // namespace dp
