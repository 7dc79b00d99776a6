#include "app/Settings.h"

#include <QFile>
#include <array>
#include <cmath>

#include "common/FileIo.h"

namespace dp {
namespace {

uint32_t ReadU32(QIODevice& f)
{
    uint8_t b[4];
    ReadExact(f, b, 4);
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

void PutU32(uint8_t* out, uint32_t v)
{
    for (int k = 0; k < 4; ++k) out[k] = uint8_t(v >> (8 * k));
}

}  // namespace

bool IsOfferedRate(int32_t ups)
{
    for (int r : {1, 2, 4, 5, 8, 10, 15, 20})
        if (ups == r) return true;
    return false;
}

bool IsUsableRate(int32_t ups) { return ups >= kMinUpdatesPerSecond && ups <= kMaxUpdatesPerSecond; }

int RefreshIntervalMs(int32_t ups)
{
    if (!IsUsableRate(ups)) ups = TAppSettings{}.UpdatesPerSecond;
    return int(std::lround(1000.0 / ups));
}

void LoadSettings(TAppSettings& s, const QString& fileName)
{
    if (!QFile::exists(fileName)) return;
    QFile f(fileName);
    OpenOrThrow(f, QIODevice::ReadOnly);  // a settings file the user may not write still loads
    char magic[2];
    ReadExact(f, magic, 2);
    if (magic[0] != 'D' || magic[1] != 'P') return;

    const TAppSettings defaults;
    std::array<uint8_t, 1 + kPortNameMax> name{};
    ReadExact(f, name.data(), qint64(name.size()));
    const int length = name[0];
    s.PortName = length <= kPortNameMax
                     ? QString::fromLatin1(reinterpret_cast<const char*>(&name[1]), length).toStdString()
                     : defaults.PortName;
    uint8_t baud = 0;
    ReadExact(f, &baud, 1);
    s.BaudIndex = baud <= 15 ? baud : defaults.BaudIndex;
    const int32_t ups = int32_t(ReadU32(f));
    // A rate the dialog does not offer still works; only those that break the timer go.
    s.UpdatesPerSecond = IsUsableRate(ups) ? ups : defaults.UpdatesPerSecond;
    s.TitleColor = ReadU32(f);
    s.ScaleColor = ReadU32(f);
    s.NeedleColor = ReadU32(f);
    s.DigitColor = ReadU32(f);
    // Absent in files of the plain 54 bytes: off.
    char stream = 0;
    s.ContinuousStream = f.read(&stream, 1) == 1 && stream == 1;
}

void SaveSettings(const TAppSettings& s, const QString& fileName)
{
    std::array<uint8_t, kSettingsFileSize + 1> bytes{};
    bytes[0] = 'D';
    bytes[1] = 'P';
    const QByteArray name = QString::fromStdString(s.PortName).toLatin1().left(kPortNameMax);
    bytes[2] = uint8_t(name.size());
    std::copy(name.begin(), name.end(), bytes.begin() + 3);
    bytes[33] = s.BaudIndex;
    PutU32(&bytes[34], uint32_t(s.UpdatesPerSecond));
    PutU32(&bytes[38], s.TitleColor);
    PutU32(&bytes[42], s.ScaleColor);
    PutU32(&bytes[46], s.NeedleColor);
    PutU32(&bytes[50], s.DigitColor);
    bytes[kStreamFlagOffset] = 1;
    const qint64 size = s.ContinuousStream ? kSettingsFileSize + 1 : kSettingsFileSize;

    SaveWholeFile(fileName, [&](QFileDevice& f) { WriteExact(f, bytes.data(), size); });
}

}  // namespace dp
