// Any file given to the log loader: a loaded log holds exactly the file's complete
// records, byte for byte, in file order with sound links; anything else leaves the
// previous log alone.

#include <cstring>
#include <string>

#include "PropertyCheck.h"
#include "ScratchFile.h"
#include "common/FileIo.h"
#include "log/LogFile.h"

namespace dp::fuzz {

namespace {

// A log already in memory, so that keeping and replacing it can be told apart.
void FillPreviousLog(SampleLog& log)
{
    TEngineSample s;
    s.Time = -7.0f;
    s.FanFlag = 100;
    log.AppendSample(s);
    s.Time = -6.0f;
    log.AppendSample(s);
}

bool IsPreviousLog(const SampleLog& log)
{
    return log.Count() == 2 && log.Head()->Sample.Time == -7.0f && log.Tail()->Sample.Time == -6.0f &&
           log.Cursor() == log.Head();
}

}  // namespace

void CheckLogFileInput(const uint8_t* data, std::size_t size)
{
    const QString path = ScratchPath("input.dgz");
    WriteScratch(path, data, size);

    SampleLog log;
    FillPreviousLog(log);
    LoadOutcome outcome = LoadOutcome::Missing;
    std::string error;
    try {
        outcome = LoadLog(log, path);
    } catch (const IoError& e) {
        error = e.what();
    }

    if (size < 2) {
        DP_PROPERTY(error == kReadBeyondEnd);
        DP_PROPERTY(IsPreviousLog(log));
        return;
    }
    if (data[0] != 'D' || data[1] != 'G') {
        DP_PROPERTY(error.empty() && outcome == LoadOutcome::WrongMagic);
        DP_PROPERTY(IsPreviousLog(log));
        return;
    }
    const std::size_t records = (size - 2) / kSampleSize;
    const bool fragment = (size - 2) % kSampleSize != 0;
    DP_PROPERTY(fragment ? error == kReadBeyondEnd : error.empty() && outcome == LoadOutcome::Loaded);
    DP_PROPERTY(log.Count() == records);
    DP_PROPERTY(log.Cursor() == log.Head());
    const SampleNode* prev = nullptr;
    std::size_t k = 0;
    for (const SampleNode* node = log.Head(); node != nullptr; node = node->Next, ++k) {
        DP_PROPERTY(k < records);
        DP_PROPERTY(node->Prev == prev);
        const SampleBytes bytes = SampleToBytes(node->Sample);
        DP_PROPERTY(std::memcmp(bytes.data(), data + 2 + k * kSampleSize, kSampleSize) == 0);
        prev = node;
    }
    DP_PROPERTY(k == records);
    DP_PROPERTY(log.Tail() == prev);
}

}  // namespace dp::fuzz
