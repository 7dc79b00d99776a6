// Whatever a unit sends back: the handshake, the frame reader, the live-data reading
// and the fault-code report end within their attempt bounds, collect only what the line really carried, and
// decode only values the protocol can give (every flag 0 or 100).

#include <algorithm>
#include <array>
#include <cmath>

#include "PropertyCheck.h"
#include "ecu/EcuLink.h"
#include "ecu/FaultCodes.h"
#include "ecu/LiveData.h"
#include "support/ChunkedReplyPort.h"

namespace dp::fuzz {

namespace {

using test::Bytes;
using test::ChunkedReplyPort;

// What one operation cost on the port.
struct Cost {
    int reads;
    int64_t waitedUs;
    std::size_t writes;
    Bytes consumed;  // the bytes it read
};

template <class Op>
Cost Measure(ChunkedReplyPort& port, Op&& op)
{
    const int reads = port.readCalls;
    const int64_t now = port.nowUs;
    const std::size_t writes = port.writes.size();
    const std::size_t consumed = port.consumed.size();
    op();
    return {port.readCalls - reads, port.nowUs - now, port.writes.size() - writes,
            Bytes(port.consumed.begin() + std::ptrdiff_t(consumed), port.consumed.end())};
}

constexpr int kReadsPerAttempt = 2;  // a read, and a second one after a wait that saw input
constexpr int64_t kUsPerAttempt = 1000;

void CheckHandshake(ChunkedReplyPort& port, EcuLink& link)
{
    bool answered = false;
    const Cost c = Measure(port, [&] { answered = link.EcuInit(); });
    DP_PROPERTY(c.writes >= 1 && c.writes <= 2);
    // It drains first; nothing is waiting yet, so every byte it reads answers its requests.
    DP_PROPERTY(c.reads <= 2 * EcuLink::kHandshakeAttempts * kReadsPerAttempt + 1);
    DP_PROPERTY(c.waitedUs <= 2 * EcuLink::kHandshakeAttempts * kUsPerAttempt);
    const auto tens = std::count(c.consumed.begin(), c.consumed.end(), uint8_t(0x10));
    // True exactly when a 0x10 came, and reading stops at it.
    DP_PROPERTY(answered == (tens > 0));
    if (answered) DP_PROPERTY(tens == 1 && c.consumed.back() == 0x10);
}

void CheckFrame(ChunkedReplyPort& port, EcuLink& link, int minLength, int maxLength)
{
    bool complete = false;
    const Cost c = Measure(port, [&] { complete = link.ReadReplyFrame(minLength, maxLength); });
    DP_PROPERTY(c.writes == 0);
    DP_PROPERTY(c.reads <= EcuLink::kFrameAttempts * kReadsPerAttempt);
    DP_PROPERTY(c.waitedUs <= EcuLink::kFrameAttempts * kUsPerAttempt);
    if (!complete) {
        // Gave up only after every attempt, or right at the length byte of the last
        // frame it may refuse, each refused one having begun with its 0xFF.
        if (c.reads < EcuLink::kFrameAttempts) {
            const std::size_t n = c.consumed.size();
            DP_PROPERTY(n >= 2 && c.consumed[n - 2] == 0xFF);
            DP_PROPERTY(c.consumed[n - 1] < minLength || c.consumed[n - 1] > maxLength);
            DP_PROPERTY(std::count(c.consumed.begin(), c.consumed.end(), uint8_t(0xFF)) >= EcuLink::kMaxRefusedFrames);
        }
        return;
    }
    // The frame is the last bytes read, as they came: 0xFF, an accepted L, L bytes.
    const int length = link.FrameLength();
    const auto frameSize = std::size_t(length) + 2;
    DP_PROPERTY(link.FrameBuffer[0] == 0xFF);
    DP_PROPERTY(length >= minLength && length <= maxLength);
    DP_PROPERTY(c.consumed.size() >= frameSize);
    DP_PROPERTY(std::equal(c.consumed.end() - std::ptrdiff_t(frameSize), c.consumed.end(), link.FrameBuffer.begin()));
}

bool InRange(float v, double lo, double hi) { return v >= lo && v <= hi; }

void CheckReading(ChunkedReplyPort& port, EcuLink& link, TEngineSample& sample, float clock)
{
    const TEngineSample before = sample;
    bool answered = false;
    const Cost c = Measure(port, [&] { answered = AcquireSample(link, sample, clock); });

    const Bytes first(kFirstRequest.begin(), kFirstRequest.end());
    const Bytes second(kSecondRequest.begin(), kSecondRequest.end());
    const std::size_t w = port.writes.size();
    DP_PROPERTY(c.writes == 4);
    DP_PROPERTY(port.writes[w - 4] == first && port.writes[w - 3] == Bytes{0x30});
    DP_PROPERTY(port.writes[w - 2] == second && port.writes[w - 1] == Bytes{0x30});
    // Two exchanges: the drains read what is waiting (never more than the unit sent),
    // the rest is bounded by attempts and rounds.
    const auto drains = int64_t(4 * (port.scriptBytesSent + 1));
    DP_PROPERTY(c.reads <= 2 * (EcuLink::kFrameAttempts * kReadsPerAttempt + EcuLink::kFrameAttempts) + drains);
    DP_PROPERTY(c.waitedUs <= 2 * (EcuLink::kAwaitRounds + 2 * EcuLink::kFrameAttempts) * kUsPerAttempt);

    DP_PROPERTY(sample.Time == clock);
    const std::array<uint8_t, 8> flags = {sample.SteeringFlag, sample.NeutralFlag, sample.StartFlag,
                                          sample.FuelPumpFlag, sample.VtcFlag,     sample.WgFlag,
                                          sample.FanFlag,      sample.EgrFlag};
    for (uint8_t f : flags) DP_PROPERTY(f == 0 || f == 100);
    DP_PROPERTY(InRange(sample.EngineSpeed, 0, 65535 * 12.5) && InRange(sample.MafSensor, 0, 327.675));
    DP_PROPERTY(InRange(sample.InjectionTime, 0, 655.35) && InRange(sample.CoolantTemp, -50, 205));
    DP_PROPERTY(InRange(sample.ThrottleSensor, 0, 5.1) && InRange(sample.Battery, 0, 20.4));
    DP_PROPERTY(InRange(sample.VehicleSpeed, 0, 510) && InRange(sample.IgnitionAdvance, -145, 110));
    DP_PROPERTY(InRange(sample.IdleValve, 0, 127.5) && InRange(sample.AirFuelLearnt, 0, 255));
    DP_PROPERTY(InRange(sample.AirFuel, 0, 255) && InRange(sample.O2Sensor, 0, 2.55));
    if (!answered) {
        TEngineSample kept = sample;
        kept.Time = before.Time;
        DP_PROPERTY(kept == before);
    }
}

void CheckFaultReport(ChunkedReplyPort& port, EcuLink& link)
{
    QStringList lines;
    const Cost c = Measure(port, [&] { lines = ReadFaultCodes(link); });
    const std::size_t w = port.writes.size();
    DP_PROPERTY(c.writes == 2);
    DP_PROPERTY(port.writes[w - 2] == Bytes(kFaultCodeRequest.begin(), kFaultCodeRequest.end()));
    DP_PROPERTY(port.writes[w - 1] == Bytes{0x30});
    const auto drains = int64_t(2 * (port.scriptBytesSent + 1));
    DP_PROPERTY(c.reads <= EcuLink::kFrameAttempts * kReadsPerAttempt + EcuLink::kFrameAttempts + drains);
    DP_PROPERTY(c.waitedUs <= (EcuLink::kAwaitRounds + 2 * EcuLink::kFrameAttempts) * kUsPerAttempt);
    if (lines.isEmpty()) return;
    // One line per code and count of a frame that really came over the line.
    const int length = link.FrameLength();
    const auto frameEnd = link.FrameBuffer.begin() + length + 2;
    DP_PROPERTY(link.FrameBuffer[0] == 0xFF);
    DP_PROPERTY(std::search(c.consumed.begin(), c.consumed.end(), link.FrameBuffer.begin(), frameEnd) != c.consumed.end());
    DP_PROPERTY(lines.size() == length / 2);
    for (int k = 0; k < int(lines.size()); ++k) {
        const QString want = QStringLiteral("Error: %1 from: %2 engine start")
                                 .arg(link.FrameBuffer[std::size_t(2 + 2 * k)], 2, 16, QLatin1Char('0'))
                                 .arg(link.FrameBuffer[std::size_t(3 + 2 * k)]);
        DP_PROPERTY(lines[k].compare(want, Qt::CaseInsensitive) == 0);
    }
}

}  // namespace

void CheckLinkRepliesInput(const uint8_t* data, std::size_t size)
{
    ChunkedReplyPort port(data, size);
    EcuLink link(port);
    CheckHandshake(port, link);
    TEngineSample sample;
    CheckReading(port, link, sample, 0.5f);
    CheckReading(port, link, sample, 1.0f);
    // Bare frame reads after a request, with the second reply's range and with none.
    link.SendCommand({0xD1, 0xF0});
    CheckFrame(port, link, kSecondReplyMin, kSecondReplyMax);
    link.SendStop();
    link.SendCommand({0xD1, 0xF0});
    CheckFrame(port, link, 0, 255);
    link.SendStop();
    CheckFaultReport(port, link);
}

}  // namespace dp::fuzz
