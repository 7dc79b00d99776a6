// "Ошибки", "Сброс" and "Сброс SL" on the main window with the report window, against a
// scripted unit on a manual clock.

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/TForm1.h"
#include "ecu/TForm6.h"
#include "log/SampleLog.h"
#include "support/ScriptedPort.h"

namespace dp::test {
namespace {

class FaultCodeButtons : public ::testing::Test {
protected:
    FaultCodeButtons()
    {
        port.onWrite = [this](ScriptedPort& p, const Bytes& w) {
            if (w == Bytes{0xFF, 0xFF, 0xEF}) p.arrive(p.nowUs + 4000, {0x10});
            if (w.size() == 19) p.arrive(p.nowUs + 20'000, {0xFF, 9, 0, 60, 0, 0, 0, 0, 140, 0, 0}, 1040);
            if (w == Bytes{0xD1, 0xF0} && !replies.empty()) {
                p.arrive(p.nowUs + 3000, replies.front(), 1040);
                replies.erase(replies.begin());
            }
        };
        MainWindowServices services;
        services.showError = [this](const QString& text) {
            errors << text;
            // The box's own event loop keeps delivering ticks.
            const std::size_t before = port.writes.size();
            form->Timer1Timer();
            writesDuringBox += port.writes.size() - before;
        };
        services.port = &port;
        services.settingsFile = dir.filePath(QStringLiteral("param.bin"));
        form = std::make_unique<TForm1>(log, services);
        form->Timer1->stop();  // ticks by hand
        form->attachWindows({nullptr, nullptr, nullptr, nullptr, &form6, nullptr});
        form->sButton1->click();
    }
    QString Report() const { return form6.sMemo1->toPlainText(); }

    QTemporaryDir dir;
    ScriptedPort port{false};
    std::vector<Bytes> replies;  // answers to the fault-code requests, in turn
    SampleLog log;
    QStringList errors;
    std::size_t writesDuringBox = 0;
    TForm6 form6;
    std::unique_ptr<TForm1> form;
};

TEST_F(FaultCodeButtons, EachPressShowsOnlyItsOwnReading)
{
    ASSERT_TRUE(form->State.Connected);
    replies = {{0xFF, 0x04, 0x21, 0x03, 0x0B, 0x0C}, {0x12, 0xFF, 0x03, 0x05, 0x00, 0x07}};

    form->sButton4->click();
    EXPECT_TRUE(form6.isVisible());
    EXPECT_EQ(Report(), QStringLiteral("Error: 21 from: 3 engine start\nError: 0B from: 12 engine start"));

    form->sButton4->click();
    EXPECT_EQ(Report(), QStringLiteral("Error: 05 from: 0 engine start"));

    // Silence: an empty report is still shown, with no message.
    form6.hide();
    form->sButton4->click();
    EXPECT_TRUE(form6.isVisible());
    EXPECT_EQ(Report(), QString());
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(FaultCodeButtons, ReportIsReadOnlyButCopyable)
{
    replies = {{0xFF, 0x02, 0x33, 0x0B}};
    form->sButton4->click();
    QPlainTextEdit* memo = form6.sMemo1;
    QTest::keyClicks(memo, QStringLiteral("x"));
    QTest::keyClick(memo, Qt::Key_Delete);
    EXPECT_EQ(Report(), QStringLiteral("Error: 33 from: 11 engine start"));

    QGuiApplication::clipboard()->clear();
    QTest::keyClick(memo, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(memo, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("Error: 33 from: 11 engine start"));
}

TEST_F(FaultCodeButtons, ResetsWriteTheirBytesAndReadNothing)
{
    form->sButton2->click();  // reading goes on around the resets
    port.arriveNow({0x2E});
    const int reads = port.readCalls;
    const std::size_t writes = port.writes.size();
    form->sButton5->click();
    form->sButton6->click();
    EXPECT_EQ(port.readCalls, reads);
    ASSERT_EQ(port.writes.size(), writes + 2);
    EXPECT_EQ(port.writes[writes], (Bytes{0xC1, 0xF0, 0x30}));
    EXPECT_EQ(port.writes[writes + 1], (Bytes{0x0A, 0x8B, 0x00, 0xF0}));
    EXPECT_EQ(port.waiting(), 1u);
    EXPECT_TRUE(form->State.Reading);
}

TEST_F(FaultCodeButtons, PortErrorsReportedOnceAndButtonsStayUsable)
{
    form->sButton2->click();
    replies = {{0xFF, 0x02, 0x21, 0x03}, {0xFF, 0x02, 0x21, 0x04}};
    form->sButton4->click();
    ASSERT_EQ(Report(), QStringLiteral("Error: 21 from: 3 engine start"));

    port.failReads = true;
    for (QPushButton* b : {form->sButton4, form->sButton5, form->sButton6}) {
        errors.clear();
        b->click();
        EXPECT_EQ(errors, QStringList{QStringLiteral("ReadFile function failed (Error: 5)")}) << b->text().toStdString();
    }
    EXPECT_EQ(writesDuringBox, 0u);
    EXPECT_EQ(Report(), QString()) << "a failed read leaves no old report behind";

    port.failReads = false;
    errors.clear();
    EXPECT_TRUE(form->sButton4->isEnabled() && form->sButton5->isEnabled() && form->sButton6->isEnabled());
    form->sButton4->click();
    EXPECT_EQ(Report(), QStringLiteral("Error: 21 from: 4 engine start"));
    EXPECT_TRUE(errors.isEmpty());
}

TEST(TForm6, DialogWithAMemoFillingIt)
{
    QWidget parent;
    parent.setGeometry(300, 300, 400, 300);
    parent.show();
    TForm6 form(&parent);
    form.show();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Form6"));
    EXPECT_EQ(form.size(), QSize(342, 325));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_EQ(form.pos(), QPoint(489, 281));
    EXPECT_EQ(form.sMemo1->geometry(), QRect(0, 0, 341, 325));
    EXPECT_TRUE(form.sMemo1->isReadOnly());
}

}  // namespace
}  // namespace dp::test
