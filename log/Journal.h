#pragma once
// The journal: while recording, every sample also goes to a log file in the working
// folder the moment it is recorded, so that a crash, a killed process or a flat
// battery does not take the unsaved recording with it. It holds the samples recorded
// since the last save, clear or load, in the log file format itself, and goes away
// when they have been saved or deliberately discarded.

#include "ecu/EngineSample.h"

#include <QFile>
#include <QLockFile>
#include <QString>

#include <cstddef>

namespace dp {

inline const QString kJournalFileName = QStringLiteral("journal.dgz");

// What start-up finds at the journal's name.
enum class LeftJournal {
    None,         // no file, or one with no complete record (it is removed)
    Recoverable,  // the magic and at least one complete record
    InUse,        // another running program is recording into it
    Foreign,      // a file that is no journal: left alone, and this run keeps no journal
};

class Journal {
public:
    explicit Journal(QString path);
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;

    const QString& path() const { return path_; }
    bool IsOpen() const { return file_.isOpen(); }

    // Appends one record. The first after Discard creates the file anew with the magic.
    // Each record is handed to the system at once: nothing waits in a buffer of ours.
    // Throws IoError.
    void Append(const TEngineSample& sample);
    // Closes the file and deletes it.
    void Discard();

    // Start-up: looks at what a run that did not end normally left behind, and takes
    // the journal's lock when there is something to recover.
    LeftJournal Examine();
    // Keeps appending to a recoverable journal of the given number of complete records;
    // a partial last record (a write cut off by the crash) is dropped. Throws IoError.
    void Resume(std::size_t records);
    // Renames the left file with its date, beside the others; returns the new name.
    // Throws IoError when it cannot, and then leaves the file alone for this run.
    QString KeepAside();

private:
    void TakeLock();

    QString path_;
    QFile file_;
    QLockFile lock_;
    QString blocked_;  // why this run may not write the journal at all
};

}  // namespace dp
