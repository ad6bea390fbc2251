#pragma once
// The machine's serial devices through Qt SerialPort. Pseudo-terminals have no modem
// lines: there DTR and RTS cannot be held and that is not an error.

#include <memory>

#include "device/serial_port.h"

class QSerialPort;

namespace tavo {

class QtSerialPort final : public SerialPort {
public:
    QtSerialPort();
    ~QtSerialPort() override;

    PortOpenResult Open(const std::string& device) override;
    bool SetQueueSizes(std::size_t input, std::size_t output) override;
    bool GetLineSettings(PortLineSettings& settings) override;
    bool SetLineSettings(const PortLineSettings& settings) override;
    bool Purge() override;
    bool GetTimeouts(PortTimeouts& timeouts) override;
    bool SetTimeouts(const PortTimeouts& timeouts) override;
    bool Write(const std::uint8_t* data, std::size_t size) override;
    bool Flush() override;
    bool ReadByte(std::uint8_t& byte) override;
    void Close() override;
    std::string ErrorReason() const override { return m_reason; }
    bool Lost() const override;

private:
    bool Fail();

    std::unique_ptr<QSerialPort> m_port;
    PortTimeouts m_timeouts;
    bool m_dtr = false;
    bool m_rts = false;
    std::string m_reason;
};

} // namespace tavo
