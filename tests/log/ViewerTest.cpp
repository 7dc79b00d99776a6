// The log viewer window, headless: its controls, navigation and readouts.

#include "support/LogTestSamples.h"
#include "log/LogFile.h"
#include "log/Readout.h"
#include "log/TForm2.h"
#include "log/ViewerChart.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTemporaryDir>

namespace dp {
namespace {

using test::FillLog;

QString ReadoutOf(float v) { return ReadoutNumber(double(v), QLocale().decimalPoint().at(0)); }

class Viewer : public ::testing::Test {
protected:
    SampleLog log;
    TForm2 form{log};

    void Select(int combo, int channel) { form.sComboBox[std::size_t(combo)]->setCurrentIndex(channel); }
    // Time label, the four readouts and both cursor bars.
    QStringList Screen() const
    {
        QStringList shown{form.sLabel1->text(), form.sPanel2->text(), form.sPanel3->text(),
                          form.sPanel4->text(), form.sPanel5->text()};
        for (ViewerChart* chart : {form.Chart1, form.Chart2}) {
            for (auto it = chart->CursorBar()->data()->constBegin(); it != chart->CursorBar()->data()->constEnd(); ++it) {
                shown << QStringLiteral("bar %1 %2").arg(it->key).arg(it->value);
            }
        }
        return shown;
    }
    std::vector<QPushButton*> NavButtons() const
    {
        return {form.sButton1, form.sButton2, form.sButton3, form.sButton4, form.sButton5, form.sButton6};
    }
};

TEST_F(Viewer, IsATopLevelWindowOwnedByNoOther)
{
    EXPECT_TRUE(form.isWindow());
    EXPECT_EQ(form.parentWidget(), nullptr);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Просмотр лога"));
    EXPECT_EQ(form.size(), QSize(777, 539));
    EXPECT_EQ(form.minimumSize(), QSize(777, 532));
}

TEST_F(Viewer, ChannelGridHasLabelsAndFortyUntickedBoxes)
{
    EXPECT_EQ(form.Label[13]->text(), "Steer");
    EXPECT_EQ(form.Label[16]->text(), "Fuel p");
    EXPECT_EQ(form.Label[0]->objectName(), "Label1");
    EXPECT_EQ(form.Label[19]->pos(), QPoint(632, 52));
    for (int k = 0; k < 40; ++k) {
        SCOPED_TRACE(k + 1);
        const QCheckBox* box = form.sCheckBox[std::size_t(k)];
        EXPECT_EQ(box->objectName(), QStringLiteral("sCheckBox%1").arg(k + 1));
        EXPECT_EQ(box->text(), k % 2 == 0 ? "Graf 1" : "Graf 2");
        EXPECT_EQ(box->size(), QSize(49, 17));
        EXPECT_FALSE(box->isChecked());
    }
    EXPECT_EQ(form.sCheckBox[10]->geometry().topLeft(), QPoint(208, 20));  // channel 5, "Graf 1"
    EXPECT_EQ(form.sCheckBox[11]->geometry().topLeft(), QPoint(260, 20));  // channel 5, "Graf 2"
}

struct ButtonCase {
    const char* name;
    QPushButton* TForm2::*button;
    const char* caption;
    const char* hint;
    int x;
    bool anchoredRight;
};

TEST_F(Viewer, NavigationButtonsKeepTheirSideWhenTheWindowWidens)
{
    const ButtonCase cases[] = {
        {"to_start", &TForm2::sButton1, "|<", "В начало", 4, false},
        {"five_back", &TForm2::sButton2, "<<", "На 5 сек назад", 40, false},
        {"back", &TForm2::sButton3, "<", "Назад", 76, false},
        {"forward", &TForm2::sButton6, ">", "Вперед", 664, true},
        {"five_forward", &TForm2::sButton5, ">>", "На 5 сек вперед", 700, true},
        {"to_end", &TForm2::sButton4, ">|", "В конец", 736, true},
    };
    form.show();  // a hidden window is told of its new size only when shown
    form.resize(977, 600);
    EXPECT_EQ(form.sPanel1->geometry(), QRect(0, 68, 977, 49));
    for (const ButtonCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QPushButton* b = form.*c.button;
        EXPECT_EQ(b->text(), QString::fromUtf8(c.caption));
        EXPECT_EQ(b->toolTip(), QString::fromUtf8(c.hint));
        EXPECT_EQ(b->geometry(), QRect(c.x + (c.anchoredRight ? 200 : 0), 12, 33, 25));
    }
}

TEST_F(Viewer, ComboBoxesStartWithTextButNoSelection)
{
    const char* texts[] = {"RPM", "Speed", "Throtle", "MAF"};
    for (int k = 0; k < 4; ++k) {
        SCOPED_TRACE(texts[k]);
        const QComboBox* box = form.sComboBox[std::size_t(k)];
        EXPECT_EQ(box->currentText(), texts[k]);
        EXPECT_EQ(box->currentIndex(), -1);
        EXPECT_EQ(box->count(), 20);
        EXPECT_EQ(box->itemText(13), "Steering");
        EXPECT_EQ(TForm2::SelectedChannel(box), -1);
    }
    EXPECT_EQ(Screen(), (QStringList{"0", "0", "0", "0", "0"}));
}

TEST_F(Viewer, ChartsSplitTheHeightBelowThePanel)
{
    EXPECT_EQ(form.Chart1->geometry(), QRect(0, 119, 777, 208));
    EXPECT_EQ(form.Chart2->geometry(), QRect(0, 328, 777, 208));
    form.show();
    form.resize(900, 700);
    EXPECT_EQ(form.Chart1->geometry(), QRect(0, 119, 900, 289));
    EXPECT_EQ(form.Chart2->geometry(), QRect(0, 409, 900, 289));
}

TEST_F(Viewer, EmptyLogNavigationChangesNothing)
{
    for (QPushButton* b : NavButtons()) {
        SCOPED_TRACE(b->text().toStdString());
        b->click();
        EXPECT_EQ(Screen(), (QStringList{"0", "0", "0", "0", "0"}));
        EXPECT_EQ(log.Cursor(), nullptr);
    }
}

TEST_F(Viewer, CursorSampleShowsTimeReadoutsAndBar)
{
    TEngineSample s;
    s.Time = 12345.6f;
    s.EngineSpeed = 812.5f;
    s.FanFlag = 100;
    log.AppendSample(s);
    Select(0, 0);   // RPM
    Select(1, 17);  // Fan
    EXPECT_EQ(Screen(), (QStringList{"1.235E4", "812.5", "ON", "0", "0", "bar 12345.6 100", "bar 12345.6 100"}));

    form.sComboBox[2]->setEditText(QStringLiteral("rpm typed"));  // not a list item: panel unchanged
    EXPECT_EQ(form.sPanel4->text(), "0");
}

TEST_F(Viewer, EndsRefreshReadoutsEvenWhenTheCursorStays)
{
    FillLog(log, 3);
    Select(0, 0);
    form.sPanel2->setText(QStringLiteral("stale"));
    form.sButton3->click();  // "<" on the first sample
    EXPECT_EQ(log.Cursor(), log.Head());
    EXPECT_NE(form.sPanel2->text(), "stale");
    form.sButton4->click();
    form.sPanel2->setText(QStringLiteral("stale"));
    form.sButton6->click();  // ">" on the last
    EXPECT_EQ(log.Cursor(), log.Tail());
    EXPECT_NE(form.sPanel2->text(), "stale");
}

TEST_F(Viewer, ClearLogLeavesTheScreenAndNavigationIsSafe)
{
    FillLog(log, 5);
    Select(0, 0);
    form.sButton4->click();
    const QStringList before = Screen();
    log.ClearLog();
    EXPECT_EQ(Screen(), before);  // nothing changes until the cursor is shown again
    for (QPushButton* b : NavButtons()) {
        SCOPED_TRACE(b->text().toStdString());
        b->click();
        EXPECT_EQ(Screen(), before);
        EXPECT_EQ(log.Cursor(), nullptr);
    }
}

TEST_F(Viewer, NavigationAfterLoadWalksTheLoadedLog)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("drive.dgz"));
    {
        SampleLog saved;
        FillLog(saved, 4, 100);
        SaveLog(saved, path);
    }
    FillLog(log, 10);
    form.sButton4->click();  // cursor on the old log's tail
    LoadLog(log, path);
    Select(0, 0);
    form.sButton6->click();
    EXPECT_EQ(log.Cursor(), log.Head()->Next);
    EXPECT_EQ(form.sPanel2->text(), ReadoutOf(test::MakeSample(101).EngineSpeed));
    form.sButton4->click();
    EXPECT_EQ(log.Cursor(), log.Tail());
    EXPECT_EQ(form.sLabel1->text(), ReadoutOf(test::MakeSample(103).Time));
}

TEST_F(Viewer, FiveSecondButtonsStepByTime)
{
    for (int k = 0; k < 40; ++k) {
        TEngineSample s;
        s.Time = 0.5f * float(k);
        log.AppendSample(s);
    }
    form.sButton5->click();
    EXPECT_EQ(form.sLabel1->text(), "5");
    form.sButton5->click();
    EXPECT_EQ(form.sLabel1->text(), "10");
    form.sButton2->click();
    EXPECT_EQ(form.sLabel1->text(), "5");
    form.sButton1->click();
    EXPECT_EQ(form.sLabel1->text(), "0");
}

TEST_F(Viewer, CursorBarStaysOneBarPerChart)
{
    FillLog(log, 10);
    for (int k = 0; k < 12; ++k) form.sButton6->click();
    form.RebuildCharts();  // keeps the bar
    for (ViewerChart* chart : {form.Chart1, form.Chart2}) {
        ASSERT_EQ(chart->CursorBar()->data()->size(), 1);
        EXPECT_FLOAT_EQ(float(chart->CursorBar()->data()->constBegin()->key), test::MakeSample(9).Time);
        EXPECT_EQ(chart->CursorBar()->data()->constBegin()->value, 100);
    }
}

}  // namespace
}  // namespace dp
