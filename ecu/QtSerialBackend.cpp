#include "ecu/QtSerialBackend.h"

#include <QDeadlineTimer>
#include <QRegularExpression>

// The one place that speaks to the operating system's serial driver directly.
#ifdef Q_OS_UNIX
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif
#ifdef __linux__
#include <linux/serial.h>
#include <sys/ioctl.h>
#endif

namespace dp {
namespace {

#ifdef Q_OS_UNIX
[[noreturn]] void ThrowReadError(int code)
{
    const QString text = QStringLiteral("ReadFile function failed (Error: %1)\n%2")
                             .arg(code)
                             .arg(QString::fromLocal8Bit(std::strerror(code)));
    throw SerialError(text.toStdString());
}
#endif

}  // namespace

QString DeviceForPortName(const std::string& name)
{
    const QString n = QString::fromStdString(name).trimmed();
#ifdef Q_OS_WIN
    return n;
#else
    static const QRegularExpression com(QStringLiteral("^COM([1-9][0-9]*)$"),
                                        QRegularExpression::CaseInsensitiveOption);
    const auto m = com.match(n);
    if (m.hasMatch()) return QStringLiteral("/dev/ttyS%1").arg(m.captured(1).toInt() - 1);
    return n;  // a path, or a name QSerialPort resolves under /dev
#endif
}

void QtSerialBackend::setPortName(const std::string& name)
{
    if (name == name_) return;
    name_ = name;
    if (port_.isOpen()) {
        close();
        open();
    }
}

void QtSerialBackend::setBaudIndex(int code)
{
    if (code == baudIndex_) return;
    baudIndex_ = code;
    if (port_.isOpen() && !port_.setBaudRate(BaudRateForCode(code))) fail("SetCommState function failed");
}

void QtSerialBackend::open()
{
    if (port_.isOpen()) return;
    port_.setPortName(DeviceForPortName(name_));
    if (!port_.open(QIODevice::ReadWrite)) {
        QString reason = port_.errorString();
        if (port_.error() == QSerialPort::PermissionError) {
#ifndef Q_OS_WIN
            reason += QStringLiteral(
                "\nThe port may need the \"dialout\" group: sudo usermod -aG dialout $USER, then log in again.");
#endif
        }
        const QString text = QStringLiteral("Unable to open com port (Error: %1)\n%2: %3")
                                 .arg(int(port_.error()))
                                 .arg(port_.portName(), reason);
        throw SerialError(text.toStdString());
    }
    const bool configured = port_.setBaudRate(BaudRateForCode(baudIndex_)) &&
                            port_.setDataBits(QSerialPort::Data8) && port_.setParity(QSerialPort::NoParity) &&
                            port_.setStopBits(QSerialPort::OneStop) &&
                            port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!configured) {
        const QString text = QStringLiteral("SetCommState function failed (Error: %1)\n%2")
                                 .arg(int(port_.error()))
                                 .arg(port_.errorString());
        port_.close();  // a half-configured port is left closed
        throw SerialError(text.toStdString());
    }
    // Adapters that power themselves from the modem lines want them low. Virtual
    // terminals and some adapters have no such lines; that is no reason to refuse them.
    port_.setDataTerminalReady(false);
    port_.setRequestToSend(false);
    port_.clearError();
    rx_.clear();
#ifdef Q_OS_UNIX
    // QSerialPort reads the line in the event loop whenever bytes arrive, about once a
    // millisecond on a busy line. With room for one byte its reader stops after that
    // byte until the next take(), which reads the driver itself: two wake-ups between
    // ticks instead of hundreds.
    port_.setReadBufferSize(1);
#endif
#ifdef __linux__
    // USB adapters' drivers hold received bytes up to 16 ms unless asked for low
    // latency. Pseudo-terminals and some drivers refuse; the port works either way.
    serial_struct serial{};
    const int fd = int(port_.handle());
    if (::ioctl(fd, TIOCGSERIAL, &serial) == 0 && !(serial.flags & ASYNC_LOW_LATENCY)) {
        serial.flags |= ASYNC_LOW_LATENCY;
        [[maybe_unused]] const int refused = ::ioctl(fd, TIOCSSERIAL, &serial);
    }
#endif
}

void QtSerialBackend::close()
{
    if (port_.isOpen()) port_.close();
    rx_.clear();
}

void QtSerialBackend::requireOpen() const
{
    if (!port_.isOpen()) throw SerialError("Port Not Open");
}

void QtSerialBackend::fail(const char* what)
{
    const QString text = QStringLiteral("%1 (Error: %2)\n%3").arg(QLatin1String(what)).arg(int(port_.error())).arg(port_.errorString());
    port_.clearError();
    throw SerialError(text.toStdString());
}

int QtSerialBackend::write(const uint8_t* data, int count)
{
    requireOpen();
    const qint64 written = port_.write(reinterpret_cast<const char*>(data), count);
    if (written < 0) fail("WriteFile function failed");
    // Blocking write with the same limit the protocol assumes: 100 ms per byte plus 1 s.
    // QSerialPort's wait gives up without writing when bytes arrive and its one-byte
    // read buffer is full, so the buffer is emptied and the wait taken up again.
    const QDeadlineTimer deadline(100 * count + 1000);
    while (port_.bytesToWrite() > 0 && !deadline.hasExpired()) {
        take();
        port_.waitForBytesWritten(int(std::max<qint64>(deadline.remainingTime(), 0)));
        if (port_.error() == QSerialPort::ResourceError || port_.error() == QSerialPort::WriteError)
            fail("WriteFile function failed");
        if (port_.error() != QSerialPort::NoError) port_.clearError();  // a timeout is no failure here
    }
    return int(written);
}

void QtSerialBackend::checkReadError()
{
    const auto err = port_.error();
    if (err == QSerialPort::ResourceError || err == QSerialPort::ReadError) fail("ReadFile function failed");
    if (err != QSerialPort::NoError) port_.clearError();  // a timeout is no failure here
}

bool QtSerialBackend::take()
{
    const std::size_t before = rx_.size();
    // Bytes QSerialPort read in the event loop are older than any still in the driver.
    if (port_.bytesAvailable() > 0) {
        const QByteArray bytes = port_.readAll();
        rx_.insert(rx_.end(), bytes.begin(), bytes.end());
    }
#ifdef Q_OS_UNIX
    const int fd = int(port_.handle());
    uint8_t chunk[512];
    for (;;) {
        pollfd watch{fd, POLLIN, 0};
        const int ready = ::poll(&watch, 1, 0);
        if (ready < 0 && errno == EINTR) continue;
        if (ready < 0) ThrowReadError(errno);
        if (ready == 0) break;  // nothing waiting
        if (watch.revents & (POLLERR | POLLNVAL)) ThrowReadError(EIO);
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n > 0) {
            rx_.insert(rx_.end(), chunk, chunk + n);
            if (std::size_t(n) < sizeof chunk) break;
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
        // Readable, yet nothing to read: the line has hung up, as QSerialPort also takes it.
        ThrowReadError(n == 0 ? EIO : errno);
    }
#else
    while (port_.waitForReadyRead(0)) {
        const QByteArray bytes = port_.readAll();
        rx_.insert(rx_.end(), bytes.begin(), bytes.end());
    }
    checkReadError();
#endif
    return rx_.size() > before;
}

bool QtSerialBackend::waitAndTake(int ms)
{
#ifdef Q_OS_UNIX
    pollfd watch{int(port_.handle()), POLLIN, 0};
    if (::poll(&watch, 1, std::max(ms, 0)) < 0 && errno != EINTR) ThrowReadError(errno);
#else
    port_.waitForReadyRead(ms);
    checkReadError();
#endif
    return take();
}

bool QtSerialBackend::readByte(uint8_t& byte)
{
    requireOpen();
    if (rx_.empty()) take();
    if (rx_.empty()) return false;
    byte = rx_.front();
    rx_.pop_front();
    return true;
}

int QtSerialBackend::inputCount()
{
    requireOpen();
    take();
    return int(rx_.size());
}

bool QtSerialBackend::waitForInput(int ms)
{
    requireOpen();
    return take() || waitAndTake(ms);
}

}  // namespace dp
