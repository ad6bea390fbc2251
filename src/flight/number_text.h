#pragma once
// Numbers typed by a user or read from a text file: the whole text must be the number,
// in the C locale whatever the user's locale, so "3,5", " 5" and "5x" are refused.

#include <charconv>
#include <string_view>
#include <system_error>

namespace tavo {

// Reads `text` as one number of type T (an integer or floating-point type). An optional
// leading '+' is taken ("+-5" is not); infinity and NaN spellings read as they do for
// from_chars, so callers that need a finite value check it. On failure `value` is
// unchanged.
template <typename T> bool ParseWholeNumber(std::string_view text, T& value) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && (text.front() == '+' || text.front() == '-'))
            return false;
    }
    if (text.empty())
        return false;
    T parsed{};
    const auto result = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size())
        return false;
    value = parsed;
    return true;
}

} // namespace tavo
