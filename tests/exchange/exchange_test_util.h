#pragma once
// Shared by the exchange tests: flights built field by field, golden files, temp folders.

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

#include "flight/flight_record.h"

namespace tavo::testing {

inline std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string Golden(const std::string& name) {
    return ReadFileBytes(TAVOKIT_SOURCE_DIR "/tests/exchange/golden/" + name);
}

inline std::string GoldenPath(const std::string& name) {
    return TAVOKIT_SOURCE_DIR "/tests/exchange/golden/" + name;
}

// A fresh folder under the build tree for one test.
inline std::string FreshDir(const std::string& name) {
    const std::filesystem::path dir =
        std::filesystem::path(TAVOKIT_BINARY_DIR) / "tests" / "exchange" / "tmp" / name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir.string();
}

// The golden files' dates are local dates in UTC.
inline void UseUtc() {
    ::setenv("TZ", "UTC0", 1);
    ::tzset();
}

inline void SetSamples(FlightRecord& f, std::vector<std::string> samples) {
    f.m_pSamples.items() = std::move(samples);
}

} // namespace tavo::testing

namespace tavo {
// A 250-sample flight at 100 Hz with a 70-sample burn from sample 100 (csv_export_test.cpp).
void BurnFlight(FlightRecord& f);
} // namespace tavo
