#pragma once
// The log file: the magic "DG" followed by one 60-byte little-endian record per
// sample, Head first, with no count or trailer.

#include "log/SampleLog.h"

#include <QString>

namespace dp {

inline constexpr char kLogMagic[2] = {'D', 'G'};

// What LoadLog found. The menu ignores it (a missing file or a foreign file is
// silent there); the CSV tool reports it.
enum class LoadOutcome { Loaded, Missing, WrongMagic };

// Writes the log to fileName. An empty log writes nothing and creates no file. The
// new contents go to a temporary file that replaces the old one only once fully
// written, so a failed save leaves any previous file as it was. Throws IoError.
void SaveLog(const SampleLog& log, const QString& fileName);

// Replaces the log by the records of fileName; leaves LogLoaded alone.
// A missing file or wrong magic changes nothing. A file shorter than the magic
// throws "Read beyond end of file" before anything changes; a trailing partial
// record throws the same after the complete records have been loaded.
LoadOutcome LoadLog(SampleLog& log, const QString& fileName);

}  // namespace dp
