#pragma once
// Samples whose every field differs from sample to sample, so a record that is
// lost, repeated, reordered or mangled shows up in a comparison.

#include "ecu/EngineSample.h"
#include "log/SampleLog.h"

#include <vector>

namespace dp::test {

inline TEngineSample MakeSample(int i)
{
    TEngineSample s;
    s.Time = 0.1f * float(i);
    s.EngineSpeed = 800.0f + 12.5f * float(i);
    s.MafSensor = 1.005f + float(i);
    s.ThrottleSensor = 0.02f * float(i % 256);
    s.Battery = 13.6f + 0.08f * float(i % 7);
    s.CoolantTemp = -50.0f + float(i % 256);
    s.AirFuel = float(i % 255);
    s.InjectionTime = 3.0f + 0.01f * float(i);
    s.IgnitionAdvance = 110.0f - float(i % 256);
    s.VehicleSpeed = 2.0f * float(i % 256);
    s.O2Sensor = 0.01f * float(i % 256);
    s.IdleValve = 0.5f * float(i % 256);
    s.AirFuelLearnt = float((i * 7) % 256);
    s.SteeringFlag = (i & 1) ? 100 : 0;
    s.NeutralFlag = (i & 2) ? 100 : 0;
    s.StartFlag = (i & 4) ? 100 : 0;
    s.FuelPumpFlag = (i & 8) ? 100 : 0;
    s.VtcFlag = (i & 16) ? 100 : 0;
    s.WgFlag = (i & 32) ? 100 : 0;
    s.FanFlag = (i & 64) ? 100 : 0;
    s.EgrFlag = (i & 128) ? 100 : 0;
    return s;
}

inline void FillLog(SampleLog& log, int count, int first = 0)
{
    for (int i = 0; i < count; ++i) log.AppendSample(MakeSample(first + i));
}

// The samples from Head along Next.
inline std::vector<TEngineSample> Samples(const SampleLog& log)
{
    std::vector<TEngineSample> out;
    for (const SampleNode* n = log.Head(); n != nullptr; n = n->Next) out.push_back(n->Sample);
    return out;
}

}  // namespace dp::test
