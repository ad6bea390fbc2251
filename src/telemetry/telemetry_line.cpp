#include "telemetry/telemetry_line.h"

#include <climits>
#include <cmath>
#include <mutex>

#include "flight/text_format.h"

namespace tavo {

bool TelemetryLineReader::Feed(std::uint8_t byte, std::string& line) {
    if (byte == 13) {
        const bool stored = m_count == 2;
        if (stored)
            line.assign(m_bytes, 2);
        m_count = 0;
        return stored;
    }
    if (byte == 0 && m_count == 1) {
        m_bytes[1] = 1;
        m_count = 2;
        return false;
    }
    if (m_count < 2)
        m_bytes[m_count] = static_cast<char>(byte);
    // Only "two" matters at the carriage return, so the count stops at three and a
    // line that never ends neither grows nor wraps.
    if (m_count < 3)
        ++m_count;
    return false;
}

float DacToAltitude(float value) {
    const double volts = value * 0.0625 * 0.0012207;
    const double kPa = (volts - 0.204) * 21.78649237472767 + 15.0;
    const double atmospheres = kPa * 0.14504 * 0.06804572672836146;
    const double feet = (std::pow(atmospheres, 0.19026324060917724) - 1) * -145442;
    if (std::isnan(feet))
        return feet;
    // Truncated toward zero as an integer; a reading far off the sensor's range
    // saturates rather than overflowing the conversion.
    const double whole = std::trunc(std::fabs(feet));
    return static_cast<float>(whole > INT_MAX ? static_cast<double>(INT_MAX) : whole);
}

std::vector<std::string> TelemetryListLines(const SampleList& samples) {
    std::vector<std::string> lines;
    std::lock_guard<std::mutex> lock(samples.mutex());
    lines.reserve(samples.size() + 1);
    lines.emplace_back("DAC value\tAltitude");
    for (const std::string& text : samples.items()) {
        const int n = ParseSampleWord(text);
        lines.push_back(FormatText("%i\t%0.0f", n, DacToAltitude(static_cast<float>(n))));
    }
    return lines;
}

} // namespace tavo
