#include "ecu/EcuLink.h"

#include <algorithm>

namespace dp {

bool EcuLink::ReadAttempt(uint8_t& byte, int& silentMs)
{
    if (port_.readByte(byte)) {
        silentMs = 0;
        return true;
    }
    if (silentMs >= kSilenceLimitMs) return false;
    if (!port_.waitForInput(1)) {
        ++silentMs;
        return false;
    }
    silentMs = 0;
    return port_.readByte(byte);
}

bool EcuLink::EcuInit()
{
    // A 0x10 left from before (an earlier unit, a reply cut short) would pass for the
    // answer and make a failed handshake look successful.
    DrainInput();
    for (int request = 0; request < 2; ++request) {
        SendCommand({0xFF, 0xFF, 0xEF});
        int silentMs = 0;
        for (int attempt = 0; attempt < kHandshakeAttempts; ++attempt) {
            uint8_t b = 0;
            if (ReadAttempt(b, silentMs) && b == 0x10) return true;
        }
    }
    return false;
}

void EcuLink::DrainInput()
{
    uint8_t b = 0;
    while (port_.readByte(b)) {
    }
}

void EcuLink::AwaitInput()
{
    for (int round = 0; round < kAwaitRounds; ++round) {
        port_.waitForInput(1);
        if (port_.inputCount() > kAwaitThreshold) return;
    }
}

bool EcuLink::ReadReplyFrame(int minLength, int maxLength)
{
    bool keeping = false;
    int count = 0;
    int silentMs = 0;
    int refused = 0;
    for (int attempt = 0; attempt < kFrameAttempts; ++attempt) {
        uint8_t b = 0;
        if (!ReadAttempt(b, silentMs)) continue;
        if (b == 0xFF) keeping = true;
        if (!keeping) continue;
        FrameBuffer[std::size_t(count)] = b;
        ++count;
        if (count == 2) {
            if (b < minLength || b > maxLength) {
                if (++refused == kMaxRefusedFrames) return false;
                keeping = false;
                count = 0;
                continue;
            }
            lastFrameBytes_ = b + 2;
        }
        if (count >= 2 && count == FrameBuffer[1] + 2) return true;
    }
    return false;
}

void EcuLink::SendStop()
{
    SendCommand({0x30});
    FinishStream();
    DrainInput();
}

// Until its end mark the unit is still sending the frame under way and ignores new
// requests. Draining at once would leave that frame's tail on the line, where the next
// command would take it for its own reply, so the stream is read out frame by frame
// (a 0xCF inside a frame's data is no end mark). A unit that never sends the mark is
// given a few frame times at the line's speed: every wait below lasts at most 1 ms, so
// counting them bounds the time however fast the bytes keep coming.
void EcuLink::FinishStream()
{
    int toSkip = 0;  // bytes of the current frame still to pass over; -1: its length is next
    int quietMs = 0;
    int waitedMs = 0;
    int frameBytes = std::max(kMinStopFrameBytes, lastFrameBytes_);
    for (int attempt = 0; attempt < kFrameAttempts && waitedMs < StopBudgetMs(frameBytes); ++attempt) {
        uint8_t b = 0;
        if (!port_.readByte(b)) {
            if (quietMs >= kStopQuietMs) return;
            ++waitedMs;
            quietMs = port_.waitForInput(1) ? 0 : quietMs + 1;
            continue;
        }
        quietMs = 0;
        if (toSkip == -1) {
            toSkip = b;
            frameBytes = std::max(frameBytes, b + 2);
        } else if (toSkip > 0) {
            --toSkip;
        } else if (b == 0xCF) {
            return;
        } else if (b == 0xFF) {
            toSkip = -1;
        }
    }
}

int EcuLink::StopBudgetMs(int frameBytes) const
{
    // Ten bit times a byte; the quiet limit covers an adapter's delivery latency.
    return kStopQuietMs + (kStopFrames * frameBytes * 10'000 + bitRate_ - 1) / bitRate_;
}

void EcuLink::SetBitRate(int bitsPerSecond)
{
    if (bitsPerSecond > 0) bitRate_ = bitsPerSecond;
}

void EcuLink::SendCommand(std::initializer_list<uint8_t> bytes)
{
    SendCommand(bytes.begin(), int(bytes.size()));
}

void EcuLink::SendCommand(const uint8_t* bytes, int count)
{
    count = std::min<int>(count, int(CommandBuffer.size()));
    std::copy_n(bytes, count, CommandBuffer.begin());
    port_.write(CommandBuffer.data(), count);
}

}  // namespace dp
