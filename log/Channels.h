#pragma once
// The twenty channels of the log viewer in their common order: the readouts, the
// charts and the CSV export all index samples through this table, which is the one
// source of their names, fields, chart colours and chart scalings.

#include "ecu/EngineSample.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace dp {

enum class ChannelKind { Value, Flag };

// How a channel's reading maps onto the charts' common 0..100 scale.
enum class PlotRule {
    Scaled,    // 100 * (value + Offset) / Divisor
    Shifted,   // value + Offset
    Unscaled,  // value as it is
    FlagByte,  // the flag byte, 0 or 100
};

struct ChartColor {
    uint8_t Red, Green, Blue;
};

struct Channel {
    int Index;
    const char* Name;     // list item and series title
    const char* Caption;  // label above the channel's check boxes
    ChannelKind Kind;
    float TEngineSample::*ValueField;   // set for values, null for flags
    uint8_t TEngineSample::*FlagField;  // set for flags, null for values
    ChartColor Color;                   // the line on both charts
    PlotRule Rule;
    float Offset;
    float Divisor;
};

inline constexpr std::size_t kChannelCount = 20;

extern const std::array<Channel, kChannelCount> kChannels;

// The channel's reading in a sample: the float of a value, or the stored byte of a
// flag (0 or 100 in valid data).
float ChannelValue(const Channel& channel, const TEngineSample& sample);
// Whether a flag channel reads as on; a value channel is on when non-zero.
bool ChannelOn(const Channel& channel, const TEngineSample& sample);

}  // namespace dp
