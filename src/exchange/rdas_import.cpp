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

// The value of a data line: the text between the first and the next space, after
// dropping leading spaces and tabs before each. Empty when no space ends it.
std::string_view DataValue(std::string_view line) {
    auto skipWhite = [](std::string_view s) {
        std::size_t i = 0;
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
            ++i;
        return s.substr(i);
    };
    line = skipWhite(line);
    std::size_t blank = line.find(' ');
    if (blank == std::string_view::npos)
        return {};
    line = skipWhite(line.substr(blank));
    blank = line.find(' ');
    if (blank == std::string_view::npos)
        return {};
    return line.substr(0, blank);
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
        if (length > kRdasLineChars)
            length = kRdasLineChars;
        const std::string_view line(begin, length);

        if (headerSeen) {
            if (parsed.values.size() >= kMaxRdasSamples) {
                reason =
                    "the table holds more than " + std::to_string(kMaxRdasSamples) + " samples";
                return false;
            }
            parsed.values.emplace_back(DataValue(line));
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
