// The journal file on its own: who may write it, and how a left one is kept aside.

#include "support/LogTestSamples.h"
#include "support/ReadOnlyFile.h"
#include "common/FileIo.h"
#include "log/Journal.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace dp {
namespace {

class JournalFile : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return QDir(dir.path()).filePath(name); }
    static QByteArray Read(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // A journal of n records as a killed run leaves it, with the given date.
    void Leave(const QString& path, int records, const QDateTime& at)
    {
        {
            Journal run(path);
            for (int i = 0; i < records; ++i) run.Append(test::MakeSample(i));
        }  // gone without Discard, as a killed program is
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(at, QFileDevice::FileModificationTime));
    }

    QTemporaryDir dir;
    const QDateTime at{QDate(2023, 11, 2), QTime(8, 5, 9)};
};

// A second program in the same folder must neither offer a journal still being
// written nor start its own over it.
TEST_F(JournalFile, JournalOfARunningProgramIsLeftToIt)
{
    const QString path = Path(kJournalFileName);
    Journal running(path);
    running.Append(test::MakeSample(1));
    const QByteArray written = Read(path);

    Journal second(path);
    EXPECT_EQ(second.Examine(), LeftJournal::InUse);
    EXPECT_THROW(second.Append(test::MakeSample(2)), IoError);
    second.Discard();
    EXPECT_EQ(Read(path), written);

    running.Append(test::MakeSample(3));
    running.Discard();
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(JournalFile, KeptAsideUnderItsDateWithoutReplacingAnother)
{
    const QString path = Path(kJournalFileName);
    QStringList kept;
    for (int run = 0; run < 2; ++run) {
        Leave(path, run + 1, at);
        Journal next(path);
        ASSERT_EQ(next.Examine(), LeftJournal::Recoverable);
        kept << QFileInfo(next.KeepAside()).fileName();
    }
    EXPECT_EQ(kept, (QStringList{QStringLiteral("journal-2023-11-02_08-05-09.dgz"),
                                 QStringLiteral("journal-2023-11-02_08-05-09-2.dgz")}));
    EXPECT_EQ(Read(Path(kept[0])).size(), 2 + 60);
    EXPECT_EQ(Read(Path(kept[1])).size(), 2 + 2 * 60);
    EXPECT_FALSE(QFile::exists(path));
}

// Where the left journal cannot be renamed, this run must not write over it or
// remove it: it stays for the next start to offer.
TEST_F(JournalFile, JournalThatCannotBeKeptAsideIsLeftAlone)
{
    const QString folder = Path(QStringLiteral("work"));
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString path = QDir(folder).filePath(kJournalFileName);
    Leave(path, 2, at);
    const QByteArray left = Read(path);
    // The lock file must be makeable, so the folder refuses new files only from here on.
    Journal next(path);
    ASSERT_EQ(next.Examine(), LeftJournal::Recoverable);
    const test::UnwritableFolder unwritable(folder);
    if (!unwritable.enforced()) GTEST_SKIP() << "this file system lets every new file in";
    EXPECT_THROW(next.KeepAside(), IoError);
    EXPECT_THROW(next.Append(test::MakeSample(9)), IoError);
    next.Discard();
    EXPECT_EQ(Read(path), left);
}

}  // namespace
}  // namespace dp
