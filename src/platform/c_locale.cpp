#include "platform/c_locale.h"

#include <clocale>
#include <cstdio>
#include <string>

#if !defined(_WIN32)
#include <locale.h>
#endif

namespace tavo {

#if defined(_WIN32)

// The runtime's locale objects work only with its own printf, which writes exponents
// and infinities unlike the C99 one the rest of the program uses; so this thread alone
// is switched to "C" for the call and back.
int FormatInCLocale(char* buffer, std::size_t size, const char* format, va_list args) {
    const int previous = _configthreadlocale(_ENABLE_PER_THREAD_LOCALE);
    const char* now = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = now != nullptr ? now : "C";
    const bool switched = saved != "C" && std::setlocale(LC_NUMERIC, "C") != nullptr;
    const int length = std::vsnprintf(buffer, size, format, args);
    if (switched)
        std::setlocale(LC_NUMERIC, saved.c_str());
    if (previous != -1)
        _configthreadlocale(previous);
    return length;
}

#else

int FormatInCLocale(char* buffer, std::size_t size, const char* format, va_list args) {
    // Made once and only ever read.
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    if (c == static_cast<locale_t>(nullptr))
        return std::vsnprintf(buffer, size, format, args);
    // uselocale is per thread, so other threads keep whatever they had.
    const locale_t previous = uselocale(c);
    const int length = std::vsnprintf(buffer, size, format, args);
    uselocale(previous);
    return length;
}

#endif

} // namespace tavo
