#pragma once
// The raw command console's Send: one typed command with its value and address, and
// the text its reply field shows.

#include <functional>
#include <string>

#include "device/serial_link.h"

namespace tavo {

// Sends `command` as typed and reads what its first character calls for. A write
// ("R") asks `confirmWrite` first; refused, nothing is sent and the reply is empty.
std::string SendConsoleCommand(SerialLink& link, const std::string& command, unsigned value,
                               unsigned address, const std::function<bool()>& confirmWrite);

} // namespace tavo
