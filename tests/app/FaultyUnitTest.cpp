// Faulty units on a real port: the main window reads dravikprobe-ecusim through a
// pseudo-terminal with QSerialPort, once per fault the simulator offers. For each, the
// longest the window is held by one tick and by a connect, and what the user is told:
// never an error box; "нет ответа" beside the clock when a connect is not answered or
// nothing usable comes back for a few seconds while reading.

// The simulator serves pseudo-terminals, which only UNIX systems have.
#ifdef DP_ECUSIM_PATH

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>

#include "app/TForm1.h"
#include "log/SampleLog.h"

namespace dp {
namespace {

struct FaultRow {
    const char* name;
    QStringList args;  // simulator options
    bool connects;
    bool noAnswerShown;  // "нет ответа" comes up while reading
};

void PrintTo(const FaultRow& row, std::ostream* os) { *os << row.name; }

// Bounds from the link's limits, every read attempt waiting at most 1 ms: a tick is two
// exchanges of 101 await rounds, 1000 frame attempts and 1000 stop read-out attempts; a
// connect is two handshakes of 5000 attempts. Half again for a busy machine.
constexpr qint64 kTickBoundMs = 2 * (101 + 1000 + 1000) * 3 / 2;
constexpr qint64 kConnectBoundMs = 2 * 5000 * 3 / 2;
constexpr int kTicks = 8;
constexpr int kMaxTicksForSign = 30;

class FaultyUnit : public ::testing::TestWithParam<FaultRow> {
protected:
    void SetUp() override
    {
        unit.start(QStringLiteral(DP_ECUSIM_PATH), GetParam().args);
        ASSERT_TRUE(unit.waitForStarted(5000));
        ASSERT_TRUE(unit.waitForReadyRead(5000)) << unit.readAllStandardError().toStdString();
        path = unit.readLine().trimmed().toStdString();

        MainWindowServices services;
        services.showError = [this](const QString& text) { errors << text; };
        services.settingsFile = dir.filePath(QStringLiteral("param.bin"));
        form = std::make_unique<TForm1>(log, services);
        form->Timer1->stop();  // ticks by hand, each timed
    }
    void TearDown() override
    {
        form.reset();
        unit.terminate();
        unit.waitForFinished(5000);
    }
    qint64 Timed(const std::function<void()>& f)
    {
        QElapsedTimer t;
        t.start();
        f();
        return t.elapsed();
    }

    QProcess unit;
    std::string path;
    QTemporaryDir dir;
    SampleLog log;
    QStringList errors;
    std::unique_ptr<TForm1> form;
};

TEST_P(FaultyUnit, HoldsTheWindowWithinBoundsAndNeverRaisesAnError)
{
    const FaultRow& row = GetParam();
    form->Settings.PortName = path;
    const qint64 connectMs = Timed([&] { form->sButton1->click(); });
    EXPECT_EQ(form->State.Connected, row.connects);
    const QString connectStatus = form->Label10->text();
    EXPECT_EQ(connectStatus, row.connects ? QString() : QStringLiteral("нет ответа"));

    qint64 longestTickMs = 0;
    int ticks = 0;
    bool signShown = false;
    if (form->State.Connected) {
        form->sButton2->click();
        form->sButton3->click();
        // A quiet unit is watched until the sign comes up; an answering one for a few ticks.
        const int limit = row.noAnswerShown ? kMaxTicksForSign : kTicks;
        while (ticks < limit && !(row.noAnswerShown && signShown)) {
            const qint64 ms = Timed([&] { form->Timer1Timer(); });
            longestTickMs = std::max(longestTickMs, ms);
            ++ticks;
            signShown = signShown || form->Label10->text() == QStringLiteral("нет ответа");
        }
        EXPECT_EQ(log.Count(), std::size_t(ticks)) << "one sample per tick, answered or not";
        form->sButton1->click();
    }
    std::printf("%-14s connect %5lld ms, status \"%s\"; longest tick %5lld ms over %2d ticks, status \"%s\"; "
                "error boxes %lld\n",
                row.name, static_cast<long long>(connectMs), qPrintable(connectStatus),
                static_cast<long long>(longestTickMs), ticks, signShown ? "нет ответа" : "",
                static_cast<long long>(errors.size()));
    EXPECT_LE(connectMs, kConnectBoundMs);
    EXPECT_LE(longestTickMs, kTickBoundMs);
    EXPECT_EQ(signShown, row.noAnswerShown);
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
}

const FaultRow kRows[] = {
    {"healthy", {}, true, false},
    {"silent", {"--silent"}, false, false},
    // Later than the reply wait of 101 ms, well within the frame reader's patience.
    {"slow", {"--slow-ms", "150"}, true, false},
    {"garbage", {"--garbage"}, true, false},
    // Second replies of 12 bytes are refused; the first still decodes.
    {"wrong_length", {"--wrong-length"}, true, false},
    {"ff_in_data", {"--ff-in-data"}, true, false},
    // Gone after a few readings, while the connection stays up.
    {"vanishing", {"--vanish-after", "12"}, true, true},
};

INSTANTIATE_TEST_SUITE_P(Simulator, FaultyUnit, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace dp

#endif  // DP_ECUSIM_PATH
