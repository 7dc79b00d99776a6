#pragma once
// The log as CSV text: a "Time" column and the twenty viewer channels, numbers in
// the shortest form that reads back to the same float, '.' as decimal separator
// whatever the locale.

#include "log/SampleLog.h"

#include <ostream>
#include <string>

namespace dp {

std::string CsvHeader();
std::string CsvRow(const TEngineSample& sample);
// Header and one row per sample, Head first, each line ended by '\n'.
void WriteCsv(const SampleLog& log, std::ostream& out);

}  // namespace dp
