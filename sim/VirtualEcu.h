#pragma once
// The unit's side of the diagnostic link, byte by byte on a timed wire. The program's
// bytes go in with the time they are written; the unit's answers come out with the time
// each reaches the PC. Nothing runs by itself: work is done up to the time asked for,
// so a stream that nobody collects costs nothing.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "sim/EngineModel.h"

namespace dp::sim {

// Misbehaviours of a unit, for testing the program against them.
struct EcuOptions {
    uint64_t seed = 1;
    bool silent = false;        // hears nothing, answers nothing
    int64_t slowUs = 0;         // delay before every answer and before a stream starts
    bool garbage = false;       // stray bytes (never 0xFF) between frames
    int wrongLength = 0;        // register frames carry this many bytes more (or fewer)
    bool ffInData = false;      // the first data byte of every frame is 0xFF
    int vanishAfterFrames = -1; // after this many frames the unit is gone for good; <0 never
    std::vector<FaultCode> faults = TypicalFaultCodes();  // stored, in the order reported
    int registerLimit = 255;    // registers one request may name; the unit refuses more with 0xFE
};

class VirtualEcu {
public:
    explicit VirtualEcu(EcuOptions options = {}, int64_t startUs = 0);

    // Switches the misbehaviours from now on (the seed stays). A vanished unit comes
    // back as after a power cycle, with nothing under way; vanishAfterFrames counts
    // from here.
    void setOptions(EcuOptions options);

    // Bytes in flight keep their times; later bytes use the new speed.
    void setBitRate(int bitsPerSecond);
    int bitRate() const { return bitRate_; }
    // One byte is 10 bit times (8N1).
    int64_t byteTimeUs() const { return byteUs_; }

    // The program's bytes start out on the wire at nowUs, after any still being sent,
    // and each reaches the unit one byte time after the one before.
    void receive(const uint8_t* data, std::size_t count, int64_t nowUs);
    // Appends to out the bytes that have reached the PC by nowUs.
    void collect(int64_t nowUs, std::vector<uint8_t>& out);
    // When the next byte not yet collected reaches the PC if the program sends nothing
    // more; nothing when the unit will stay silent.
    std::optional<int64_t> nextArrivalUs();
    // When the program's last byte reaches the unit.
    int64_t inputIdleUs() const { return inputFreeUs_; }

    EngineModel& engine() { return engine_; }
    const EngineModel& engine() const { return engine_; }
    bool streaming() const { return stream_.has_value(); }
    int framesSent() const { return framesSent_; }

private:
    struct Timed {
        uint8_t byte;
        int64_t us;
    };
    struct Stream {
        bool faults = false;           // fault codes, else the registers below
        std::vector<uint8_t> registers;
        int64_t nextFrameUs = 0;
        bool first = true;
    };

    // Handles every event due by t: bytes reaching the unit, then frames starting.
    void runUntil(int64_t t);
    void onByte(uint8_t b, int64_t t);
    void onCommandByte(uint8_t b, int64_t t);
    void execute(int64_t t);
    void sendFrame();
    void vanishIfDue();
    // An answer to a byte heard at t, after the unit's reaction delay.
    void reply(uint8_t b, int64_t t);
    // Queues one byte on the unit's transmitter, no earlier than t.
    void send(uint8_t b, int64_t t);
    void clearRequest();

    EcuOptions options_;
    EngineModel engine_;
    Rng garbageRng_;
    int bitRate_ = 9600;
    int64_t byteUs_ = 0;

    std::deque<Timed> toUnit_;
    std::deque<Timed> toPc_;
    int64_t inputFreeUs_;
    int64_t outputFreeUs_;

    // The request being built up before its 0xF0.
    uint8_t command_ = 0;  // the command whose data bytes are still due
    int dataDue_ = 0;
    int handshake_ = 0;    // 0xFF bytes seen in a row
    std::vector<uint8_t> registers_;
    std::vector<uint8_t> testBytes_;
    bool wantFaults_ = false;
    bool wantClear_ = false;
    bool wantTest_ = false;

    std::optional<Stream> stream_;
    int framesSent_ = 0;
    int framesBeforeOptions_ = 0;  // frames sent before the options last changed
    bool vanished_ = false;
};

}  // namespace dp::sim
