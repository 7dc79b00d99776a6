#include "app/WorkingState.h"

#include <chrono>

namespace dp {

ControlLooks ControlsFor(const WorkingState& s)
{
    ControlLooks c;
    c.sButton1 = {s.Connected ? QStringLiteral("Отключиться") : QStringLiteral("Подключиться"), s.Connected, true};
    c.sButton2 = {s.Reading ? QStringLiteral("Стоп") : QStringLiteral("Считывать"), s.Reading, s.Connected};
    c.sButton3 = {s.Recording ? QStringLiteral("Стоп") : QStringLiteral("Записывать"), s.Recording, s.Reading};
    c.commandsEnabled = s.Connected;
    return c;
}

void StopReading(WorkingState& s)
{
    s.Recording = false;
    s.Reading = false;
}

void AdvanceClock(WorkingState& s, double nowSeconds)
{
    if (s.LastClockReading) s.ConnectionClock = float(s.ConnectionClock + (nowSeconds - *s.LastClockReading));
    s.LastClockReading = nowSeconds;
}

double MonotonicSeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

}  // namespace dp
