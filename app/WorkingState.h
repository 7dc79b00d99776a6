#pragma once
// The main window's working state and what its controls show for it.

#include <QString>

namespace dp {

struct WorkingState {
    bool Connected = false;
    bool Reading = false;
    bool Recording = false;
    float ConnectionClock = 0;     // seconds
    double LastClockReading = 0;   // local date-time in days; 0 means no tick yet
};

struct ButtonLook {
    QString caption;
    bool down = false;
    bool enabled = false;
    bool operator==(const ButtonLook&) const = default;
};

struct ControlLooks {
    ButtonLook sButton1, sButton2, sButton3;
    bool commandsEnabled = false;  // sButton4, sButton5, sButton6 and the menu item N8
    bool operator==(const ControlLooks&) const = default;
};

// The controls follow from the three flags alone: starting reading is the only thing
// that enables recording, and every path that stops reading stops recording.
ControlLooks ControlsFor(const WorkingState& state);

// Stopping reading always stops recording too.
void StopReading(WorkingState& state);

// Advances the connection clock by the local time passed since the last connected tick.
void AdvanceClock(WorkingState& state, double nowDays);

// Local date-time as days with the time of day as the fraction, millisecond resolution.
double LocalNowDays();

}  // namespace dp
