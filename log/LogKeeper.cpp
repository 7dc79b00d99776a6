#include "log/LogKeeper.h"

#include "common/FileIo.h"

#include <cstring>
#include <new>

namespace dp {

LogKeeper::LogKeeper(SampleLog& log, const QString& journalPath) : log_(log)
{
    if (!journalPath.isEmpty()) journal_ = std::make_unique<Journal>(journalPath);
}

LogKeeper::~LogKeeper() = default;

bool LogKeeper::HasJournalToRecover() { return journal_ && journal_->Examine() == LeftJournal::Recoverable; }

void LogKeeper::RecoverJournal()
{
    try {
        LoadLog(log_, journal_->path());
    } catch (const IoError& e) {
        // A record cut off by the crash; the complete ones are in.
        if (std::strcmp(e.what(), kReadBeyondEnd) != 0) throw;
    } catch (const std::bad_alloc&) {
        log_.ClearLog();
        journal_->KeepAside();  // too big for this run, but still the user's
        throw;
    }
    log_.LogLoaded = true;
    unsaved_ = true;
    try {
        journal_->Resume(log_.Count());
    } catch (const IoError&) {
        journalFailed_ = true;  // recording must not start the journal over these samples
        throw;
    }
}

QString LogKeeper::KeepJournalAside() { return journal_->KeepAside(); }

QString LogKeeper::Record(const TEngineSample& sample)
{
    log_.AppendSample(sample);
    unsaved_ = true;
    if (!journal_ || journalFailed_) return {};
    try {
        journal_->Append(sample);
    } catch (const IoError& e) {
        journalFailed_ = true;
        return QStringLiteral("Запись в журнал невозможна, запись продолжается только в памяти.\n%1")
            .arg(QString::fromUtf8(e.what()));
    }
    return {};
}

void LogKeeper::StartRecording()
{
    if (!log_.LogLoaded) return;  // a recorded log is extended, a loaded one never
    Clear();
    log_.LogLoaded = false;
}

void LogKeeper::Save(const QString& fileName)
{
    SaveLog(log_, fileName);
    Forget();
}

LoadOutcome LogKeeper::Load(const QString& fileName)
{
    LogReader reader(fileName);
    const LoadOutcome outcome = reader.Open();  // throws before anything changes
    if (outcome != LoadOutcome::Loaded) return outcome;
    log_.ClearLog();
    Forget();
    log_.LogLoaded = true;  // from here on the log holds the file's records, and only those
    try {
        TEngineSample sample;
        while (reader.Next(sample)) log_.AppendSample(sample);
    } catch (const std::bad_alloc&) {
        log_.ClearLog();  // a part of a file too big is of no use; the memory is
        throw;
    }
    return outcome;
}

void LogKeeper::Clear()
{
    log_.ClearLog();
    Forget();
}

void LogKeeper::EndSession() { Forget(); }

void LogKeeper::Forget()
{
    unsaved_ = false;
    journalFailed_ = false;
    if (journal_) journal_->Discard();
}

}  // namespace dp
