#include "sim/EcuRegisters.h"

#include <algorithm>
#include <cmath>

namespace dp::sim {

namespace {

long Scaled(double value, double step, long max)
{
    if (!(value == value)) return 0;  // NaN
    return std::clamp(std::lround(std::clamp(value / step, -1e9, 1e9)), 0L, max);
}

uint8_t Byte(double value, double step) { return uint8_t(Scaled(value, step, 255)); }
uint8_t High(double value, double step) { return uint8_t(Scaled(value, step, 65535) >> 8); }
uint8_t Low(double value, double step) { return uint8_t(Scaled(value, step, 65535) & 0xFF); }
uint8_t Bit(bool on, uint8_t mask) { return on ? mask : 0; }

}  // namespace

bool HasRegister(uint8_t reg)
{
    switch (reg) {
    case 0x00: case 0x01: case 0x04: case 0x05: case 0x08: case 0x09: case 0x0B: case 0x0C:
    case 0x0D: case 0x13: case 0x14: case 0x15: case 0x16: case 0x17: case 0x1A: case 0x1C:
    case 0x1E: case 0x1F:
        return true;
    default:
        return false;
    }
}

uint8_t EncodeRegister(const EngineReadings& r, uint8_t reg)
{
    switch (reg) {
    case 0x00: return High(r.rpm, 12.5);
    case 0x01: return Low(r.rpm, 12.5);
    case 0x04: return High(r.mafV, 0.005);
    case 0x05: return Low(r.mafV, 0.005);
    case 0x08: return Byte(r.coolantC + 50, 1);
    case 0x09: return Byte(r.o2V, 0.01);
    case 0x0B: return Byte(r.vehicleKmh, 2);
    case 0x0C: return Byte(r.batteryV, 0.08);
    case 0x0D: return Byte(r.throttleV, 0.02);
    case 0x13: return Bit(r.steering, 0x08) | Bit(r.neutral, 0x04) | Bit(r.start, 0x02);
    case 0x14: return High(r.injectionMs, 0.01);
    case 0x15: return Low(r.injectionMs, 0.01);
    case 0x16: return Byte(110 - r.ignitionDeg, 1);
    case 0x17: return Byte(r.idleValvePct, 0.5);
    case 0x1A: return Byte(r.airFuel, 1);
    case 0x1C: return Byte(r.airFuelLearnt, 1);
    case 0x1E: return Bit(r.fuelPump, 0x40) | Bit(r.vtc, 0x20) | Bit(r.fan, 0x02);
    case 0x1F: return Bit(r.pressureReg, 0x40) | Bit(r.wg, 0x20) | Bit(r.egr, 0x01);
    default: return 0;
    }
}

}  // namespace dp::sim
