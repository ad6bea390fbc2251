#pragma once
// Numbers typed by a user or read from a text file: the whole text must be the number,
// in the C locale whatever the user's locale, so "3,5", " 5" and "5x" are refused. The
// dialogs' numeric fields read through here too, so a field means the same in every
// window.

#include <charconv>
#include <string>
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

// The refusals of a numeric dialog field.
constexpr const char* kEnterInteger = "Please enter an integer.";
constexpr const char* kEnterNumber = "Please enter a number.";

// Decimal text of an integer field.
std::string FormatIntegerField(int value);
// A real field: up to 6 significant digits.
std::string FormatRealField(float value);

// Reads an integer field: the whole number with blanks around it allowed (the text
// box's, not the user's meaning), within the int range. False means refuse with
// kEnterInteger.
bool ParseIntegerField(const std::string& text, int& value);
// Reads a real field (C locale decimal point), finite and within float's range, blanks
// around it allowed. False means refuse with kEnterNumber.
bool ParseRealField(const std::string& text, float& value);

// Plain decimal digits with at most one decimal point and at least one digit: no sign,
// exponent, blank or locale, which the field's readers take differently from one
// another. False for anything else.
bool ReadPlainDecimal(const std::string& text, double& value);

} // namespace tavo
