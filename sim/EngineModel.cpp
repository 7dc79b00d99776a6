#include "sim/EngineModel.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace dp::sim {

namespace {

constexpr double kDt = double(EngineModel::kStepUs) / 1e6;
constexpr int64_t kMaxStepsPerAdvance = 30 * 60 * 100;
constexpr double kCrankS = 1.2;
constexpr double kBaseIdleRpm = 750;

// First-order lag, exact for any step, so it never overshoots.
void Follow(double& x, double target, double tauS) { x += (target - x) * (1 - std::exp(-kDt / tauS)); }

}  // namespace

EngineModel::EngineModel(uint64_t seed, int64_t startUs)
    : rng_(seed), timeUs_(startUs)
{
    ambient_ = rng_.uniform(12, 18);
    coolant_ = ambient_;
    nextBlipS_ = rng_.uniform(8, 14);
    steeringEdgeS_ = rng_.uniform(20, 50);
    // A few per cent off, rich or lean, and mostly learnt away already.
    bias_ = (rng_.next() & 1 ? 1 : -1) * rng_.uniform(0.03, 0.08);
    learnt_ = 100 / (1 + bias_) + rng_.uniform(-1.5, 1.5);
}

void EngineModel::advance(int64_t tUs)
{
    if (tUs <= timeUs_) return;
    int64_t steps = (tUs - timeUs_) / kStepUs;
    if (steps > kMaxStepsPerAdvance) {
        timeUs_ += (steps - kMaxStepsPerAdvance) * kStepUs;
        steps = kMaxStepsPerAdvance;
    }
    for (int64_t i = 0; i < steps; ++i) step();
}

void EngineModel::startTest(uint8_t code, uint8_t value)
{
    if (code == kTestSelfLearnReset) {
        if (value == 0x00) resetLearnt();
        return;
    }
    test_ = {true, code, value};
}

void EngineModel::step()
{
    timeUs_ += kStepUs;
    t_ += kDt;
    phaseS_ += kDt;
    stepPhase();
    stepDriver();
    stepCoolant();
    stepSpeed();
    stepMixture();
}

bool EngineModel::stalledByTest() const
{
    return (testIs(kTestFuelPump) && test_.value == 0x01) ||
           (testIs(kTestCylinderCut) && (test_.value & 0x0F) == 0x0F);
}

void EngineModel::stepPhase()
{
    const bool stall = stalledByTest();
    if (phase_ != Phase::Stalled && stall) {
        phase_ = Phase::Stalled;
        phaseS_ = 0;
    } else if (phase_ == Phase::Stalled && !stall) {
        // The driver turns the key again; every stored fault is one start older.
        phase_ = Phase::Cranking;
        phaseS_ = 0;
        for (FaultCode& f : faults_) f.starts = uint8_t(std::min(255, f.starts + 1));
    } else if (phase_ == Phase::Cranking && phaseS_ >= kCrankS) {
        phase_ = Phase::Running;
        phaseS_ = 0;
    }
}

void EngineModel::stepDriver()
{
    const bool running = phase_ == Phase::Running;
    if (!running) {
        throttleCmd_ = 0;
    } else if (t_ >= nextBlipS_) {
        throttleCmd_ = rng_.uniform(0.1, 0.5);
        blipEndS_ = t_ + rng_.uniform(0.4, 1.5);
        nextBlipS_ = blipEndS_ + rng_.uniform(5, 14);
    } else if (t_ >= blipEndS_) {
        throttleCmd_ = 0;
    }
    Follow(throttle_, throttleCmd_, 0.05);

    if (running && t_ >= steeringEdgeS_) {
        steering_ = !steering_;
        steeringEdgeS_ = t_ + (steering_ ? rng_.uniform(2, 5) : rng_.uniform(20, 60));
    } else if (!running) {
        steering_ = false;
    }
}

void EngineModel::stepCoolant()
{
    const double ect = controlCoolant();
    if (ect >= 93) fanOn_ = true;
    if (ect <= 89) fanOn_ = false;
    if (phase_ != Phase::Running) {
        Follow(coolant_, ambient_, 1500);
    } else if (fanRunning() && coolant_ > 80) {
        Follow(coolant_, 82, 150);
    } else {
        // Below 88 °C the thermostat is shut and the engine warms quickly.
        Follow(coolant_, 95, coolant_ < 88 ? 100 : 300);
    }
}

void EngineModel::stepSpeed()
{
    double target = 0;
    double tau = 0.25;
    if (phase_ == Phase::Cranking) {
        target = 250;
        tau = 0.15;
    } else if (phase_ == Phase::Running) {
        const double ect = controlCoolant();
        target = kBaseIdleRpm + std::max(0.0, 70 - ect) * 5 + (steering_ ? 40 : 0);
        if (testIs(kTestIdleValve)) target += (test_.value * 0.5 - normalIdleValve()) * 12;
        if (testIs(kTestCylinderCut)) target -= 110 * std::popcount(unsigned(test_.value & 0x0F));
        if (testIs(kTestIgnition)) target += int8_t(test_.value) * 8;
        target -= std::abs(injectionFactor() - 1) * 300;
        target = std::max(target, 300.0) + throttle_ * 6500;
        tau = target > rpm_ ? 0.12 : 0.35;
        rpmNoise_ = 0.95 * rpmNoise_ + rng_.uniform(-6, 6);
    }
    Follow(rpm_, target, tau);
    if (phase_ != Phase::Running) rpmNoise_ *= 0.9;

    const double loadTarget = phase_ == Phase::Stalled ? 1.0
                              : phase_ == Phase::Cranking ? 0.6
                                                          : 0.15 + 0.85 * throttle_;
    Follow(load_, loadTarget, phase_ == Phase::Stalled ? 0.5 : 0.08);

    double volts = 12.4;
    if (phase_ == Phase::Cranking) volts = 10.3;
    if (phase_ == Phase::Running) volts = 14.15 - (fanRunning() ? 0.2 : 0) - (rpm_ < 900 ? 0.1 : 0);
    Follow(battery_, volts, phase_ == Phase::Cranking ? 0.05 : 0.3);
    battery_ += rng_.uniform(-0.01, 0.01);
}

void EngineModel::stepMixture()
{
    // The oxygen sensor sees the mixture a quarter second late; that delay is what
    // makes the closed loop swing between rich and lean about once a second.
    const double mix = alpha_ / 100 * learnt_ / 100 * (1 + bias_) * injectionFactor() - 1;
    const double seen = exhaust_[exhaustPos_];
    exhaust_[exhaustPos_] = mix;
    exhaustPos_ = (exhaustPos_ + 1) % kExhaustDelaySteps;

    const bool sensorWarm = t_ > 20;
    const bool closedLoop = phase_ == Phase::Running && phaseS_ > 15 && sensorWarm &&
                            controlCoolant() > 40 && !testIs(kTestInjection);
    if (closedLoop) {
        const bool rich = seen > 0;
        if (rich != rich_) alpha_ += rich ? -1.5 : 1.5;
        rich_ = rich;
        alpha_ = std::clamp(alpha_ + (rich ? -5 : 5) * kDt, 75.0, 125.0);
        learnt_ = std::clamp(learnt_ + (alpha_ - 100) * kDt / 60, 70.0, 130.0);
    } else {
        Follow(alpha_, 100, 0.5);
    }

    if (phase_ == Phase::Stalled)
        Follow(o2_, 0.02, 3);
    else if (!sensorWarm)
        Follow(o2_, 0.45, 1);
    else
        Follow(o2_, seen > 0 ? 0.8 + rng_.uniform(-0.05, 0.05) : 0.1 + rng_.uniform(-0.03, 0.03), 0.05);
}

double EngineModel::controlCoolant() const
{
    return testIs(kTestCoolant) ? test_.value - 50.0 : coolant_;
}

double EngineModel::normalIdleValve() const
{
    if (phase_ == Phase::Cranking) return 45;
    return 28 + std::max(0.0, 70 - controlCoolant()) * 0.25 + (steering_ ? 4 : 0);
}

double EngineModel::injectionFactor() const
{
    return testIs(kTestInjection) ? test_.value / 100.0 : 1.0;
}

bool EngineModel::fanRunning() const
{
    return testIs(kTestFanHi) ? test_.value == 0x00 : fanOn_;
}

EngineReadings EngineModel::readings() const
{
    const bool running = phase_ == Phase::Running;
    const double ect = controlCoolant();
    EngineReadings r;
    r.rpm = std::max(0.0, rpm_ + rpmNoise_);
    const double air = r.rpm / 6000 * load_;
    r.mafV = std::min(5.0, 0.95 + 3.4 * std::sqrt(air));
    r.throttleV = 0.45 + 3.9 * throttle_;
    r.batteryV = battery_;
    r.coolantC = ect;

    const double enrich = 1 + std::max(0.0, 60 - ect) * 0.01 + (running && phaseS_ < 5 ? 0.3 * (1 - phaseS_ / 5) : 0);
    if (running)
        r.injectionMs = (0.8 + 8.5 * load_) * enrich * alpha_ / 100 * learnt_ / 100 * injectionFactor();
    else if (phase_ == Phase::Cranking)
        r.injectionMs = 6.0 * enrich;

    const double shift = testIs(kTestIgnition) ? int8_t(test_.value) : 0;
    r.ignitionDeg = (running ? 10 + std::clamp((r.rpm - 800) / 120, 0.0, 25.0) - 8 * load_ + (ect < 40 ? 3 : 0)
                             : phase_ == Phase::Cranking ? 5 : 10) + shift;
    r.vehicleKmh = 0;  // parked, in neutral
    r.o2V = o2_;
    r.idleValvePct = testIs(kTestIdleValve) ? test_.value * 0.5 : normalIdleValve();
    r.airFuel = alpha_;
    r.airFuelLearnt = learnt_;

    r.steering = steering_;
    r.neutral = true;
    r.start = phase_ == Phase::Cranking;
    r.fuelPump = testIs(kTestFuelPump) ? test_.value == 0x00 : phase_ != Phase::Stalled;
    r.vtc = testIs(kTestVtc) ? test_.value == 0x00 : running && r.rpm > 3000 && load_ > 0.35;
    r.fan = fanRunning();
    // The solenoid is energised only for hot restarts, which this engine never needs.
    r.pressureReg = testIs(kTestPressureReg) && test_.value == 0x00;
    r.wg = running && load_ > 0.5 && r.rpm > 2500;
    r.egr = running && ect > 60 && r.rpm > 1100 && r.rpm < 3500 && load_ > 0.2 && load_ < 0.7;
    return r;
}

}  // namespace dp::sim
