#include "view/graph_format.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <string_view>

namespace tavo {

namespace {

// Formats one conversion with its argument; non-finite floating-point values become
// their plain names so "-nan" never reaches the user.
template <typename T> void AppendOne(std::string& out, const std::string& conversion, T value) {
    char buf[128];
    std::snprintf(buf, sizeof buf, conversion.c_str(), value);
    out += buf;
}

} // namespace

std::string FormatText(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    std::string out;
    for (const char* p = format; *p != '\0'; ++p) {
        if (*p != '%') {
            out += *p;
            continue;
        }
        if (p[1] == '%') {
            out += '%';
            ++p;
            continue;
        }
        // Collect one conversion: flags, width, precision, length, type.
        std::string conversion = "%";
        const char* q = p + 1;
        while (*q != '\0' && std::string_view("-+ #0123456789.").find(*q) != std::string_view::npos)
            conversion += *q++;
        bool isLong = false;
        while (*q == 'l' || *q == 'h') {
            isLong = isLong || *q == 'l';
            conversion += *q++;
        }
        const char type = *q;
        if (type == '\0')
            break;
        conversion += type;
        switch (type) {
        case 'd':
        case 'i':
            if (isLong)
                AppendOne(out, conversion, va_arg(args, long));
            else
                AppendOne(out, conversion, va_arg(args, int));
            break;
        case 'u':
        case 'x':
            AppendOne(out, conversion, va_arg(args, unsigned));
            break;
        case 's':
            AppendOne(out, conversion, va_arg(args, const char*));
            break;
        case 'f':
        case 'g':
        case 'e': {
            const double v = va_arg(args, double);
            if (std::isnan(v))
                out += "nan";
            else if (std::isinf(v))
                out += v > 0 ? "inf" : "-inf";
            else
                AppendOne(out, conversion, v);
            break;
        }
        default:
            out += conversion;
            break;
        }
        p = q;
    }
    va_end(args);
    return out;
}

int TruncClamped(double value, int limit, int ifNaN) {
    if (std::isnan(value))
        return ifNaN;
    if (value >= limit)
        return limit;
    if (value <= -limit)
        return -limit;
    return static_cast<int>(value);
}

} // namespace tavo
