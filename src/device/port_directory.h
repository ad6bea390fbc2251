#pragma once
// Which serial devices the machine has, how the recorder's port names map to them,
// and how a port object for a name is made.
//
// Ports are numbered 1 to 255: in-process devices first (the demo recorder), then the
// machine's serial devices sorted by kind and number (/dev/ttyACM0, /dev/ttyACM1, ...,
// /dev/ttyS0, ..., /dev/ttyUSB0, ...). "COMn", "COMn:" and "\\.\COMn" (any letter
// case) all mean port number n; any other name, such as /dev/ttyUSB0 or a
// pseudo-terminal, is a device path used as typed.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "device/clock.h"
#include "device/port_thread.h"
#include "device/serial_port.h"

namespace tavo {

constexpr unsigned kMaxPortNumber = 255;
// How the port lists describe a device that this process plays itself (the demo).
constexpr const char* kInProcessDescription = "simulated in this program";

// The port number that a "COMn" style name means, or nothing for any other name.
std::optional<unsigned> ComPortNumber(const std::string& name);

// Orders device paths by their name without the trailing number, then by that number,
// so ttyS2 comes before ttyS10.
bool DevicePathLess(const std::string& a, const std::string& b);

// A numbered device with what the machine says it is ("FT232R USB UART (FTDI)"), for
// the lists the user picks a port from; the description may be empty.
struct DescribedDevice {
    std::string device;
    std::string description;
};

class PortDirectory {
public:
    virtual ~PortDirectory() = default;
    // The devices that carry port numbers, in order: element 0 is port 1.
    virtual std::vector<std::string> Devices() = 0;
    // The same devices with their descriptions, in one look at the machine so the two
    // cannot disagree. Without descriptions of its own a directory gives empty ones.
    virtual std::vector<DescribedDevice> DescribedDevices();
    // A closed port object able to open `device` (a name from Devices() or a path).
    virtual std::unique_ptr<SerialPort> CreatePort(const std::string& device) = 0;
    // The clock that the ports' time-outs run on.
    virtual Clock& PortClock() = 0;
    // Starts `body` on a thread fit to own this directory's ports.
    virtual std::unique_ptr<PortThread> StartPortThread(std::function<void()> body);

    // The device that a configured port name means, or empty when a "COMn" name has
    // no device behind it.
    std::string Resolve(const std::string& name);
};

} // namespace tavo
