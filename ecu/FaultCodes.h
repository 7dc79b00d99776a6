#pragma once
// The fault-code read and the two resets. The report is plain text lines, so the
// window that shows them holds no logic of its own.

#include <QStringList>
#include <array>
#include <cstdint>
#include <span>

#include "ecu/EcuLink.h"

namespace dp {

inline constexpr std::array<uint8_t, 2> kFaultCodeRequest = {0xD1, 0xF0};
// The stop byte rides in the same write: the unit sends nothing worth reading back.
inline constexpr std::array<uint8_t, 3> kClearFaultCodes = {0xC1, 0xF0, 0x30};
// Shaped like an active test (code 0x8B, value 0) and, like one, left running.
inline constexpr std::array<uint8_t, 4> kSelfLearningReset = {0x0A, 0x8B, 0x00, 0xF0};

// One line per code/count pair of a complete reply frame (0xFF, L, then L payload
// bytes), in frame order, "Error: 0B from: 12 engine start". An odd last payload byte
// belongs to no pair and is left out. Every pair is listed, however long the frame;
// a frame shorter than its length byte says yields only the pairs it holds.
QStringList FaultReportLines(std::span<const uint8_t> frame);

// Drains, asks for the stored codes, collects one reply frame and stops the unit's
// stream. Empty when no complete frame came back: silence is not an error.
QStringList ReadFaultCodes(EcuLink& link);

// Fire and forget: nothing is drained before and nothing read after; whatever the
// unit answers is drained by the next command that reads.
void ClearFaultCodes(EcuLink& link);
void ResetSelfLearning(EcuLink& link);

}  // namespace dp
