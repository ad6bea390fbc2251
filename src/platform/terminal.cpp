#include "platform/terminal.h"

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace tavo {

bool IsTerminal(std::FILE* stream) {
    if (stream == nullptr)
        return false;
#if defined(_WIN32)
    return _isatty(_fileno(stream)) != 0;
#else
    return ::isatty(::fileno(stream)) == 1;
#endif
}

} // namespace tavo
