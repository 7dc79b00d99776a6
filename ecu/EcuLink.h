#pragma once
// The link operations every ECU command is built from. All exchanges are synchronous
// on the caller's thread; a silent ECU is never an error here, only a false result.

#include <array>
#include <cstdint>
#include <initializer_list>

#include "ecu/SerialPort.h"

namespace dp {

class EcuLink {
public:
    explicit EcuLink(SerialPort& port) : port_(port) {}

    // Handshake 0xFF 0xFF 0xEF, answered by 0x10; at most two requests, after draining
    // whatever was waiting.
    bool EcuInit();
    // Discards every byte waiting.
    void DrainInput();
    // Waits until more than 30 bytes are waiting, at most 101 rounds of 1 ms.
    void AwaitInput();
    // Collects one reply frame (0xFF, L, L bytes) into FrameBuffer within 1000 read
    // attempts; frames whose length lies outside [minLength, maxLength] are dropped,
    // and the read fails at the kMaxRefusedFrames-th such frame.
    bool ReadReplyFrame(int minLength = 0, int maxLength = 255);
    // Ends the ECU's reply: 0x30, the rest of the stream up to its end mark (within a
    // few frame times), DrainInput.
    void SendStop();
    // The line's speed, which bounds the wait for the end mark; 9600 until told.
    void SetBitRate(int bitsPerSecond);
    // Builds a request in the shared command buffer and writes it in one piece.
    void SendCommand(std::initializer_list<uint8_t> bytes);
    void SendCommand(const uint8_t* bytes, int count);

    // FrameBuffer[0] is 0xFF, [1] the length L, [2 .. L + 1] the payload.
    std::array<uint8_t, 257> FrameBuffer{};
    // Payload byte k, counted from 1: byte 1 is the one after the length byte.
    uint8_t Payload(int k) const { return FrameBuffer[std::size_t(k) + 1]; }
    int FrameLength() const { return FrameBuffer[1]; }

    SerialPort& port() { return port_; }

    static constexpr int kHandshakeAttempts = 5000;
    static constexpr int kFrameAttempts = 1000;
    // A unit that answers with frames of a length the read does not accept keeps
    // streaming them; after this many the read gives up instead of spending every
    // attempt, which at 9600 bit/s held the window about a second per reply.
    static constexpr int kMaxRefusedFrames = 8;
    static constexpr int kAwaitRounds = 101;
    static constexpr int kAwaitThreshold = 30;
    // A read attempt that finds nothing waits up to 1 ms for input, so that answers
    // travelling through an adapter's latency are not missed by attempts that would
    // otherwise all pass in microseconds. After this much unbroken silence the
    // remaining attempts no longer wait, so a dead line never stalls the program.
    static constexpr int kSilenceLimitMs = 200;
    // After the stop byte the unit finishes the frame under way, sends 0xCF and falls
    // silent; a line quiet this long also ends the wait (a unit that sends no mark).
    static constexpr int kStopQuietMs = 30;
    // A unit that keeps sending without an end mark is read for this many frame times
    // (frames as long as the longest seen, at least a live-data frame), plus the quiet limit.
    static constexpr int kStopFrames = 3;
    static constexpr int kMinStopFrameBytes = 11;

private:
    void FinishStream();
    int StopBudgetMs(int frameBytes) const;
    // One read attempt; silentMs counts the unbroken silence of the running operation.
    bool ReadAttempt(uint8_t& byte, int& silentMs);

    SerialPort& port_;
    // Room for the longest request: all eighteen live-data registers at once.
    std::array<uint8_t, 37> CommandBuffer{};
    int bitRate_ = 9600;
    int lastFrameBytes_ = 0;  // the last reply frame's length byte plus two
};

}  // namespace dp
