#include "log/LogFile.h"

#include "common/FileIo.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

    QSaveFile file(fileName);
    OpenOrThrow(file, QIODevice::WriteOnly);
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
    // On an exception above, QSaveFile discards the temporary file unread.
    if (!file.commit()) {
        throw IoError(QStringLiteral("%1: %2").arg(fileName, file.errorString()));
    }
}

LoadOutcome LoadLog(SampleLog& log, const QString& fileName)
{
    if (!QFileInfo::exists(fileName)) return LoadOutcome::Missing;

    // Read-only access, so a log file the user may not write still loads.
    QFile file(fileName);
    OpenOrThrow(file, QIODevice::ReadOnly);
    char magic[sizeof kLogMagic];
    ReadExact(file, magic, sizeof magic);
    if (std::memcmp(magic, kLogMagic, sizeof magic) != 0) return LoadOutcome::WrongMagic;

    log.ClearLog();
    std::vector<uint8_t> buffer(kChunkRecords * kSampleSize);
    std::size_t carried = 0;  // bytes of a record split across two reads
    for (;;) {
        const qint64 got = file.read(reinterpret_cast<char*>(buffer.data() + carried),
                                     qint64(buffer.size() - carried));
        if (got < 0) throw IoError(file.errorString());
        if (got == 0) break;
        const std::size_t total = carried + std::size_t(got);
        const std::size_t whole = total - total % kSampleSize;
        for (std::size_t at = 0; at < whole; at += kSampleSize) {
            log.AppendSample(SampleFromBytes(buffer.data() + at));
        }
        carried = total - whole;
        std::memmove(buffer.data(), buffer.data() + whole, carried);
    }
    if (carried > 0) throw IoError(QString::fromLatin1(kReadBeyondEnd));
    return LoadOutcome::Loaded;
}

}  // namespace dp
