// The CSV tool as a program of its own, run as a child process.

#include "support/LogTestSamples.h"
#include "support/Sanitizers.h"
#include "common/FileIo.h"
#include "log/CsvExport.h"
#include "log/LogFile.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sstream>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

namespace dp {
namespace {

struct ToolRun {
    int exitCode = -1;
    bool crashed = false;
    QByteArray out, err;
};

// Runs the tool; with memoryBytes > 0 its address space is limited to that.
ToolRun RunTool(const QStringList& arguments, qint64 memoryBytes)
{
    QProcess tool;
#ifdef Q_OS_UNIX
    if (memoryBytes > 0) {
        tool.setChildProcessModifier([memoryBytes] {
            const rlimit limit{rlim_t(memoryBytes), rlim_t(memoryBytes)};
            setrlimit(RLIMIT_AS, &limit);
        });
    }
#else
    (void)memoryBytes;
#endif
    tool.start(QStringLiteral(DP_LOG2CSV_PATH), arguments);
    ToolRun run;
    if (!tool.waitForFinished(120'000)) return run;
    run.crashed = tool.exitStatus() == QProcess::CrashExit;
    run.exitCode = tool.exitCode();
    run.out = tool.readAllStandardOutput();
    run.err = tool.readAllStandardError();
    return run;
}

class Log2CsvTool : public ::testing::Test {
protected:
    QTemporaryDir dir;
};

TEST_F(Log2CsvTool, PrintsTheLogAsTheExportWritesIt)
{
    SampleLog log;
    test::FillLog(log, 5);
    const QString path = dir.filePath(QStringLiteral("five.dgz"));
    SaveLog(log, path);
    std::ostringstream expected;
    WriteCsv(log, expected);

    const ToolRun run = RunTool({path}, 0);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.toStdString(), expected.str());
}

TEST_F(Log2CsvTool, TruncatedFileGivesItsCompleteRecordsThenTheError)
{
    SampleLog log;
    test::FillLog(log, 3);
    const QString path = dir.filePath(QStringLiteral("cut.dgz"));
    SaveLog(log, path);
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.write(QByteArray(17, '\x01'));
    }
    std::ostringstream expected;
    WriteCsv(log, expected);

    const ToolRun run = RunTool({path}, 0);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out.toStdString(), expected.str());
    EXPECT_EQ(run.err.trimmed(), (path + QStringLiteral(": ") + QLatin1String(kReadBeyondEnd)).toLocal8Bit());
}

#ifdef Q_OS_UNIX
// A log bigger than the memory the tool may use is converted record by record instead
// of ending the tool when memory runs out. The file is sparse, so it costs no disk.
TEST_F(Log2CsvTool, FileBiggerThanItsMemoryIsStreamed)
{
    if (test::kAddressSanitizer) GTEST_SKIP() << test::kNoAddressLimitUnderAsan;
    constexpr qint64 kRecords = 2'000'000;        // 120 MB of records
    constexpr qint64 kMemory = 80 * 1024 * 1024;  // far less than the records take in a log
    const QString path = dir.filePath(QStringLiteral("huge.dgz"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write("DG", 2), 2);
        ASSERT_TRUE(f.resize(2 + kRecords * qint64(kSampleSize)));
    }
    const ToolRun run = RunTool({path, QStringLiteral("/dev/null")}, kMemory);
    EXPECT_FALSE(run.crashed) << run.err.toStdString();
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
}
#endif

}  // namespace
}  // namespace dp
