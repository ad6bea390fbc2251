#pragma once
// What every tavokit-cli command shares: argument parsing with usage errors, the
// flight options, the number format for machine reading, and a small JSON writer.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "doc/tavokit_doc.h"
#include "flight/civil_date.h"

namespace tavo::cli {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// An option a command accepts, with the number of values that follow it.
struct OptionSpec {
    std::string name; // with the leading dashes, e.g. "--c1"
    int values = 0;
    bool repeatable = false; // each use adds its values; otherwise the last use counts
};

// Parsed command arguments: positional ones in order, options by name.
class Args {
public:
    // Parses `argv` (the words after the command name) against the accepted options.
    // On a usage error returns false and sets `error`.
    bool Parse(const std::vector<std::string>& argv, const std::vector<OptionSpec>& specs,
               std::string& error);

    const std::vector<std::string>& Positional() const { return m_positional; }
    bool Has(const std::string& name) const { return m_options.count(name) != 0; }
    // The values of an option (empty when absent).
    const std::vector<std::string>& Values(const std::string& name) const;
    // The first value of an option, or nullopt.
    std::optional<std::string> Value(const std::string& name) const;

private:
    std::vector<std::string> m_positional;
    std::map<std::string, std::vector<std::string>> m_options;
};

// Parses a command's words against its options and expects exactly `positional`
// file arguments; on a usage error prints it, sets `exitCode` and returns false.
bool ParseCommandArgs(const char* command, const std::vector<std::string>& argv,
                      const std::vector<OptionSpec>& options, std::size_t positional, Args& args,
                      int& exitCode);

// Strict number parsing: the whole text must be the number (C locale).
bool ParseInt(const std::string& text, int& value);
bool ParseFloat(const std::string& text, float& value);

// A float for machine reading: "%.9g", or inf, -inf, nan.
std::string FormatFloat(float value);

// The options of cli.md that set the document's switches before computing.
const std::vector<OptionSpec>& FlightOptionSpecs();
// Appends the flight options to a command's own options.
std::vector<OptionSpec> WithFlightOptions(std::vector<OptionSpec> specs);

// Applies the flight options to the flight and the settings; false (with `error`) for a
// bad value.
bool ApplyFlightOptions(const Args& args, FlightRecord& flight, UserSettings& settings,
                        std::string& error);

// Loads a flight file into a fresh-settings document, applies the flight options
// and recomputes. Prints the failure message to stderr and returns the exit code.
int LoadFlight(const std::string& path, const Args& args, CTAVOkitDoc& doc, int* version = nullptr);

// Saves the document to `path`; prints the failure and returns the exit code.
int SaveFlight(const std::string& path, CTAVOkitDoc& doc);

// Reads --site-altitude-m (metres above sea level, 0 when absent, -500 to 9000 m); on a
// bad value prints the usage error, sets `exitCode` and returns false.
bool ParseSiteAltitude(const Args& args, const char* command, double& metres, int& exitCode);

// Prints a usage error for the command and returns kExitUsage.
int UsageError(const std::string& command, const std::string& message);
// Prints an operation failure (the program's own message) and returns kExitFailed.
int Failure(const std::string& message);

// One JSON object written key by key, in the order given.
class JsonObject {
public:
    JsonObject& Add(const std::string& key, const std::string& utf8Text);
    JsonObject& Add(const std::string& key, const char* utf8Text);
    JsonObject& Add(const std::string& key, float value);
    JsonObject& Add(const std::string& key, double value) = delete;
    JsonObject& Add(const std::string& key, int value);
    JsonObject& Add(const std::string& key, long long value);
    JsonObject& Add(const std::string& key, bool value);
    JsonObject& AddObject(const std::string& key, const JsonObject& object);
    // A value already written as JSON (an array, null).
    JsonObject& AddRaw(const std::string& key, const std::string& json);
    // A figure the flight may not show: null when absent.
    JsonObject& AddOptional(const std::string& key, const std::optional<float>& value);
    std::string Text() const { return "{" + m_body + "}"; }

private:
    void Key(const std::string& key);
    std::string m_body;
};

// A JSON string literal of UTF-8 text, with the escapes JSON needs.
std::string JsonString(const std::string& utf8Text);

// The Qt application object a command needs: Core for the serial ports, Gui for fonts
// and pictures (on the offscreen platform unless QT_QPA_PLATFORM names another). Made
// once, the first kind asked for, and kept until the process ends; the numeric locale
// Qt took from the user is put back to "C" right after.
enum class QtApplication { Core, Gui };
void EnsureQtApplication(QtApplication kind);

} // namespace tavo::cli
