#include "device/qt/system_port_directory.h"

#include <QThread>
#include <QtSerialPort/QSerialPortInfo>
#include <algorithm>

#include "device/qt/qt_serial_port.h"
#include "device/simulated_port.h"

namespace tavo {
namespace {

class QtPortThread final : public PortThread {
public:
    explicit QtPortThread(std::function<void()> body) : m_thread(QThread::create(std::move(body))) {
        m_thread->start();
    }
    ~QtPortThread() override { Join(); }
    void Join() override { m_thread->wait(); }

private:
    std::unique_ptr<QThread> m_thread;
};

} // namespace

std::vector<std::string> SystemPortDirectory::Devices() {
    std::vector<std::string> devices;
    for (DescribedDevice& entry : DescribedDevices())
        devices.push_back(std::move(entry.device));
    return devices;
}

std::vector<DescribedDevice> SystemPortDirectory::DescribedDevices() {
    std::vector<DescribedDevice> devices;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (const auto& entry : m_inProcess)
            devices.push_back({entry.first, kInProcessDescription});
    }
    std::vector<DescribedDevice> system;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        std::string description = info.description().toStdString();
        const std::string maker = info.manufacturer().toStdString();
        if (!maker.empty() && description.find(maker) == std::string::npos)
            description = description.empty() ? maker : description + " (" + maker + ")";
        system.push_back({info.systemLocation().toStdString(), std::move(description)});
    }
    std::sort(system.begin(), system.end(), [](const DescribedDevice& a, const DescribedDevice& b) {
        return DevicePathLess(a.device, b.device);
    });
    system.erase(std::unique(system.begin(), system.end(),
                             [](const DescribedDevice& a, const DescribedDevice& b) {
                                 return a.device == b.device;
                             }),
                 system.end());
    devices.insert(devices.end(), system.begin(), system.end());
    if (devices.size() > kMaxPortNumber)
        devices.resize(kMaxPortNumber);
    return devices;
}

std::unique_ptr<SerialPort> SystemPortDirectory::CreatePort(const std::string& device) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (const auto& entry : m_inProcess) {
            if (entry.first == device)
                return std::make_unique<SimulatedPort>(entry.second, PortClock());
        }
    }
    return std::make_unique<QtSerialPort>();
}

void SystemPortDirectory::InstallFront(const std::string& name,
                                       std::shared_ptr<SimulatedDevice> device) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_inProcess.emplace_back(name, std::move(device));
}

std::unique_ptr<PortThread> SystemPortDirectory::StartPortThread(std::function<void()> body) {
    return std::make_unique<QtPortThread>(std::move(body));
}

} // namespace tavo
