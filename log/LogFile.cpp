#include "log/LogFile.h"

#include "common/FileIo.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstring>
#include <vector>

namespace dp {

namespace {

// About a megabyte per read or write call: few system calls, small buffer.
constexpr std::size_t kChunkRecords = 16384;

}  // namespace

void SaveLog(const SampleLog& log, const QString& fileName)
{
    if (log.IsEmpty()) return;

    SaveWholeFile(fileName, [&log](QFileDevice& file) {
        WriteExact(file, kLogMagic, sizeof kLogMagic);
        std::vector<uint8_t> buffer(kChunkRecords * kSampleSize);
        std::size_t used = 0;
        for (const SampleNode* node = log.Head(); node != nullptr; node = node->Next) {
            SampleToBytes(node->Sample, buffer.data() + used);
            used += kSampleSize;
            if (used == buffer.size()) {
                WriteExact(file, buffer.data(), qint64(used));
                used = 0;
            }
        }
        if (used > 0) WriteExact(file, buffer.data(), qint64(used));
    });
}

LoadOutcome LoadLog(SampleLog& log, const QString& fileName)
{
    LogReader reader(fileName);
    const LoadOutcome outcome = reader.Open();
    if (outcome != LoadOutcome::Loaded) return outcome;
    log.ClearLog();
    TEngineSample sample;
    while (reader.Next(sample)) log.AppendSample(sample);
    return outcome;
}

LogReader::LogReader(const QString& fileName) : file_(fileName) {}

LoadOutcome LogReader::Open()
{
    if (!QFileInfo::exists(file_.fileName())) return LoadOutcome::Missing;
    // Read-only access, so a log file the user may not write still loads.
    OpenOrThrow(file_, QIODevice::ReadOnly);
    char magic[sizeof kLogMagic];
    ReadExact(file_, magic, sizeof magic);
    if (std::memcmp(magic, kLogMagic, sizeof magic) != 0) return LoadOutcome::WrongMagic;
    // No bigger than the file needs, so a small log costs no zeroed megabyte; a whole
    // record always fits.
    buffer_.resize(std::size_t(std::clamp<qint64>(file_.size(), kSampleSize, kChunkRecords * kSampleSize)));
    return LoadOutcome::Loaded;
}

bool LogReader::Next(TEngineSample& sample)
{
    if (held_ - at_ < kSampleSize) {
        // Keep the bytes of a record split across two reads.
        const std::size_t carried = held_ - at_;
        std::memmove(buffer_.data(), buffer_.data() + at_, carried);
        at_ = 0;
        held_ = carried;
        while (held_ < kSampleSize) {
            const qint64 got =
                file_.read(reinterpret_cast<char*>(buffer_.data() + held_), qint64(buffer_.size() - held_));
            if (got < 0) throw IoError(file_.errorString());
            if (got == 0) break;
            held_ += std::size_t(got);
        }
        if (held_ == 0) return false;
        if (held_ < kSampleSize) throw IoError(QString::fromLatin1(kReadBeyondEnd));
    }
    sample = SampleFromBytes(buffer_.data() + at_);
    at_ += kSampleSize;
    return true;
}

}  // namespace dp
