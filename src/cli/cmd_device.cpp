// Commands that talk to the recorder: download, and recorder identify | read | write |
// defaults | command | sensor.

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <optional>

#include "admin/administer_logic.h"
#include "admin/command_logic.h"
#include "admin/setting_rules.h"
#include "cli/cli_common.h"
#include "cli/commands.h"
#include "device/commands/download_commit.h"
#include "device/flight_download.h"
#include "device/qt/system_port_directory.h"
#include "device/recorder_limits.h"
#include "device/recorder_protocol.h"
#include "platform/terminal.h"

namespace tavo::cli {
namespace {

// Status lines are kept for the commands that print them; message boxes go to
// standard error, where the desktop program would show them.
struct CliPrompt final : AnsweringPrompt {
    void ShowMessage(const std::string& text, const std::string& caption,
                     Severity severity) override {
        std::cerr << text << "\n";
        AnsweringPrompt::ShowMessage(text, caption, severity);
    }
};

void ConfigurePort(SerialLink& link, const std::string& port) {
    if (port == "auto") {
        link.m_bAutoPort = true;
    } else {
        link.m_bAutoPort = false;
        link.m_strPortName = port;
    }
}

// Progress on standard error: in place on a terminal, plain lines otherwise.
class Progress {
public:
    Progress() : m_tty(IsTerminal(stderr)) {}
    void Show(int samples) {
        if (m_tty) {
            std::fprintf(stderr, "\rSamples read: %d", samples);
            std::fflush(stderr);
        } else if (samples - m_lastLine >= 1000) {
            std::fprintf(stderr, "Samples read: %d\n", samples);
            m_lastLine = samples;
        }
        m_last = samples;
    }
    void Done() {
        if (m_tty && m_last > 0)
            std::fprintf(stderr, "\n");
        else if (!m_tty && m_last != m_lastLine)
            std::fprintf(stderr, "Samples read: %d\n", m_last);
    }

private:
    bool m_tty;
    int m_last = 0;
    int m_lastLine = 0;
};

bool ParseArgs(const char* command, const CommandArgs& argv, const std::vector<OptionSpec>& specs,
               Args& args, int& code) {
    std::string error;
    if (!args.Parse(argv, specs, error)) {
        code = UsageError(command, error);
        return false;
    }
    if (!args.Value("--port")) {
        code = UsageError(command, "--port NAME is required (a port name, a device path, or auto)");
        return false;
    }
    return true;
}

// One connection to the recorder, made by the Administer dialog's own rules: handshake,
// "Connected", identification and the settings read with their checks.
// "Connect failed!" and, as the Administer list shows it, the reason on the next line.
void PrintConnectFailed(const CliPrompt& sink) {
    std::cerr << "Connect failed!\n";
    const std::vector<std::string>& lines = sink.Status();
    const auto at = std::find(lines.begin(), lines.end(), "Connect failed!");
    if (at != lines.end() && at + 1 != lines.end() && at[1] != "Comm port closed")
        std::cerr << at[1] << "\n";
}

struct RecorderSession {
    SystemPortDirectory ports;
    CliPrompt sink;
    AdministerLogic logic{ports, sink};

    explicit RecorderSession(const std::string& port) {
        logic.Open(port == "auto" ? std::string() : port, port == "auto");
    }
    // The settings commands connect as the dialog does, reading the settings.
    bool Connect() {
        if (logic.OnConnect())
            return true;
        if (sink.MessageCount() == 0) {
            if (logic.IsConnected())
                std::cerr << "FAILED getting TAVO data!\n";
            else
                PrintConnectFailed(sink);
        }
        return false;
    }
    // Closes the port, as the dialog's Cancel does.
    void Close() { logic.OnCancel(); }
};

JsonObject SettingsJson(const RecorderSettings& s) {
    JsonObject out;
    out.Add("samplePeriod", s.m_nSamplePeriod)
        .Add("sampleRate", PeriodToRate(s.m_nSamplePeriod))
        .Add("preLaunchSamples", s.m_nPreLaunchSamples)
        .Add("eventMode", s.m_nEventMode)
        .Add("eventDelay", s.m_nEventDelay)
        .Add("twoGeeValue", s.m_nTwoGeeValue)
        .Add("actionTime", s.m_nActionTime)
        .Add("burnOutNumber", s.m_nBurnOutNumber)
        .Add("breakwire", s.m_bBreakwire)
        .Add("normallyClosed", s.m_bNormallyClosed);
    return out;
}

void PrintStatus(const CliPrompt& sink) {
    for (const std::string& line : sink.Status())
        std::cout << line << "\n";
}

int Identify(const Args& args) {
    RecorderSession session(*args.Value("--port"));
    // Who answered takes the handshake and the identification only, not the settings.
    if (!session.logic.ConnectAndIdentify()) {
        if (session.sink.MessageCount() == 0)
            PrintConnectFailed(session.sink);
        return kExitFailed;
    }
    session.Close();
    const RecorderIdentity& id = session.logic.Identity();
    JsonObject out;
    out.Add("model", id.m_strModel)
        .Add("serialNumber", id.m_nSerialNumber)
        .Add("version", id.m_nVersion)
        .Add("fullFeatures", session.logic.FullFeatures());
    std::cout << out.Text() << "\n";
    return kExitOk;
}

int ReadWrite(const Args& args, bool write, bool defaults) {
    if (write) {
        // Every KEY=VALUE is checked before the recorder is touched.
        RecorderSettings probe;
        for (std::size_t i = 1; i < args.Positional().size(); ++i) {
            std::string error;
            if (!ApplySettingAssignment(args.Positional()[i], probe, error))
                return UsageError("recorder", error);
        }
    } else if (args.Positional().size() != 1) {
        return UsageError("recorder", "unexpected argument '" + args.Positional()[1] + "'");
    }
    RecorderSession session(*args.Value("--port"));
    if (!session.Connect()) {
        session.Close();
        if (write)
            PrintStatus(session.sink);
        return kExitFailed;
    }
    if (!write) {
        session.Close();
        std::cout << SettingsJson(session.logic.Settings()).Text() << "\n";
        return kExitOk;
    }
    if (defaults)
        session.logic.OnSetDefaults();
    if (args.Positional().size() > 1) {
        session.logic.EditSettings([&args](RecorderSettings& s) {
            for (std::size_t i = 1; i < args.Positional().size(); ++i) {
                std::string error;
                ApplySettingAssignment(args.Positional()[i], s, error);
            }
        });
    }
    const bool stored = session.logic.OnWriteValues();
    session.Close();
    PrintStatus(session.sink);
    return stored ? kExitOk : kExitFailed;
}

int SendCommand(const Args& args) {
    if (args.Positional().size() != 2)
        return UsageError("recorder", "command needs the command TEXT");
    RecorderSession session(*args.Value("--port"));
    CommandLogic console(session.logic.Link(), session.sink);
    const std::string value = args.Value("--value").value_or("0");
    const std::string address = args.Value("--address").value_or("0");
    // The console's own checks, before the recorder is touched.
    AnsweringPrompt checks;
    if (!CommandLogic(session.logic.Link(), checks).TakeFieldValues(value, address))
        return UsageError("recorder", checks.Message());
    if (!session.Connect())
        return kExitFailed;
    console.Send(args.Positional()[1], value, address);
    session.Close();
    std::cout << console.Reply() << "\n";
    return kExitOk;
}

int Sensor(const Args& args) {
    if (args.Positional().size() != 1)
        return UsageError("recorder", "unexpected argument '" + args.Positional()[1] + "'");
    RecorderSession session(*args.Value("--port"));
    if (!session.Connect())
        return kExitFailed;
    CalibrateLogic calibration(session.logic.Protocol(), session.sink,
                               session.logic.Settings().m_nTwoGeeValue);
    calibration.OnRead(0);
    session.Close();
    std::cout << calibration.ReadingText(0) << "\n";
    return kExitOk;
}

} // namespace

int RunDownload(const CommandArgs& argv) {
    Args args;
    int code = 0;
    if (!ParseArgs("download", argv, {{"--port", 1}, {"--max", 1}, {"--keep-partial", 0}}, args,
                   code))
        return code;
    if (args.Positional().size() != 1)
        return UsageError("download", "expected the output file OUT");
    CTAVOkitDoc doc;
    ApplyFirstRunSettings(doc.Settings());
    if (const auto max = args.Value("--max")) {
        if (!ParseInt(*max, doc.Settings().m_nMaxSamples))
            return UsageError("download", "Please enter an integer.");
    }
    EnsureQtApplication(QtApplication::Core);
    SystemPortDirectory ports;
    CliPrompt sink;
    SerialLink link(ports, sink);
    ConfigurePort(link, *args.Value("--port"));
    FlightDownload download(link);
    Progress progress;
    download.SetProgress([&progress](int samples) { progress.Show(samples); });
    const DownloadOutcome outcome = download.DownloadFlight(doc.Settings().m_nMaxSamples);
    progress.Done();
    download.m_description.ApplyTo(doc.Record());
    if (outcome != DownloadOutcome::Downloaded)
        return kExitFailed;
    if (download.EndedEarly()) {
        // A partial flight saved without a word would pass for the whole one.
        std::cerr << download.EarlyEndText() << "\n";
        if (download.m_nSamplesReceived == 0) {
            std::cerr << "Nothing written: no sample arrived.\n";
            return kExitFailed;
        }
        if (!args.Has("--keep-partial")) {
            std::cerr << "Nothing written: --keep-partial writes the partial flight.\n";
            return kExitFailed;
        }
    }
    if (const std::string note = DownloadNote(download); !note.empty())
        std::cerr << note << "\n";
    AcceptDownloadedSamples(doc, download.m_pReceived);
    FinishDownloadCommand(doc, true, doc.Settings().m_nMaxSamples, true);
    return SaveFlight(args.Positional()[0], doc);
}

int RunRecorder(const CommandArgs& argv) {
    Args args;
    int code = 0;
    if (!ParseArgs("recorder", argv, {{"--port", 1}, {"--value", 1}, {"--address", 1}}, args, code))
        return code;
    if (args.Positional().empty())
        return UsageError("recorder",
                          "expected identify, read, write, defaults, command or sensor");
    const std::string& action = args.Positional()[0];
    if ((args.Has("--value") || args.Has("--address")) && action != "command")
        return UsageError("recorder", "--value and --address belong to 'recorder command'");
    EnsureQtApplication(QtApplication::Core);
    if (action == "identify") {
        if (args.Positional().size() != 1)
            return UsageError("recorder", "unexpected argument '" + args.Positional()[1] + "'");
        return Identify(args);
    }
    if (action == "read")
        return ReadWrite(args, false, false);
    if (action == "write")
        return ReadWrite(args, true, false);
    if (action == "defaults") {
        if (args.Positional().size() != 1)
            return UsageError("recorder", "unexpected argument '" + args.Positional()[1] + "'");
        return ReadWrite(args, true, true);
    }
    if (action == "command")
        return SendCommand(args);
    if (action == "sensor")
        return Sensor(args);
    return UsageError("recorder", "unknown action '" + action + "'");
}

} // namespace tavo::cli
