#include "common/FileIo.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace dp {
namespace {

QString Described(const QIODevice& device)
{
    const auto* file = qobject_cast<const QFileDevice*>(&device);
    if (!file || file->fileName().isEmpty()) return device.errorString();
    return QStringLiteral("%1: %2").arg(file->fileName(), device.errorString());
}

void WriteInPlace(QFile& file, const std::function<void(QFileDevice&)>& write)
{
    // Over the old bytes rather than truncating first: a file that does not grow
    // needs no new space on the disk.
    OpenOrThrow(file, QIODevice::ReadWrite);
    write(file);
    FlushOrThrow(file);
    if (!file.resize(file.pos())) throw IoError(Described(file));
}

}  // namespace

void ReadExact(QIODevice& device, void* data, qint64 n)
{
    const qint64 got = device.read(static_cast<char*>(data), n);
    if (got < 0) throw IoError(device.errorString());
    if (got < n) throw IoError(QString::fromLatin1(kReadBeyondEnd));
}

void WriteExact(QIODevice& device, const void* data, qint64 n)
{
    const char* at = static_cast<const char*>(data);
    while (n > 0) {
        // A write the system takes only in part returns without an error; the next
        // call for the rest is the one that fails with the reason.
        const qint64 done = device.write(at, n);
        if (done <= 0) throw IoError(Described(device));
        at += done;
        n -= done;
    }
}

void FlushOrThrow(QFileDevice& file)
{
    if (!file.flush()) throw IoError(Described(file));
}

void OpenOrThrow(QFileDevice& file, QIODevice::OpenMode mode)
{
    if (!file.open(mode)) throw IoError(Described(file));
}

void SaveWholeFile(const QString& fileName, const std::function<void(QFileDevice&)>& write)
{
    QSaveFile file(fileName);
    if (file.open(QIODevice::WriteOnly)) {
        write(file);
        // commit() would rename a file whose buffered tail never reached the disk.
        FlushOrThrow(file);
        if (!file.commit()) throw IoError(Described(file));
        return;
    }
    // The temporary file could not be made. A file that may still be written in a
    // folder that takes no new file (a read-only folder) is overwritten in place.
    QFile inPlace(fileName);
    if (!QFileInfo(fileName).isFile() || !inPlace.open(QIODevice::ReadWrite)) throw IoError(Described(file));
    inPlace.close();
    WriteInPlace(inPlace, write);
}

}  // namespace dp
