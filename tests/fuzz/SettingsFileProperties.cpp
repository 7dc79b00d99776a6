// Any file given to the settings loader: a complete file loads into settings the
// program can use, saving them and loading the result gives the same settings, and
// every value the program could have written comes back exactly as the file held it.

#include <QFile>
#include <algorithm>
#include <string>

#include "PropertyCheck.h"
#include "ScratchFile.h"
#include "app/Settings.h"
#include "common/FileIo.h"

namespace dp::fuzz {

namespace {

uint32_t U32At(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }

// Settings unlike the defaults, to show which fields a load replaced.
TAppSettings Sentinel()
{
    TAppSettings s;
    s.PortName = "SENTINEL";
    s.BaudIndex = 13;
    s.UpdatesPerSecond = 4;
    s.ContinuousStream = true;
    s.TitleColor = s.ScaleColor = s.NeedleColor = s.DigitColor = 0x123456;
    return s;
}

}  // namespace

void CheckSettingsFileInput(const uint8_t* data, std::size_t size)
{
    const QString path = ScratchPath("param.bin");
    WriteScratch(path, data, size);

    TAppSettings loaded = Sentinel();
    std::string error;
    try {
        LoadSettings(loaded, path);
    } catch (const IoError& e) {
        error = e.what();
    }

    const bool magic = size >= 2 && data[0] == 'D' && data[1] == 'P';
    if (size < 2 || (magic && size < std::size_t(kSettingsFileSize))) {
        DP_PROPERTY(error == kReadBeyondEnd);
        return;
    }
    DP_PROPERTY(error.empty());
    if (!magic) {
        DP_PROPERTY(loaded == Sentinel());
        return;
    }

    // What the program can use: a name of at most 30 Latin-1 characters, a speed code,
    // a rate the refresh timer can run at.
    const QString name = QString::fromStdString(loaded.PortName);
    DP_PROPERTY(name.size() <= kPortNameMax);
    DP_PROPERTY(std::all_of(name.begin(), name.end(), [](QChar c) { return c.unicode() < 256; }));
    DP_PROPERTY(loaded.BaudIndex <= 15);
    DP_PROPERTY(IsUsableRate(loaded.UpdatesPerSecond));

    // Values the program could have written come back exactly.
    const TAppSettings defaults;
    const int length = data[2];
    const std::string fileName(reinterpret_cast<const char*>(data + 3), std::size_t(std::min(length, kPortNameMax)));
    DP_PROPERTY(name.toLatin1() == QByteArray::fromStdString(length <= kPortNameMax ? fileName : defaults.PortName));
    DP_PROPERTY(loaded.BaudIndex == (data[33] <= 15 ? data[33] : defaults.BaudIndex));
    const auto ups = int32_t(U32At(data + 34));
    DP_PROPERTY(loaded.UpdatesPerSecond == (IsUsableRate(ups) ? ups : defaults.UpdatesPerSecond));
    DP_PROPERTY(loaded.TitleColor == U32At(data + 38) && loaded.ScaleColor == U32At(data + 42));
    DP_PROPERTY(loaded.NeedleColor == U32At(data + 46) && loaded.DigitColor == U32At(data + 50));
    // The byte after the plain 54 turns the continuous stream on only when it is 1.
    const bool stream = size > std::size_t(kStreamFlagOffset) && data[kStreamFlagOffset] == 1;
    DP_PROPERTY(loaded.ContinuousStream == stream);

    // The round trip: saved, the file is 54 bytes (55 with the stream on) and loads back
    // to the same settings.
    const QString copy = ScratchPath("param-copy.bin");
    SaveSettings(loaded, copy);
    QFile saved(copy);
    DP_PROPERTY(saved.size() == kSettingsFileSize + (stream ? 1 : 0));
    TAppSettings again = Sentinel();
    LoadSettings(again, copy);
    DP_PROPERTY(again == loaded);
}

}  // namespace dp::fuzz
