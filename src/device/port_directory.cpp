#include "device/port_directory.h"

#include <QtSerialPort/QSerialPortInfo>
#include <algorithm>
#include <cctype>

#include "device/qt_serial_port.h"
#include "device/simulated_port.h"

namespace tavo {
namespace {

bool StartsWithNoCase(const std::string& s, const char* prefix, std::size_t& rest) {
    std::size_t i = 0;
    for (; prefix[i] != '\0'; ++i) {
        if (i >= s.size() ||
            std::toupper(static_cast<unsigned char>(s[i])) != static_cast<unsigned char>(prefix[i]))
            return false;
    }
    rest = i;
    return true;
}

// Splits "/dev/ttyUSB12" into "/dev/ttyUSB" and 12 (-1 when there is no number).
std::pair<std::string, long> SplitTrailingNumber(const std::string& s) {
    std::size_t end = s.size();
    while (end > 0 && std::isdigit(static_cast<unsigned char>(s[end - 1])))
        --end;
    if (end == s.size() || s.size() - end > 9)
        return {s, -1};
    return {s.substr(0, end), std::stol(s.substr(end))};
}

} // namespace

std::optional<unsigned> ComPortNumber(const std::string& name) {
    std::size_t pos = 0;
    if (!StartsWithNoCase(name, "\\\\.\\COM", pos) && !StartsWithNoCase(name, "COM", pos))
        return std::nullopt;
    std::size_t end = pos;
    unsigned n = 0;
    while (end < name.size() && std::isdigit(static_cast<unsigned char>(name[end])) &&
           end - pos < 4) {
        n = n * 10 + static_cast<unsigned>(name[end] - '0');
        ++end;
    }
    if (end == pos)
        return std::nullopt;
    if (end < name.size() && !(name[end] == ':' && end + 1 == name.size()))
        return std::nullopt;
    if (n < 1 || n > kMaxPortNumber)
        return std::nullopt;
    return n;
}

bool DevicePathLess(const std::string& a, const std::string& b) {
    const auto [stemA, numberA] = SplitTrailingNumber(a);
    const auto [stemB, numberB] = SplitTrailingNumber(b);
    if (stemA != stemB)
        return stemA < stemB;
    return numberA < numberB;
}

std::string PortDirectory::Resolve(const std::string& name) {
    const std::optional<unsigned> n = ComPortNumber(name);
    if (!n) {
        // A "COM..." name that numbers no port (COM0, COM300) opens nothing.
        std::size_t pos = 0;
        if (StartsWithNoCase(name, "COM", pos) || StartsWithNoCase(name, "\\\\.\\COM", pos))
            return std::string();
        return name;
    }
    const std::vector<std::string> devices = Devices();
    if (*n > devices.size())
        return std::string();
    return devices[*n - 1];
}

std::vector<DescribedDevice> PortDirectory::DescribedDevices() {
    std::vector<DescribedDevice> described;
    for (std::string& device : Devices())
        described.push_back({std::move(device), std::string()});
    return described;
}

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

SystemPortDirectory& DefaultPortDirectory() {
    static SystemPortDirectory directory;
    return directory;
}

} // namespace tavo
