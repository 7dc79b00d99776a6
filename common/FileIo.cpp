#include "common/FileIo.h"

#include <QFileDevice>

namespace dp {

void ReadExact(QIODevice& device, void* data, qint64 n)
{
    const qint64 got = device.read(static_cast<char*>(data), n);
    if (got < 0) throw IoError(device.errorString());
    if (got < n) throw IoError(QString::fromLatin1(kReadBeyondEnd));
}

void WriteExact(QIODevice& device, const void* data, qint64 n)
{
    if (device.write(static_cast<const char*>(data), n) != n) throw IoError(device.errorString());
}

void OpenOrThrow(QFileDevice& file, QIODevice::OpenMode mode)
{
    if (!file.open(mode)) {
        throw IoError(QStringLiteral("%1: %2").arg(file.fileName(), file.errorString()));
    }
}

}  // namespace dp
