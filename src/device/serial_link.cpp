#include "device/serial_link.h"

#include <cstdio>

#include "flight/text_format.h"

namespace tavo {

SerialLink::SerialLink(PortDirectory& ports, UserPrompt& prompt)
    : m_ports(ports), m_clock(ports.PortClock()), m_prompt(prompt) {}

SerialLink::~SerialLink() {
    if (m_hPort)
        m_hPort->Close();
}

void SerialLink::Fail(const std::string& prefix, const std::string& text, const std::string& reason,
                      bool statusToo) {
    if (statusToo)
        Status(prefix + text);
    Tell(WithReason(prefix + text, reason));
}

std::unique_ptr<SerialPort> SerialLink::OpenAndConfigure(const std::string& name, bool probe,
                                                         const std::string& prefix) {
    const std::string device = m_ports.Resolve(name);
    m_strPortLabel = device.empty() || device == name ? name : name + " (" + device + ")";
    // A probe's texts carry the port's name in front; a manual open names it below.
    const auto onPort = [&](const std::string& why) {
        if (probe)
            return why;
        if (device.empty())
            return "There is no port " + name + " on this machine.";
        return "Port " + m_strPortLabel + (why.empty() ? std::string() : ": " + why);
    };
    std::unique_ptr<SerialPort> port;
    std::string reason;
    if (!device.empty()) {
        port = m_ports.CreatePort(device);
        if (port->Open(device) != PortOpenResult::Opened) {
            reason = port->ErrorReason();
            port.reset();
        }
    }
    if (!port) {
        Fail(prefix, "COMM open error", onPort(reason), probe);
        return nullptr;
    }
    auto fail = [&](const char* text) {
        const std::string why = port->ErrorReason();
        port->Close();
        Fail(prefix, text, onPort(why), probe);
        return nullptr;
    };
    if (!port->SetQueueSizes(kPortQueueBytes, kPortQueueBytes))
        return fail("SetupCom error");
    PortLineSettings line;
    if (!port->GetLineSettings(line))
        return fail("GetCommState error");
    line.baudRate = 19200;
    line.dataBits = 8;
    line.parity = false;
    line.stopBits = 1;
    line.dtr = true;
    line.rts = true;
    line.hardwareFlowControl = false;
    line.softwareFlowControl = false;
    if (!port->SetLineSettings(line))
        return fail("SetCommState error");
    if (!port->Purge())
        return fail("PurgeComm error");
    PortTimeouts timeouts;
    if (!port->GetTimeouts(timeouts))
        return fail("SetCommTimeouts error");
    timeouts.readInterval = kReadIntervalMillis;
    timeouts.readTotalPerByte = kReadTotalPerByteMillis;
    timeouts.readTotalConstant = kReadTotalConstantMillis;
    if (probe) {
        timeouts.writeTotalPerByte = kProbeWritePerByteMillis;
        timeouts.writeTotalConstant = kProbeWriteConstantMillis;
    }
    if (!port->SetTimeouts(timeouts))
        return fail("SetCommTimeouts error");
    return port;
}

bool SerialLink::OpenPort() {
    if (m_bAutoPort) {
        Status("Auto port");
        EnumeratePorts();
        if (!OpenFirstFreePort()) {
            Tell(WithReason("Auto Port Open error", AutoPortHint()));
            return false;
        }
    } else {
        std::unique_ptr<SerialPort> port = OpenAndConfigure(m_strPortName, false, std::string());
        if (!port)
            return false;
        m_hPort = std::move(port);
    }
    m_bPortOpen = true;
    Status("Comm port open");
    Pause(kPauseMillis);
    return true;
}

std::string SerialLink::AutoPortHint() const {
    std::string tried, busy;
    for (std::size_t i = 0; i < m_arrPortNumbers.size(); ++i) {
        std::string& list = m_arrPortBusy[i] != 0 ? busy : tried;
        list += (list.empty() ? "COM" : ", COM") + std::to_string(m_arrPortNumbers[i]);
    }
    std::string hint;
    if (!tried.empty())
        hint = "No recorder answered on " + tried + ".";
    if (!busy.empty())
        hint += (hint.empty() ? "" : " ") + busy +
                (busy.find(',') == std::string::npos ? " is in use by another program."
                                                     : " are in use by other programs.");
    return hint + (hint.empty() ? "" : "\n") +
           "Check that the recorder is connected and switched on, and that you may use the "
           "serial ports (on Linux: a member of the group dialout).";
}

void SerialLink::ClosePort() {
    if (m_hPort) {
        m_hPort->Close();
        m_hPort.reset();
    }
    m_bPortOpen = false;
    Status("Comm port closed");
}

void SerialLink::EnumeratePorts() {
    m_arrPortNumbers.clear();
    m_arrPortBusy.clear();
    const std::vector<std::string> devices = m_ports.Devices();
    for (unsigned n = 1; n <= kMaxPortNumber && n <= devices.size(); ++n) {
        const std::string& device = devices[n - 1];
        std::unique_ptr<SerialPort> port = m_ports.CreatePort(device);
        switch (port->Open(device)) {
        case PortOpenResult::Opened:
            port->Close();
            m_arrPortNumbers.push_back(n);
            m_arrPortBusy.push_back(0);
            break;
        case PortOpenResult::Busy:
            m_arrPortNumbers.push_back(n);
            m_arrPortBusy.push_back(1);
            break;
        case PortOpenResult::Absent:
            break;
        }
    }
}

bool SerialLink::OpenFirstFreePort() {
    if (m_arrPortNumbers.empty()) {
        Tell("No ports available");
        return false;
    }
    for (std::size_t i = 0; i < m_arrPortNumbers.size(); ++i) {
        if (Cancelled())
            return false;
        if (m_arrPortBusy[i] != 0)
            continue;
        char name[16];
        std::snprintf(name, sizeof name, "COM%u", m_arrPortNumbers[i]);
        if (ProbePort(name))
            return true;
    }
    return false;
}

bool SerialLink::ProbePort(const std::string& name) {
    if (name.compare(0, 3, "COM") != 0)
        return false;
    std::unique_ptr<SerialPort> port = OpenAndConfigure(name, true, name + "-");
    if (!port)
        return false;
    Status(name + "-Comm port open");
    Pause(kPauseMillis);
    const std::uint8_t buzz = 'B';
    if (!port->Write(&buzz, 1)) {
        const std::string reason = port->ErrorReason();
        port->Close();
        Status(name + "-Write port error");
        Tell(WithReason("Write port error", reason));
        return false;
    }
    port->Flush();
    std::uint8_t answer = 0;
    bool answered = false;
    for (int i = 0; i < kReplyAttempts && !answered && !Cancelled(); ++i) {
        std::uint8_t byte = 0;
        if (port->ReadByte(byte) && byte != 0) {
            answer = byte;
            answered = true;
        }
    }
    if (answered && (answer == 'E' || answer == 'K')) {
        m_hPort = std::move(port);
        return true;
    }
    Status(name + "-Connect failed!");
    port->Close();
    return false;
}

bool SerialLink::WriteString(const std::string& text) {
    if (!m_bPortOpen || !m_hPort)
        return false;
    if (!m_hPort->Write(reinterpret_cast<const std::uint8_t*>(text.data()), text.size())) {
        Tell(WithReason("Write port error", m_hPort->ErrorReason()));
        ClosePort();
        return false;
    }
    m_hPort->Flush();
    return true;
}

bool SerialLink::ReadByte(std::uint8_t& byte) {
    if (!m_bPortOpen || !m_hPort) {
        m_clock.SleepMillis(kSilenceMillis);
        return false;
    }
    return m_hPort->ReadByte(byte);
}

bool SerialLink::PortLost(std::string& reason) const {
    if (!m_bPortOpen || !m_hPort) {
        reason = "The port " + m_strPortLabel + " was closed after a write error";
        return true;
    }
    if (!m_hPort->Lost())
        return false;
    const std::string why = m_hPort->ErrorReason();
    reason =
        "The port " + m_strPortLabel + " failed: " + (why.empty() ? "the device is gone" : why);
    return true;
}

std::string SerialLink::ReadReply() {
    std::string text;
    if (!m_bPortOpen)
        return text;
    std::uint8_t byte = 0;
    while (text.size() < kMaxReplyBytes && ReadByte(byte))
        text.push_back(static_cast<char>(byte));
    return text;
}

std::string SerialLink::ReadReplyTerminated(TransferStop& stop) {
    std::string text;
    if (!m_bPortOpen)
        return text;
    while (text.size() < kMaxReplyBytes) {
        std::uint8_t byte = 0;
        if (ReadByte(byte)) {
            text.push_back(static_cast<char>(byte));
            stop.m_timeLastActivity = m_clock.WholeSeconds();
            if (byte == 'K' || byte == '\n')
                break;
            continue;
        }
        // A device that is gone fails every read at once: waiting out the inactivity
        // rule would spin for its two seconds.
        std::string lost;
        if (PortLost(lost) || m_clock.WholeSeconds() - stop.m_timeLastActivity > kInactivitySeconds)
            stop.m_bStopRequest = true;
        if (stop.m_bStopRequest)
            break;
    }
    return text;
}

int SerialLink::ReadValue(bool word) {
    if (!m_bPortOpen)
        return 0;
    std::uint8_t low = 0;
    std::uint8_t high = 0;
    if (!ReadByte(low))
        low = 0;
    if (!ReadByte(high))
        high = 0;
    return word ? low + 256 * high : low;
}

} // namespace tavo
