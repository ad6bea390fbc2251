// How soon Stop Telemetry takes effect on a capture waiting on a silent port: the thread
// sees the request when its half-second read ends, so at most one read time-out
// (501 ms) after it was made, on the real clock.

#include <benchmark/benchmark.h>
#include <chrono>
#include <thread>

#include "device/simulated_port.h"
#include "prompt/user_prompt.h"
#include "telemetry/telemetry_commands.h"

namespace tavo {
namespace {

void BM_StopOnASilentPort(benchmark::State& state) {
    for (auto _ : state) {
        auto silent = std::make_shared<SimulatedDevice>(Zr7Options{});
        SingleDeviceDirectory ports(silent, RealClock::Instance());
        CTAVOkitDoc doc;
        AnsweringPrompt prompt;
        TelemetryController capture(doc, ports, prompt);
        capture.StartTelemetry("COM1:");
        // Well inside a read, wherever the thread is in its first one.
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        const auto asked = std::chrono::steady_clock::now();
        capture.StopTelemetry();
        while (capture.Capturing())
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - asked;
        state.SetIterationTime(took.count());
        state.counters["stop_ms"] = took.count() * 1000.0;
        capture.StopAndWait();
    }
}
BENCHMARK(BM_StopOnASilentPort)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tavo

BENCHMARK_MAIN();
