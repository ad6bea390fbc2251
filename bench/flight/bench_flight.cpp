// Recompute and flight-file load and save at the recorder's full memory (32,768
// samples) and at 1,000,000 samples.

#include <benchmark/benchmark.h>
#include <filesystem>

#include "flight/flight_curves.h"
#include "flight/flight_file.h"

namespace {

void Fill(tavo::FlightRecord& f, int n) {
    unsigned state = 7u;
    auto& items = f.m_pSamples.items();
    items.clear();
    items.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        state = state * 1103515245u + 12345u;
        int word = 380 + static_cast<int>((state >> 16) % 140);
        if (i % 997 == 0)
            word |= 1 << (12 + (i / 997) % 4);
        items.push_back(std::to_string(word));
    }
    f.m_nSampleRate = 100;
    f.m_fLaunchWeight = 0.075f;
    f.m_fMaxDiameter = 0.0246f;
}

void BM_Recompute(benchmark::State& state) {
    tavo::FlightRecord f;
    Fill(f, static_cast<int>(state.range(0)));
    const tavo::UserSettings settings;
    tavo::FlightCurves curves;
    for (auto _ : state) {
        curves.Recompute(f, settings);
        benchmark::DoNotOptimize(curves.m_fAltMax);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Recompute)->Arg(32768)->Arg(1000000)->Unit(benchmark::kMillisecond);

std::string BenchPath() {
    return (std::filesystem::temp_directory_path() / "tavokit_bench.flt").string();
}

void BM_Save(benchmark::State& state) {
    tavo::FlightRecord f;
    Fill(f, static_cast<int>(state.range(0)));
    tavo::FileError e;
    for (auto _ : state) {
        if (!tavo::SaveFlightFile(BenchPath(), f, e))
            state.SkipWithError(e.message.c_str());
    }
}
BENCHMARK(BM_Save)->Arg(32768)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Load includes the Recompute that every open ends with.
void BM_Load(benchmark::State& state) {
    {
        tavo::FlightRecord f;
        Fill(f, static_cast<int>(state.range(0)));
        tavo::FileError e;
        tavo::SaveFlightFile(BenchPath(), f, e);
    }
    const tavo::UserSettings settings;
    for (auto _ : state) {
        tavo::FlightRecord g;
        tavo::FlightCurves curves;
        tavo::FileError e;
        if (!tavo::LoadFlightFile(BenchPath(), g, e))
            state.SkipWithError(e.message.c_str());
        curves.Recompute(g, settings);
        benchmark::DoNotOptimize(curves.m_fAltMax);
    }
}
BENCHMARK(BM_Load)->Arg(32768)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace
