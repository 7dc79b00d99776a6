#pragma once
// The twenty channels of the log viewer in their common order: the readouts, the
// charts and the CSV export all index samples through this table.

#include "ecu/EngineSample.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace dp {

enum class ChannelKind { Value, Flag };

struct Channel {
    int Index;
    const char* Name;     // list item and series title
    const char* Caption;  // label above the channel's check boxes
    ChannelKind Kind;
    float TEngineSample::*ValueField;   // set for values, null for flags
    uint8_t TEngineSample::*FlagField;  // set for flags, null for values
};

inline constexpr std::size_t kChannelCount = 20;

extern const std::array<Channel, kChannelCount> kChannels;

// The channel's reading in a sample: the float of a value, or the stored byte of a
// flag (0 or 100 in valid data).
float ChannelValue(const Channel& channel, const TEngineSample& sample);
// Whether a flag channel reads as on; a value channel is on when non-zero.
bool ChannelOn(const Channel& channel, const TEngineSample& sample);

}  // namespace dp
