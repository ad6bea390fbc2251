#pragma once
// Files and time for tests: a fresh folder per test under the build tree, whole files
// read back, and the local time zone pinned so local dates are the same everywhere.

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#ifndef _WIN32
#include <sys/stat.h>
#endif

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

// Sets an environment variable of this process, or removes it when `value` is null.
inline void SetEnv(const char* name, const char* value) {
#ifdef _WIN32
    _putenv_s(name, value != nullptr ? value : "");
#else
    if (value != nullptr)
        ::setenv(name, value, 1);
    else
        ::unsetenv(name);
#endif
}

// Makes the C library read TZ again.
inline void ReadTimeZone() {
#ifdef _WIN32
    _tzset();
#else
    ::tzset();
#endif
}

// Local time is UTC while a test runs: dates printed in local time (the CSV header,
// the printed details) are then the same on every machine.
inline void UseUtc() {
    SetEnv("TZ", "UTC0");
    ReadTimeZone();
}

// A name that reads like a file but is a pipe nobody writes to, so a plain open or read
// of it would wait for ever: a FIFO in `dir` on POSIX, a named pipe on Windows (whose
// pipes live in a name space of their own; this process holds it open until it ends).
#ifdef _WIN32
std::string MakePipe(const std::string& dir, const std::string& name); // windows_pipe.cpp
#else
inline std::string MakePipe(const std::string& dir, const std::string& name) {
    const std::string path = dir + "/" + name;
    return ::mkfifo(path.c_str(), 0600) == 0 ? path : std::string();
}
#endif

} // namespace tavo::test
