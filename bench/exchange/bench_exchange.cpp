// The exports and the RDAS import at the recorder's full memory (32,768 samples) and at
// 1,000,000 samples: a CSV export of a million samples must take well under a second.

#include <benchmark/benchmark.h>
#include <filesystem>

#include "bench_flight.h"
#include "exchange/csv_export.h"
#include "exchange/eng_export.h"
#include "exchange/rdas_import.h"
#include "flight/atomic_file.h"

namespace {

using tavo::bench::Flight;

// A flight shaped like a real one: a pad stretch, a burn, a coast and a long descent,
// repeated to the wanted length.
void Fill(Flight& flight, int n) {
    tavo::FlightRecord& f = flight.record;
    auto& items = f.m_pSamples.items();
    items.clear();
    items.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const int phase = i % 12000;
        int reading = phase < 256   ? 505
                      : phase < 440 ? 505 - (phase % 90)
                      : phase < 980 ? 512
                                    : 505;
        reading += (i * 7919) % 3 - 1;
        items.push_back(std::to_string(reading));
    }
    f.m_nSampleRate = 100;
    f.m_fLaunchWeight = 0.075f;
    f.m_fPropellantWeight = 0.0108f;
    f.m_fMaxDiameter = 0.0246f;
    flight.curves.Recompute(f, flight.settings);
}

void BM_CsvBuild(benchmark::State& state) {
    Flight f;
    Fill(f, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::string text = tavo::BuildCsvText(f.Data());
        benchmark::DoNotOptimize(text.data());
        state.counters["bytes"] = static_cast<double>(text.size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CsvBuild)->Arg(32768)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Building and writing the file through the temporary file and rename, as File > Export.
void BM_CsvExportFile(benchmark::State& state) {
    Flight f;
    Fill(f, static_cast<int>(state.range(0)));
    const std::string path =
        (std::filesystem::temp_directory_path() / "tavokit_bench_export.csv").string();
    for (auto _ : state) {
        std::string reason;
        if (!tavo::WriteCsvFile(path, f.Data(), reason))
            state.SkipWithError(reason.c_str());
    }
    std::filesystem::remove(path);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CsvExportFile)->Arg(32768)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The worst case of the thrust-curve export: one line for every sample.
void BM_EngExportFile(benchmark::State& state) {
    Flight f;
    Fill(f, static_cast<int>(state.range(0)));
    const tavo::EngExportParams params{"C6",     "18",     "70", "5",
                                       "0.0231", "0.0123", "Es", static_cast<int>(state.range(0))};
    const std::string path =
        (std::filesystem::temp_directory_path() / "tavokit_bench_export.eng").string();
    for (auto _ : state) {
        std::string reason;
        if (!tavo::WriteEngFile(path, f.Data(), {0, static_cast<int>(state.range(0))}, params,
                                reason))
            state.SkipWithError(reason.c_str());
    }
    std::filesystem::remove(path);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_EngExportFile)->Arg(32768)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_RdasParse(benchmark::State& state) {
    std::string text = "Data is sampled at 200 Hz\r\n*** Raw data ***\r\nTime Accel Pressure\r\n";
    for (int i = 0; i < state.range(0); ++i)
        text += std::to_string(i * 0.005).substr(0, 7) + " " + std::to_string(400 + i % 200) +
                " 1013\r\n";
    for (auto _ : state) {
        tavo::RdasTable table;
        std::string reason;
        if (!tavo::ParseRdasText(text.data(), text.size(), table, reason))
            state.SkipWithError(reason.c_str());
        benchmark::DoNotOptimize(table.values.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RdasParse)->Arg(32768)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace
