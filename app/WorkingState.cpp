#include "app/WorkingState.h"

#include <QDateTime>

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

void AdvanceClock(WorkingState& s, double nowDays)
{
    if (s.LastClockReading != 0) {
        s.ConnectionClock = float(s.ConnectionClock + (nowDays - s.LastClockReading) * 24 * 60 * 60);
    }
    s.LastClockReading = nowDays;
}

double LocalNowDays()
{
    const QDateTime now = QDateTime::currentDateTime();
    const qint64 localMs = now.toMSecsSinceEpoch() + qint64(now.offsetFromUtc()) * 1000;
    return double(localMs) / 86400000.0;
}

}  // namespace dp
