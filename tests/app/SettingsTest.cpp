#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/Settings.h"
#include "common/FileIo.h"
#include "support/ReadOnlyFile.h"
#include "support/TinyFileSystem.h"

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

TEST_F(SettingsFile, StreamFlagIsOneMoreByteOnlyWhenOn)
{
    TAppSettings on = Sample();
    on.ContinuousStream = true;
    SaveSettings(on, path);
    const QByteArray withFlag = Read(path);
    ASSERT_EQ(withFlag.size(), kSettingsFileSize + 1);
    EXPECT_EQ(withFlag[kStreamFlagOffset], 1);
    TAppSettings loaded;
    LoadSettings(loaded, path);
    EXPECT_EQ(loaded, on);

    SaveSettings(Sample(), path);
    const QByteArray without = Read(path);
    ASSERT_EQ(without.size(), kSettingsFileSize);
    EXPECT_EQ(withFlag.left(kSettingsFileSize), without);  // older readers see the same settings
    LoadSettings(loaded, path);  // a 54-byte file turns it off
    EXPECT_FALSE(loaded.ContinuousStream);
}

TEST_F(SettingsFile, StreamFlagOnlyFromTheValueTheProgramWrites)
{
    const struct {
        const char* name;
        QByteArray tail;
        bool on;
    } cases[] = {
        {"one", QByteArray("\x01", 1), true},
        {"zero", QByteArray("\x00", 1), false},
        {"other value", QByteArray("\x07", 1), false},
        {"more bytes after it", QByteArray("\x01\x05\x05", 3), true},
    };
    SaveSettings(Sample(), path);
    const QByteArray plain = Read(path);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Write(path, plain + c.tail);
        TAppSettings loaded;
        loaded.ContinuousStream = !c.on;
        LoadSettings(loaded, path);
        EXPECT_EQ(loaded.ContinuousStream, c.on);
    }
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
        } else {
            EXPECT_EQ(s.BaudIndex, defaults.BaudIndex);
        }
        EXPECT_EQ(s.DigitColor, Sample().DigitColor);  // the rest still loads
    }
}

// Any rate the timer can run at is kept, also one the dialog does not offer; only
// those that would break the timer fall back to the default.
TEST_F(SettingsFile, RefreshRatesTheTimerCanUseAreKept)
{
    struct Case {
        const char* name;
        int32_t stored;
        int32_t loaded;
    };
    const Case cases[] = {
        {"three, not in the dialog's list", 3, 3},
        {"one", 1, 1},
        {"a thousand", 1000, 1000},
        {"zero", 0, 10},
        {"negative", -1, 10},
        {"above a thousand", 1001, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TAppSettings stored = Sample();
        stored.UpdatesPerSecond = c.stored;
        SaveSettings(stored, path);
        TAppSettings s;
        ASSERT_NO_THROW(LoadSettings(s, path));
        EXPECT_EQ(s.UpdatesPerSecond, c.loaded);
        EXPECT_EQ(s.DigitColor, stored.DigitColor);  // the rest still loads
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

QStringList FilesIn(const QString& folder) { return QDir(folder).entryList(QDir::Files, QDir::Name); }

// On a disk that is really full the write fails: the save must say so with the
// system's reason and leave the old file whole, not report success over an empty one.
TEST(SettingsOnAFullDisk, SaveFailsWithTheReasonAndKeepsTheOldFile)
{
    test::TinyFileSystem disk(64);
    if (!disk.mounted()) GTEST_SKIP() << disk.whyNot().toStdString();
    const QString path = disk.filePath(QStringLiteral("param.bin"));
    SaveSettings(Sample(), path);
    const QByteArray before = Read(path);
    disk.Fill();
    try {
        SaveSettings(TAppSettings{}, path);
        FAIL() << "a save onto a full disk must fail";
    } catch (const IoError& e) {
        EXPECT_NE(QString::fromUtf8(e.what()).indexOf(QStringLiteral("No space left on device")), -1) << e.what();
    }
    EXPECT_EQ(Read(path), before);
    EXPECT_EQ(FilesIn(disk.path()), (QStringList{QStringLiteral("filler"), QStringLiteral("param.bin")}));
}

// A folder that takes no new file (so no temporary file either) still lets a writable
// settings file be overwritten in place; without an old file there is nothing to do
// but report. Overwriting in place needs no new space, so it works on a full disk too.
TEST(SettingsInAnUnwritableFolder, WritableFileIsOverwrittenInPlace)
{
    struct Case {
        const char* name;
        bool oldFile;
        bool fullDisk;
    };
    for (const Case& c : {Case{"old file", true, false}, Case{"no old file", false, false},
                          Case{"old file on a full disk", true, true}}) {
        SCOPED_TRACE(c.name);
        test::TinyFileSystem disk(64);
        if (!disk.mounted()) GTEST_SKIP() << disk.whyNot().toStdString();
        const QString folder = disk.filePath(QStringLiteral("work"));
        ASSERT_TRUE(QDir().mkdir(folder));
        const QString path = QDir(folder).filePath(QStringLiteral("param.bin"));
        TAppSettings old;
        old.PortName = "COM12345678901234567890";  // a longer name than the new one
        if (c.oldFile) SaveSettings(old, path);
        if (c.fullDisk) disk.Fill();
        const test::UnwritableFolder unwritable(folder);
        if (!unwritable.enforced()) GTEST_SKIP() << "this file system lets every new file in";
        if (c.oldFile) {
            ASSERT_NO_THROW(SaveSettings(Sample(), path));
            EXPECT_EQ(Read(path).size(), kSettingsFileSize);
            TAppSettings loaded;
            LoadSettings(loaded, path);
            EXPECT_EQ(loaded, Sample());
        } else {
            EXPECT_THROW(SaveSettings(Sample(), path), IoError);
        }
        EXPECT_EQ(FilesIn(folder), c.oldFile ? QStringList{QStringLiteral("param.bin")} : QStringList{});
    }
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
