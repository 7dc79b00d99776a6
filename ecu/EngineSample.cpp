#include "ecu/EngineSample.h"

#include <bit>

namespace dp {
namespace {

constexpr std::array<float TEngineSample::*, 13> kFloats = {
    &TEngineSample::Time,          &TEngineSample::EngineSpeed,     &TEngineSample::MafSensor,
    &TEngineSample::ThrottleSensor, &TEngineSample::Battery,        &TEngineSample::CoolantTemp,
    &TEngineSample::AirFuel,       &TEngineSample::InjectionTime,   &TEngineSample::IgnitionAdvance,
    &TEngineSample::VehicleSpeed,  &TEngineSample::O2Sensor,        &TEngineSample::IdleValve,
    &TEngineSample::AirFuelLearnt};

constexpr std::array<uint8_t TEngineSample::*, 8> kFlags = {
    &TEngineSample::SteeringFlag, &TEngineSample::NeutralFlag, &TEngineSample::StartFlag,
    &TEngineSample::FuelPumpFlag, &TEngineSample::VtcFlag,     &TEngineSample::WgFlag,
    &TEngineSample::FanFlag,      &TEngineSample::EgrFlag};

}  // namespace

void SampleToBytes(const TEngineSample& sample, uint8_t* out)
{
    for (std::size_t i = 0; i < kFloats.size(); ++i) {
        const uint32_t bits = std::bit_cast<uint32_t>(sample.*kFloats[i]);
        for (int k = 0; k < 4; ++k) out[i * 4 + k] = uint8_t(bits >> (8 * k));
    }
    for (std::size_t i = 0; i < kFlags.size(); ++i) out[52 + i] = sample.*kFlags[i];
}

TEngineSample SampleFromBytes(const uint8_t* in)
{
    TEngineSample s;
    for (std::size_t i = 0; i < kFloats.size(); ++i) {
        uint32_t bits = 0;
        for (int k = 0; k < 4; ++k) bits |= uint32_t(in[i * 4 + k]) << (8 * k);
        s.*kFloats[i] = std::bit_cast<float>(bits);
    }
    for (std::size_t i = 0; i < kFlags.size(); ++i) s.*kFlags[i] = in[52 + i];
    return s;
}

}  // namespace dp
