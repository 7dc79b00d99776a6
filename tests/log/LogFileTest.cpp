#include "support/LogTestSamples.h"
#include "common/FileIo.h"
#include "log/LogFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/ReadOnlyFile.h"
#include "support/TinyFileSystem.h"

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/resource.h>
#endif

namespace dp {
namespace {

using test::FillLog;
using test::MakeSample;
using test::Samples;

constexpr int kChunk = 16384;  // records per read or write call in LogFile.cpp

QByteArray Records(int count, int first = 0)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i) {
        const SampleBytes b = SampleToBytes(MakeSample(first + i));
        bytes.append(reinterpret_cast<const char*>(b.data()), qsizetype(b.size()));
    }
    return bytes;
}

class LogFileTest : public ::testing::Test {
protected:
    QString Path(const char* name) const { return Dir.filePath(QString::fromLatin1(name)); }

    static void Write(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }
    static QByteArray Read(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // The log's previous content, which a load that does nothing must keep.
    void FillOld(SampleLog& log)
    {
        FillLog(log, 4, 1000);
        log.SetCursor(log.Head()->Next);
    }
    void ExpectOld(const SampleLog& log)
    {
        ASSERT_EQ(log.Count(), 4u);
        EXPECT_EQ(log.Head()->Sample, MakeSample(1000));
        EXPECT_EQ(log.Cursor(), log.Head()->Next);
    }
    static void ExpectReadBeyondEnd(SampleLog& log, const QString& path)
    {
        try {
            LoadLog(log, path);
            ADD_FAILURE() << "LoadLog did not fail";
        } catch (const IoError& e) {
            EXPECT_STREQ(e.what(), kReadBeyondEnd);
        }
    }

    QTemporaryDir Dir;
};

TEST_F(LogFileTest, SaveThenLoadGivesTheSameRecordsByteForByte)
{
    for (int n : {1, 3, kChunk, kChunk + 3}) {
        SCOPED_TRACE(n);
        SampleLog saved;
        FillLog(saved, n);
        const QString path = Path("round.dgz");
        SaveLog(saved, path);

        const QByteArray file = Read(path);
        ASSERT_EQ(file.size(), 2 + 60 * n);
        EXPECT_EQ(file.left(2), "DG");
        EXPECT_EQ(file.mid(2), Records(n));

        SampleLog loaded;
        FillOld(loaded);
        EXPECT_EQ(LoadLog(loaded, path), LoadOutcome::Loaded);
        EXPECT_EQ(Samples(loaded), Samples(saved));
        EXPECT_EQ(loaded.Cursor(), loaded.Head());
        EXPECT_FALSE(loaded.LogLoaded);  // the menu command sets it, not the load
    }
}

TEST_F(LogFileTest, SaveReplacesALongerFile)
{
    const QString path = Path("old.dgz");
    Write(path, "DG" + Records(10));
    SampleLog log;
    FillLog(log, 2, 50);
    SaveLog(log, path);
    EXPECT_EQ(Read(path), "DG" + Records(2, 50));
}

TEST_F(LogFileTest, MagicOnlyLoadsAnEmptyLog)
{
    const QString path = Path("empty.dgz");
    Write(path, "DG");
    SampleLog log;
    FillOld(log);
    EXPECT_EQ(LoadLog(log, path), LoadOutcome::Loaded);
    EXPECT_TRUE(log.IsEmpty());
    EXPECT_EQ(log.Cursor(), nullptr);
}

TEST_F(LogFileTest, MissingFileOrWrongMagicLeavesTheLogAlone)
{
    struct Case {
        const char* what;
        QByteArray content;  // null: no file at all
        LoadOutcome outcome;
    };
    const Case cases[] = {
        {"missing", QByteArray(), LoadOutcome::Missing},
        {"lower case", "dg" + Records(2), LoadOutcome::WrongMagic},
        {"swapped", "GD" + Records(2), LoadOutcome::WrongMagic},
        {"settings file", "DP" + QByteArray(52, '\0'), LoadOutcome::WrongMagic},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = Path(c.what);
        if (!c.content.isNull()) Write(path, c.content);
        SampleLog log;
        FillOld(log);
        EXPECT_EQ(LoadLog(log, path), c.outcome);
        ExpectOld(log);
    }
}

TEST_F(LogFileTest, FileShorterThanTheMagicFailsBeforeAnythingChanges)
{
    for (const QByteArray& content : {QByteArray(""), QByteArray("D")}) {
        SCOPED_TRACE(content.size());
        const QString path = Path("short.dgz");
        Write(path, content);
        SampleLog log;
        FillOld(log);
        log.LogLoaded = true;
        ExpectReadBeyondEnd(log, path);
        ExpectOld(log);
        EXPECT_TRUE(log.LogLoaded);
    }
}

TEST_F(LogFileTest, PartialLastRecordKeepsTheCompleteOnesThenFails)
{
    struct Case {
        int records;
        int fragment;
    };
    // The last case puts the fragment alone in the second read.
    for (const Case c : {Case{0, 17}, Case{2, 17}, Case{3, 1}, Case{3, 59}, Case{kChunk, 17}}) {
        SCOPED_TRACE(testing::Message() << c.records << " + " << c.fragment);
        const QString path = Path("cut.dgz");
        Write(path, "DG" + Records(c.records) + Records(1, 77).left(c.fragment));
        SampleLog log;
        FillOld(log);
        ExpectReadBeyondEnd(log, path);
        ASSERT_EQ(log.Count(), std::size_t(c.records));
        EXPECT_EQ(log.Cursor(), log.Head());
        if (c.records > 0) {
            EXPECT_EQ(log.Tail()->Sample, MakeSample(c.records - 1));
        }
    }
}


TEST_F(LogFileTest, ReadOnlyFileLoads)
{
    const QString path = Path("ro.dgz");
    Write(path, "DG" + Records(2));
    SampleLog log;
    {
        const test::ReadOnlyFile readOnly(path);
        EXPECT_NO_THROW(LoadLog(log, path));
    }
    EXPECT_EQ(log.Count(), 2u);
}

TEST_F(LogFileTest, DirectoryInsteadOfFileFailsToLoad)
{
    SampleLog log;
    FillOld(log);
    EXPECT_THROW(LoadLog(log, Dir.path()), IoError);
    ExpectOld(log);
}

TEST_F(LogFileTest, EmptyLogIsNotSaved)
{
    SampleLog empty;
    const QString fresh = Path("fresh.dgz");
    SaveLog(empty, fresh);
    EXPECT_FALSE(QFile::exists(fresh));

    const QString old = Path("old.dgz");
    Write(old, "DG" + Records(3));
    SaveLog(empty, old);
    EXPECT_EQ(Read(old), "DG" + Records(3));
}

TEST_F(LogFileTest, SaveToAnUncreatableNameFails)
{
    Write(Path("plain"), "x");
    SampleLog log;
    FillLog(log, 2);
    EXPECT_THROW(SaveLog(log, Path("plain") + "/log.dgz"), IoError);  // parent is a file
    EXPECT_THROW(SaveLog(log, Dir.path()), IoError);                   // target is a directory
    EXPECT_EQ(Read(Path("plain")), "x");
    EXPECT_TRUE(QFileInfo(Dir.path()).isDir());
}

// On a disk that is really full every save must fail with the system's reason and
// leave the old file as it was: a small log (which fits the write buffer, so only the
// flush can fail) as well as a large one, whose first piece the disk takes in part.
TEST_F(LogFileTest, SaveOntoAFullDiskFailsWithTheReasonAndKeepsTheOldFile)
{
    struct Case {
        const char* name;
        int records;
        int freeKilobytes;
    };
    for (const Case& c : {Case{"small log, no space", 3, 0}, Case{"large log, no space", 5000, 0},
                          Case{"large log, a little space", 5000, 16}}) {
        SCOPED_TRACE(c.name);
        test::TinyFileSystem disk(64);
        if (!disk.mounted()) GTEST_SKIP() << disk.whyNot().toStdString();
        const QString path = disk.filePath(QStringLiteral("keep.dgz"));
        const QByteArray old = "DG" + Records(2, 900);
        Write(path, old);
        disk.Fill(c.freeKilobytes);
        SampleLog log;
        FillLog(log, c.records);
        try {
            SaveLog(log, path);
            ADD_FAILURE() << "a save onto a full disk must fail";
        } catch (const IoError& e) {
            EXPECT_NE(QString::fromUtf8(e.what()).indexOf(QStringLiteral("No space left on device")), -1)
                << e.what();
        }
        EXPECT_EQ(Read(path), old);
        EXPECT_EQ(QDir(disk.path()).entryList(QDir::Files, QDir::Name),
                  (QStringList{QStringLiteral("filler"), QStringLiteral("keep.dgz")}));
        EXPECT_EQ(log.Count(), std::size_t(c.records));
    }
}

#ifdef Q_OS_LINUX
// A write that fails part-way (here: the file size limit standing in for a full
// disk) must leave the previous file whole and no temporary file behind.
TEST_F(LogFileTest, FailedWriteLeavesTheOldFileIntact)
{
    const QString path = Path("keep.dgz");
    const QByteArray old = "DG" + Records(3);
    Write(path, old);

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 64 * 1024;
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);

    SampleLog log;
    FillLog(log, 5000);  // 300 kB, well over the limit
    bool failed = false;
    try {
        SaveLog(log, path);
    } catch (const IoError&) {
        failed = true;
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_TRUE(failed);
    EXPECT_EQ(Read(path), old);
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("keep.dgz")});
    EXPECT_EQ(log.Count(), 5000u);
}
#endif

}  // namespace
}  // namespace dp
