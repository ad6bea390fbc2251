// Kept out of the header: <windows.h> would bring its macros into every test.

#include <windows.h>

#include "support/test_files.h"

namespace tavo::test {

std::string MakePipe(const std::string&, const std::string& name) {
    const std::string path =
        "\\\\.\\pipe\\tavokit-" + std::to_string(GetCurrentProcessId()) + "-" + name;
    const HANDLE pipe =
        CreateNamedPipeA(path.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE, 4, 0, 0, 0, nullptr);
    return pipe == INVALID_HANDLE_VALUE ? std::string() : path;
}

} // namespace tavo::test
