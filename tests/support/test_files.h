#pragma once
// Files and time for tests: a fresh folder per test under the build tree, whole files
// read back, and the local time zone pinned so local dates are the same everywhere.

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace tavo::test {

inline std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

// A fresh, empty folder for one test, under the build tree (`group` keeps the test
// programs apart).
inline std::string FreshDir(const std::string& group, const std::string& name) {
    const std::filesystem::path dir =
        std::filesystem::path(TAVOKIT_BINARY_DIR) / "tests" / "tmp" / group / name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir.string();
}

// Local time is UTC while a test runs: dates printed in local time (the CSV header,
// the printed details) are then the same on every machine.
inline void UseUtc() {
    ::setenv("TZ", "UTC0", 1);
    ::tzset();
}

} // namespace tavo::test
