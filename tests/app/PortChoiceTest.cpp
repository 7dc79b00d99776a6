#include <gtest/gtest.h>

#include <algorithm>

#include "app/PortChoice.h"
#include "sim/SimPort.h"

namespace dp {
namespace {

// Settings that differ from the defaults in every field the dialog touches.
TAppSettings Stored()
{
    TAppSettings s;
    s.PortName = "COM7";
    s.BaudIndex = 9;
    s.UpdatesPerSecond = 15;
    return s;
}

TEST(PortChoice, ShowingSelectsTheEntriesOfOfferedValuesOnly)
{
    struct Case {
        const char* name;
        int code;
        int32_t rate;
        int speedEntry;
        int rateEntry;
    };
    const Case cases[] = {
        {"defaults", 7, 10, 0, 5},
        {"lowest speed and rate", 7, 1, 0, 0},
        {"highest speed and rate", 15, 20, 5, 7},
        {"38400 at 4 per second", 10, 4, 2, 2},
        {"speed code between offered ones", 8, 8, -1, 4},
        {"custom speed code 0", 0, 5, -1, 3},
        {"code beyond the table", 200, 2, -1, 1},
        {"rate not offered", 11, 3, 3, -1},
        {"rate 0 from a damaged file", 14, 0, 4, -1},
        {"negative rate", 9, -10, 1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SpeedEntryForCode(c.code), c.speedEntry);
        EXPECT_EQ(RateEntryForRate(c.rate), c.rateEntry);
    }
}

TEST(PortChoice, ApplyTakesSelectedBoxesAndKeepsTheRest)
{
    const std::string name30(30, 'x');
    struct Case {
        const char* name;
        PortBoxes boxes;
        std::string portName;
        uint8_t baudIndex;
        int32_t rate;
    };
    const Case cases[] = {
        {"port, 38400 and 4 per second", {2, "COM3", 2, 2}, "COM3", 10, 4},
        {"every speed entry: 9600", {-1, "", 0, -1}, "COM7", 7, 15},
        {"every speed entry: 56000", {-1, "", 3, -1}, "COM7", 11, 15},
        {"every speed entry: 128000", {-1, "", 4, -1}, "COM7", 14, 15},
        {"every speed entry: 256000", {-1, "", 5, -1}, "COM7", 15, 15},
        {"highest rate", {-1, "", -1, 7}, "COM7", 9, 20},
        {"nothing selected keeps everything", {-1, "ttyUSB0", -1, -1}, "COM7", 9, 15},
        {"text typed with no entry selected is ignored", {-1, "COM9", 1, 0}, "COM7", 9, 1},
        {"text typed over a selected entry is taken", {0, "/dev/ttyUSB1", -1, -1}, "/dev/ttyUSB1", 9, 15},
        {"name of 30 characters stays whole", {0, QString(30, 'x'), -1, -1}, name30, 9, 15},
        {"longer name is cut to 30", {0, QString(31, 'x') + "tail", -1, -1}, name30, 9, 15},
        {"empty text over a selected entry empties the name", {1, "", -1, -1}, "", 9, 15},
        {"virtual ECU", {4, sim::kVirtualPortName, -1, -1}, sim::kVirtualPortName, 9, 15},
        {"entries past the lists change nothing", {-1, "", 6, 8}, "COM7", 9, 15},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TAppSettings s = Stored();
        ApplyBoxes(c.boxes, s);
        EXPECT_EQ(s.PortName, c.portName);
        EXPECT_EQ(s.BaudIndex, c.baudIndex);
        EXPECT_EQ(s.UpdatesPerSecond, c.rate);
        EXPECT_EQ(s.TitleColor, Stored().TitleColor);  // the dialog touches no colour
    }
}

TEST(PortChoice, ToolTipNamesWhatTheSystemKnows)
{
    struct Case {
        const char* name;
        const char* device;
        const char* description;
        const char* manufacturer;
        const char* serial;
        QString expected;
    };
    const Case cases[] = {
        {"all facts", "/dev/ttyUSB0", "FT232R USB UART", "FTDI", "A50285BI",
         QStringLiteral("Устройство: /dev/ttyUSB0\nОписание: FT232R USB UART\n"
                        "Производитель: FTDI\nСерийный номер: A50285BI")},
        {"built-in port without vendor data", "/dev/ttyS0", "", "", "", QStringLiteral("Устройство: /dev/ttyS0")},
        {"blank facts are left out", "COM3", "  ", "Prolific", "", QStringLiteral("Устройство: COM3\nПроизводитель: Prolific")},
        {"nothing known", "", "", "", "", QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PortToolTip(QString::fromUtf8(c.device), QString::fromUtf8(c.description),
                              QString::fromUtf8(c.manufacturer), QString::fromUtf8(c.serial)),
                  c.expected);
    }
}

TEST(PortChoice, MachinePortsAreListedOnceAndTheVirtualEcuLast)
{
    const std::vector<PortListEntry> ports = AvailablePorts();
    ASSERT_FALSE(ports.empty());
    EXPECT_EQ(ports.back().name, QString::fromLatin1(sim::kVirtualPortName));
    EXPECT_FALSE(ports.back().toolTip.isEmpty());
    for (const PortListEntry& port : ports) {
        SCOPED_TRACE(port.name.toStdString());
        // Names as the serial layer takes them: no folder in front.
        EXPECT_FALSE(port.name.contains(QLatin1Char('/')));
        EXPECT_EQ(std::count_if(ports.begin(), ports.end(), [&](const PortListEntry& p) { return p.name == port.name; }), 1);
    }
}

}  // namespace
}  // namespace dp
