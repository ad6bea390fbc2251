#pragma once
// The machine's serial devices through Qt SerialPort, behind any in-process devices
// installed at start (the demo), on the real clock. The program that needs the machine's
// ports makes one and hands it to whatever opens a port; the in-process devices go with
// it.

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "device/port_directory.h"

namespace tavo {

class SimulatedDevice;

class SystemPortDirectory final : public PortDirectory {
public:
    std::vector<std::string> Devices() override;
    std::vector<DescribedDevice> DescribedDevices() override;
    std::unique_ptr<SerialPort> CreatePort(const std::string& device) override;
    Clock& PortClock() override { return RealClock::Instance(); }
    // A thread Qt knows, for the Qt serial backend.
    std::unique_ptr<PortThread> StartPortThread(std::function<void()> body) override;

    // Puts an in-process device ahead of the machine's ports (after those installed
    // before), under `name`.
    void InstallFront(const std::string& name, std::shared_ptr<SimulatedDevice> device);

private:
    std::mutex m_mutex;
    std::vector<std::pair<std::string, std::shared_ptr<SimulatedDevice>>> m_inProcess;
};

} // namespace tavo
