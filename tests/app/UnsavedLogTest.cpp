// Recorded samples that have not been saved are never discarded unasked, a loaded log
// means one replaced by a file's records, and no error box stops the recording except
// a failing tick's own.

#include "support/RecordingWindow.h"
#include "support/Sanitizers.h"

#include <QAction>
#include <QLabel>

#include <cstdlib>
#include <ctime>

#ifdef Q_OS_LINUX
#include <sys/resource.h>
#include <fstream>
#include <unistd.h>
#endif

#include "common/FileIo.h"
#include "log/LogFile.h"

namespace dp::test {
namespace {

enum class Command { Close, Clear, Load };

class UnsavedLog : public RecordingWindow {
protected:
    // Runs a command that would discard the log; true when it went ahead.
    bool Run(Command command)
    {
        switch (command) {
        case Command::Close:
            return Close();
        case Command::Clear:
            form->N7->trigger();
            return log.IsEmpty();
        case Command::Load:
            form->N6->trigger();
            return log.LogLoaded;
        }
        return false;
    }
};

TEST_F(UnsavedLog, IsOfferedForSavingBeforeItGoes)
{
    struct Case {
        const char* name;
        Command command;
        Answer answer;
        const char* saveAs;  // the save dialog's answer: "" cancels it
        bool goesAhead;
        bool saved;
    };
    const Case cases[] = {
        {"close, cancel", Command::Close, Answer::Cancel, "", false, false},
        {"close, do not save", Command::Close, Answer::No, "", true, false},
        {"close, save", Command::Close, Answer::Yes, "saved.dgz", true, true},
        {"close, save dialog cancelled", Command::Close, Answer::Yes, "", false, false},
        {"close, save fails", Command::Close, Answer::Yes, "no-such-folder/saved.dgz", false, false},
        {"clear, cancel", Command::Clear, Answer::Cancel, "", false, false},
        {"clear, do not save", Command::Clear, Answer::No, "", true, false},
        {"clear, save", Command::Clear, Answer::Yes, "saved.dgz", true, true},
        {"load, cancel", Command::Load, Answer::Cancel, "", false, false},
        {"load, do not save", Command::Load, Answer::No, "", true, false},
        {"load, save", Command::Load, Answer::Yes, "saved.dgz", true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartAfresh();
        Open();
        StartRecording();
        Tick(3);
        const std::vector<TEngineSample> recorded = LogSamples();
        ASSERT_EQ(recorded.size(), 3u);
        openName = Path(QStringLiteral("other.dgz"));
        Write(openName, "DG" + QByteArray(60, '\0'));
        saveName = *c.saveAs ? Path(QString::fromLatin1(c.saveAs)) : QString();
        QFile::remove(Path(QStringLiteral("saved.dgz")));
        asked.clear();
        errors.clear();
        answers = {c.answer};

        EXPECT_EQ(Run(c.command), c.goesAhead);
        EXPECT_EQ(asked, std::vector<Question>{Question::SaveUnsavedLog});
        EXPECT_EQ(QFile::exists(Path(QStringLiteral("saved.dgz"))), c.saved);
        if (c.saved) {
            EXPECT_EQ(Read(Path(QStringLiteral("saved.dgz"))), LogBytes(recorded));
        }
        EXPECT_EQ(errors.size(), QString::fromLatin1(c.saveAs).contains('/') ? 1 : 0);
        if (!c.goesAhead) {
            EXPECT_EQ(LogSamples(), recorded);
            EXPECT_EQ(Read(JournalPath()), LogBytes(recorded));  // still safe on disk
        } else {
            EXPECT_FALSE(QFile::exists(JournalPath()));
        }
    }
}

TEST_F(UnsavedLog, NothingUnsavedAsksNothing)
{
    struct Case {
        const char* name;
        std::function<void()> before;
    };
    const Case cases[] = {
        {"never recorded", [] {}},
        {"recorded and saved",
         [this] {
             StartRecording();
             Tick(2);
             saveName = Path(QStringLiteral("saved.dgz"));
             form->N5->trigger();
         }},
        {"loaded from a file",
         [this] {
             openName = Path(QStringLiteral("other.dgz"));
             Write(openName, "DG" + QByteArray(120, '\0'));
             form->N6->trigger();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartAfresh();
        Open();
        c.before();
        asked.clear();
        form->N7->trigger();
        EXPECT_TRUE(Close());
        EXPECT_TRUE(asked.empty());
    }
}

// Only a file whose records replaced the log marks it as loaded, so the next
// recording starts a fresh log; anything else leaves the recorded log to be extended.
TEST_F(UnsavedLog, LoadedMeansReplacedByTheFile)
{
    struct Case {
        const char* name;
        QByteArray file;  // null: no such file
        bool replaced;
        std::size_t records;
        int errors;
    };
    const QByteArray record(60, '\x01');
    const Case cases[] = {
        {"missing file", QByteArray(), false, 3, 0},
        {"not a log", "XY" + record, false, 3, 0},
        {"partial last record", "DG" + record + record + QByteArray(17, '\x02'), true, 2, 1},
        {"log file", "DG" + record + record, true, 2, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartAfresh();
        Open();
        StartRecording();
        Tick(3);
        form->sButton3->click();  // stop recording
        openName = Path(QStringLiteral("chosen.dgz"));
        QFile::remove(openName);
        if (!c.file.isNull()) Write(openName, c.file);
        errors.clear();
        answers = {Answer::No};
        form->N6->trigger();
        EXPECT_EQ(log.LogLoaded, c.replaced);
        EXPECT_EQ(log.Count(), c.records);
        EXPECT_EQ(errors.size(), c.errors);

        // The next recording extends a recorded log but never mixes into a loaded one.
        form->sButton3->click();
        Tick();
        EXPECT_EQ(log.Count(), c.replaced ? 1u : 4u);
        answers = {Answer::No};
        EXPECT_TRUE(Close());
    }
}

// A save error left open on screen does not leave a gap in the recording.
TEST_F(UnsavedLog, SaveErrorBoxLetsTheRecordingGoOn)
{
    Open();
    StartRecording();
    Tick(2);
    saveName = Path(QStringLiteral("no-such-folder/saved.dgz"));
    onError = [this] { Tick(3); };  // the box's event loop keeps delivering ticks
    form->N5->trigger();
    onError = nullptr;
    EXPECT_EQ(errors.size(), 1);
    EXPECT_EQ(log.Count(), 5u);
}

// The connection clock does not follow the local time: changing the time zone (as a
// daylight-saving change does) between two ticks moves it by the time between them.
TEST_F(UnsavedLog, ConnectionClockIgnoresTheLocalTime)
{
    const QByteArray savedZone = qgetenv("TZ");
    const bool hadZone = qEnvironmentVariableIsSet("TZ");
    qputenv("TZ", "UTC0");
    tzset();
    MainWindowServices services = Services();
    services.nowSeconds = nullptr;  // the program's own clock
    Open(services);
    Connect();
    form->Timer1Timer();
    qputenv("TZ", "XYZ-10");  // ten hours ahead of UTC
    tzset();
    form->Timer1Timer();
    if (hadZone) {
        qputenv("TZ", savedZone);
    } else {
        qunsetenv("TZ");
    }
    tzset();
    EXPECT_GE(form->State.ConnectionClock, 0.0f);
    EXPECT_LT(form->State.ConnectionClock, 60.0f);
}

#ifdef Q_OS_LINUX
long long VirtualMemoryBytes()
{
    std::ifstream statm("/proc/self/statm");
    long long pages = 0;
    statm >> pages;
    return pages * sysconf(_SC_PAGESIZE);
}

// Loading a log too big for the memory left is reported and the program goes on; the
// part loaded so far is let go again.
TEST_F(UnsavedLog, LoadThatRunsOutOfMemoryIsReported)
{
    if (kAddressSanitizer) GTEST_SKIP() << kNoAddressLimitUnderAsan;
    Open();
    openName = Path(QStringLiteral("huge.dgz"));
    {
        // Sparse: four million records that cost no disk.
        QFile f(openName);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write("DG", 2), 2);
        ASSERT_TRUE(f.resize(2 + 4'000'000LL * 60));
    }
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_AS, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = rlim_t(VirtualMemoryBytes() + 160LL * 1024 * 1024);
    ASSERT_EQ(setrlimit(RLIMIT_AS, &small), 0);
    form->N6->trigger();
    setrlimit(RLIMIT_AS, &saved);

    EXPECT_EQ(errors, QStringList{QString::fromLatin1(kOutOfMemory)});
    EXPECT_TRUE(log.IsEmpty());
    StartRecording();
    Tick();
    EXPECT_EQ(log.Count(), 1u);
}
#endif

}  // namespace
}  // namespace dp::test
