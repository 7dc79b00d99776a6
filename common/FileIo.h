#pragma once
// Checked binary file access shared by the settings file and log files: every read
// must deliver all its bytes, every write must reach the system, and every failure
// becomes an IoError with the text the user sees.

#include <QIODevice>
#include <QString>
#include <functional>
#include <stdexcept>

class QFileDevice;

namespace dp {

class IoError : public std::runtime_error {
public:
    explicit IoError(const QString& text) : std::runtime_error(text.toStdString()) {}
};

inline constexpr const char* kReadBeyondEnd = "Read beyond end of file";

// Reads exactly n bytes; a short read throws "Read beyond end of file".
void ReadExact(QIODevice& device, void* data, qint64 n);
// Writes all n bytes or throws with the system's reason (e.g. "No space left on
// device"). A short write is retried, so that the failing call reports why.
void WriteExact(QIODevice& device, const void* data, qint64 n);
// Hands what the device still buffers to the system, or throws with the reason.
void FlushOrThrow(QFileDevice& file);
// Opens or throws with the device's error text (e.g. "Permission denied").
void OpenOrThrow(QFileDevice& file, QIODevice::OpenMode mode);

// Writes a whole file through write, which fills the open device with WriteExact.
// The new contents go to a temporary file beside the old one and replace it only once
// every byte has been written and flushed, so a failure leaves the old file as it was.
// Only where the folder takes no new file but the file itself may be written is it
// overwritten in place; a failure part-way then leaves it damaged. Throws IoError.
void SaveWholeFile(const QString& fileName, const std::function<void(QFileDevice&)>& write);

}  // namespace dp
