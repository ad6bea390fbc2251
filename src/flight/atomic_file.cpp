#include "flight/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

#if defined(_WIN32)
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace tavo {

namespace fs = std::filesystem;

namespace {

// strerror_r comes in two shapes: the GNU one returns the text, the POSIX one fills
// the buffer and returns 0. Overloads pick whichever the C library declares.
[[maybe_unused]] std::string StrerrorText(const char* text, const char*, int) {
    return text != nullptr ? text : std::string();
}
[[maybe_unused]] std::string StrerrorText(int result, const char* buffer, int error) {
    return result == 0 ? std::string(buffer) : "error " + std::to_string(error);
}

std::string TemporaryNameFor(const fs::path& target) {
    std::random_device device;
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".tmp%08x", static_cast<unsigned>(device()));
    fs::path temp = target;
    temp += suffix;
    return temp.string();
}

// A file system that cannot sync (some network and virtual ones) says so with these;
// the data is then as safe as that file system makes it, which is not a failure.
bool CannotSync(int error) {
    return error == EINVAL || error == ENOTSUP || error == EROFS;
}

// Puts the written bytes on the disk; 0, or the errno of the failure.
int SyncFile(std::FILE* file) {
#if defined(_WIN32)
    const int rc = _commit(_fileno(file));
#else
    const int rc = ::fsync(::fileno(file));
#endif
    return rc == 0 || CannotSync(errno) ? 0 : errno;
}

// Puts the folder's new entry (the rename) on the disk. Windows records a rename with
// the file, and a folder that cannot be opened for reading cannot be synced: both
// leave the rename as the file system keeps it. 0, or the errno of the failure.
int SyncFolderOf(const fs::path& target) {
#if defined(_WIN32)
    (void)target;
    return 0;
#else
    fs::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    const int rc = ::fsync(fd);
    const int error = rc == 0 || CannotSync(errno) ? 0 : errno;
    ::close(fd);
    return error;
#endif
}

} // namespace

std::string SystemErrorText(int error) {
    char buffer[256] = {};
#if defined(_WIN32)
    if (strerror_s(buffer, sizeof buffer, error) != 0)
        return "error " + std::to_string(error);
    return buffer;
#else
    return StrerrorText(strerror_r(error, buffer, sizeof buffer), buffer, error);
#endif
}

std::string SystemErrorText(const std::error_code& error) {
#if !defined(_WIN32)
    // The file system reports errno values; the library's own message() goes through
    // strerror, which other threads may overwrite.
    if (error.category() == std::system_category() || error.category() == std::generic_category())
        return SystemErrorText(error.value());
#endif
    return error.message();
}

bool WriteFileAtomically(const std::string& path, const void* data, std::size_t size,
                         std::string& reason) {
    const fs::path target(path);
    const std::string temp = TemporaryNameFor(target);
    std::FILE* file = std::fopen(temp.c_str(), "wb");
    if (file == nullptr) {
        reason = SystemErrorText(errno);
        return false;
    }
    bool ok = size == 0 || std::fwrite(data, 1, size, file) == size;
    int savedErrno = ok ? 0 : errno;
    if (std::fflush(file) != 0 && ok) {
        ok = false;
        savedErrno = errno;
    }
    // The bytes reach the disk before the name points at them, so a crash or power
    // loss leaves the old file or the new one, never an empty one.
    if (ok && (savedErrno = SyncFile(file)) != 0)
        ok = false;
    if (std::fclose(file) != 0 && ok) {
        ok = false;
        savedErrno = errno;
    }
    if (!ok) {
        reason = savedErrno != 0 ? SystemErrorText(savedErrno) : "write failed";
        std::error_code ignored;
        fs::remove(temp, ignored);
        return false;
    }
    std::error_code ec;
    fs::rename(temp, target, ec);
    if (ec) {
        reason = SystemErrorText(ec);
        std::error_code ignored;
        fs::remove(temp, ignored);
        return false;
    }
    if (const int error = SyncFolderOf(target); error != 0) {
        reason = SystemErrorText(error);
        return false;
    }
    return true;
}

bool ReadWholeFile(const std::string& path, std::uintmax_t maxBytes,
                   std::vector<std::uint8_t>& bytes, std::string& reason) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        reason = SystemErrorText(errno);
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
                reason = SystemErrorText(errno);
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
