#include "ecu/LiveStream.h"

#include <algorithm>
#include <cmath>

#include "ecu/LiveData.h"

namespace dp {
namespace {

constexpr uint8_t kInvalidRegister = 0xFE;
constexpr uint8_t kFrameStart = 0xFF;

}  // namespace

void DecodeStreamFrame(const uint8_t* payload, TEngineSample& sample)
{
    DecodeFirstReply(payload, sample);
    DecodeSecondReply(payload + 9, sample);
}

int LiveStream::ReadWaiting(int limit, Echo* echo)
{
    uint8_t chunk[64];
    int total = 0;
    while (total < limit) {
        int n = 0;
        while (n < int(sizeof chunk) && total + n < limit && link_.port().readByte(chunk[n])) ++n;
        if (n == 0) break;
        // Before the first frame the unit echoes the request; 0xFE there marks a
        // register it does not know.
        for (int i = 0; echo && *echo == Echo::Pending && i < n; ++i) {
            if (chunk[i] == kInvalidRegister) *echo = Echo::Refused;
            if (chunk[i] == kFrameStart) *echo = Echo::Accepted;
        }
        frames_.feed(chunk, std::size_t(n));
        total += n;
    }
    return total;
}

StreamStart LiveStream::Start(int bitsPerSecond)
{
    if (running_) return StreamStart::Running;
    bitRate_ = std::max(bitsPerSecond, 1);
    link_.DrainInput();
    frames_.reset();
    link_.SendCommand(kStreamRequest.data(), int(kStreamRequest.size()));
    running_ = true;  // from here on the unit may be streaming, whatever happens next

    // The request, the echo that overlaps it, and a few frames.
    const double byteMs = 10'000.0 / bitRate_;
    const int bytesDue = int(kStreamRequest.size()) + kStartFrames * kFrameBytes;
    const int roundLimit = int(std::ceil(bytesDue * byteMs)) + kLatencyAllowanceMs;
    const int byteLimit = bytesDue + kFrameBytes;
    Echo echo = Echo::Pending;
    int rounds = 0, bytes = 0;
    while (echo != Echo::Refused && !frames_.hasNewFrame() && bytes <= byteLimit && rounds < roundLimit) {
        const int n = ReadWaiting(byteLimit + 1 - bytes, &echo);
        bytes += n;
        if (n == 0) {
            link_.port().waitForInput(1);
            ++rounds;
        }
    }
    if (echo != Echo::Refused && frames_.hasNewFrame()) return StreamStart::Running;
    Stop();
    return bytes == 0 ? StreamStart::Silent : StreamStart::Refused;
}

bool LiveStream::Poll(TEngineSample& sample)
{
    if (!running_) return false;
    ReadWaiting(kMaxBytesPerPoll);
    if (!frames_.hasNewFrame()) return false;
    DecodeStreamFrame(frames_.takeFrame(), sample);
    return true;
}

void LiveStream::Stop()
{
    if (!running_) return;
    running_ = false;  // also when the port fails below: the next start begins afresh
    // Knowing where the frames are up to now tells the end mark from a data byte.
    ReadWaiting(kMaxBytesPerPoll);
    link_.SendCommand({0x30});
    // The frame under way and the mark, a few frame times at most at the line's speed:
    // every wait lasts at most 1 ms and every read takes at least a byte.
    const double byteMs = 10'000.0 / std::max(bitRate_, 1);
    const int budgetMs = EcuLink::kStopQuietMs + int(std::ceil(EcuLink::kStopFrames * kFrameBytes * byteMs));
    const int budgetBytes = (EcuLink::kStopFrames + 1) * kFrameBytes;
    int waitedMs = 0, bytes = 0, quietMs = 0;
    while (!frames_.endMarkSeen() && waitedMs < budgetMs && bytes < budgetBytes) {
        const int n = ReadWaiting(kFrameBytes);
        if (n > 0) {
            bytes += n;
            quietMs = 0;
            continue;
        }
        // A unit that sends no mark, or a stream the finder lost, ends with the line quiet.
        if (quietMs >= EcuLink::kStopQuietMs) break;
        ++waitedMs;
        quietMs = link_.port().waitForInput(1) ? 0 : quietMs + 1;
    }
    link_.DrainInput();
}

}  // namespace dp
