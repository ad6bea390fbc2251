#include "exchange/rdas_import.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>
#include <string_view>

#include "flight/atomic_file.h"

namespace tavo {
namespace {

constexpr std::string_view kRateMarker = "Data is sampled at";
constexpr std::string_view kRawMarker = "*** Raw data ***";
constexpr std::string_view kHeaderMarker = "Time";

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsWhite(char c) {
    return c == ' ' || c == '\t';
}

std::string_view SkipWhite(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && IsWhite(s[i]))
        ++i;
    return s.substr(i);
}

// The value of a data line: the text between the first and the next space, after
// dropping leading spaces and tabs before each. Empty, with `why` set, when the line
// holds no value that can be read: one field only, a value no space ends (the reader
// has always taken those as 0), or a value that is no number.
std::string_view DataValue(std::string_view line, std::string& why) {
    line = SkipWhite(line);
    std::size_t blank = line.find(' ');
    if (blank == std::string_view::npos) {
        why = "it has no second column";
        return {};
    }
    line = SkipWhite(line.substr(blank));
    blank = line.find(' ');
    if (line.empty()) {
        why = "it has no second column";
        return {};
    }
    if (blank == std::string_view::npos) {
        why = "the value in its second column is not followed by a blank";
        return {};
    }
    const std::string_view value = line.substr(0, blank);
    const std::size_t digit = value[0] == '+' || value[0] == '-' ? 1 : 0;
    if (digit >= value.size() || !IsDigit(value[digit])) {
        why = "the value in its second column is not a number";
        return {};
    }
    return value;
}

bool IsBlankLine(std::string_view line) {
    return SkipWhite(line).empty();
}

} // namespace

int ReadRdasRate(const char* text, std::size_t length) {
    std::size_t i = 0;
    while (i < length && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    const std::size_t start = i;
    if (i < length && (text[i] == '+' || text[i] == '-'))
        ++i;
    const std::size_t mantissa = i;
    bool anyDigit = false, nonZero = false;
    while (i < length && IsDigit(text[i])) {
        anyDigit = true;
        nonZero |= text[i] != '0';
        ++i;
    }
    if (i < length && text[i] == '.') {
        ++i;
        while (i < length && IsDigit(text[i])) {
            anyDigit = true;
            nonZero |= text[i] != '0';
            ++i;
        }
    }
    if (!anyDigit)
        return 0;
    bool negativeExponent = false;
    if (i < length && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < length && (text[j] == '+' || text[j] == '-')) {
            negativeExponent = text[j] == '-';
            ++j;
        }
        if (j < length && IsDigit(text[j])) {
            while (j < length && IsDigit(text[j]))
                ++j;
            i = j;
        }
    }
    const bool negative = text[start] == '-';
    double value = 0.0;
    auto [ptr, ec] = std::from_chars(text + mantissa, text + i, value);
    if (ec == std::errc::result_out_of_range) {
        // Too small is 0, too large saturates below.
        value = (!nonZero || negativeExponent) ? 0.0 : HUGE_VAL;
    } else if (ec != std::errc()) {
        return 0;
    }
    if (negative)
        value = -value;
    const double truncated = std::trunc(value);
    if (truncated >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (truncated <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(truncated);
}

bool ParseRdasText(const char* data, std::size_t size, RdasTable& table, std::string& reason) {
    bool rateSeen = false, markerSeen = false, headerSeen = false;
    RdasTable parsed;
    std::size_t pos = 0;
    std::size_t lineNumber = 0, firstBlank = 0;
    while (pos < size) {
        const char* begin = data + pos;
        const void* nl = std::memchr(begin, '\n', size - pos);
        std::size_t length = nl ? static_cast<const char*>(nl) - begin : size - pos;
        pos += length + (nl ? 1 : 0);
        if (length > 0 && begin[length - 1] == '\r')
            --length;
        // A NUL ends the text of a line, as it always has for these searches.
        if (const void* nul = std::memchr(begin, '\0', length))
            length = static_cast<const char*>(nul) - begin;
        const bool cut = length > kRdasLineChars;
        if (cut)
            length = kRdasLineChars;
        const std::string_view line(begin, length);

        ++lineNumber;
        if (headerSeen) {
            // Blank lines at the end of the table are no samples; inside it, one would
            // be a reading of 0, far off the scale of every sample around it.
            if (IsBlankLine(line)) {
                if (firstBlank == 0)
                    firstBlank = lineNumber;
                continue;
            }
            if (firstBlank != 0) {
                reason = "line " + std::to_string(firstBlank) +
                         " is blank inside the raw-data table, which goes on after it";
                return false;
            }
            if (parsed.values.size() >= kMaxRdasSamples) {
                reason =
                    "the table holds more than " + std::to_string(kMaxRdasSamples) + " samples";
                return false;
            }
            std::string why;
            const std::string_view value = DataValue(line, why);
            if (!why.empty()) {
                if (cut)
                    why = "its value does not lie within the " + std::to_string(kRdasLineChars) +
                          " characters of a line that are read";
                reason = "line " + std::to_string(lineNumber) +
                         " of the file, in the raw-data table, cannot be read: " + why;
                return false;
            }
            parsed.values.emplace_back(value);
            continue;
        }
        if (!rateSeen) {
            const std::size_t at = line.find(kRateMarker);
            if (at == std::string_view::npos)
                continue;
            const std::size_t after = at + kRateMarker.size();
            std::size_t hz = line.find("Hz", at);
            // Without "Hz" the number is read from the rest of the line.
            std::size_t examined =
                hz == std::string_view::npos ? line.size() - after : hz - at + kRateMarker.size();
            examined = std::min(examined, line.size() - after);
            parsed.sampleRate = ReadRdasRate(line.data() + after, examined);
            rateSeen = true;
        }
        if (!markerSeen) {
            if (line.find(kRawMarker) == std::string_view::npos)
                continue;
            markerSeen = true;
        }
        if (line.find(kHeaderMarker) != std::string_view::npos)
            headerSeen = true;
    }
    if (!headerSeen || parsed.values.empty()) {
        reason = !rateSeen     ? "there is no \"Data is sampled at\" line"
                 : !markerSeen ? "there is no \"*** Raw data ***\" line after the rate line"
                 : !headerSeen ? "there is no \"Time\" table header after the raw-data line"
                               : "the raw-data table has no lines";
        return false;
    }
    table = std::move(parsed);
    return true;
}

bool ReadRdasFile(const std::string& path, RdasTable& table, std::string& reason) {
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(path, kMaxRdasFileBytes, bytes, reason))
        return false;
    return ParseRdasText(reinterpret_cast<const char*>(bytes.data()), bytes.size(), table, reason);
}

} // namespace tavo
