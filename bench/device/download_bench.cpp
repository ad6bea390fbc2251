// Throughput of the sample transfer through a pseudo-terminal at 19,200 baud: a full
// 32,768-sample memory against the line-rate limit. The transfer is stop-and-wait, so
// every byte on the line in either direction counts: 17 bytes a block from the
// recorder and the host's one-byte answer.

#include <QCoreApplication>
#include <atomic>
#include <benchmark/benchmark.h>
#include <thread>

#include "device/flight_download.h"
#include "device/qt/system_port_directory.h"
#include "device/recorder_protocol.h"
#include "device/simulated_port.h"
#include "device/zr7_recorder.h"
#include "pty_server.h"

namespace tavo {
namespace {

// Transfers the whole memory on a connected link and reports the figures.
void MeasureTransfer(benchmark::State& state, SerialLink& link) {
    {
        FlightDownload download(link);
        Clock& clock = RealClock::Instance();
        download.m_nMaxToReceive = kZr7MemorySamples; // ends in silence after the memory
        download.m_stop.m_timeLastActivity = clock.WholeSeconds();
        std::int64_t lastBlock = 0;
        download.SetProgress([&](int) { lastBlock = clock.NowMicros(); });
        const std::int64_t start = clock.NowMicros();
        download.TransferSamples();
        const std::int64_t end = clock.NowMicros();
        link.ClosePort();

        const int blocks = download.m_nSamplesReceived / 8;
        // Bytes on the line up to the last accepted block: "T", then per block 17 from
        // the recorder and "K" from the host.
        const double lineBytes = 1.0 + blocks * 18.0;
        const double limit = lineBytes / 1920.0 + 0.1; // + the pause after "T"
        const double measured = (lastBlock - start) / 1e6;
        state.SetIterationTime((end - start) / 1e6);
        state.counters["samples"] = download.m_nSamplesReceived;
        state.counters["transfer_s"] = measured;
        state.counters["limit_s"] = limit;
        state.counters["over_limit_pct"] = (measured / limit - 1.0) * 100.0;
        state.counters["with_end_silence_s"] = (end - start) / 1e6;
    }
}

Zr7Options Paced() {
    Zr7Options options;
    options.byteMicros = kByteMicros19200;
    return options;
}

void BM_FullMemoryThroughPseudoTerminal(benchmark::State& state) {
    for (auto _ : state) {
        Zr7Recorder recorder(Paced());
        recorder.SetFlight(GenerateTestFlight(kZr7MemorySamples), 200, 40);
        PtyServer server(recorder);
        std::string error;
        if (!server.Open(error)) {
            state.SkipWithError(error.c_str());
            return;
        }
        std::atomic<bool> stop{false};
        std::thread serving([&] { server.Serve(stop, error); });
        AnsweringPrompt sink;
        SystemPortDirectory ports;
        SerialLink link(ports, sink);
        link.m_strPortName = server.DevicePath();
        RecorderProtocol protocol(link, ConnectReport::MessageBox);
        if (protocol.ConnectRecorder())
            MeasureTransfer(state, link);
        else
            state.SkipWithError("no recorder on the pseudo-terminal");
        stop = true;
        serving.join();
    }
}
BENCHMARK(BM_FullMemoryThroughPseudoTerminal)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

void BM_FullMemoryInProcess(benchmark::State& state) {
    for (auto _ : state) {
        auto device = std::make_shared<SimulatedDevice>(Paced());
        {
            auto lock = device->Lock();
            device->Recorder().SetFlight(GenerateTestFlight(kZr7MemorySamples), 200, 40);
        }
        SingleDeviceDirectory ports(device, RealClock::Instance());
        AnsweringPrompt sink;
        SerialLink link(ports, sink);
        link.m_strPortName = "COM1";
        RecorderProtocol protocol(link, ConnectReport::MessageBox);
        if (protocol.ConnectRecorder())
            MeasureTransfer(state, link);
        else
            state.SkipWithError("no recorder");
    }
}
BENCHMARK(BM_FullMemoryInProcess)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

} // namespace
} // namespace tavo

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
