#pragma once
// Live data: two register requests per sample, decoded into TEngineSample.

#include <array>
#include <cstdint>

#include "ecu/EcuLink.h"
#include "ecu/EngineSample.h"

namespace dp {

// 0x5A register pairs closed by 0xF0.
inline constexpr std::array<uint8_t, 19> kFirstRequest = {
    0x5A, 0x00, 0x5A, 0x01, 0x5A, 0x04, 0x5A, 0x05, 0x5A, 0x14,
    0x5A, 0x15, 0x5A, 0x08, 0x5A, 0x0D, 0x5A, 0x0C, 0xF0};
inline constexpr std::array<uint8_t, 19> kSecondRequest = {
    0x5A, 0x0B, 0x5A, 0x16, 0x5A, 0x17, 0x5A, 0x1C, 0x5A, 0x09,
    0x5A, 0x1A, 0x5A, 0x13, 0x5A, 0x1E, 0x5A, 0x1F, 0xF0};
// The second reply is accepted only with these lengths.
inline constexpr int kSecondReplyMin = 9;
inline constexpr int kSecondReplyMax = 11;

// p points at the nine payload bytes p1..p9 of a reply.
void DecodeFirstReply(const uint8_t* p, TEngineSample& sample);
void DecodeSecondReply(const uint8_t* p, TEngineSample& sample);

// One reading: Time first, then each request's fields only when its frame is complete.
// Returns whether the unit answered at all (either frame complete), so the caller can
// tell a unit that has stopped answering from one that answers.
bool AcquireSample(EcuLink& link, TEngineSample& sample, float connectionClock);

}  // namespace dp
