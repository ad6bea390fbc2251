// Predictions of the measured rocket: a table of a hundred motors must come in well
// under a second, as the Predict window fills it while the user waits.

#include <filesystem>
#include <mutex>

#include <benchmark/benchmark.h>

#include "motor/rasp_reader.h"
#include "predict/predict.h"
#include "sim/flight_synth.h"

namespace {

using namespace tavo;

std::vector<EngMotor> ShippedMotors() {
    std::vector<EngMotor> motors;
    for (const char* dir : {"/data/motors/", "/data/motors/real/"}) {
        for (const auto& e :
             std::filesystem::directory_iterator(TAVOKIT_SOURCE_DIR + std::string(dir))) {
            std::vector<EngMotor> file;
            std::string reason;
            if (e.path().extension() == ".eng" && LoadEngFile(e.path().string(), file, reason))
                motors.push_back(file.front());
        }
    }
    return motors;
}

// A G-class rocket measured on its flight: most motors lift it, the small ones do not.
MeasuredRocket Rocket(const std::vector<EngMotor>& motors) {
    SynthParams p;
    for (const EngMotor& m : motors)
        if (m.designation == "F50T")
            p.motor = m;
    p.rocket.dryMassKg = 0.3;
    p.rocket.diameterM = 0.041;
    p.deployDelayS = 3600.0;
    SynthFlight synth;
    FlightRecord record;
    FlightCurves curves;
    const UserSettings settings;
    std::string reason;
    SynthesizeFlight(p, synth, reason);
    FillFlightRecord(p, synth, record);
    curves.Recompute(record, settings);
    std::lock_guard<std::mutex> lock(record.m_pSamples.mutex());
    MeasuredRocket rocket;
    MeasureRocket(EstimateDrag(ReadMeasuredFlight(record.m_pSamples.items(),
                                                  FlightData{record, curves, settings},
                                                  synth.launchIndex, synth.burnoutIndex)),
                  record.m_fLaunchWeight, p.motor.totalKg, rocket, reason);
    return rocket;
}

void BM_PredictHundredMotors(benchmark::State& state) {
    const std::vector<EngMotor> motors = ShippedMotors();
    const MeasuredRocket rocket = Rocket(motors);
    PredictOptions options;
    options.railLengthM = 1.0;
    for (auto _ : state) {
        // The air is tabulated once per table, as the window and the CLI do.
        const AirColumn air;
        double sum = 0.0;
        for (int i = 0; i < 100; ++i)
            sum += PredictFlight(rocket, motors[static_cast<std::size_t>(i) % motors.size()],
                                 options, air)
                       .apogee;
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_PredictHundredMotors)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
