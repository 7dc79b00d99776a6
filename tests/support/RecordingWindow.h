#pragma once
// The main window recording from the in-process virtual ECU on a manual clock, in a
// temporary working folder, with every question and file dialog answered by the test.

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>
#include <vector>

#include "app/TForm1.h"
#include "support/AnsweringTest.h"
#include "ecu/EngineSample.h"
#include "log/Journal.h"
#include "log/SampleLog.h"
#include "sim/SimClock.h"
#include "sim/SimPort.h"
#include "sim/VirtualEcu.h"

namespace dp::test {

class RecordingWindow : public AnsweringTest {
protected:
    ~RecordingWindow() override
    {
        if (form) form->Timer1->stop();
    }

    QString Path(const QString& name) const { return QDir(dir.path()).filePath(name); }
    QString JournalPath() const { return Path(kJournalFileName); }

    MainWindowServices Services()
    {
        MainWindowServices s;
        AnswerAsTheUser(s);
        s.nowSeconds = [this] { return now; };
        s.askSaveLogName = [this] { return saveName; };
        s.askOpenLogName = [this] { return openName; };
        s.port = &port;
        s.settingsFile = Path(QStringLiteral("param.bin"));
        return s;
    }
    TForm1& Open(MainWindowServices services)
    {
        if (form) form->Timer1->stop();
        form.reset();
        form = std::make_unique<TForm1>(log, std::move(services));
        form->Timer1->stop();  // the test ticks by hand
        return *form;
    }
    TForm1& Open() { return Open(Services()); }
    // For the next row of a table: no window, an empty log, an empty working folder.
    void StartAfresh()
    {
        if (form) form->Timer1->stop();
        form.reset();
        log.ClearLog();
        log.LogLoaded = false;
        QDir folder(dir.path());
        for (const QString& name : folder.entryList(QDir::Files)) folder.remove(name);
        errors.clear();
        asked.clear();
        answers.clear();
    }

    void Connect()
    {
        form->sButton1->click();
        ASSERT_TRUE(form->State.Connected);
    }
    void StartRecording()
    {
        Connect();
        form->sButton2->click();
        form->sButton3->click();
        ASSERT_TRUE(form->State.Recording);
    }
    void Tick(int count = 1)
    {
        for (int i = 0; i < count; ++i) {
            now += 0.1;
            form->Timer1Timer();
        }
    }
    bool Close()
    {
        QCloseEvent close;
        QCoreApplication::sendEvent(form.get(), &close);
        return close.isAccepted();
    }

    static QByteArray Read(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void Write(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }
    // The log file of the given samples.
    static QByteArray LogBytes(const std::vector<TEngineSample>& samples)
    {
        QByteArray bytes("DG");
        for (const TEngineSample& s : samples) {
            const SampleBytes b = SampleToBytes(s);
            bytes.append(reinterpret_cast<const char*>(b.data()), qsizetype(b.size()));
        }
        return bytes;
    }
    std::vector<TEngineSample> LogSamples() const
    {
        std::vector<TEngineSample> out;
        for (const SampleNode* n = log.Head(); n != nullptr; n = n->Next) out.push_back(n->Sample);
        return out;
    }

    QTemporaryDir dir;
    sim::ManualClock clock{1'000'000};
    sim::VirtualEcu ecu{{}, clock.nowUs()};
    sim::SimPort port{ecu, clock};
    SampleLog log;
    std::unique_ptr<TForm1> form;
    double now = 100.0;
    QString saveName, openName;
};

}  // namespace dp::test
