#include "log/Journal.h"

#include "common/FileIo.h"
#include "log/LogFile.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <array>
#include <cstring>

namespace dp {
namespace {

constexpr qint64 kMagicSize = sizeof kLogMagic;

QString DatedName(const QFileInfo& info, int attempt)
{
    const QString date = info.lastModified().toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss"));
    const QString suffix = attempt == 0 ? QString() : QStringLiteral("-%1").arg(attempt + 1);
    return info.dir().filePath(
        QStringLiteral("%1-%2%3.%4").arg(info.completeBaseName(), date, suffix, info.suffix()));
}

}  // namespace

Journal::Journal(QString path) : path_(std::move(path)), file_(path_), lock_(path_ + QStringLiteral(".lock"))
{
    // Held for as long as the journal exists, however long that is; a lock left by a
    // process that is gone is recognised by its process id.
    lock_.setStaleLockTime(0);
}

void Journal::TakeLock()
{
    if (!blocked_.isEmpty()) throw IoError(blocked_);
    if (lock_.isLocked()) return;
    if (!lock_.tryLock(0)) {
        throw IoError(lock_.error() == QLockFile::LockFailedError
                          ? QStringLiteral("%1: in use by another running program").arg(path_)
                          : QStringLiteral("%1: the folder cannot be written").arg(path_));
    }
}

void Journal::Append(const TEngineSample& sample)
{
    std::array<uint8_t, kMagicSize + kSampleSize> bytes;
    qint64 size = 0;
    if (!file_.isOpen()) {
        TakeLock();
        OpenOrThrow(file_, QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered);
        std::memcpy(bytes.data(), kLogMagic, kMagicSize);
        size = kMagicSize;
    }
    SampleToBytes(sample, bytes.data() + size);
    WriteExact(file_, bytes.data(), size + qint64(kSampleSize));
}

void Journal::Discard()
{
    if (file_.isOpen()) file_.close();
    if (lock_.isLocked()) {
        QFile::remove(path_);
        lock_.unlock();
    }
}

LeftJournal Journal::Examine()
{
    const QFileInfo info(path_);
    if (!info.exists()) return LeftJournal::None;
    if (!lock_.tryLock(0)) return LeftJournal::InUse;
    QFile file(path_);
    char magic[kMagicSize] = {};
    const qint64 got = info.isFile() && file.open(QIODevice::ReadOnly) ? file.read(magic, kMagicSize) : -1;
    if (got < 0 || std::memcmp(magic, kLogMagic, std::size_t(got)) != 0) {
        // Someone's file, not ours to overwrite or remove: this run keeps no journal.
        lock_.unlock();
        blocked_ = QStringLiteral("%1: not a journal, left as it is").arg(path_);
        return LeftJournal::Foreign;
    }
    if (info.size() < kMagicSize + qint64(kSampleSize)) {
        // Cut off before its first record: nothing was recorded.
        QFile::remove(path_);
        lock_.unlock();
        return LeftJournal::None;
    }
    return LeftJournal::Recoverable;
}

void Journal::Resume(std::size_t records)
{
    TakeLock();
    OpenOrThrow(file_, QIODevice::ReadWrite | QIODevice::Unbuffered);
    const qint64 end = kMagicSize + qint64(records * kSampleSize);
    if (!file_.resize(end) || !file_.seek(end)) {
        const IoError error(QStringLiteral("%1: %2").arg(path_, file_.errorString()));
        file_.close();
        throw error;
    }
}

QString Journal::KeepAside()
{
    if (file_.isOpen()) file_.close();
    const QFileInfo info(path_);
    QString name = DatedName(info, 0);
    for (int attempt = 1; QFileInfo::exists(name); ++attempt) name = DatedName(info, attempt);
    QFile file(path_);
    const bool renamed = file.rename(name);
    lock_.unlock();
    if (!renamed) {
        // It stays where it is, and this run must neither overwrite nor remove it.
        blocked_ = QStringLiteral("%1: %2").arg(path_, file.errorString());
        throw IoError(blocked_);
    }
    return name;
}

}  // namespace dp
