#pragma once
// The nine actuator tests: the code each one sends and how its value byte is built from
// the group's input. No widgets: the window reads its controls into ActiveTestInput and
// writes what ActiveTestCommand returns.

#include <array>
#include <cstdint>

#include "common/Rounding.h"

namespace dp {

enum class TestInputKind { TrackEdit, Cylinders, Switch };

struct ActiveTestSpec {
    uint8_t code;
    TestInputKind input;
    // Track edits only: the range, and value byte = low 8 bits of rounded value * factor + offset.
    int min = 0, max = 0;
    int factor = 1, offset = 0;
};

// In the window's group order (groups 1 to 9); the codes are not in that order.
inline constexpr std::array<ActiveTestSpec, 9> kActiveTests = {{
    {0x80, TestInputKind::TrackEdit, -50, 150, 1, 50},  // coolant temperature
    {0x81, TestInputKind::TrackEdit, -50, 50, 1, 100},  // injection time correction
    {0x82, TestInputKind::TrackEdit, -50, 50, 1, 0},    // ignition timing: a signed byte
    {0x84, TestInputKind::TrackEdit, 0, 100, 2, 0},     // idle air valve position
    {0x88, TestInputKind::Cylinders},
    {0x89, TestInputKind::Switch},  // fuel pump
    {0x8F, TestInputKind::Switch},  // VTC
    {0x94, TestInputKind::Switch},  // Fan Hi
    {0x8A, TestInputKind::Switch},  // pressure regulator control solenoid
}};

// What a group's input control holds; only the part its test uses is read.
struct ActiveTestInput {
    double trackValue = 0;
    std::array<bool, 8> cylinders{};  // check box n cuts cylinder n (bit n-1)
    bool switchOn = true;             // on sends 0x00, off 0x01
};

inline constexpr uint8_t kActiveTestByte = 0x0A;
// Closes a test command; sent alone, it ends the running test.
inline constexpr uint8_t kEndTestByte = 0xF0;


// The value byte of group (0 to 8) for that input.
uint8_t ActiveTestValue(int group, const ActiveTestInput& input);

// The four bytes that start the group's test: 0x0A, code, value, 0xF0.
std::array<uint8_t, 4> ActiveTestCommand(int group, const ActiveTestInput& input);

}  // namespace dp
