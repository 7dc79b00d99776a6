#include "ecu/SampleSource.h"

#include "ecu/LiveData.h"

namespace dp {

void SampleSource::Connect(bool streamWanted, int bitsPerSecond)
{
    wanted_ = streamWanted;
    refused_ = false;
    bitRate_ = bitsPerSecond;
}

void SampleSource::Resume()
{
    if (!wanted_ || refused_ || stream_.running()) return;
    refused_ = !stream_.Start(bitRate_);
}

bool SampleSource::Acquire(TEngineSample& sample, float connectionClock)
{
    sample.Time = connectionClock;
    Resume();
    if (stream_.running()) return stream_.Poll(sample);
    return AcquireSample(link_, sample, connectionClock);
}

}  // namespace dp
