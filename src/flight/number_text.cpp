#include "flight/number_text.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <limits>

#include "flight/text_format.h"

namespace tavo {

namespace {

std::string Trimmed(const std::string& text) {
    const char* blanks = " \t\r\n";
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return std::string();
    const std::size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

} // namespace

std::string FormatIntegerField(int value) {
    return std::to_string(value);
}

std::string FormatRealField(float value) {
    return FormatText("%.6g", value);
}

bool ParseIntegerField(const std::string& text, int& value) {
    // Blanks around the number are the text box's, not the user's meaning.
    return ParseWholeNumber(Trimmed(text), value);
}

bool ParseRealField(const std::string& text, float& value) {
    double parsed = 0.0;
    if (!ParseWholeNumber(Trimmed(text), parsed) || !std::isfinite(parsed))
        return false;
    if (std::fabs(parsed) > std::numeric_limits<float>::max())
        return false;
    value = static_cast<float>(parsed);
    return true;
}

bool ReadPlainDecimal(const std::string& text, double& value) {
    bool digit = false, point = false;
    for (char c : text) {
        if (c >= '0' && c <= '9')
            digit = true;
        else if (c == '.' && !point)
            point = true;
        else
            return false;
    }
    if (!digit)
        return false;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && ptr == text.data() + text.size() && std::isfinite(value);
}

} // namespace tavo
