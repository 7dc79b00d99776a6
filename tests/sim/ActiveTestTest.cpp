// Active tests and resets sent over the wire act on the engine behind the registers.
// Each case runs two units of the same seed, one given the command, and compares them.

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "support/WireScript.h"
#include "sim/VirtualEcu.h"

namespace dp::sim::test {
namespace {

using Bytes = std::vector<uint8_t>;
constexpr int64_t kS = 1'000'000;
constexpr int64_t kTestAt = 30 * kS;  // engine running, still cold
constexpr int64_t kReadAt = 34 * kS;

// Reads registers once at t (request, then stop) and returns the first frame's payload.
Bytes ReadRegisters(VirtualEcu& ecu, int64_t t, const Bytes& regs)
{
    Bytes req;
    for (uint8_t r : regs) {
        req.push_back(0x5A);
        req.push_back(r);
    }
    req.push_back(0xF0);
    const auto got = RunScript(ecu, {{t, req}, {t + int64_t(req.size()) * ecu.byteTimeUs(), {0x30}}},
                               t + 200 * ecu.byteTimeUs());
    const std::size_t start = regs.size() * 2;  // after the echo
    if (got.size() < start + 2 + regs.size() || got[start].byte != 0xFF) return {};
    Bytes payload;
    for (std::size_t i = 0; i < regs.size(); ++i) payload.push_back(got[start + 2 + i].byte);
    return payload;
}

int Rpm(const Bytes& p) { return (p.at(0) * 256 + p.at(1)) * 25 / 2; }

struct ActiveCase {
    const char* name;
    std::vector<TimedWrite> commands;
    Bytes regs;
    // Readings of the unit that got the commands, and of its twin that did not.
    std::function<void(const Bytes& with, const Bytes& without)> check;
};

const ActiveCase kActive[] = {
    {"coolant override", {{kTestAt, {0x0A, 0x80, 0x32, 0xF0}}}, {0x08},
     [](const Bytes& w, const Bytes& wo) {
         EXPECT_EQ(w[0], 0x32);  // 0 °C
         EXPECT_NE(wo[0], 0x32);
     }},
    {"coolant override ended by lone F0", {{kTestAt, {0x0A, 0x80, 0x32, 0xF0}}, {kTestAt + kS, {0xF0}}}, {0x08},
     [](const Bytes& w, const Bytes& wo) { EXPECT_EQ(w[0], wo[0]); }},
    {"coolant override ended by stop", {{kTestAt, {0x0A, 0x80, 0x32, 0xF0}}, {kTestAt + kS, {0x30}}}, {0x08},
     [](const Bytes& w, const Bytes& wo) { EXPECT_EQ(w[0], wo[0]); }},
    {"fuel pump off stalls the engine", {{kTestAt, {0x0A, 0x89, 0x01, 0xF0}}}, {0x00, 0x01, 0x1E},
     [](const Bytes& w, const Bytes& wo) {
         EXPECT_EQ(Rpm(w), 0);
         EXPECT_EQ(w[2] & 0x40, 0);
         EXPECT_GT(Rpm(wo), 500);
         EXPECT_NE(wo[2] & 0x40, 0);
     }},
    {"engine restarts after the pump test", {{kTestAt, {0x0A, 0x89, 0x01, 0xF0}}, {kTestAt + kS, {0xF0}}},
     {0x00, 0x01}, [](const Bytes& w, const Bytes&) { EXPECT_GT(Rpm(w), 500); }},
    {"cut cylinder drops the speed", {{kTestAt, {0x0A, 0x88, 0x01, 0xF0}}}, {0x00, 0x01},
     [](const Bytes& w, const Bytes& wo) { EXPECT_LT(Rpm(w), Rpm(wo) - 50); }},
    {"Fan Hi turns the fan on", {{kTestAt, {0x0A, 0x94, 0x00, 0xF0}}}, {0x1E},
     [](const Bytes& w, const Bytes& wo) {
         EXPECT_NE(w[0] & 0x02, 0);
         EXPECT_EQ(wo[0] & 0x02, 0);
     }},
    {"Fan Hi off keeps the fan off", {{kTestAt, {0x0A, 0x94, 0x01, 0xF0}}}, {0x1E},
     [](const Bytes& w, const Bytes&) { EXPECT_EQ(w[0] & 0x02, 0); }},
    {"VTC on sets its flag", {{kTestAt, {0x0A, 0x8F, 0x00, 0xF0}}}, {0x1E},
     [](const Bytes& w, const Bytes& wo) {
         EXPECT_NE(w[0] & 0x20, 0);
         EXPECT_EQ(wo[0] & 0x20, 0);
     }},
    {"VTC off clears its flag", {{kTestAt, {0x0A, 0x8F, 0x01, 0xF0}}}, {0x1E},
     [](const Bytes& w, const Bytes&) { EXPECT_EQ(w[0] & 0x20, 0); }},
    {"pressure regulator on sets its flag", {{kTestAt, {0x0A, 0x8A, 0x00, 0xF0}}}, {0x1F},
     [](const Bytes& w, const Bytes& wo) {
         EXPECT_NE(w[0] & 0x40, 0);
         EXPECT_EQ(wo[0] & 0x40, 0);
     }},
    {"pressure regulator ended by lone F0", {{kTestAt, {0x0A, 0x8A, 0x00, 0xF0}}, {kTestAt + kS, {0xF0}}}, {0x1F},
     [](const Bytes& w, const Bytes&) { EXPECT_EQ(w[0] & 0x40, 0); }},
    {"fuel pump on keeps the engine running", {{kTestAt, {0x0A, 0x89, 0x00, 0xF0}}}, {0x00, 0x01, 0x1E},
     [](const Bytes& w, const Bytes&) {
         EXPECT_GT(Rpm(w), 500);
         EXPECT_NE(w[2] & 0x40, 0);
     }},
    {"idle valve position", {{kTestAt, {0x0A, 0x84, 0xC8, 0xF0}}}, {0x17},
     [](const Bytes& w, const Bytes&) { EXPECT_EQ(w[0], 0xC8); }},
    {"injection time +50%", {{kTestAt, {0x0A, 0x81, 0x96, 0xF0}}}, {0x14, 0x15},
     [](const Bytes& w, const Bytes& wo) { EXPECT_GT(w[0] * 256 + w[1], (wo[0] * 256 + wo[1]) * 13 / 10); }},
    {"ignition advanced 10 degrees", {{kTestAt, {0x0A, 0x82, 0x0A, 0xF0}}}, {0x16},
     [](const Bytes& w, const Bytes& wo) { EXPECT_NEAR(int(wo[0]) - int(w[0]), 10, 3); }},
    {"ignition retarded 10 degrees", {{kTestAt, {0x0A, 0x82, 0xF6, 0xF0}}}, {0x16},
     [](const Bytes& w, const Bytes& wo) { EXPECT_NEAR(int(w[0]) - int(wo[0]), 10, 3); }},
    {"self-learning reset", {{kTestAt, {0x0A, 0x8B, 0x00, 0xF0}}}, {0x1C},
     [](const Bytes& w, const Bytes& wo) {
         EXPECT_EQ(w[0], 100);
         EXPECT_NE(wo[0], 100);
     }},
    {"self-learning reset needs value 0", {{kTestAt, {0x0A, 0x8B, 0x01, 0xF0}}}, {0x1C},
     [](const Bytes& w, const Bytes& wo) { EXPECT_EQ(w[0], wo[0]); }},
};

void PrintTo(const ActiveCase& c, std::ostream* os) { *os << c.name; }

class ActiveTest : public ::testing::TestWithParam<ActiveCase> {};

TEST_P(ActiveTest, ActsOnEngine)
{
    const ActiveCase& c = GetParam();
    VirtualEcu with;
    VirtualEcu without;
    RunScript(with, c.commands, kReadAt);
    const Bytes w = ReadRegisters(with, kReadAt, c.regs);
    const Bytes wo = ReadRegisters(without, kReadAt, c.regs);
    ASSERT_EQ(w.size(), c.regs.size());
    ASSERT_EQ(wo.size(), c.regs.size());
    c.check(w, wo);
}

INSTANTIATE_TEST_SUITE_P(Cases, ActiveTest, ::testing::ValuesIn(kActive), [](const auto& info) {
    std::string n = info.param.name;
    for (char& ch : n)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    return n;
});

// Which test the unit runs after each sequence of writes, as its engine reports it.
struct StateCase {
    const char* name;
    std::vector<TimedWrite> writes;
    std::optional<ActiveTestState> expect;
};

const StateCase kStates[] = {
    {"command starts the test", {{kTestAt, {0x0A, 0x80, 0x32, 0xF0}}}, ActiveTestState{0x80, 0x32}},
    {"nothing runs before the closing F0", {{kTestAt, {0x0A, 0x80, 0x32}}}, std::nullopt},
    {"a later start replaces the test", {{kTestAt, {0x0A, 0x80, 0x32, 0xF0}}, {kTestAt + kS, {0x0A, 0x84, 0x4A, 0xF0}}},
     ActiveTestState{0x84, 0x4A}},
    {"lone F0 ends it", {{kTestAt, {0x0A, 0x88, 0x05, 0xF0}}, {kTestAt + kS, {0xF0}}}, std::nullopt},
    {"stop byte ends it", {{kTestAt, {0x0A, 0x88, 0x05, 0xF0}}, {kTestAt + kS, {0x30}}}, std::nullopt},
    {"stop after a register stream ends it",
     {{kTestAt, {0x0A, 0x94, 0x00, 0xF0}}, {kTestAt + kS, {0x5A, 0x00, 0xF0}}, {kTestAt + 2 * kS, {0x30}}},
     std::nullopt},
    {"a register read alone leaves it running",
     {{kTestAt, {0x0A, 0x94, 0x00, 0xF0}}, {kTestAt + kS, {0x5A, 0x00, 0xF0}}}, ActiveTestState{0x94, 0x00}},
};

void PrintTo(const StateCase& c, std::ostream* os) { *os << c.name; }

class UnitTestState : public ::testing::TestWithParam<StateCase> {};

TEST_P(UnitTestState, AfterTheWrites)
{
    VirtualEcu ecu;
    RunScript(ecu, GetParam().writes, kReadAt);
    EXPECT_EQ(ecu.engine().activeTest(), GetParam().expect);
}

INSTANTIATE_TEST_SUITE_P(Cases, UnitTestState, ::testing::ValuesIn(kStates), [](const auto& info) {
    std::string n = info.param.name;
    for (char& ch : n)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    return n;
});

}  // namespace
}  // namespace dp::sim::test
