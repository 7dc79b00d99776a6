// Real serial software talks to the virtual unit through the pseudo-terminal.

#if defined(__unix__) || defined(__APPLE__)

#include <gtest/gtest.h>

#include <QSerialPort>
#include <QElapsedTimer>
#include <QThread>
#include <filesystem>
#include <memory>
#include <optional>
#include <unistd.h>

#include "sim/PtyServer.h"

namespace dp::sim {
namespace {

QByteArray Bytes(std::initializer_list<uint8_t> b) { return QByteArray(reinterpret_cast<const char*>(b.begin()), int(b.size())); }

// Reads until want bytes are in or the time is up.
QByteArray ReadFor(QSerialPort& port, int want, int ms)
{
    QByteArray got;
    QElapsedTimer timer;
    timer.start();
    while (got.size() < want && timer.elapsed() < ms) {
        if (port.bytesAvailable() == 0) port.waitForReadyRead(10);
        got += port.read(want - got.size());
    }
    return got;
}

// Reads, from the start of a frame, until the unit's end mark 0xCF outside a frame
// (frames are passed over whole, so a 0xCF in their data is no end mark). The end is
// the mark itself, never a pause of the line: on a busy machine the serving thread
// can be kept from running for longer than any pause one would wait for. The time
// limit only ends a read that fails.
QByteArray ReadToEndMark(QSerialPort& port, int ms)
{
    QByteArray got;
    int toSkip = 0;  // bytes of the current frame still to pass over; -1: its length is next
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        if (port.bytesAvailable() == 0) port.waitForReadyRead(10);
        char c = 0;
        while (port.getChar(&c)) {
            got += c;
            const auto b = uint8_t(c);
            if (toSkip == -1) {
                toSkip = b;
            } else if (toSkip > 0) {
                --toSkip;
            } else if (b == 0xCF) {
                return got;
            } else if (b == 0xFF) {
                toSkip = -1;
            }
        }
    }
    return got;
}

// Reads until the line stays quiet for quietMs: only for checking that nothing comes.
QByteArray ReadUntilQuiet(QSerialPort& port, int quietMs)
{
    QByteArray got;
    while (port.waitForReadyRead(quietMs) || port.bytesAvailable() > 0) got += port.readAll();
    return got;
}

void Send(QSerialPort& port, const QByteArray& b)
{
    ASSERT_EQ(port.write(b), b.size());
    ASSERT_TRUE(port.waitForBytesWritten(1000));
}

class PtyServerTest : public ::testing::Test {
protected:
    void SetUp() override { Connect({}); }
    void Connect(EcuOptions options)
    {
        server = std::make_unique<PtyServer>(options, 9600);
        server->start();
        port.setPortName(QString::fromStdString(server->slavePath()));
        port.setBaudRate(9600);
        ASSERT_TRUE(port.open(QIODevice::ReadWrite)) << port.errorString().toStdString();
        port.setDataBits(QSerialPort::Data8);
        port.setParity(QSerialPort::NoParity);
        port.setStopBits(QSerialPort::OneStop);
        port.setFlowControl(QSerialPort::NoFlowControl);
    }

    std::unique_ptr<PtyServer> server;
    QSerialPort port;
};

struct UnitCase {
    const char* name;
    int64_t slowUs;  // the unit's delay before every answer, also before its end mark
};

class PtyServerUnits : public PtyServerTest, public ::testing::WithParamInterface<UnitCase> {
protected:
    void SetUp() override { Connect({.slowUs = GetParam().slowUs}); }
};

TEST_P(PtyServerUnits, HandshakeRegisterReadAndFaultCodes)
{
    Send(port, Bytes({0xFF, 0xFF, 0xEF}));
    EXPECT_EQ(ReadFor(port, 1, 2000), Bytes({0x10}));

    Send(port, Bytes({0x5A, 0x00, 0x5A, 0x01, 0xF0}));
    const QByteArray head = ReadFor(port, 12, 5000);  // echo and two frames
    ASSERT_EQ(head.size(), 12);
    EXPECT_EQ(head.left(4), Bytes({0xA5, 0x00, 0xA5, 0x01}));
    EXPECT_EQ(head.mid(4, 2), Bytes({0xFF, 0x02}));
    EXPECT_EQ(head.mid(8, 2), Bytes({0xFF, 0x02}));
    Send(port, Bytes({0x30}));
    const QByteArray tail = ReadToEndMark(port, 5000);
    ASSERT_FALSE(tail.isEmpty());
    EXPECT_EQ(uint8_t(tail.back()), 0xCF);
    EXPECT_EQ((head.size() + tail.size() - 1 - 4) % 4, 0) << "whole frames, then CF";

    Send(port, Bytes({0xD1, 0xF0}));
    EXPECT_EQ(ReadFor(port, 9, 5000), Bytes({0x2E, 0xFF, 0x06, 0x21, 0x03, 0x34, 0x0C, 0x45, 0x07}));
    Send(port, Bytes({0x30}));
    const QByteArray end = ReadToEndMark(port, 5000);
    ASSERT_FALSE(end.isEmpty());
    EXPECT_EQ(uint8_t(end.back()), 0xCF);
}

// A unit that takes its time stands for a serving thread kept from running on a busy
// machine: either way the line pauses, and the end of the stream must not be taken
// from the pause.
INSTANTIATE_TEST_SUITE_P(Pty, PtyServerUnits,
                         ::testing::Values(UnitCase{"Prompt", 0}, UnitCase{"Slow", 150'000}),
                         [](const auto& info) { return std::string(info.param.name); });

// Waits, within a bound, until the served unit's running test is want.
bool UnitRuns(PtyServer& server, std::optional<ActiveTestState> want)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 2000) {
        std::optional<ActiveTestState> now;
        if (!server.inspect([&](const VirtualEcu& ecu) { now = ecu.engine().activeTest(); })) return false;
        if (now == want) return true;
        QThread::msleep(5);
    }
    return false;
}

TEST_F(PtyServerTest, ActiveTestEchoedThenRunUntilTheLoneEndByte)
{
    Send(port, Bytes({0x0A, 0x80, 0x32, 0xF0}));
    EXPECT_EQ(ReadFor(port, 3, 2000), Bytes({0xF5, 0x80, 0x32}));
    EXPECT_TRUE(UnitRuns(*server, ActiveTestState{0x80, 0x32}));
    Send(port, Bytes({0xF0}));
    EXPECT_TRUE(UnitRuns(*server, std::nullopt));
    EXPECT_TRUE(ReadUntilQuiet(port, 100).isEmpty()) << "the end byte is not answered";
}

TEST(PtyServerInspect, NothingToInspectUntilServed)
{
    PtyServer server({}, 9600);
    EXPECT_FALSE(server.inspect([](const VirtualEcu&) {}));
    server.start();
    QElapsedTimer timer;
    timer.start();
    bool served = false;
    while (!served && timer.elapsed() < 2000) served = server.inspect([](const VirtualEcu&) {});
    EXPECT_TRUE(served);
    server.stop();
    EXPECT_FALSE(server.inspect([](const VirtualEcu&) {}));
}

// The unit keeps line pace: a stream of 4-byte frames brings about 960 bytes a second.
TEST_F(PtyServerTest, StreamIsPacedAtLineSpeed)
{
    Send(port, Bytes({0x5A, 0x00, 0x5A, 0x01, 0xF0}));
    QElapsedTimer timer;
    timer.start();
    const QByteArray got = ReadFor(port, 10000, 300);
    const double perSecond = got.size() * 1000.0 / double(timer.elapsed());
    Send(port, Bytes({0x30}));
    EXPECT_GT(perSecond, 600);
    EXPECT_LT(perSecond, 1300);
}

TEST(PtyServerLink, LinkPointsAtTheTerminalAndGoesAway)
{
    const std::string link = ::testing::TempDir() + "dp-ecusim-link-" + std::to_string(getpid());
    std::filesystem::remove(link);
    {
        PtyServer server({}, 9600);
        server.makeLink(link);
        server.makeLink(link);  // again: replaces its own link
        EXPECT_EQ(std::filesystem::read_symlink(link), server.slavePath());
    }
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
}

TEST(PtyServerLink, RefusesToReplaceAFile)
{
    const std::string file = ::testing::TempDir() + "dp-ecusim-file-" + std::to_string(getpid());
    { std::FILE* f = std::fopen(file.c_str(), "w"); ASSERT_NE(f, nullptr); std::fclose(f); }
    PtyServer server({}, 9600);
    EXPECT_THROW(server.makeLink(file), std::runtime_error);
    EXPECT_TRUE(std::filesystem::is_regular_file(file));
    std::filesystem::remove(file);
}

}  // namespace
}  // namespace dp::sim

#endif
