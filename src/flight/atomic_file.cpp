#include "flight/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>

#include "platform/durable_file.h"
#include "platform/file_read.h"

namespace tavo {

namespace {

std::string TemporaryNameFor(const std::string& target) {
    std::random_device device;
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".tmp%08x", static_cast<unsigned>(device()));
    return target + suffix;
}

} // namespace

bool WriteFileAtomically(const std::string& path, const void* data, std::size_t size,
                         std::string& reason) {
    const std::string temp = TemporaryNameFor(path);
    std::FILE* file = OpenFileForWriting(temp, reason);
    if (file == nullptr)
        return false;
    bool ok = size == 0 || std::fwrite(data, 1, size, file) == size;
    int savedErrno = ok ? 0 : errno;
    if (std::fflush(file) != 0 && ok) {
        ok = false;
        savedErrno = errno;
    }
    std::string syncReason;
    // The bytes reach the disk before the name points at them, so a crash or power
    // loss leaves the old file or the new one, never an empty one.
    if (ok && !SyncFile(file, syncReason))
        ok = false;
    if (std::fclose(file) != 0 && ok) {
        ok = false;
        savedErrno = errno;
    }
    if (!ok) {
        reason = !syncReason.empty() ? syncReason
                 : savedErrno != 0   ? SystemErrorText(savedErrno)
                                     : "write failed";
        RemoveFileQuietly(temp);
        return false;
    }
    if (!MoveIntoPlace(temp, path, reason)) {
        RemoveFileQuietly(temp);
        return false;
    }
    return true;
}

bool ReadWholeFile(const std::string& path, std::uintmax_t maxBytes,
                   std::vector<std::uint8_t>& bytes, std::string& reason) {
    const ReadResult result = ReadRegularFile(path, maxBytes, bytes);
    if (!result)
        reason = result.reason;
    return static_cast<bool>(result);
}

std::string FileNameOf(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

} // namespace tavo
