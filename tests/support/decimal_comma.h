#pragma once
// A locale whose decimal separator is a comma, for the tests that prove no output
// follows the process's locale.

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/test_files.h"

namespace tavo::test {

// Windows names its locales otherwise.
#ifdef _WIN32
constexpr const char* kDecimalCommaLocale = "German_Germany.1252";
#else
constexpr const char* kDecimalCommaLocale = "de_DE.UTF-8";
#endif

// Makes de_DE.UTF-8 usable by this process and the programs it starts: the installed
// one, or one compiled into the build tree (LOCPATH then points at it). True when
// setlocale can select it and it really writes "1,5". The process's own locale is left
// at "C" either way.
inline bool MakeDecimalCommaLocale() {
    auto works = [] {
        bool comma = false;
        if (std::setlocale(LC_NUMERIC, kDecimalCommaLocale) != nullptr) {
            char buf[16];
            std::snprintf(buf, sizeof buf, "%.1f", 1.5);
            comma = std::string(buf) == "1,5";
        }
        std::setlocale(LC_NUMERIC, "C");
        return comma;
    };
    if (works())
        return true;
#ifdef _WIN32
    return false;
#endif
    const std::string dir = FreshDir("locale", "de_DE");
    const std::string command =
        "localedef -i de_DE -f UTF-8 '" + dir + "/de_DE.UTF-8' >/dev/null 2>&1";
    if (std::system(command.c_str()) == -1)
        return false;
    SetEnv("LOCPATH", dir.c_str());
    return works();
}

} // namespace tavo::test
