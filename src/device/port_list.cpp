#include "device/port_list.h"

#include <optional>

namespace tavo {

std::vector<PortChoice> ListPortChoices(PortDirectory& ports, const std::string& current) {
    std::vector<PortChoice> choices;
    const std::vector<DescribedDevice> devices = ports.DescribedDevices();
    for (std::size_t i = 0; i < devices.size() && i < kMaxPortNumber; ++i) {
        PortChoice choice;
        choice.name = "COM" + std::to_string(i + 1) + ":";
        choice.device = devices[i].device;
        choice.description = devices[i].description;
        choices.push_back(std::move(choice));
    }
    if (!current.empty() && FindPortChoice(choices, current) < 0)
        choices.push_back({current, std::string(), kPortNotFound, false});
    return choices;
}

int FindPortChoice(const std::vector<PortChoice>& choices, const std::string& name) {
    const std::optional<unsigned> number = ComPortNumber(name);
    for (std::size_t i = 0; i < choices.size(); ++i) {
        const PortChoice& choice = choices[i];
        if (choice.name == name || (!choice.device.empty() && choice.device == name))
            return static_cast<int>(i);
        if (number && choice.present && ComPortNumber(choice.name) == number)
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace tavo
