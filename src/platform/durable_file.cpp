#include "platform/durable_file.h"

#include <cerrno>

#include "platform/system_error.h"

#if defined(_WIN32)
#include <io.h>
#include <windows.h>

#include "platform/windows_text.h"
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace tavo {

#if defined(_WIN32)

namespace {

bool Wide(const std::string& path, std::wstring& wide, std::string& reason) {
    if (windows::WidePath(path, wide))
        return true;
    reason = "the file name is not valid UTF-8";
    return false;
}

} // namespace

std::FILE* OpenFileForWriting(const std::string& path, std::string& reason) {
    std::wstring wide;
    if (!Wide(path, wide, reason))
        return nullptr;
    std::FILE* file = _wfopen(wide.c_str(), L"wb");
    if (file == nullptr)
        reason = SystemErrorText(errno);
    return file;
}

bool SyncFile(std::FILE* file, std::string& reason) {
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    if (handle == INVALID_HANDLE_VALUE || FlushFileBuffers(handle))
        return true;
    const DWORD error = GetLastError();
    if (error == ERROR_INVALID_FUNCTION || error == ERROR_NOT_SUPPORTED)
        return true;
    reason = windows::ErrorText(error);
    return false;
}

bool MoveIntoPlace(const std::string& from, const std::string& to, std::string& reason) {
    std::wstring wideFrom, wideTo;
    if (!Wide(from, wideFrom, reason) || !Wide(to, wideTo, reason))
        return false;
    // Write-through returns once the rename is on the disk, as the folder's sync does
    // elsewhere.
    if (MoveFileExW(wideFrom.c_str(), wideTo.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    reason = windows::ErrorText(GetLastError());
    return false;
}

void RemoveFileQuietly(const std::string& path) {
    std::wstring wide;
    if (windows::WidePath(path, wide))
        DeleteFileW(wide.c_str());
}

#else

namespace {

bool CannotSync(int error) {
    return error == EINVAL || error == ENOTSUP || error == EROFS;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

std::FILE* OpenFileForWriting(const std::string& path, std::string& reason) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        reason = SystemErrorText(errno);
    return file;
}

bool SyncFile(std::FILE* file, std::string& reason) {
    if (::fsync(::fileno(file)) == 0 || CannotSync(errno))
        return true;
    reason = SystemErrorText(errno);
    return false;
}

bool MoveIntoPlace(const std::string& from, const std::string& to, std::string& reason) {
    if (std::rename(from.c_str(), to.c_str()) != 0) {
        reason = SystemErrorText(errno);
        return false;
    }
    // A folder that cannot be opened for reading cannot be synced: the rename then
    // stays as the file system keeps it.
    const int fd = ::open(FolderOf(to).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return true;
    const bool ok = ::fsync(fd) == 0 || CannotSync(errno);
    if (!ok)
        reason = SystemErrorText(errno);
    ::close(fd);
    return ok;
}

void RemoveFileQuietly(const std::string& path) {
    std::remove(path.c_str());
}

#endif

} // namespace tavo
