// The command bytes of the nine actuator tests, built from each group's input.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "ecu/ActiveTests.h"

namespace dp {
namespace {

using Command = std::array<uint8_t, 4>;

enum Group { Coolant, Injection, Ignition, IdleValve, Cylinders, FuelPump, Vtc, FanHi, PressureReg };

ActiveTestInput Track(double v)
{
    ActiveTestInput in;
    in.trackValue = v;
    return in;
}

ActiveTestInput Checked(std::initializer_list<int> boxes)
{
    ActiveTestInput in;
    for (int n : boxes) in.cylinders[std::size_t(n - 1)] = true;
    return in;
}

ActiveTestInput Switch(bool on)
{
    ActiveTestInput in;
    in.switchOn = on;
    return in;
}

struct CommandCase {
    const char* name;
    Group group;
    ActiveTestInput input;
    Command expect;
};

const CommandCase kCases[] = {
    {"coolant -50", Coolant, Track(-50), {0x0A, 0x80, 0x00, 0xF0}},
    {"coolant 0", Coolant, Track(0), {0x0A, 0x80, 0x32, 0xF0}},
    {"coolant 150", Coolant, Track(150), {0x0A, 0x80, 0xC8, 0xF0}},
    {"injection -50", Injection, Track(-50), {0x0A, 0x81, 0x32, 0xF0}},
    {"injection 0", Injection, Track(0), {0x0A, 0x81, 0x64, 0xF0}},
    {"injection 50", Injection, Track(50), {0x0A, 0x81, 0x96, 0xF0}},
    {"ignition -1 as a signed byte", Ignition, Track(-1), {0x0A, 0x82, 0xFF, 0xF0}},
    {"ignition 0", Ignition, Track(0), {0x0A, 0x82, 0x00, 0xF0}},
    {"ignition -50", Ignition, Track(-50), {0x0A, 0x82, 0xCE, 0xF0}},
    {"ignition 50", Ignition, Track(50), {0x0A, 0x82, 0x32, 0xF0}},
    {"idle valve 37", IdleValve, Track(37), {0x0A, 0x84, 0x4A, 0xF0}},
    {"idle valve 100", IdleValve, Track(100), {0x0A, 0x84, 0xC8, 0xF0}},
    {"half rounds down to even 2.5", Coolant, Track(2.5), {0x0A, 0x80, 0x34, 0xF0}},
    {"half rounds up to even 3.5", Coolant, Track(3.5), {0x0A, 0x80, 0x36, 0xF0}},
    {"negative half to even -2.5", Ignition, Track(-2.5), {0x0A, 0x82, 0xFE, 0xF0}},
    {"negative half to zero -0.5", Ignition, Track(-0.5), {0x0A, 0x82, 0x00, 0xF0}},
    {"just below a half rounds down", IdleValve, Track(2.49), {0x0A, 0x84, 0x04, 0xF0}},
    {"cylinders 1 and 3", Cylinders, Checked({1, 3}), {0x0A, 0x88, 0x05, 0xF0}},
    {"all eight cylinders", Cylinders, Checked({1, 2, 3, 4, 5, 6, 7, 8}), {0x0A, 0x88, 0xFF, 0xF0}},
    {"no cylinder", Cylinders, Checked({}), {0x0A, 0x88, 0x00, 0xF0}},
    {"cylinder 8 alone is the top bit", Cylinders, Checked({8}), {0x0A, 0x88, 0x80, 0xF0}},
    {"fuel pump on", FuelPump, Switch(true), {0x0A, 0x89, 0x00, 0xF0}},
    {"fuel pump off", FuelPump, Switch(false), {0x0A, 0x89, 0x01, 0xF0}},
    {"VTC off", Vtc, Switch(false), {0x0A, 0x8F, 0x01, 0xF0}},
    {"Fan Hi on", FanHi, Switch(true), {0x0A, 0x94, 0x00, 0xF0}},
    {"pressure regulator off", PressureReg, Switch(false), {0x0A, 0x8A, 0x01, 0xF0}},
    // The edit keeps its range; should a value slip past it, the range still holds.
    {"coolant above its range", Coolant, Track(151), {0x0A, 0x80, 0xC8, 0xF0}},
    {"not a number sends the low end", Injection, Track(std::nan("")), {0x0A, 0x81, 0x32, 0xF0}},
};

class ActiveTestCommandTest : public ::testing::TestWithParam<CommandCase> {};

TEST_P(ActiveTestCommandTest, Bytes)
{
    const CommandCase& c = GetParam();
    EXPECT_EQ(ActiveTestCommand(c.group, c.input), c.expect);
}

INSTANTIATE_TEST_SUITE_P(Cases, ActiveTestCommandTest, ::testing::ValuesIn(kCases), [](const auto& info) {
    std::string n = info.param.name;
    for (char& ch : n)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    return n;
});

}  // namespace
}  // namespace dp
