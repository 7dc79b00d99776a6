#include "support/LogTestSamples.h"
#include "log/SampleLog.h"

#include <gtest/gtest.h>

namespace dp {
namespace {

using test::FillLog;
using test::MakeSample;
using test::Samples;

TEST(SampleLog, StartsEmpty)
{
    SampleLog log;
    EXPECT_EQ(log.Head(), nullptr);
    EXPECT_EQ(log.Tail(), nullptr);
    EXPECT_EQ(log.Cursor(), nullptr);
    EXPECT_TRUE(log.IsEmpty());
    EXPECT_FALSE(log.LogLoaded);
}

TEST(SampleLog, ThreeAppendsLinkBothWaysAndKeepCursorOnFirst)
{
    SampleLog log;
    FillLog(log, 3);

    ASSERT_EQ(log.Count(), 3u);
    SampleNode* head = log.Head();
    SampleNode* tail = log.Tail();
    ASSERT_NE(head, nullptr);
    EXPECT_EQ(head->Prev, nullptr);
    EXPECT_EQ(tail->Next, nullptr);
    EXPECT_EQ(head->Next->Next, tail);
    EXPECT_EQ(tail->Prev->Prev, head);
    EXPECT_EQ(head->Next->Prev, head);
    EXPECT_EQ(tail->Prev->Next, tail);
    EXPECT_EQ(log.Cursor(), head);
    EXPECT_EQ(Samples(log), (std::vector<TEngineSample>{MakeSample(0), MakeSample(1), MakeSample(2)}));
}

TEST(SampleLog, AppendKeepsACopyOfTheSample)
{
    SampleLog log;
    TEngineSample live = MakeSample(5);
    log.AppendSample(live);
    live.EngineSpeed = 1;  // the live record is updated in place on every tick
    EXPECT_EQ(log.Head()->Sample, MakeSample(5));
}

TEST(SampleLog, CursorStaysPutWhenSamplesArrive)
{
    SampleLog log;
    FillLog(log, 2);
    for (SampleNode* at : {log.Head(), log.Tail()}) {
        log.SetCursor(at);
        log.AppendSample(MakeSample(9));
        EXPECT_EQ(log.Cursor(), at);
        EXPECT_NE(log.Tail(), at);
    }
}

TEST(SampleLog, ClearLogEmptiesButLeavesLogLoadedAlone)
{
    SampleLog log;
    FillLog(log, 3);
    log.LogLoaded = true;
    log.ClearLog();
    EXPECT_TRUE(log.IsEmpty());
    EXPECT_EQ(log.Head(), nullptr);
    EXPECT_EQ(log.Tail(), nullptr);
    EXPECT_EQ(log.Cursor(), nullptr);
    EXPECT_TRUE(log.LogLoaded);

    log.ClearLog();  // clearing an empty log is harmless
    EXPECT_TRUE(log.IsEmpty());
    EXPECT_TRUE(log.LogLoaded);

    log.AppendSample(MakeSample(7));
    EXPECT_EQ(log.Count(), 1u);
    EXPECT_EQ(log.Cursor(), log.Head());
    EXPECT_EQ(log.Head(), log.Tail());
    EXPECT_EQ(log.Head()->Sample, MakeSample(7));
}

// Across several storage blocks the nodes must neither move nor lose their links.
TEST(SampleLog, NodesStayPutAcrossBlocks)
{
    SampleLog log;
    const int count = int(3 * SampleLog::kBlockNodes + 5);
    FillLog(log, int(SampleLog::kBlockNodes));
    const SampleNode* first = log.Head();
    const SampleNode* lastOfBlock = log.Tail();
    FillLog(log, count - int(SampleLog::kBlockNodes), int(SampleLog::kBlockNodes));

    EXPECT_EQ(log.Head(), first);
    EXPECT_EQ(lastOfBlock->Sample, MakeSample(int(SampleLog::kBlockNodes) - 1));
    ASSERT_EQ(log.Count(), std::size_t(count));

    int forward = 0;
    for (const SampleNode* n = log.Head(); n != nullptr; n = n->Next, ++forward) {
        ASSERT_EQ(n->Sample, MakeSample(forward));
    }
    int backward = 0;
    for (const SampleNode* n = log.Tail(); n != nullptr; n = n->Prev) ++backward;
    EXPECT_EQ(forward, count);
    EXPECT_EQ(backward, count);
}

}  // namespace
}  // namespace dp
