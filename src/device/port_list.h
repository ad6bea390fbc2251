#pragma once
// The ports a user can choose from, as the Administer and Setup dialogs list them: every
// numbered port under its "COMn:" name, with the device behind it and what the machine
// says it is, and the name the user has stored or typed even when it names nothing here.

#include <string>
#include <vector>

#include "device/port_directory.h"

namespace tavo {

struct PortChoice {
    // What is stored and opened: "COM3:", or a stored name kept as it was written.
    std::string name;
    // The device behind it ("/dev/ttyUSB0", the demo's name); empty when there is none.
    std::string device;
    // What the machine says the device is, or why the entry is listed without one.
    std::string description;
    bool present = true;
};

// The description of a stored name that no port of this machine answers to.
constexpr const char* kPortNotFound = "not found on this machine";

// The numbered ports in order, then `current` when it names none of them (a port that
// was unplugged, a path typed by hand). An empty `current` adds nothing.
std::vector<PortChoice> ListPortChoices(PortDirectory& ports, const std::string& current);

// The entry that `name` means: the same port number ("com3", "\\.\COM3" and "COM3:"
// are one port), the same device path, or the same text. -1 when none.
int FindPortChoice(const std::vector<PortChoice>& choices, const std::string& name);

} // namespace tavo
