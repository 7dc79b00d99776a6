#pragma once
// What the port settings dialog's boxes mean, without the widgets: the speed and rate
// entries, the machine's port list, and the mapping between the boxes and the settings.

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

#include "app/Settings.h"

namespace dp {

struct SpeedEntry {
    const char* text;
    uint8_t code;  // BaudIndex
};
inline constexpr std::array<SpeedEntry, 6> kSpeedEntries = {{
    {"9600", 7}, {"19200", 9}, {"38400", 10}, {"56000", 11}, {"128000", 14}, {"256000", 15},
}};
inline constexpr std::array<int32_t, 8> kRateEntries = {1, 2, 4, 5, 8, 10, 15, 20};

// The dialog's three boxes as a plain record: the selected entry of each (-1: none)
// and the text the port box shows, which the user may have typed over; and its check
// box for the unit's continuous stream.
struct PortBoxes {
    int portEntry = -1;
    QString portText;
    int speedEntry = -1;
    int rateEntry = -1;
    bool continuousStream = false;
};

// The entry that shows a speed code or a rate; -1 when the list does not offer it
// (showing the dialog then leaves that box as it was).
int SpeedEntryForCode(int code);
int RateEntryForRate(int32_t rate);
// "Применить": each box with a selected entry sets its field (the port name cut to
// kPortNameMax characters); a box without one leaves its field unchanged. The check
// box always sets the stream flag.
void ApplyBoxes(const PortBoxes& boxes, TAppSettings& settings);

// One entry of the port list: the name the serial layer accepts, and what the system
// knows of the adapter behind it.
struct PortListEntry {
    QString name;
    QString toolTip;
};

// The tooltip lines for the facts the system reports; unknown ones are left out.
QString PortToolTip(const QString& device, const QString& description, const QString& manufacturer,
                    const QString& serialNumber);
// The machine's serial ports in the order the system lists them, then the virtual ECU.
std::vector<PortListEntry> AvailablePorts();

}  // namespace dp
