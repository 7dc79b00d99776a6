#pragma once
// The main window's working state and what its controls show for it.

#include <QString>
#include <optional>

namespace dp {

struct WorkingState {
    bool Connected = false;
    bool Reading = false;
    bool Recording = false;
    float ConnectionClock = 0;  // seconds
    // Monotonic seconds of the previous connected tick; none before the first.
    std::optional<double> LastClockReading;
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

// Advances the connection clock by the time passed since the last connected tick,
// disconnected spells included.
void AdvanceClock(WorkingState& state, double nowSeconds);

// Seconds on a monotonic clock: a daylight-saving change or a correction of the
// computer's clock does not move it, so recorded times never jump.
double MonotonicSeconds();

}  // namespace dp
