// zr7sim: a simulated ZR7 recorder on a pseudo-terminal, for development,
// demonstrations and tests. Prints the device path to open, then serves until
// interrupted.

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "device/recorder_settings.h"
#include "device/served_flight.h"
#include "device/zr7_recorder.h"
#include "flight/atomic_file.h"
#include "flight/number_text.h"
#include "motor/rasp_reader.h"
#include "pty_server.h"
#include "sim/flight_synth.h"

namespace {

std::atomic<bool> g_stop{false};

void OnSignal(int) {
    g_stop = true;
}

const char* kUsage =
    "Usage: zr7sim [options]\n"
    "Serves a simulated ZR7 recorder on a pseudo-terminal and prints its device path.\n"
    "\n"
    "Flight served (default: data/demo.flt when found, else a made-up flight):\n"
    "  --flight FILE        serve the samples of a .flt flight file\n"
    "  --samples N          serve a made-up flight of N samples\n"
    "  --motor FILE.eng     synthesise a flight on the first motor of a RASP file\n"
    "  --rate HZ            sample rate of the synthesised flight (default 100)\n"
    "Recorder:\n"
    "  --baud N             line rate to pace the bytes at (default 19200; 0: unpaced)\n"
    "  --firmware N         firmware version (default 210)\n"
    "  --serial N           serial number (default 1234)\n"
    "  --model TEXT         reply to \"M\" (default ZR7K)\n"
    "  --buzz TEXT          reply to \"B\" (default K; empty: silence)\n"
    "  --nuls N             NUL bytes ahead of the buzz reply\n"
    "  --ring-marker N      pre-launch marker position (0: ring never filled)\n"
    "  --telemetry          stream telemetry lines instead of obeying commands\n"
    "  --telemetry-format F digits (two decimal digits of the acceleration, default)\n"
    "                       or word (the sample word's two bytes, low byte first)\n"
    "  --telemetry-rate HZ  lines a second (default: the flight's sample rate)\n"
    "  --lines N            end the stream after N lines\n"
    "Faults:\n"
    "  --bad-checksum B[:N] send block B with a wrong checksum N times (default 1; -1 always)\n"
    "  --silent-after N     fall silent after N blocks\n"
    "  --lose-byte B        block B loses its checksum byte, then silence\n"
    "  --never-silent       answer every command with an endless stream\n"
    "Output:\n"
    "  --link PATH          also make PATH a symbolic link to the device\n";

// Options are whole numbers well inside the int range.
bool ParseInt(const char* text, int& value) {
    int parsed = 0;
    if (!tavo::ParseWholeNumber(text, parsed) || parsed < -1000000000 || parsed > 1000000000)
        return false;
    value = parsed;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    tavo::Zr7Options options;
    options.byteMicros = tavo::kByteMicros19200;
    std::string flightFile;
    std::string link;
    int samples = 0;
    std::string motorFile;
    int synthRate = 100;
    int telemetryRate = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto next = [&](const char*& value) {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "zr7sim: %s needs a value\n", arg.c_str());
                return false;
            }
            value = argv[++i];
            return true;
        };
        auto nextInt = [&](int& value) {
            const char* text = nullptr;
            if (!next(text))
                return false;
            if (!ParseInt(text, value)) {
                std::fprintf(stderr, "zr7sim: %s: not a number: %s\n", arg.c_str(), text);
                return false;
            }
            return true;
        };
        const char* text = nullptr;
        int n = 0;
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (arg == "--flight") {
            if (!next(text))
                return 2;
            flightFile = text;
        } else if (arg == "--samples") {
            if (!nextInt(samples) || samples < 1)
                return 2;
        } else if (arg == "--motor") {
            if (!next(text))
                return 2;
            motorFile = text;
        } else if (arg == "--rate") {
            if (!nextInt(synthRate))
                return 2;
        } else if (arg == "--baud") {
            if (!nextInt(n) || n < 0)
                return 2;
            options.byteMicros = n == 0 ? 0 : (10000000LL + n / 2) / n;
        } else if (arg == "--firmware") {
            if (!nextInt(options.firmwareVersion))
                return 2;
        } else if (arg == "--serial") {
            if (!nextInt(options.serialNumber))
                return 2;
        } else if (arg == "--model") {
            if (!next(text))
                return 2;
            options.modelReply = text;
        } else if (arg == "--buzz") {
            if (!next(text))
                return 2;
            options.buzzReply = text;
        } else if (arg == "--nuls") {
            if (!nextInt(options.nulsBeforeBuzzReply))
                return 2;
        } else if (arg == "--ring-marker") {
            if (!nextInt(options.ringMarker))
                return 2;
        } else if (arg == "--telemetry") {
            options.telemetry = true;
            options.telemetryFormat = tavo::TelemetryFormat::Digits;
        } else if (arg == "--telemetry-format") {
            if (!next(text))
                return 2;
            const std::string format = text;
            if (format != "digits" && format != "word") {
                std::fprintf(stderr, "zr7sim: --telemetry-format: digits or word\n");
                return 2;
            }
            options.telemetryFormat =
                format == "word" ? tavo::TelemetryFormat::Word : tavo::TelemetryFormat::Digits;
        } else if (arg == "--telemetry-rate") {
            if (!nextInt(telemetryRate) || telemetryRate < 1 || telemetryRate > 1000)
                return 2;
        } else if (arg == "--lines") {
            if (!nextInt(n) || n < 0)
                return 2;
            options.telemetryLines = n;
        } else if (arg == "--bad-checksum") {
            if (!next(text))
                return 2;
            const std::string fault = text;
            int block = 0, count = 1;
            const auto colon = fault.find(':');
            if (!ParseInt(fault.substr(0, colon).c_str(), block) ||
                (colon != std::string::npos && !ParseInt(fault.substr(colon + 1).c_str(), count))) {
                std::fprintf(stderr, "zr7sim: --bad-checksum: expected B or B:N\n");
                return 2;
            }
            options.badChecksums[block] = count;
        } else if (arg == "--silent-after") {
            if (!nextInt(options.silentAfterBlocks))
                return 2;
        } else if (arg == "--lose-byte") {
            if (!nextInt(options.lostByteBlock))
                return 2;
        } else if (arg == "--never-silent") {
            options.neverSilent = true;
        } else if (arg == "--link") {
            if (!next(text))
                return 2;
            link = text;
        } else {
            std::fprintf(stderr, "zr7sim: unknown option %s\n%s", arg.c_str(), kUsage);
            return 2;
        }
    }

    tavo::ServedFlight flight;
    if (!flightFile.empty()) {
        std::string error;
        if (!tavo::LoadServedFlight(flightFile, flight, error)) {
            std::fprintf(stderr, "zr7sim: %s: %s\n", flightFile.c_str(), error.c_str());
            return 1;
        }
    } else if (!motorFile.empty()) {
        std::vector<tavo::EngMotor> motors;
        std::string reason;
        tavo::SynthParams params;
        tavo::SynthFlight synth;
        if (!tavo::LoadEngFile(motorFile, motors, reason) || motors.empty()) {
            std::fprintf(stderr, "zr7sim: %s: %s\n", motorFile.c_str(),
                         reason.empty() ? "no motor in the file" : reason.c_str());
            return 1;
        }
        params.motor = motors.front();
        params.recorder.sampleRate = synthRate;
        if (!tavo::SynthesizeFlight(params, synth, reason)) {
            std::fprintf(stderr, "zr7sim: cannot synthesise a flight: %s\n", reason.c_str());
            return 1;
        }
        flight.words = synth.words;
        flight.sampleRate = synthRate;
        flight.twoGee = static_cast<int>(params.recorder.twoGee);
    } else if (samples > 0) {
        flight = tavo::MadeUpFlight(samples);
    } else {
        std::string error;
        if (!tavo::LoadServedFlight(TAVOKIT_SOURCE_DIR "/data/demo.flt", flight, error))
            flight = tavo::MadeUpFlight();
    }

    tavo::Zr7Recorder recorder(options);
    recorder.SetFlight(flight.words, flight.sampleRate, flight.twoGee);
    // The stream's pace is the recorder's sample period, in whole milliseconds.
    if (telemetryRate > 0)
        recorder.SetWord(tavo::address::kSamplePeriod,
                         static_cast<std::uint16_t>(tavo::RateToPeriod(telemetryRate)));
    tavo::PtyServer server(recorder);
    std::string error;
    if (!server.Open(error)) {
        std::fprintf(stderr, "zr7sim: cannot create a pseudo-terminal: %s\n", error.c_str());
        return 1;
    }
    if (!link.empty()) {
        ::unlink(link.c_str());
        if (::symlink(server.DevicePath().c_str(), link.c_str()) != 0) {
            std::fprintf(stderr, "zr7sim: %s: %s\n", link.c_str(),
                         tavo::SystemErrorText(errno).c_str());
            return 1;
        }
    }
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    std::signal(SIGHUP, OnSignal);
    std::printf("%s\n", server.DevicePath().c_str());
    std::fflush(stdout);
    std::fprintf(stderr, "zr7sim: serving %zu samples at %d Hz on %s\n", flight.words.size(),
                 flight.sampleRate, server.DevicePath().c_str());
    const bool served = server.Serve(g_stop, error);
    if (!link.empty())
        ::unlink(link.c_str());
    std::fprintf(stderr, "zr7sim: %lld bytes sent, %lld received, %d blocks (%d resent)\n",
                 static_cast<long long>(recorder.BytesSent()),
                 static_cast<long long>(recorder.BytesReceived()), recorder.BlocksSent(),
                 recorder.BlocksResent());
    if (options.telemetry)
        std::fprintf(stderr, "zr7sim: %lld telemetry lines streamed, %lld bytes dropped unread\n",
                     static_cast<long long>(recorder.LinesStreamed()), server.BytesDropped());
    if (!served) {
        std::fprintf(stderr, "zr7sim: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
