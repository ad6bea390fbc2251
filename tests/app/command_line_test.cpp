// tavokit's command line, read before any window exists.

#include "app/command_line.h"

#include <gtest/gtest.h>

namespace tavo {
namespace {

TEST(AppCommandLine, OptionsFlightAndQtsOwnWords) {
    using A = AppCommandLine::Action;
    struct Case {
        std::vector<std::string> args;
        A action;
        bool demo;
        std::string file; // or the start of the error
    };
    const Case cases[] = {
        {{}, A::Run, false, ""},
        {{"demo.flt"}, A::Run, false, "demo.flt"},
        {{"--demo", "x.flt"}, A::Run, true, "x.flt"},
        {{"-platform", "offscreen", "x.flt", "-style=fusion", "--reverse"}, A::Run, false, "x.flt"},
        {{"--", "--odd name.flt"}, A::Run, false, "--odd name.flt"},
        {{"x.flt", "-h"}, A::Help, false, ""},
        {{"--version", "--bogus"}, A::Version, false, ""},
        {{"--bogus", "--help"}, A::UsageError, false, "unknown option '--bogus'"},
        {{"-x"}, A::UsageError, false, "unknown option '-x'"},
        {{"-"}, A::UsageError, false, "unknown option '-'"},
        {{"a.flt", "b.flt"}, A::UsageError, false, "only one flight"},
        {{"x.flt", "-style"}, A::UsageError, false, "option '-style' needs a value"},
    };
    for (const Case& c : cases) {
        const AppCommandLine line = ParseAppCommandLine(c.args);
        const std::string what = c.args.empty() ? "(none)" : c.args[0];
        EXPECT_EQ(line.action, c.action) << what;
        if (c.action == A::UsageError) {
            EXPECT_EQ(line.error.rfind(c.file, 0), 0u) << line.error;
        }
        if (c.action != A::Run)
            continue;
        EXPECT_EQ(line.demo, c.demo) << what;
        EXPECT_EQ(line.file, c.file) << what;
    }
    EXPECT_EQ(AppUsageText().rfind("Usage: tavokit [OPTION]... [FLIGHT]\n", 0), 0u);
}

} // namespace
} // namespace tavo
