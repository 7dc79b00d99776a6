// The real serial backend on a pseudo-terminal served by the virtual ECU: the bytes
// QSerialPort reads in the event loop and those read from the driver directly must
// come out as one stream in arrival order, and a vanished line must be a read error.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <memory>

#include "ecu/EcuLink.h"
#include "ecu/LiveStream.h"
#include "ecu/QtSerialBackend.h"
#include "sim/PtyServer.h"

namespace dp {
namespace {

class BackendOnTerminal : public testing::Test {
protected:
    BackendOnTerminal()
    {
        server->start();
        port.setPortName(server->slavePath());
        port.open();
    }
    // Lets the event loop run for a while, as between refresh ticks.
    static void IdleMs(int ms)
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }

    std::unique_ptr<sim::PtyServer> server = std::make_unique<sim::PtyServer>(sim::EcuOptions{}, 9600);
    QtSerialBackend port;
    EcuLink link{port};
};

TEST_F(BackendOnTerminal, StreamArrivesWholeWhateverReadsIt)
{
    ASSERT_TRUE(link.EcuInit());
    LiveStream stream(link);
    ASSERT_EQ(stream.Start(9600), StreamStart::Running);
    TEngineSample sample;
    for (int tick = 0; tick < 20; ++tick) {
        IdleMs(30);
        stream.Poll(sample);
        port.waitForInput(1);  // a wait that takes what it finds
        EXPECT_GE(port.inputCount(), 0);
    }
    EXPECT_GE(stream.frames().framesFound(), 20);
    EXPECT_EQ(stream.frames().resyncs(), 0);
    stream.Stop();
}

TEST_F(BackendOnTerminal, AWriteGoesOutWhileBytesKeepArriving)
{
    ASSERT_TRUE(link.EcuInit());
    link.SendCommand(kStreamRequest.data(), int(kStreamRequest.size()));
    IdleMs(30);  // QSerialPort reads in the event loop meanwhile
    const uint8_t stop = 0x30;
    port.write(&stop, 1);
    // Without the stop reaching the unit the stream would go on; with it the line ends
    // with the end mark and falls silent.
    std::vector<uint8_t> got;
    QElapsedTimer quiet;
    quiet.start();
    QElapsedTimer total;
    total.start();
    while (quiet.elapsed() < 60 && total.elapsed() < 2000) {
        uint8_t b = 0;
        if (port.readByte(b)) {
            got.push_back(b);
            quiet.start();
        } else {
            port.waitForInput(1);
        }
    }
    ASSERT_FALSE(got.empty());
    EXPECT_EQ(got.back(), 0xCF);
    EXPECT_LT(total.elapsed(), 1000);
}

TEST_F(BackendOnTerminal, VanishedLineIsAReadError)
{
    ASSERT_TRUE(link.EcuInit());
    server.reset();  // the other end of the line is gone
    uint8_t byte = 0;
    EXPECT_THROW(
        {
            for (int i = 0; i < 100; ++i) {
                port.readByte(byte);
                port.waitForInput(1);
            }
        },
        SerialError);
}

}  // namespace
}  // namespace dp
