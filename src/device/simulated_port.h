#pragma once
// The simulated recorder as a device of this process: one recorder shared by every
// port that opens it (one at a time, as a real port), reached through SerialPort on
// any clock.

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "device/clock.h"
#include "device/port_directory.h"
#include "device/serial_port.h"
#include "device/zr7_recorder.h"

namespace tavo {

// A port operation that the simulated device refuses, to exercise error handling.
enum class PortFault {
    None,
    Busy,
    QueueSizes,
    GetLineSettings,
    SetLineSettings,
    Purge,
    Timeouts,
    Write,
    Gone // unplugged while open: reads and writes fail at once
};

class SimulatedDevice {
public:
    explicit SimulatedDevice(Zr7Options options = {}) : m_recorder(std::move(options)) {}

    // Locks the device; the recorder may only be touched while holding it.
    std::unique_lock<std::mutex> Lock() const { return std::unique_lock<std::mutex>(m_mutex); }
    Zr7Recorder& Recorder() { return m_recorder; }

    struct HostByte {
        std::int64_t at; // when the host wrote it
        std::uint8_t byte;
    };
    // Every byte the host wrote, in order. Call under Lock().
    const std::vector<HostByte>& HostLog() const { return m_hostLog; }
    void ClearHostLog() { m_hostLog.clear(); }

    void SetFault(PortFault fault) {
        auto lock = Lock();
        m_fault = fault;
    }

private:
    friend class SimulatedPort;
    mutable std::mutex m_mutex;
    Zr7Recorder m_recorder;
    std::vector<HostByte> m_hostLog;
    PortFault m_fault = PortFault::None;
    bool m_held = false;
};

class SimulatedPort final : public SerialPort {
public:
    SimulatedPort(std::shared_ptr<SimulatedDevice> device, Clock& clock)
        : m_device(std::move(device)), m_clock(clock) {}
    ~SimulatedPort() override;

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
    std::string ErrorReason() const override;
    bool Lost() const override;

    // The line settings last applied.
    const PortLineSettings& LineSettings() const { return m_line; }
    const PortTimeouts& Timeouts() const { return m_timeouts; }

private:
    bool Refused(PortFault step) const;

    std::shared_ptr<SimulatedDevice> m_device;
    Clock& m_clock;
    bool m_open = false;
    PortLineSettings m_line;
    PortTimeouts m_timeouts;
    std::int64_t m_unflushedMicros = 0;
};

// One simulated device as the only port, on `clock`: for programs that time the link
// against the recorder played in this process, with no operating-system line between.
class SingleDeviceDirectory final : public PortDirectory {
public:
    SingleDeviceDirectory(std::shared_ptr<SimulatedDevice> device, Clock& clock)
        : m_device(std::move(device)), m_clock(clock) {}
    std::vector<std::string> Devices() override { return {"simulated"}; }
    std::unique_ptr<SerialPort> CreatePort(const std::string&) override {
        return std::make_unique<SimulatedPort>(m_device, m_clock);
    }
    Clock& PortClock() override { return m_clock; }

private:
    std::shared_ptr<SimulatedDevice> m_device;
    Clock& m_clock;
};

} // namespace tavo
