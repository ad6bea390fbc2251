#include "device/console_command.h"

#include "device/recorder_protocol.h"
#include "device/recorder_settings.h"

namespace tavo {

std::string SendConsoleCommand(SerialLink& link, const std::string& command, unsigned value,
                               unsigned address, const std::function<bool()>& confirmWrite) {
    const char first = command.empty() ? '\0' : command[0];
    auto valueThenReply = [&link] {
        const int v = link.ReadValue(true);
        return std::to_string(v) + link.ReadReply();
    };
    switch (first) {
    case 'M':
    case 'F':
    case '1':
    case '2':
        link.WriteString(command);
        return link.ReadReply();
    case 'B':
    case 'X':
        link.WriteString(command);
        link.Pause(kSlowCommandPauseMillis);
        return link.ReadReply();
    case 'S':
        WriteCommandFrame(link, command, {LowByte(address)});
        return valueThenReply();
    case 'V':
        link.WriteString(command);
        return valueThenReply();
    case 'A':
    case 'P':
        link.WriteString(command);
        link.Pause(kPauseMillis);
        return valueThenReply();
    case 'R':
        if (confirmWrite && !confirmWrite())
            return std::string();
        WriteMemoryFrame(link, command, value, address);
        return link.ReadReply();
    default:
        return "Invalid command";
    }
}

} // namespace tavo
