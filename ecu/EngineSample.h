#pragma once
// One live-data sample. Its 60 bytes are also the record of the log file, so the
// byte form is written explicitly little-endian and never depends on the machine.

#include <array>
#include <cstddef>
#include <cstdint>

namespace dp {

struct TEngineSample {
    float Time = 0;             // connection clock, seconds
    float EngineSpeed = 0;      // rpm
    float MafSensor = 0;
    float ThrottleSensor = 0;
    float Battery = 0;
    float CoolantTemp = 0;
    float AirFuel = 0;
    float InjectionTime = 0;
    float IgnitionAdvance = 0;
    float VehicleSpeed = 0;
    float O2Sensor = 0;
    float IdleValve = 0;
    float AirFuelLearnt = 0;
    // Switch flags: 0 or 100.
    uint8_t SteeringFlag = 0;
    uint8_t NeutralFlag = 0;
    uint8_t StartFlag = 0;
    uint8_t FuelPumpFlag = 0;
    uint8_t VtcFlag = 0;
    uint8_t WgFlag = 0;
    uint8_t FanFlag = 0;
    uint8_t EgrFlag = 0;

    bool operator==(const TEngineSample&) const = default;
};

constexpr std::size_t kSampleSize = 60;
static_assert(sizeof(TEngineSample) == kSampleSize, "TEngineSample must be 60 bytes without gaps");

using SampleBytes = std::array<uint8_t, kSampleSize>;

void SampleToBytes(const TEngineSample& sample, uint8_t* out);
TEngineSample SampleFromBytes(const uint8_t* in);
inline SampleBytes SampleToBytes(const TEngineSample& sample)
{
    SampleBytes b{};
    SampleToBytes(sample, b.data());
    return b;
}

}  // namespace dp
