#pragma once
// Runs the built tavokit-cli as a user's shell would, capturing what it prints.

#include <string>
#include <vector>

namespace tavo::testing {

struct CliResult {
    int exitCode = -1;
    std::string out; // standard output
    std::string err; // standard error
};

// Runs tavokit-cli with the arguments (each passed as one word).
CliResult RunCli(const std::vector<std::string>& args);
// The same with environment settings ("NAME=value") added for that run only.
CliResult RunCliWith(const std::vector<std::string>& env, const std::vector<std::string>& args);

// A fresh temporary directory for one test's files.
std::string TempDir(const std::string& name);

// The value text after "key": in a flat JSON object (strings without quotes).
std::string JsonField(const std::string& json, const std::string& key);

} // namespace tavo::testing
