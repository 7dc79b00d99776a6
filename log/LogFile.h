#pragma once
// The log file: the magic "DG" followed by one 60-byte little-endian record per
// sample, Head first, with no count or trailer.

#include "log/SampleLog.h"

#include <QFile>
#include <QString>

#include <cstdint>
#include <vector>

namespace dp {

inline constexpr char kLogMagic[2] = {'D', 'G'};

// What LoadLog found. The menu ignores it (a missing file or a foreign file is
// silent there); the CSV tool reports it.
enum class LoadOutcome { Loaded, Missing, WrongMagic };

// Writes the log to fileName. An empty log writes nothing and creates no file. The
// new contents replace the old file only once fully written and flushed, so a failed
// save leaves any previous file as it was (SaveWholeFile). Throws IoError.
void SaveLog(const SampleLog& log, const QString& fileName);

// Replaces the log by the records of fileName; leaves LogLoaded alone.
// A missing file or wrong magic changes nothing. A file shorter than the magic
// throws "Read beyond end of file" before anything changes; a trailing partial
// record throws the same after the complete records have been loaded.
LoadOutcome LoadLog(SampleLog& log, const QString& fileName);

// Reads a log file one record at a time, holding only a small buffer, so that a file
// of any size can be walked.
class LogReader {
public:
    explicit LogReader(const QString& fileName);
    // Missing and WrongMagic end the reading; Loaded means records may follow. A file
    // shorter than the magic throws "Read beyond end of file"; open errors throw too.
    LoadOutcome Open();
    // The next complete record; false at the end of the file. A trailing partial
    // record throws "Read beyond end of file" once the complete ones are out.
    bool Next(TEngineSample& sample);

private:
    QFile file_;
    std::vector<uint8_t> buffer_;
    std::size_t at_ = 0;    // next record in the buffer
    std::size_t held_ = 0;  // bytes in the buffer
};

}  // namespace dp
