#include "view/dialog_fields.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <limits>

#include "view/graph_format.h"

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

// The field's text without surrounding blanks and without a leading '+', which the
// number parsers do not take. A second sign after it ("+-5") stays and is refused.
std::string NumberText(const std::string& text) {
    std::string t = Trimmed(text);
    if (t.size() > 1 && t[0] == '+' && t[1] != '-' && t[1] != '+')
        t.erase(0, 1);
    return t;
}

} // namespace

std::string FormatIntegerField(int value) {
    return std::to_string(value);
}

std::string FormatRealField(float value) {
    return FormatText("%.6g", value);
}

bool ParseIntegerField(const std::string& text, int& value) {
    const std::string t = NumberText(text);
    if (t.empty())
        return false;
    int parsed = 0;
    const auto r = std::from_chars(t.data(), t.data() + t.size(), parsed);
    if (r.ec != std::errc() || r.ptr != t.data() + t.size())
        return false;
    value = parsed;
    return true;
}

bool ParseRealField(const std::string& text, float& value) {
    const std::string t = NumberText(text);
    if (t.empty())
        return false;
    double parsed = 0.0;
    const auto r = std::from_chars(t.data(), t.data() + t.size(), parsed);
    if (r.ec != std::errc() || r.ptr != t.data() + t.size() || !std::isfinite(parsed))
        return false;
    if (std::fabs(parsed) > std::numeric_limits<float>::max())
        return false;
    value = static_cast<float>(parsed);
    return true;
}

} // namespace tavo
