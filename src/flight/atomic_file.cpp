#include "flight/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

namespace tavo {

namespace fs = std::filesystem;

namespace {

std::string TemporaryNameFor(const fs::path& target) {
    std::random_device device;
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".tmp%08x", static_cast<unsigned>(device()));
    fs::path temp = target;
    temp += suffix;
    return temp.string();
}

} // namespace

bool WriteFileAtomically(const std::string& path, const void* data, std::size_t size,
                         std::string& reason) {
    const fs::path target(path);
    const std::string temp = TemporaryNameFor(target);
    std::FILE* file = std::fopen(temp.c_str(), "wb");
    if (file == nullptr) {
        reason = std::strerror(errno);
        return false;
    }
    bool ok = size == 0 || std::fwrite(data, 1, size, file) == size;
    int savedErrno = ok ? 0 : errno;
    if (std::fflush(file) != 0 && ok) {
        ok = false;
        savedErrno = errno;
    }
    if (std::fclose(file) != 0 && ok) {
        ok = false;
        savedErrno = errno;
    }
    if (!ok) {
        reason = savedErrno != 0 ? std::strerror(savedErrno) : "write failed";
        std::error_code ignored;
        fs::remove(temp, ignored);
        return false;
    }
    std::error_code ec;
    fs::rename(temp, target, ec);
    if (ec) {
        reason = ec.message();
        std::error_code ignored;
        fs::remove(temp, ignored);
        return false;
    }
    return true;
}

bool ReadWholeFile(const std::string& path, std::uintmax_t maxBytes,
                   std::vector<std::uint8_t>& bytes, std::string& reason) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        reason = std::strerror(errno);
        return false;
    }
    std::vector<std::uint8_t> data;
    std::uint8_t chunk[65536];
    bool ok = true;
    for (;;) {
        const std::size_t got = std::fread(chunk, 1, sizeof chunk, file);
        if (got > 0) {
            if (data.size() + got > maxBytes) {
                reason = "the file is too large";
                ok = false;
                break;
            }
            data.insert(data.end(), chunk, chunk + got);
        }
        if (got < sizeof chunk) {
            if (std::ferror(file) != 0) {
                reason = std::strerror(errno);
                ok = false;
            }
            break;
        }
    }
    std::fclose(file);
    if (ok)
        bytes.swap(data);
    return ok;
}

std::string FileNameOf(const std::string& path) {
    return fs::path(path).filename().string();
}

} // namespace tavo
