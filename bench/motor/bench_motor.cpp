// Reading a motor file and synthesising a whole flight from it, for curves from a
// published file's size up to 10,000 points: both must stay well under a second.

#include <benchmark/benchmark.h>

#include <cmath>

#include "motor/rasp_reader.h"
#include "sim/flight_synth.h"

namespace {

// The C6's curve resampled to `points` points, as a file's text.
std::string CurveText(int points) {
    std::vector<tavo::EngMotor> motors;
    std::string reason;
    tavo::LoadEngFile(TAVOKIT_SOURCE_DIR "/data/motors/C6.eng", motors, reason);
    const tavo::MotorCurve curve(motors.at(0));
    std::string text = "C6 18 70 3-5-7 0.0108 0.0231 Estes\r\n";
    const double burn = curve.BurnTime();
    for (int i = 1; i <= points; ++i) {
        const double t = burn * i / points;
        char line[64];
        std::snprintf(line, sizeof line, "%.6f %.4f\r\n", t, i == points ? 0.0 : curve.ThrustAt(t));
        text += line;
    }
    return text;
}

void BM_ReadMotorFile(benchmark::State& state) {
    const std::string text = CurveText(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        tavo::RaspFile file;
        tavo::ReadRaspText(text, file);
        benchmark::DoNotOptimize(file.motors.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ReadMotorFile)->Arg(274)->Arg(10000)->Unit(benchmark::kMicrosecond);

// The demo flight's rocket and recorder: a parachute descent to the ground, 11,000
// samples at 100 Hz.
void BM_SynthesiseFlight(benchmark::State& state) {
    tavo::RaspFile file;
    tavo::ReadRaspText(CurveText(static_cast<int>(state.range(0))), file);
    tavo::SynthParams p;
    p.motor = file.motors.at(0);
    p.rocket.dryMassKg = 0.052;
    p.recorder.sampleRate = 100;
    p.recorder.noiseCounts = 0.6;
    for (auto _ : state) {
        tavo::SynthFlight flight;
        std::string reason;
        if (!tavo::SynthesizeFlight(p, flight, reason))
            state.SkipWithError(reason.c_str());
        benchmark::DoNotOptimize(flight.words.data());
    }
}
BENCHMARK(BM_SynthesiseFlight)->Arg(274)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
