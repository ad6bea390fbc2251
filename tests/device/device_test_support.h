#pragma once
// A bench of simulated devices on virtual time; a ScriptedPrompt keeps what the link
// reported, in order.

#include <memory>
#include <string>
#include <vector>

#include "device/port_directory.h"
#include "device/serial_link.h"
#include "device/simulated_port.h"
#include "support/scripted_prompt.h"

namespace tavo::test {

// A port whose device is not there.
class AbsentPort final : public SerialPort {
public:
    PortOpenResult Open(const std::string&) override { return PortOpenResult::Absent; }
    bool SetQueueSizes(std::size_t, std::size_t) override { return false; }
    bool GetLineSettings(PortLineSettings&) override { return false; }
    bool SetLineSettings(const PortLineSettings&) override { return false; }
    bool Purge() override { return false; }
    bool GetTimeouts(PortTimeouts&) override { return false; }
    bool SetTimeouts(const PortTimeouts&) override { return false; }
    bool Write(const std::uint8_t*, std::size_t) override { return false; }
    bool Flush() override { return false; }
    bool ReadByte(std::uint8_t&) override { return false; }
    void Close() override {}
    std::string ErrorReason() const override { return "No such device"; }
};

// Numbered simulated devices on one virtual clock.
class BenchDirectory final : public PortDirectory {
public:
    std::shared_ptr<SimulatedDevice> Add(Zr7Options options = {}) {
        auto device = std::make_shared<SimulatedDevice>(std::move(options));
        devices.push_back(device);
        return device;
    }
    std::vector<std::string> Devices() override {
        std::vector<std::string> names;
        for (std::size_t i = 0; i < devices.size(); ++i)
            names.push_back("sim" + std::to_string(i + 1));
        return names;
    }
    std::unique_ptr<SerialPort> CreatePort(const std::string& device) override {
        for (std::size_t i = 0; i < devices.size(); ++i) {
            if (device == "sim" + std::to_string(i + 1)) {
                auto port = std::make_unique<SimulatedPort>(devices[i], *portClock);
                lastPort = port.get();
                return port;
            }
        }
        return std::make_unique<AbsentPort>();
    }
    Clock& PortClock() override { return *portClock; }

    VirtualClock clock;
    Clock* portClock = &clock; // point at RealClock::Instance() for timed runs
    std::vector<std::shared_ptr<SimulatedDevice>> devices;
    SimulatedPort* lastPort = nullptr;
};

// The host's bytes as a string, and their times relative to `start` in ms.
inline std::string HostBytes(SimulatedDevice& device) {
    auto lock = device.Lock();
    std::string s;
    for (const auto& b : device.HostLog())
        s.push_back(static_cast<char>(b.byte));
    return s;
}
inline std::vector<std::int64_t> HostTimesMs(SimulatedDevice& device, std::int64_t start) {
    auto lock = device.Lock();
    std::vector<std::int64_t> times;
    for (const auto& b : device.HostLog())
        times.push_back((b.at - start) / 1000);
    return times;
}

} // namespace tavo::test
