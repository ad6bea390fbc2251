#pragma once
// What `tavokit` is asked on its command line, read before any window exists: --help and
// --version answer without a display, a mistyped option is refused as a command-line
// program refuses it instead of opening the window, and a file name opens that flight.
// Qt's own options (-platform, -style, ...) are left for QApplication, which takes them
// from the same words.

#include <string>
#include <vector>

namespace tavo {

struct AppCommandLine {
    enum class Action { Run, Help, Version, UsageError };
    Action action = Action::Run;
    bool demo = false; // --demo: the simulated recorder is attached
    std::string file;  // the flight to open; empty for none
    std::string error; // UsageError: what was wrong, for standard error
};

// Reads the words after the program's name.
AppCommandLine ParseAppCommandLine(const std::vector<std::string>& args);

// The text --help prints on standard output.
std::string AppUsageText();

// The exit status of a command line that cannot be carried out, as tavokit-cli has it.
inline constexpr int kAppUsageExit = 2;

} // namespace tavo
