#include <gtest/gtest.h>

#include "ecu/QtSerialBackend.h"

namespace dp {
namespace {

TEST(PortName, ComNamesMapToSerialDevicesAndPathsStand)
{
    const std::pair<const char*, const char*> cases[] = {
#ifdef Q_OS_WIN
        {"COM1", "COM1"},
        {"COM12", "COM12"},
#else
        {"COM1", "/dev/ttyS0"},
        {"com3", "/dev/ttyS2"},
        {"COM12", "/dev/ttyS11"},
        {"COM0", "COM0"},  // no such numbering: used as it stands
#endif
        {"/dev/ttyUSB0", "/dev/ttyUSB0"},
        {"/tmp/dravik-ecu", "/tmp/dravik-ecu"},
        {"ttyACM0", "ttyACM0"},
    };
    for (auto [name, device] : cases) EXPECT_EQ(DeviceForPortName(name), QString::fromLatin1(device)) << name;
}

}  // namespace
}  // namespace dp
