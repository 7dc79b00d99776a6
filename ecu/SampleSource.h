#pragma once
// Where the refresh tick's samples come from on one connection: the two exchanges per
// sample, or the unit's continuous stream when the user wants it and the unit takes it.
// A unit that refuses the stream is read by exchanges until the next connection.

#include "ecu/EcuLink.h"
#include "ecu/EngineSample.h"
#include "ecu/LiveStream.h"

namespace dp {

class SampleSource {
public:
    explicit SampleSource(EcuLink& link) : link_(link), stream_(link) {}

    // A new connection at this line speed. The stream must not be running.
    void Connect(bool streamWanted, int bitsPerSecond);
    // Starts the stream when it is wanted, not refused and not running yet.
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

private:
    EcuLink& link_;
    LiveStream stream_;
    bool wanted_ = false;
    bool refused_ = false;
    int bitRate_ = 9600;
};

}  // namespace dp
