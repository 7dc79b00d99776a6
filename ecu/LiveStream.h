#pragma once
// Live data as the unit's continuous stream: one request of all eighteen registers,
// after which the unit sends frames of all of them until it is told to stop. Each
// tick decodes the newest frame, so a sample's values all come from one moment.

#include <array>
#include <cstdint>

#include "ecu/EcuLink.h"
#include "ecu/EngineSample.h"
#include "ecu/StreamFrames.h"

namespace dp {

// The registers of both live-data requests in their order, then 0xF0.
inline constexpr std::array<uint8_t, 37> kStreamRequest = {
    0x5A, 0x00, 0x5A, 0x01, 0x5A, 0x04, 0x5A, 0x05, 0x5A, 0x14, 0x5A, 0x15, 0x5A, 0x08,
    0x5A, 0x0D, 0x5A, 0x0C, 0x5A, 0x0B, 0x5A, 0x16, 0x5A, 0x17, 0x5A, 0x1C, 0x5A, 0x09,
    0x5A, 0x1A, 0x5A, 0x13, 0x5A, 0x1E, 0x5A, 0x1F, 0xF0};
inline constexpr int kStreamPayload = 18;

// The first nine payload bytes decode as the first request's reply, the rest as the second's.
void DecodeStreamFrame(const uint8_t* payload, TEngineSample& sample);

// How a start ended. Silent: nothing at all came back, as from a unit that is not
// there (it may come back); Refused: the unit answered but did not stream.
enum class StreamStart { Running, Refused, Silent };

class LiveStream {
public:
    explicit LiveStream(EcuLink& link) : link_(link) {}

    // Drains the input, writes the request and waits for the first frame that the next
    // one confirms, at most a few frame times at the line's speed. Refused when the
    // unit marks a register invalid or no frame comes in time; a stream that did not
    // start is stopped again before this returns.
    StreamStart Start(int bitsPerSecond);
    // Takes what has arrived, without waiting; true when a new frame was decoded into
    // the sample. Without one the sample keeps its values.
    bool Poll(TEngineSample& sample);
    // Sends the stop byte and reads out the frame under way up to the end mark, within a
    // few frame times at the line's speed; then drains. Does nothing when not running.
    void Stop();

    bool running() const { return running_; }
    const StreamFrameFinder& frames() const { return frames_; }

    // One frame's bytes: 0xFF, the length, the eighteen registers.
    static constexpr int kFrameBytes = kStreamPayload + 2;
    // Frames the start may wait for beyond the request, and the allowance for an
    // adapter's latency on top.
    static constexpr int kStartFrames = 4;
    static constexpr int kLatencyAllowanceMs = 50;
    // Reading at most this much per call keeps a flooding line from holding the window.
    static constexpr int kMaxBytesPerPoll = 8192;

private:
    enum class Echo { Pending, Accepted, Refused };
    // Reads up to `limit` waiting bytes into the finder; returns how many there were.
    int ReadWaiting(int limit, Echo* echo = nullptr);

    EcuLink& link_;
    StreamFrameFinder frames_{kStreamPayload};
    bool running_ = false;
    int bitRate_ = 9600;
};

}  // namespace dp
