// The journal as the main window keeps it: what it holds while recording, when it goes,
// and what start-up does with one left by a run that did not end normally.

#include "support/RecordingWindow.h"

#include <QAction>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>

namespace dp::test {
namespace {

class JournalWindow : public RecordingWindow {
protected:
    QStringList FilesInFolder() const { return QDir(dir.path()).entryList(QDir::Files, QDir::Name); }
};

TEST_F(JournalWindow, HoldsTheSamplesRecordedSinceTheLastSave)
{
    Open();
    StartRecording();
    Tick(3);
    EXPECT_EQ(Read(JournalPath()), LogBytes(LogSamples()));

    // A save ends its duty; the samples recorded after it start a new journal.
    saveName = Path(QStringLiteral("saved.dgz"));
    form->N5->trigger();
    EXPECT_FALSE(QFile::exists(JournalPath()));
    Tick(2);
    const std::vector<TEngineSample> all = LogSamples();
    EXPECT_EQ(Read(JournalPath()), LogBytes({all.end() - 2, all.end()}));

    // So does a clear the user agreed to, and a normal end.
    answers = {Answer::No};
    form->N7->trigger();
    EXPECT_FALSE(QFile::exists(JournalPath()));
    Tick();
    EXPECT_TRUE(QFile::exists(JournalPath()));
    answers = {Answer::No};
    EXPECT_TRUE(Close());
    EXPECT_EQ(FilesInFolder(), (QStringList{QStringLiteral("param.bin"), QStringLiteral("saved.dgz")}));
}

TEST_F(JournalWindow, LeftJournalIsOfferedAtStartUp)
{
    struct Case {
        const char* name;
        Answer answer;
    };
    const QDateTime recordedAt(QDate(2024, 3, 5), QTime(14, 30, 0));
    for (const Case& c : {Case{"recover", Answer::Yes}, Case{"decline", Answer::No}}) {
        SCOPED_TRACE(c.name);
        StartAfresh();
        // What a killed run leaves: three records and the start of a fourth.
        std::vector<TEngineSample> recorded(3);
        for (int i = 0; i < 3; ++i) recorded[std::size_t(i)].EngineSpeed = 800.0f + float(i);
        const QByteArray left = LogBytes(recorded) + QByteArray(17, '\x05');
        Write(JournalPath(), left);
        {
            QFile f(JournalPath());
            ASSERT_TRUE(f.open(QIODevice::ReadWrite));
            ASSERT_TRUE(f.setFileTime(recordedAt, QFileDevice::FileModificationTime));
        }
        answers = {c.answer};
        Open();
        EXPECT_EQ(asked, std::vector<Question>{Question::RecoverJournal});
        EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
        asked.clear();
        if (c.answer == Answer::Yes) {
            // As if loaded from a file, but still unsaved and still in the journal.
            EXPECT_EQ(LogSamples(), recorded);
            EXPECT_TRUE(log.LogLoaded);
            EXPECT_EQ(Read(JournalPath()), LogBytes(recorded));
            answers = {Answer::No};
            EXPECT_TRUE(Close());
            EXPECT_EQ(asked, std::vector<Question>{Question::SaveUnsavedLog});
            EXPECT_FALSE(QFile::exists(JournalPath()));
        } else {
            // Kept beside the others under its date, never deleted unasked.
            EXPECT_TRUE(log.IsEmpty());
            EXPECT_FALSE(QFile::exists(JournalPath()));
            EXPECT_EQ(Read(Path(QStringLiteral("journal-2024-03-05_14-30-00.dgz"))), left);
            EXPECT_TRUE(Close());
            EXPECT_TRUE(asked.empty());
        }
    }
}

TEST_F(JournalWindow, WhatIsNoRecordingIsNotOffered)
{
    struct Case {
        const char* name;
        QByteArray file;
        bool kept;     // left as it was
        int reports;   // journal failures reported while recording three samples
    };
    const Case cases[] = {
        {"cut off before its first record", "DG" + QByteArray(30, '\x01'), false, 0},
        {"empty", QByteArray(""), false, 0},
        {"someone's file", QByteArray("notes"), true, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartAfresh();
        Write(JournalPath(), c.file);
        Open();
        EXPECT_TRUE(asked.empty());
        EXPECT_EQ(QFile::exists(JournalPath()), c.kept);
        StartRecording();
        Tick(3);
        EXPECT_EQ(log.Count(), 3u);
        EXPECT_EQ(errors.size(), c.reports);
        if (c.kept) {
            EXPECT_EQ(Read(JournalPath()), c.file);
        }
    }
}

// A recovered recording is unsaved: starting a new recording, which clears a loaded
// log, offers it for saving first.
TEST_F(JournalWindow, RecoveredSamplesAreOfferedBeforeARecordingClearsThem)
{
    std::vector<TEngineSample> recorded(2);
    recorded[1].EngineSpeed = 900.0f;
    Write(JournalPath(), LogBytes(recorded));
    answers = {Answer::Yes};
    Open();
    Connect();
    form->sButton2->click();

    answers = {Answer::Cancel};
    form->sButton3->click();
    EXPECT_FALSE(form->State.Recording);
    EXPECT_EQ(LogSamples(), recorded);

    answers = {Answer::No};
    form->sButton3->click();
    EXPECT_TRUE(form->State.Recording);
    EXPECT_TRUE(log.IsEmpty());
    Tick();
    EXPECT_EQ(Read(JournalPath()), LogBytes(LogSamples()));
}

TEST_F(JournalWindow, WriteFailureIsReportedOnceAndRecordingGoesOn)
{
    MainWindowServices services = Services();
    services.journalFile = Path(QStringLiteral("no-such-folder/journal.dgz"));
    Open(services);
    StartRecording();
    Tick(3);
    EXPECT_EQ(log.Count(), 3u);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(QStringLiteral("no-such-folder/journal.dgz: the folder cannot be written")))
        << errors[0].toStdString();
}

#ifdef Q_OS_UNIX
// The real thing: the program records in a process of its own, is killed without
// warning in the middle of the recording, and the next start recovers every sample it
// had recorded.
TEST_F(JournalWindow, RecordingSurvivesAKilledProcess)
{
    QProcess recorder;
    recorder.start(QStringLiteral(DP_RECORDER_PATH), {dir.path()});
    ASSERT_TRUE(recorder.waitForStarted(10'000));
    QList<QByteArray> printed;
    QElapsedTimer waited;
    waited.start();
    while (printed.size() < 10 && waited.elapsed() < 60'000 && recorder.state() == QProcess::Running) {
        recorder.waitForReadyRead(1000);
        while (recorder.canReadLine()) printed << recorder.readLine().trimmed();
    }
    ASSERT_GE(printed.size(), 10) << recorder.readAllStandardError().toStdString();
    recorder.kill();  // SIGKILL: no close, no clean-up of any kind
    ASSERT_TRUE(recorder.waitForFinished(10'000));
    while (recorder.canReadLine()) printed << recorder.readLine().trimmed();
    const QByteArray reported = recorder.readAllStandardError();
    EXPECT_FALSE(reported.contains("error: ")) << reported.toStdString();

    answers = {Answer::Yes};
    Open();
    EXPECT_EQ(asked, std::vector<Question>{Question::RecoverJournal});
    const std::vector<TEngineSample> recovered = LogSamples();
    // Every sample printed had been recorded first; the kill may have come between the
    // recording of one more and its printing.
    ASSERT_GE(recovered.size(), std::size_t(printed.size()));
    EXPECT_LE(recovered.size(), std::size_t(printed.size()) + 1);
    for (qsizetype i = 0; i < printed.size(); ++i) {
        const SampleBytes bytes = SampleToBytes(recovered[std::size_t(i)]);
        EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())).toHex(),
                  printed[i])
            << "sample " << i;
    }
}
#endif

}  // namespace
}  // namespace dp::test
