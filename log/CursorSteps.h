#pragma once
// How the viewer's navigation buttons move the log's cursor. The cursor lives in the
// log, so clearing or loading the log can never leave the viewer on a freed sample.

#include "log/SampleLog.h"

namespace dp {

// A five-second step ends on the first sample at least this far from where it began.
inline constexpr double kStepSeconds = 4.999;

void CursorToHead(SampleLog& log);
void CursorToTail(SampleLog& log);
// One sample back or forward; stays put at either end or on an empty log.
void CursorBack(SampleLog& log);
void CursorForward(SampleLog& log);
// Moves until a sample is kStepSeconds or more away from the starting one, or to the
// last (first) sample if none is; always at least one sample when a neighbour exists.
void CursorStepForward(SampleLog& log);
void CursorStepBack(SampleLog& log);

}  // namespace dp
