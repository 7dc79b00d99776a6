#pragma once
// The engine behind the unit's registers: a cold start that warms up, an idle with
// throttle blips, closed-loop mixture control, switch flags, stored fault codes and the
// actuator tests. Time moves on a fixed 10 ms grid, so a seed and the times asked for
// give the same engine every run.

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "sim/EcuRegisters.h"
#include "sim/Rng.h"

namespace dp::sim {

struct FaultCode {
    uint8_t code = 0;
    uint8_t starts = 0;  // engine starts since the fault was last seen
    bool operator==(const FaultCode&) const = default;
};

// What a used car's unit typically holds: an ignition signal fault seen three starts
// ago, an old knock sensor fault and an injector fault.
inline std::vector<FaultCode> TypicalFaultCodes() { return {{0x21, 3}, {0x34, 12}, {0x45, 7}}; }

// The actuator test the unit is running.
struct ActiveTestState {
    uint8_t code = 0;
    uint8_t value = 0;
    bool operator==(const ActiveTestState&) const = default;
};

// Active test codes as the unit knows them.
inline constexpr uint8_t kTestCoolant = 0x80;      // value - 50 = °C shown and used
inline constexpr uint8_t kTestInjection = 0x81;    // value = % of normal injection time
inline constexpr uint8_t kTestIgnition = 0x82;     // signed degrees added
inline constexpr uint8_t kTestIdleValve = 0x84;    // value / 2 = valve opening %
inline constexpr uint8_t kTestCylinderCut = 0x88;  // bit n cuts cylinder n+1
inline constexpr uint8_t kTestFuelPump = 0x89;     // 0x00 on, 0x01 off
inline constexpr uint8_t kTestPressureReg = 0x8A;  // 0x00 on, 0x01 off
inline constexpr uint8_t kTestSelfLearnReset = 0x8B;
inline constexpr uint8_t kTestVtc = 0x8F;    // 0x00 on, 0x01 off
inline constexpr uint8_t kTestFanHi = 0x94;  // 0x00 on, 0x01 off

class EngineModel {
public:
    enum class Phase { Cranking, Running, Stalled };
    static constexpr int64_t kStepUs = 10'000;

    explicit EngineModel(uint64_t seed = 1, int64_t startUs = 0);

    // Moves the engine to t; earlier times change nothing. A gap longer than half an
    // hour is skipped over with the engine as it was, so a wild clock costs little.
    void advance(int64_t tUs);
    int64_t timeUs() const { return timeUs_; }
    Phase phase() const { return phase_; }

    EngineReadings readings() const;
    uint8_t registerValue(uint8_t reg) const { return EncodeRegister(readings(), reg); }

    // One test at a time: a new one replaces the one running. The self-learning reset
    // code acts at once and leaves a running test alone.
    void startTest(uint8_t code, uint8_t value);
    void endTest() { test_.on = false; }
    bool testRunning() const { return test_.on; }
    std::optional<ActiveTestState> activeTest() const
    {
        if (!test_.on) return std::nullopt;
        return ActiveTestState{test_.code, test_.value};
    }
    void resetLearnt() { learnt_ = 100; }

    // Stored in the order the unit reports them; an empty list reads as 0x55 "no malfunction".
    const std::vector<FaultCode>& faultCodes() const { return faults_; }
    void setFaultCodes(std::vector<FaultCode> codes) { faults_ = std::move(codes); }
    void clearFaultCodes() { faults_.clear(); }

private:
    struct Test {
        bool on = false;
        uint8_t code = 0;
        uint8_t value = 0;
    };

    void step();
    void stepPhase();
    void stepDriver();
    void stepCoolant();
    void stepSpeed();
    void stepMixture();

    bool testIs(uint8_t code) const { return test_.on && test_.code == code; }
    bool stalledByTest() const;
    double controlCoolant() const;  // what the unit believes: the coolant test overrides it
    double normalIdleValve() const;
    double injectionFactor() const;
    bool fanRunning() const;

    Rng rng_;
    int64_t timeUs_;
    double t_ = 0;  // seconds of engine time
    Phase phase_ = Phase::Cranking;
    double phaseS_ = 0;
    Test test_;
    std::vector<FaultCode> faults_ = TypicalFaultCodes();

    double ambient_;
    double coolant_;
    bool fanOn_ = false;
    double throttle_ = 0;
    double throttleCmd_ = 0;
    double nextBlipS_;
    double blipEndS_ = 0;
    bool steering_ = false;
    double steeringEdgeS_;
    double rpm_ = 0;
    double rpmNoise_ = 0;
    double load_ = 1;
    double battery_ = 12.5;
    double bias_;  // the engine's own fuelling error, which learning cancels
    double learnt_;
    double alpha_ = 100;
    bool rich_ = false;
    double o2_ = 0.45;
    static constexpr int kExhaustDelaySteps = 25;
    double exhaust_[kExhaustDelaySteps] = {};
    int exhaustPos_ = 0;
};

}  // namespace dp::sim
