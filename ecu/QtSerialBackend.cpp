#include "ecu/QtSerialBackend.h"

#include <QRegularExpression>

namespace dp {

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
}

void QtSerialBackend::close()
{
    if (port_.isOpen()) port_.close();
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
    port_.waitForBytesWritten(100 * count + 1000);
    if (port_.error() == QSerialPort::ResourceError || port_.error() == QSerialPort::WriteError)
        fail("WriteFile function failed");
    return int(written);
}

bool QtSerialBackend::pump(int ms)
{
    const bool arrived = port_.waitForReadyRead(ms);
    const auto err = port_.error();
    if (err == QSerialPort::ResourceError || err == QSerialPort::ReadError) fail("ReadFile function failed");
    if (err != QSerialPort::NoError) port_.clearError();  // a timeout is no failure here
    return arrived;
}

bool QtSerialBackend::readByte(uint8_t& byte)
{
    requireOpen();
    if (port_.bytesAvailable() == 0) pump(0);
    char c = 0;
    if (!port_.getChar(&c)) return false;
    byte = uint8_t(c);
    return true;
}

int QtSerialBackend::inputCount()
{
    requireOpen();
    pump(0);
    return int(port_.bytesAvailable());
}

bool QtSerialBackend::waitForInput(int ms)
{
    requireOpen();
    return pump(ms);
}

}  // namespace dp
