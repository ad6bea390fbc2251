#include "device/qt/qt_serial_port.h"

#include <QtSerialPort/QSerialPort>

#if defined(Q_OS_UNIX)
#include <termios.h>
#endif

namespace tavo {
namespace {

// The write time-outs a manual open leaves to the driver. Qt has no driver value to
// keep, so a flush waits as a driver's default would: long enough for any command to
// leave at 19,200 baud, short enough that a dead device is noticed.
constexpr int kDriverWritePerByteMillis = 1;
constexpr int kDriverWriteConstantMillis = 5000;

} // namespace

QtSerialPort::QtSerialPort() = default;

QtSerialPort::~QtSerialPort() {
    Close();
}

bool QtSerialPort::Fail() {
    m_reason = m_port ? m_port->errorString().toStdString() : std::string();
    return false;
}

PortOpenResult QtSerialPort::Open(const std::string& device) {
    Close();
    m_reason.clear();
    m_port = std::make_unique<QSerialPort>();
    m_port->setPortName(QString::fromLocal8Bit(device.c_str()));
    if (m_port->open(QIODevice::ReadWrite))
        return PortOpenResult::Opened;
    const QSerialPort::SerialPortError error = m_port->error();
    m_reason = m_port->errorString().toStdString();
    m_port.reset();
    switch (error) {
    // In use, locked by another program, or there but failing: the enumeration
    // lists such a port as busy and never probes it.
    case QSerialPort::PermissionError:
    case QSerialPort::ResourceError:
    case QSerialPort::OpenError:
        return PortOpenResult::Busy;
    default:
        return PortOpenResult::Absent;
    }
}

bool QtSerialPort::SetQueueSizes(std::size_t input, std::size_t) {
    if (!m_port)
        return false;
    // The driver's own queues cannot be sized here; bounding Qt's read buffer keeps a
    // babbling device from growing it without end.
    m_port->setReadBufferSize(static_cast<qint64>(input));
    return true;
}

bool QtSerialPort::GetLineSettings(PortLineSettings& settings) {
    if (!m_port)
        return false;
    settings.baudRate = m_port->baudRate();
    settings.dataBits = static_cast<int>(m_port->dataBits());
    settings.parity = m_port->parity() != QSerialPort::NoParity;
    settings.stopBits = m_port->stopBits() == QSerialPort::TwoStop ? 2 : 1;
    settings.hardwareFlowControl = m_port->flowControl() == QSerialPort::HardwareControl;
    settings.softwareFlowControl = m_port->flowControl() == QSerialPort::SoftwareControl;
    settings.dtr = m_dtr;
    settings.rts = m_rts;
    return true;
}

bool QtSerialPort::SetLineSettings(const PortLineSettings& s) {
    if (!m_port)
        return false;
    const QSerialPort::FlowControl flow = s.hardwareFlowControl   ? QSerialPort::HardwareControl
                                          : s.softwareFlowControl ? QSerialPort::SoftwareControl
                                                                  : QSerialPort::NoFlowControl;
    if (!m_port->setBaudRate(s.baudRate) ||
        !m_port->setDataBits(static_cast<QSerialPort::DataBits>(s.dataBits)) ||
        !m_port->setParity(s.parity ? QSerialPort::EvenParity : QSerialPort::NoParity) ||
        !m_port->setStopBits(s.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop) ||
        !m_port->setFlowControl(flow))
        return Fail();
    // Devices without modem lines (pseudo-terminals, some adapters) refuse these;
    // the recorder only needs them where they exist.
    if (!m_port->setDataTerminalReady(s.dtr))
        m_port->clearError();
    if (!m_port->setRequestToSend(s.rts))
        m_port->clearError();
    m_dtr = s.dtr;
    m_rts = s.rts;
    return true;
}

bool QtSerialPort::Purge() {
    if (!m_port)
        return false;
    return m_port->clear(QSerialPort::AllDirections) || Fail();
}

bool QtSerialPort::GetTimeouts(PortTimeouts& timeouts) {
    if (!m_port)
        return false;
    timeouts = m_timeouts;
    return true;
}

bool QtSerialPort::SetTimeouts(const PortTimeouts& timeouts) {
    if (!m_port)
        return false;
    m_timeouts = timeouts;
    return true;
}

bool QtSerialPort::Write(const std::uint8_t* data, std::size_t size) {
    if (!m_port)
        return false;
    const qint64 written =
        m_port->write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    if (written != static_cast<qint64>(size))
        return Fail();
    return true;
}

bool QtSerialPort::Flush() {
    if (!m_port)
        return false;
    const int perByte = m_timeouts.writeTotalPerByte >= 0 ? m_timeouts.writeTotalPerByte
                                                          : kDriverWritePerByteMillis;
    const int constant = m_timeouts.writeTotalConstant >= 0 ? m_timeouts.writeTotalConstant
                                                            : kDriverWriteConstantMillis;
    while (m_port->bytesToWrite() > 0) {
        const int wait = static_cast<int>(perByte * m_port->bytesToWrite()) + constant;
        if (!m_port->waitForBytesWritten(wait))
            return Fail();
    }
#if defined(Q_OS_UNIX)
    ::tcdrain(m_port->handle());
#endif
    return true;
}

bool QtSerialPort::ReadByte(std::uint8_t& byte) {
    if (!m_port)
        return false;
    if (m_port->bytesAvailable() == 0) {
        const int wait = m_timeouts.readTotalPerByte + m_timeouts.readTotalConstant;
        if (!m_port->waitForReadyRead(wait)) {
            // Qt's text for it is whatever errno held last, often unrelated.
            if (Lost())
                m_reason = "the device can no longer be read; it was unplugged, or the program "
                           "behind it ended";
            return false;
        }
    }
    char c = 0;
    if (!m_port->getChar(&c))
        return false;
    byte = static_cast<std::uint8_t>(c);
    return true;
}

bool QtSerialPort::Lost() const {
    // A device that vanished (unplugged, a pseudo-terminal whose other end closed) fails
    // every read at once, which Qt reports as a read or a resource error. The port's
    // own reads never fail otherwise: a silent line is a time-out, not an error.
    if (!m_port)
        return false;
    const QSerialPort::SerialPortError error = m_port->error();
    return error == QSerialPort::ReadError || error == QSerialPort::ResourceError;
}

void QtSerialPort::Close() {
    if (!m_port)
        return;
    m_port->close();
    m_port.reset();
}

} // namespace tavo
