#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/Settings.h"
#include "common/FileIo.h"
#include "support/ReadOnlyFile.h"

namespace dp {
namespace {

QByteArray Read(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

void Write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

TAppSettings Sample()
{
    TAppSettings s;
    s.PortName = "/dev/ttyUSB0";
    s.BaudIndex = 10;
    s.UpdatesPerSecond = 4;
    s.TitleColor = 0x00112233;
    s.ScaleColor = 0x00445566;
    s.NeedleColor = 0xFF00000F;  // a system colour reference stays as it is
    s.DigitColor = 0x00778899;
    return s;
}

class SettingsFile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("param.bin"));
};

TEST_F(SettingsFile, RoundTripIsExactly54Bytes)
{
    const TAppSettings saved = Sample();
    SaveSettings(saved, path);
    const QByteArray bytes = Read(path);
    ASSERT_EQ(bytes.size(), kSettingsFileSize);
    EXPECT_EQ(bytes.left(2), QByteArray("DP"));
    EXPECT_EQ(uint8_t(bytes[2]), 12);
    EXPECT_EQ(bytes.mid(3, 12), QByteArray("/dev/ttyUSB0"));
    EXPECT_EQ(uint8_t(bytes[33]), 10);
    EXPECT_EQ(bytes.mid(34, 4), QByteArray("\x04\x00\x00\x00", 4));
    EXPECT_EQ(bytes.mid(46, 4), QByteArray("\x0F\x00\x00\xFF", 4));
    TAppSettings loaded;
    LoadSettings(loaded, path);
    EXPECT_EQ(loaded, saved);
}

TEST_F(SettingsFile, ThirtyCharacterNameFillsTheField)
{
    TAppSettings s;
    s.PortName = std::string(30, 'x');
    SaveSettings(s, path);
    const QByteArray bytes = Read(path);
    EXPECT_EQ(uint8_t(bytes[2]), 30);
    TAppSettings loaded;
    LoadSettings(loaded, path);
    EXPECT_EQ(loaded.PortName, s.PortName);
}

TEST_F(SettingsFile, ShortFileKeepsWhatWasReadAndReportsTheEnd)
{
    SaveSettings(Sample(), path);
    Write(path, Read(path).left(42));
    TAppSettings s;
    try {
        LoadSettings(s, path);
        FAIL() << "a 42-byte file must fail";
    } catch (const IoError& e) {
        EXPECT_STREQ(e.what(), kReadBeyondEnd);
    }
    const TAppSettings file = Sample(), defaults;
    EXPECT_EQ(s.PortName, file.PortName);
    EXPECT_EQ(s.BaudIndex, file.BaudIndex);
    EXPECT_EQ(s.UpdatesPerSecond, file.UpdatesPerSecond);
    EXPECT_EQ(s.TitleColor, file.TitleColor);
    EXPECT_EQ(s.ScaleColor, defaults.ScaleColor);
    EXPECT_EQ(s.NeedleColor, defaults.NeedleColor);
    EXPECT_EQ(s.DigitColor, defaults.DigitColor);
}

TEST_F(SettingsFile, MissingOrForeignFileKeepsDefaults)
{
    TAppSettings s;
    LoadSettings(s, path);
    EXPECT_EQ(s, TAppSettings{});
    Write(path, QByteArray(54, 'Z'));
    LoadSettings(s, path);
    EXPECT_EQ(s, TAppSettings{});
}

TEST_F(SettingsFile, ValuesTheDialogsNeverWriteFallBackToDefaults)
{
    struct Case {
        const char* name;
        int offset;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"name length 31", 2, QByteArray("\x1F", 1)},
        {"name length 255", 2, QByteArray("\xFF", 1)},
        {"speed code 16", 33, QByteArray("\x10", 1)},
        {"zero refreshes a second", 34, QByteArray("\x00\x00\x00\x00", 4)},
        {"negative refreshes a second", 34, QByteArray("\xFF\xFF\xFF\xFF", 4)},
        {"rate not offered", 34, QByteArray("\x03\x00\x00\x00", 4)},
    };
    SaveSettings(Sample(), path);
    const QByteArray good = Read(path);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QByteArray bad = good;
        bad.replace(c.offset, c.bytes.size(), c.bytes);
        Write(path, bad);
        TAppSettings s;
        ASSERT_NO_THROW(LoadSettings(s, path));
        const TAppSettings defaults;
        if (c.offset == 2) {
            EXPECT_EQ(s.PortName, defaults.PortName);
        } else if (c.offset == 33) {
            EXPECT_EQ(s.BaudIndex, defaults.BaudIndex);
        } else {
            EXPECT_EQ(s.UpdatesPerSecond, defaults.UpdatesPerSecond);
        }
        EXPECT_EQ(s.DigitColor, Sample().DigitColor);  // the rest still loads
        EXPECT_GT(RefreshIntervalMs(s.UpdatesPerSecond), 0);
    }
}

TEST_F(SettingsFile, FailedSaveLeavesTheOldFile)
{
    SaveSettings(Sample(), path);
    const QByteArray before = Read(path);
    // A parent that is a regular file cannot hold the new file, not even for root.
    const QString blocked = path + QStringLiteral("/param.bin");
    EXPECT_THROW(SaveSettings(TAppSettings{}, blocked), IoError);
    EXPECT_EQ(Read(path), before);
}

TEST_F(SettingsFile, ReadOnlyFileStillLoads)
{
    SaveSettings(Sample(), path);
    const test::ReadOnlyFile readOnly(path);
    TAppSettings s;
    LoadSettings(s, path);
    EXPECT_EQ(s, Sample());
}

TEST(RefreshInterval, RoundsToWholeMilliseconds)
{
    const std::pair<int, int> cases[] = {{1, 1000}, {2, 500}, {4, 250}, {8, 125}, {10, 100}, {15, 67}, {20, 50}};
    for (auto [ups, ms] : cases) EXPECT_EQ(RefreshIntervalMs(ups), ms) << ups;
}

}  // namespace
}  // namespace dp
