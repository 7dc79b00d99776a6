#pragma once
// Drives a virtual ECU through timed writes and records every byte it sends with the
// time it reaches the PC; compares the record against a compact pattern.

#include <cstdint>
#include <string>
#include <vector>

#include "sim/VirtualEcu.h"

namespace dp::sim::test {

struct TimedWrite {
    int64_t atUs;
    std::vector<uint8_t> bytes;
};

struct Arrival {
    uint8_t byte;
    int64_t us;
};

// Writes each entry at its time (in order) and collects until untilUs.
std::vector<Arrival> RunScript(VirtualEcu& ecu, const std::vector<TimedWrite>& writes, int64_t untilUs);

// Pattern tokens, separated by spaces: "@T" the next byte arrives at T µs; "XX" a byte in
// hex; "??" any byte; "~~" one to three stray bytes other than 0xFF. Every byte must
// follow the one before it back to back unless an "@T" says otherwise, and nothing may
// come after the pattern. Returns an empty string on a match, else what went wrong.
std::string MatchPattern(const std::vector<Arrival>& got, const std::string& pattern, int64_t byteUs);

std::string Describe(const std::vector<Arrival>& got);

}  // namespace dp::sim::test
