#pragma once
// Checked binary file access shared by the settings file and log files: every read
// must deliver all its bytes, and every failure becomes an IoError with the text the
// user sees.

#include <QIODevice>
#include <QString>
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
// Writes all n bytes or throws with the device's error text.
void WriteExact(QIODevice& device, const void* data, qint64 n);
// Opens or throws with the device's error text (e.g. "Permission denied").
void OpenOrThrow(QFileDevice& file, QIODevice::OpenMode mode);

}  // namespace dp
