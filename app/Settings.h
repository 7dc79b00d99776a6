#pragma once
// The program's settings and their file "param.bin" (54 bytes, little-endian).

#include <QString>
#include <cstdint>
#include <string>

namespace dp {

struct TAppSettings {
    std::string PortName = "COM1";  // at most 30 8-bit characters
    uint8_t BaudIndex = 7;          // speed code 0..15; 7 is 9600 bit/s
    int32_t UpdatesPerSecond = 10;
    // Colours as 0x00BBGGRR; a top byte of 0xFF names a system colour.
    uint32_t TitleColor = 0xFFFFFF;
    uint32_t ScaleColor = 0x008000;
    uint32_t NeedleColor = 0x0000FF;
    uint32_t DigitColor = 0xFFFFFF;
    // Live data as the unit's continuous stream rather than two exchanges per sample.
    // Stored as one byte after the 54 others, and only when on, so older readers,
    // which stop at 54 bytes, still read the file.
    bool ContinuousStream = false;

    bool operator==(const TAppSettings&) const = default;
};

inline constexpr int kSettingsFileSize = 54;
inline constexpr int kStreamFlagOffset = 54;
inline constexpr int kPortNameMax = 30;
inline const QString kSettingsFileName = QStringLiteral("param.bin");

bool IsOfferedRate(int32_t updatesPerSecond);
// Rates the refresh timer can run at: below one a second there is no interval, above
// a thousand it would round to zero.
inline constexpr int32_t kMinUpdatesPerSecond = 1;
inline constexpr int32_t kMaxUpdatesPerSecond = 1000;
bool IsUsableRate(int32_t updatesPerSecond);
// Refresh interval in ms: 1000 / UpdatesPerSecond, rounded; the default for an unusable rate.
int RefreshIntervalMs(int32_t updatesPerSecond);

// Fills the settings from the file when it exists and begins with "DP"; otherwise leaves
// them. Throws IoError on a failing read; fields read before the failure keep the file's
// values. Values that cannot work (a name longer than 30, a speed code above 15, a rate
// the timer cannot run at) fall back to their defaults.
void LoadSettings(TAppSettings& settings, const QString& fileName = kSettingsFileName);
// Writes all fields. The old file is replaced only once the new one is complete; in a
// folder that takes no new file, a writable old file is overwritten in place.
void SaveSettings(const TAppSettings& settings, const QString& fileName = kSettingsFileName);

}  // namespace dp
