#pragma once
// One serial device, opened exclusively, with the few operations the recorder link
// needs. Backends: Qt SerialPort for the machine's ports and pseudo-terminals, and
// the in-process simulated recorder.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace tavo {

// Why an open failed. Busy means the device exists but is held elsewhere or not
// ready (the enumeration lists it and never probes it); Absent means there is no
// such device.
enum class PortOpenResult { Opened, Busy, Absent };

struct PortLineSettings {
    int baudRate = 9600;
    int dataBits = 8;
    bool parity = false;
    int stopBits = 1;
    bool dtr = false;
    bool rts = false;
    bool hardwareFlowControl = false;
    bool softwareFlowControl = false;
};

// Read and write time-outs in milliseconds, as the link sets them: a read of n bytes
// gives up after readTotalPerByte * n + readTotalConstant, or when readInterval passes
// between two bytes. A negative write value leaves the driver's own.
struct PortTimeouts {
    int readInterval = 0;
    int readTotalPerByte = 0;
    int readTotalConstant = 0;
    int writeTotalPerByte = -1;
    int writeTotalConstant = -1;
};

class SerialPort {
public:
    virtual ~SerialPort() = default;
    // Opens the device for reading and writing, exclusively; existing devices only.
    virtual PortOpenResult Open(const std::string& device) = 0;
    virtual bool SetQueueSizes(std::size_t input, std::size_t output) = 0;
    virtual bool GetLineSettings(PortLineSettings& settings) = 0;
    virtual bool SetLineSettings(const PortLineSettings& settings) = 0;
    // Drops whatever waits in either direction.
    virtual bool Purge() = 0;
    virtual bool GetTimeouts(PortTimeouts& timeouts) = 0;
    virtual bool SetTimeouts(const PortTimeouts& timeouts) = 0;
    // Writes every byte; false when the device refused them.
    virtual bool Write(const std::uint8_t* data, std::size_t size) = 0;
    // Waits until written bytes have left the driver.
    virtual bool Flush() = 0;
    // Reads one byte within the read time-outs; false when none came.
    virtual bool ReadByte(std::uint8_t& byte) = 0;
    virtual void Close() = 0;
    // The system's reason for the last failure ("Permission denied"), or empty.
    virtual std::string ErrorReason() const = 0;
    // The device went away under the open port (unplugged, the far end of a
    // pseudo-terminal closed): no byte will come any more, however long one waits.
    virtual bool Lost() const { return false; }
};

} // namespace tavo
