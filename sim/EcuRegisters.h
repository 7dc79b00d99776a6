#pragma once
// The unit's register map: physical readings in, register bytes out, scaled so the
// program's decoding gives the readings back (to the register's resolution).

#include <cstdint>

namespace dp::sim {

struct EngineReadings {
    double rpm = 0;
    double mafV = 0;
    double throttleV = 0;
    double batteryV = 0;
    double coolantC = 0;
    double injectionMs = 0;
    double ignitionDeg = 0;   // advance before top dead centre
    double vehicleKmh = 0;
    double o2V = 0;
    double idleValvePct = 0;
    double airFuel = 0;        // closed-loop correction, % (100 = none)
    double airFuelLearnt = 0;  // self-learnt correction, %
    bool steering = false;
    bool neutral = false;
    bool start = false;
    bool fuelPump = false;
    bool vtc = false;
    bool wg = false;
    bool fan = false;
    bool egr = false;
    bool pressureReg = false;  // fuel pressure regulator control solenoid
};

bool HasRegister(uint8_t reg);
// Out-of-range readings are clamped to what the register can hold; unknown registers give 0.
uint8_t EncodeRegister(const EngineReadings& r, uint8_t reg);

}  // namespace dp::sim
