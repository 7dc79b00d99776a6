#include "ecu/SampleSource.h"

#include <algorithm>

#include "ecu/LiveData.h"

namespace dp {

void SampleSource::Connect(bool streamWanted, int bitsPerSecond)
{
    wanted_ = streamWanted;
    refused_ = false;
    bitRate_ = bitsPerSecond;
    retryAt_.reset();
}

float SampleSource::QuietLimitSeconds() const
{
    const float frameSeconds = float(LiveStream::kFrameBytes) * 10.0f / float(std::max(bitRate_, 1));
    return std::max(kQuietSeconds, kQuietFrames * frameSeconds);
}

void SampleSource::Resume()
{
    if (!wanted_ || refused_ || stream_.running()) return;
    if (retryAt_ && now_ < *retryAt_) return;
    switch (stream_.Start(bitRate_)) {
    case StreamStart::Running:
        retryAt_.reset();
        lastFrameAt_ = now_;
        break;
    case StreamStart::Refused:
        refused_ = true;
        break;
    case StreamStart::Silent:
        retryAt_ = now_ + QuietLimitSeconds();
        break;
    }
}

bool SampleSource::Acquire(TEngineSample& sample, float connectionClock)
{
    sample.Time = connectionClock;
    now_ = connectionClock;
    Resume();
    if (stream_.running()) {
        if (stream_.Poll(sample)) {
            lastFrameAt_ = now_;
            return true;
        }
        if (now_ - lastFrameAt_ >= QuietLimitSeconds()) {
            stream_.Stop();
            Resume();
        }
        return false;
    }
    // Waiting to ask a silent unit for the stream again: exchanges would only meet the
    // same silence, at greater cost to the window.
    if (wanted_ && !refused_) return false;
    return AcquireSample(link_, sample, connectionClock);
}

}  // namespace dp
