#include "platform/file_read.h"

#include <cerrno>

#include "platform/system_error.h"

#if defined(_WIN32)
#include <windows.h>

#include "platform/windows_text.h"
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tavo {
namespace {

constexpr std::size_t kChunkBytes = 65536;

ReadResult Refused(ReadRefusal refusal, std::string reason) {
    return ReadResult{refusal, std::move(reason)};
}

ReadResult TooLarge() {
    return Refused(ReadRefusal::TooLarge, "the file is too large");
}

#if defined(_WIN32)

class Handle {
public:
    explicit Handle(HANDLE h) : m_h(h) {}
    ~Handle() {
        if (m_h != INVALID_HANDLE_VALUE)
            CloseHandle(m_h);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return m_h; }

private:
    HANDLE m_h;
};

ReadResult LastError(ReadRefusal refusal) {
    return Refused(refusal, windows::ErrorText(GetLastError()));
}

ReadResult ReadImpl(const std::string& path, std::uintmax_t maxBytes,
                    std::vector<std::uint8_t>& bytes) {
    std::wstring wide;
    if (!windows::WidePath(path, wide))
        return Refused(ReadRefusal::Missing, "the file name is not valid UTF-8");
    // Pipes and devices have no attributes to look at; the handle's type tells.
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    const DWORD attributeError = attributes == INVALID_FILE_ATTRIBUTES ? GetLastError() : 0;
    if (attributeError == ERROR_FILE_NOT_FOUND || attributeError == ERROR_PATH_NOT_FOUND)
        return Refused(ReadRefusal::Missing, windows::ErrorText(attributeError));
    if (attributeError == 0 && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return Refused(ReadRefusal::Folder, "a folder, not a regular file");
    Handle file(CreateFileW(wide.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE && GetLastError() == ERROR_PIPE_BUSY)
        return Refused(ReadRefusal::NotAFile, "a pipe, not a regular file");
    if (file.get() == INVALID_HANDLE_VALUE)
        return attributeError != 0
                   ? Refused(ReadRefusal::Missing, windows::ErrorText(attributeError))
                   : LastError(ReadRefusal::Missing);
    // Device names (NUL, CON, COM1) and pipes open like files; only a disk file is one.
    switch (GetFileType(file.get())) {
    case FILE_TYPE_DISK:
        break;
    case FILE_TYPE_CHAR:
        return Refused(ReadRefusal::NotAFile, "a device, not a regular file");
    case FILE_TYPE_PIPE:
        return Refused(ReadRefusal::NotAFile, "a pipe, not a regular file");
    default:
        return Refused(ReadRefusal::NotAFile, "not a regular file");
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size))
        return LastError(ReadRefusal::ReadFailed);
    if (size.QuadPart < 0 || static_cast<std::uintmax_t>(size.QuadPart) > maxBytes)
        return TooLarge();
    std::vector<std::uint8_t> data;
    data.reserve(static_cast<std::size_t>(size.QuadPart));
    std::uint8_t chunk[kChunkBytes];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr))
            return LastError(ReadRefusal::ReadFailed);
        if (got == 0)
            break;
        // The file may grow while it is read.
        if (data.size() + got > maxBytes)
            return TooLarge();
        data.insert(data.end(), chunk, chunk + got);
    }
    bytes.swap(data);
    return {};
}

#else

// What a file's mode says about reading it whole; None for a regular file.
ReadResult Classify(mode_t mode) {
    if (S_ISREG(mode))
        return {};
    if (S_ISDIR(mode))
        return Refused(ReadRefusal::Folder, "a folder, not a regular file");
    if (S_ISFIFO(mode))
        return Refused(ReadRefusal::NotAFile, "a pipe, not a regular file");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return Refused(ReadRefusal::NotAFile, "a device, not a regular file");
    return Refused(ReadRefusal::NotAFile, "not a regular file");
}

ReadResult Errno(ReadRefusal refusal) {
    return Refused(refusal, SystemErrorText(errno));
}

ReadResult ReadImpl(const std::string& path, std::uintmax_t maxBytes,
                    std::vector<std::uint8_t>& bytes) {
    // Looked at before it is opened: opening a device can have effects of its own (a
    // serial line raises its modem lines), and a pipe's open waits for a writer.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return Errno(ReadRefusal::Missing);
    if (ReadResult kind = Classify(st.st_mode); !kind)
        return kind;
    if (st.st_size < 0 || static_cast<std::uintmax_t>(st.st_size) > maxBytes)
        return TooLarge();
    // Non-blocking, and looked at again once open: the name may have been given to a
    // pipe in between.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return Errno(ReadRefusal::Missing);
    struct FdCloser {
        int fd;
        ~FdCloser() { ::close(fd); }
    } closer{fd};
    if (::fstat(fd, &st) != 0)
        return Errno(ReadRefusal::ReadFailed);
    if (ReadResult kind = Classify(st.st_mode); !kind)
        return kind;
    if (st.st_size < 0 || static_cast<std::uintmax_t>(st.st_size) > maxBytes)
        return TooLarge();
    std::vector<std::uint8_t> data;
    data.reserve(static_cast<std::size_t>(st.st_size));
    std::uint8_t chunk[kChunkBytes];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return Errno(ReadRefusal::ReadFailed);
        }
        if (got == 0)
            break;
        // The file may grow while it is read.
        if (data.size() + static_cast<std::size_t>(got) > maxBytes)
            return TooLarge();
        data.insert(data.end(), chunk, chunk + got);
    }
    bytes.swap(data);
    return {};
}

#endif

} // namespace

ReadResult ReadRegularFile(const std::string& path, std::uintmax_t maxBytes,
                           std::vector<std::uint8_t>& bytes) {
    return ReadImpl(path, maxBytes, bytes);
}

} // namespace tavo
