#include "ecu/LiveData.h"

namespace dp {
namespace {

uint8_t Flag(uint8_t byte, uint8_t bit) { return (byte & bit) ? 100 : 0; }

// Exchanges one request; true when a reply frame of at least nine payload bytes came back.
bool Exchange(EcuLink& link, const std::array<uint8_t, 19>& request, int minLength, int maxLength)
{
    link.DrainInput();
    link.SendCommand(request.data(), int(request.size()));
    link.AwaitInput();
    const bool complete = link.ReadReplyFrame(minLength, maxLength);
    link.SendStop();
    // A shorter first reply would leave registers unread; it counts as incomplete.
    return complete && link.FrameLength() >= 9;
}

}  // namespace

void DecodeFirstReply(const uint8_t* p, TEngineSample& s)
{
    s.EngineSpeed = float((p[0] * 256.0 + p[1]) * 12.5);
    s.MafSensor = float((p[2] * 256.0 + p[3]) * 0.005);
    s.InjectionTime = float((p[4] * 256.0 + p[5]) / 100.0);
    s.CoolantTemp = float(p[6] - 50.0);
    s.ThrottleSensor = float(p[7] * 0.02);
    s.Battery = float(p[8] * 0.08);
}

void DecodeSecondReply(const uint8_t* p, TEngineSample& s)
{
    s.VehicleSpeed = float(p[0] * 2.0);
    s.IgnitionAdvance = float(110.0 - p[1]);
    s.IdleValve = float(p[2] * 0.5);
    s.AirFuelLearnt = float(p[3]);
    s.O2Sensor = float(p[4] * 0.01);
    s.AirFuel = float(p[5]);
    s.SteeringFlag = Flag(p[6], 0x08);
    s.NeutralFlag = Flag(p[6], 0x04);
    s.StartFlag = Flag(p[6], 0x02);
    s.FuelPumpFlag = Flag(p[7], 0x40);
    s.VtcFlag = Flag(p[7], 0x20);
    s.FanFlag = Flag(p[7], 0x02);
    s.WgFlag = Flag(p[8], 0x20);
    s.EgrFlag = Flag(p[8], 0x01);
}

bool AcquireSample(EcuLink& link, TEngineSample& sample, float connectionClock)
{
    sample.Time = connectionClock;
    const bool first = Exchange(link, kFirstRequest, 0, 255);
    if (first) DecodeFirstReply(&link.FrameBuffer[2], sample);
    const bool second = Exchange(link, kSecondRequest, kSecondReplyMin, kSecondReplyMax);
    if (second) DecodeSecondReply(&link.FrameBuffer[2], sample);
    return first || second;
}

}  // namespace dp
