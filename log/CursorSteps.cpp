#include "log/CursorSteps.h"

namespace dp {

void CursorToHead(SampleLog& log) { log.SetCursor(log.Head()); }
void CursorToTail(SampleLog& log) { log.SetCursor(log.Tail()); }

void CursorBack(SampleLog& log)
{
    SampleNode* at = log.Cursor();
    if (at != nullptr && at->Prev != nullptr) log.SetCursor(at->Prev);
}

void CursorForward(SampleLog& log)
{
    SampleNode* at = log.Cursor();
    if (at != nullptr && at->Next != nullptr) log.SetCursor(at->Next);
}

// Differences are taken in double, so a float time 4.9995 s later does end the step.
// A NaN time never compares as far enough: the step then runs on to the next
// sample that does, or to the end of the log.
void CursorStepForward(SampleLog& log)
{
    SampleNode* at = log.Cursor();
    if (at == nullptr) return;
    const double t0 = at->Sample.Time;
    while (!(double(at->Sample.Time) - t0 >= kStepSeconds) && at->Next != nullptr) at = at->Next;
    log.SetCursor(at);
}

void CursorStepBack(SampleLog& log)
{
    SampleNode* at = log.Cursor();
    if (at == nullptr) return;
    const double t0 = at->Sample.Time;
    while (!(t0 - double(at->Sample.Time) >= kStepSeconds) && at->Prev != nullptr) at = at->Prev;
    log.SetCursor(at);
}

}  // namespace dp
