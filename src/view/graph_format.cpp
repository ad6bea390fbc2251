#include "view/graph_format.h"

#include "flight/str_format.h"

#include <cstdarg>

namespace tavo {

std::string FormatText(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string out = StrFormatV(format, args);
    va_end(args);
    // The C library writes infinities as "inf" and "-inf" already; a NaN may come out
    // "-nan", and its sign means nothing to the user.
    for (std::size_t at = out.find("-nan"); at != std::string::npos; at = out.find("-nan", at))
        out.erase(at, 1);
    return out;
}

} // namespace tavo
