// Live telemetry without a window: capture from a receiver into a flight file, and
// the "Telemetry Data" list of a flight.

#include <chrono>
#include <cmath>
#include <cstdio>
#include <iostream>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "device/qt/system_port_directory.h"
#include "device/thread_prompt.h"
#include "flight/flight_file.h"
#include "platform/terminal.h"
#include "telemetry/telemetry_commands.h"
#include "telemetry/telemetry_line.h"

namespace tavo::cli {
namespace {

// The capture's messages, printed where the desktop program would show them, by the
// main thread as it delivers them.
struct CaptureMessages final : AnsweringPrompt {
    void ShowMessage(const std::string& text, const std::string& caption,
                     Severity severity) override {
        std::cerr << text << "\n";
        AnsweringPrompt::ShowMessage(text, caption, severity);
    }
};

// "Lines received: N" on standard error, in place on a terminal; plain lines once a
// second otherwise.
class LineProgress {
public:
    LineProgress() : m_tty(IsTerminal(stderr)) {}
    void Show(std::size_t lines, bool last) {
        if (m_tty) {
            std::fprintf(stderr, "\rLines received: %zu%s", lines, last ? "\n" : "");
        } else if (last || ++m_ticks % 10 == 0) {
            std::fprintf(stderr, "Lines received: %zu\n", lines);
        }
        std::fflush(stderr);
    }

private:
    bool m_tty;
    int m_ticks = 0;
};

} // namespace

int RunCapture(const CommandArgs& argv) {
    Args args;
    int code = 0;
    if (!ParseCommandArgs("capture", argv, {{"--port", 1}, {"--seconds", 1}}, 1, args, code))
        return code;
    if (!args.Value("--port"))
        return UsageError("capture", "--port NAME is required (a port name or a device path)");
    float seconds = 0.0f;
    if (!args.Value("--seconds") || !ParseFloat(*args.Value("--seconds"), seconds) ||
        !(seconds > 0.0f) || !std::isfinite(seconds))
        return UsageError("capture", "--seconds S is required, a number of seconds above 0");

    EnsureQtApplication(QtApplication::Core);
    CTAVOkitDoc doc;
    ApplyFirstRunSettings(doc.Settings());
    CaptureMessages messages;
    UserPrompt* target = &messages;
    WindowMailbox mailbox;
    ThreadPrompt threadMessages(mailbox, target, ThreadPrompt::Messages::Post);
    SystemPortDirectory ports;
    TelemetryController capture(doc, ports, threadMessages);
    LineProgress progress;
    const auto end = std::chrono::steady_clock::now() +
                     std::chrono::duration<double>(static_cast<double>(seconds));
    capture.StartTelemetry(*args.Value("--port"));
    while (std::chrono::steady_clock::now() < end && capture.Capturing()) {
        mailbox.WaitAndDeliver(std::chrono::milliseconds(100));
        progress.Show(capture.LinesReceived(), false);
    }
    capture.StopTelemetry();
    capture.StopAndWait();
    mailbox.Deliver();
    progress.Show(capture.LinesReceived(), true);
    // The port could not be set up: the message has been printed.
    if (messages.MessageCount() > 0)
        return kExitFailed;
    doc.Recompute();
    return SaveFlight(args.Positional()[0], doc);
}

int RunTelemetryList(const CommandArgs& argv) {
    Args args;
    int code = 0;
    if (!ParseCommandArgs("telemetry-list", argv, {}, 1, args, code))
        return code;
    CTAVOkitDoc doc;
    FileError error;
    if (!LoadFlightFile(args.Positional()[0], doc.Record(), error))
        return Failure(error.message);
    std::string out;
    for (const std::string& line : TelemetryListLines(doc.Record().m_pSamples)) {
        out += line;
        out += '\n';
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return kExitOk;
}

} // namespace tavo::cli
