#include "cli/cli_common.h"

#include "motor/atmosphere.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <iostream>

#include <QCoreApplication>
#include <QGuiApplication>

#include "flight/number_text.h"
#include "flight/text_format.h"

namespace tavo::cli {

bool Args::Parse(const std::vector<std::string>& argv, const std::vector<OptionSpec>& specs,
                 std::string& error) {
    for (std::size_t i = 0; i < argv.size(); ++i) {
        const std::string& word = argv[i];
        if (word.size() > 2 && word.compare(0, 2, "--") == 0) {
            const OptionSpec* option = nullptr;
            for (const OptionSpec& s : specs)
                if (s.name == word)
                    option = &s;
            if (option == nullptr) {
                error = "unknown option " + word;
                return false;
            }
            if (i + static_cast<std::size_t>(option->values) >= argv.size() && option->values > 0) {
                error = word + " needs " + std::to_string(option->values) + " value(s)";
                return false;
            }
            std::vector<std::string>& values = m_options[word];
            if (!option->repeatable)
                values.clear();
            for (int k = 0; k < option->values; ++k)
                values.push_back(argv[++i]);
        } else {
            m_positional.push_back(word);
        }
    }
    return true;
}

const std::vector<std::string>& Args::Values(const std::string& name) const {
    static const std::vector<std::string> none;
    auto it = m_options.find(name);
    return it == m_options.end() ? none : it->second;
}

std::optional<std::string> Args::Value(const std::string& name) const {
    const std::vector<std::string>& values = Values(name);
    if (values.empty())
        return std::nullopt;
    return values.front();
}

bool ParseCommandArgs(const char* command, const std::vector<std::string>& argv,
                      const std::vector<OptionSpec>& options, std::size_t positional, Args& args,
                      int& exitCode) {
    std::string error;
    if (!args.Parse(argv, options, error)) {
        exitCode = UsageError(command, error);
        return false;
    }
    if (args.Positional().size() != positional) {
        exitCode =
            UsageError(command, "expected " + std::to_string(positional) + " file argument(s)");
        return false;
    }
    return true;
}

bool ParseInt(const std::string& text, int& value) {
    return ParseWholeNumber(text, value);
}

bool ParseFloat(const std::string& text, float& value) {
    return ParseWholeNumber(text, value);
}

std::string FormatFloat(float value) {
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value > 0 ? "inf" : "-inf";
    return StrFormat("%.9g", static_cast<double>(value));
}

const std::vector<OptionSpec>& FlightOptionSpecs() {
    static const std::vector<OptionSpec> specs = {
        {"--english", 0},    {"--no-gees", 0},    {"--raw", 0},
        {"--use-offset", 0}, {"--two-gee", 1},    {"--rate", 1},
        {"--weight", 1},     {"--propellant", 1}, {"--diameter", 1}};
    return specs;
}

std::vector<OptionSpec> WithFlightOptions(std::vector<OptionSpec> specs) {
    const std::vector<OptionSpec>& flight = FlightOptionSpecs();
    specs.insert(specs.end(), flight.begin(), flight.end());
    return specs;
}

namespace {

bool FloatOption(const Args& args, const char* name, float& target, std::string& error) {
    const std::optional<std::string> text = args.Value(name);
    if (!text)
        return true;
    if (!ParseFloat(*text, target)) {
        error = std::string(name) + " needs a number, not \"" + *text + "\"";
        return false;
    }
    return true;
}

} // namespace

bool ApplyFlightOptions(const Args& args, FlightRecord& f, UserSettings& s, std::string& error) {
    if (args.Has("--english"))
        s.m_bMetricUnits = false;
    if (args.Has("--no-gees"))
        s.m_bAccelInGees = false;
    if (args.Has("--raw"))
        s.m_bDisplayRaw = true;
    if (args.Has("--use-offset"))
        s.m_bUseAccelOffset = true;
    if (args.Has("--two-gee")) {
        s.m_bUseFileTwoGee = false;
        if (!FloatOption(args, "--two-gee", s.m_fTwoGee, error))
            return false;
    }
    if (const std::optional<std::string> rate = args.Value("--rate")) {
        if (!ParseInt(*rate, f.m_nSampleRate)) {
            error = "--rate needs a whole number of Hz, not \"" + *rate + "\"";
            return false;
        }
    }
    return FloatOption(args, "--weight", f.m_fLaunchWeight, error) &&
           FloatOption(args, "--propellant", f.m_fPropellantWeight, error) &&
           FloatOption(args, "--diameter", f.m_fMaxDiameter, error);
}

int LoadFlight(const std::string& path, const Args& args, CTAVOkitDoc& doc, int* version) {
    ApplyFirstRunSettings(doc.Settings());
    FileError error;
    if (!LoadFlightFile(path, doc.Record(), error, version))
        return Failure(error.message);
    std::string optionError;
    if (!ApplyFlightOptions(args, doc.Record(), doc.Settings(), optionError)) {
        std::cerr << "tavokit-cli: " << optionError << "\n";
        return kExitUsage;
    }
    doc.Recompute();
    return kExitOk;
}

int SaveFlight(const std::string& path, CTAVOkitDoc& doc) {
    FileError error;
    if (!doc.OnSaveDocument(path, error))
        return Failure(error.message);
    return kExitOk;
}

int UsageError(const std::string& command, const std::string& message) {
    std::cerr << "tavokit-cli " << command << ": " << message << "\n"
              << "Try 'tavokit-cli " << command << " --help'.\n";
    return kExitUsage;
}

int Failure(const std::string& message) {
    std::cerr << message << "\n";
    return kExitFailed;
}

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20)
                out += StrFormat("\\u%04x", c);
            else
                out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

void JsonObject::Key(const std::string& key) {
    if (!m_body.empty())
        m_body += ",";
    m_body += JsonString(key) + ":";
}

JsonObject& JsonObject::Add(const std::string& key, const std::string& utf8Text) {
    Key(key);
    m_body += JsonString(utf8Text);
    return *this;
}

JsonObject& JsonObject::Add(const std::string& key, const char* utf8Text) {
    return Add(key, std::string(utf8Text));
}

JsonObject& JsonObject::Add(const std::string& key, float value) {
    Key(key);
    const std::string text = FormatFloat(value);
    m_body += std::isfinite(value) ? text : JsonString(text);
    return *this;
}

JsonObject& JsonObject::AddOptional(const std::string& key, const std::optional<float>& value) {
    if (value)
        return Add(key, *value);
    Key(key);
    m_body += "null";
    return *this;
}

JsonObject& JsonObject::Add(const std::string& key, int value) {
    Key(key);
    m_body += std::to_string(value);
    return *this;
}

JsonObject& JsonObject::Add(const std::string& key, long long value) {
    Key(key);
    m_body += std::to_string(value);
    return *this;
}

JsonObject& JsonObject::Add(const std::string& key, bool value) {
    Key(key);
    m_body += value ? "true" : "false";
    return *this;
}

JsonObject& JsonObject::AddRaw(const std::string& key, const std::string& json) {
    Key(key);
    m_body += json;
    return *this;
}

JsonObject& JsonObject::AddObject(const std::string& key, const JsonObject& object) {
    Key(key);
    m_body += object.Text();
    return *this;
}

void EnsureQtApplication(QtApplication kind) {
    if (QCoreApplication::instance() != nullptr)
        return;
    static int argc = 1;
    static char name[] = "tavokit-cli";
    static char* argv[] = {name, nullptr};
    // Never destroyed: Qt's own clean-up must not run after the program's statics.
    if (kind == QtApplication::Gui) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        new QGuiApplication(argc, argv);
    } else {
        new QCoreApplication(argc, argv);
    }
    // No output of ours reads the C library's locale, but a library that does would
    // otherwise write the user's decimal comma.
    std::setlocale(LC_NUMERIC, "C");
}

bool ParseSiteAltitude(const Args& args, const char* command, double& metres, int& exitCode) {
    metres = 0.0;
    const std::optional<std::string> text = args.Value("--site-altitude-m");
    if (!text)
        return true;
    float value = 0.0f;
    if (!ParseFloat(*text, value) || !(value >= kMinSiteAltitudeM && value <= kMaxSiteAltitudeM)) {
        exitCode = UsageError(command, "--site-altitude-m takes metres above sea level, -500 "
                                       "to 9000, not \"" +
                                           *text + "\"");
        return false;
    }
    metres = value;
    return true;
}

} // namespace tavo::cli
