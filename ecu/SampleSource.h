#pragma once
// Where the refresh tick's samples come from on one connection: the two exchanges per
// sample, or the unit's continuous stream when the user wants it and the unit takes it.
// A unit that refuses the stream is read by exchanges until the next connection; a
// unit that falls silent is asked for the stream again now and then, since one that
// lost power comes back idle.

#include <optional>

#include "ecu/EcuLink.h"
#include "ecu/EngineSample.h"
#include "ecu/LiveStream.h"

namespace dp {

class SampleSource {
public:
    explicit SampleSource(EcuLink& link) : link_(link), stream_(link) {}

    // A new connection at this line speed. The stream must not be running.
    void Connect(bool streamWanted, int bitsPerSecond);
    // Starts the stream when it is wanted, not refused, not running yet, and not
    // waiting to ask a silent unit again.
    void Resume();
    // One tick: Time first, then the values of the newest stream frame (kept when none
    // came), or of the two exchanges. Returns whether the unit answered this tick.
    bool Acquire(TEngineSample& sample, float connectionClock);
    // Stops a running stream before anything else uses the port, or reading ends.
    void Pause() { stream_.Stop(); }

    bool streamWanted() const { return wanted_; }
    bool streaming() const { return stream_.running(); }
    // The unit refused the stream on this connection; reading uses the exchanges.
    bool refused() const { return refused_; }
    const LiveStream& stream() const { return stream_; }

    // A stream this long without a frame is asked for again, and a start nothing
    // answered is tried again after as long: as long as the unit may be silent before
    // the window says so, and never less than a few frame times at the line's speed.
    static constexpr float kQuietSeconds = 3.0f;
    static constexpr int kQuietFrames = 5;

private:
    float QuietLimitSeconds() const;

    EcuLink& link_;
    LiveStream stream_;
    bool wanted_ = false;
    bool refused_ = false;
    int bitRate_ = 9600;
    float now_ = 0;                 // the connection clock of the latest tick
    float lastFrameAt_ = 0;         // when the stream last brought a frame, or started
    std::optional<float> retryAt_;  // a silent start is tried again from then on
};

}  // namespace dp
