// Write Values against its floor: eight memory writes, each three 100 ms pauses between
// its bytes and the 101 ms of silence that ends the acknowledgement, on the real clock,
// through a pseudo-terminal at 19,200 baud and to the in-process recorder.

#include <QCoreApplication>
#include <atomic>
#include <benchmark/benchmark.h>
#include <thread>

#include "admin/administer_logic.h"
#include "device/qt/system_port_directory.h"
#include "device/simulated_port.h"
#include "device/zr7_recorder.h"
#include "pty_server.h"

namespace tavo {
namespace {

constexpr double kFloorSeconds = 8 * (3 * kPauseMillis + kSilenceMillis) / 1000.0;

Zr7Options Paced() {
    Zr7Options options;
    options.byteMicros = kByteMicros19200;
    return options;
}

// Connects as the dialog does, then times Write Values alone.
void MeasureWrite(benchmark::State& state, PortDirectory& ports, const std::string& port) {
    AnsweringPrompt sink;
    AdministerLogic logic(ports, sink);
    logic.Open(port, false);
    if (!logic.OnConnect()) {
        std::string why = "no recorder: " + sink.Message();
        for (const std::string& line : sink.Status())
            why += " / " + line;
        state.SkipWithError(why.c_str());
        return;
    }
    Clock& clock = RealClock::Instance();
    const std::int64_t start = clock.NowMicros();
    const bool stored = logic.OnWriteValues();
    const double took = (clock.NowMicros() - start) / 1e6;
    logic.OnCancel();
    if (!stored) {
        state.SkipWithError("the write failed");
        return;
    }
    state.SetIterationTime(took);
    state.counters["write_s"] = took;
    state.counters["floor_s"] = kFloorSeconds;
    state.counters["over_floor_pct"] = (took / kFloorSeconds - 1.0) * 100.0;
}

void BM_WriteValuesThroughPseudoTerminal(benchmark::State& state) {
    for (auto _ : state) {
        Zr7Recorder recorder(Paced());
        PtyServer server(recorder);
        std::string error;
        if (!server.Open(error)) {
            state.SkipWithError(error.c_str());
            return;
        }
        std::atomic<bool> stop{false};
        std::thread serving([&] { server.Serve(stop, error); });
        SystemPortDirectory ports;
        MeasureWrite(state, ports, server.DevicePath());
        stop = true;
        serving.join();
    }
}
BENCHMARK(BM_WriteValuesThroughPseudoTerminal)
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

void BM_WriteValuesInProcess(benchmark::State& state) {
    for (auto _ : state) {
        SingleDeviceDirectory ports(std::make_shared<SimulatedDevice>(Paced()),
                                    RealClock::Instance());
        MeasureWrite(state, ports, "COM1");
    }
}
BENCHMARK(BM_WriteValuesInProcess)->Iterations(3)->UseManualTime()->Unit(benchmark::kSecond);

} // namespace
} // namespace tavo

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
