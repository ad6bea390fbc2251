#include "app/command_line.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace tavo {

namespace {

// The options QApplication reads itself, with one dash or two; these take the next word
// (or "=value") as their value.
constexpr std::array<std::string_view, 16> kQtValueOptions{
    "platform",    "platformpluginpath", "platformtheme", "plugin",  "qwindowgeometry",
    "qwindowicon", "qwindowtitle",       "session",       "display", "geometry",
    "style",       "stylesheet",         "qmljsdebugger", "title",   "name",
    "visual"};
constexpr std::array<std::string_view, 6> kQtFlags{"reverse", "widgetcount", "nograb",
                                                   "dograb",  "testability", "sync"};

bool Contains(const auto& list, std::string_view word) {
    return std::find(list.begin(), list.end(), word) != list.end();
}

AppCommandLine Refused(std::string error) {
    AppCommandLine line;
    line.action = AppCommandLine::Action::UsageError;
    line.error = std::move(error);
    return line;
}

} // namespace

AppCommandLine ParseAppCommandLine(const std::vector<std::string>& args) {
    AppCommandLine line;
    bool options = true;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (options && arg == "--") {
            options = false;
            continue;
        }
        if (!options || arg.empty() || arg[0] != '-') {
            if (!line.file.empty())
                return Refused("only one flight can be opened at a time ('" + line.file +
                               "' and '" + arg + "' were given)");
            line.file = arg;
            continue;
        }
        // Help and version win over anything else on the line, as they do elsewhere.
        if (arg == "--help" || arg == "-h") {
            line.action = AppCommandLine::Action::Help;
            return line;
        }
        if (arg == "--version") {
            line.action = AppCommandLine::Action::Version;
            return line;
        }
        if (arg == "--demo") {
            line.demo = true;
            continue;
        }
        std::string_view name(arg);
        name.remove_prefix(name.size() > 1 && name[1] == '-' ? 2 : 1);
        const std::size_t equals = name.find('=');
        const std::string_view bare = name.substr(0, equals);
        if (Contains(kQtFlags, name))
            continue;
        if (Contains(kQtValueOptions, bare)) {
            if (equals == std::string_view::npos && ++i >= args.size())
                return Refused("option '" + arg + "' needs a value");
            continue;
        }
        return Refused("unknown option '" + arg + "'");
    }
    // A later --help would have returned above; nothing else needs the whole line.
    return line;
}

std::string AppUsageText() {
    return "Usage: tavokit [OPTION]... [FLIGHT]\n"
           "Open FLIGHT, a .flt flight file, in the TAVOkit window: the ground companion of\n"
           "the ZR7 flight recorder.\n"
           "\n"
           "Options:\n"
           "  --demo       attach a simulated ZR7 recorder as COM1 (its live telemetry as COM2)\n"
           "  -h, --help   show this help and exit\n"
           "  --version    show the version and exit\n"
           "  --           take the next word as the flight file, even if it starts with '-'\n"
           "\n"
           "Qt's own options (-platform NAME, -style NAME, -geometry WxH+X+Y, -reverse, ...)\n"
           "are passed on to Qt. Every computation and file format without a window:\n"
           "tavokit-cli --help.\n";
}

} // namespace tavo
