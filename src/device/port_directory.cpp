#include "device/port_directory.h"

#include <algorithm>
#include <cctype>

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

std::unique_ptr<PortThread> PortDirectory::StartPortThread(std::function<void()> body) {
    return StartStandardPortThread(std::move(body));
}

} // namespace tavo
