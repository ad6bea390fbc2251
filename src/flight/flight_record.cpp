#include "flight/flight_record.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>
#include <utility>

namespace tavo {

static_assert(std::numeric_limits<float>::is_iec559, "IEEE single precision is required");
static_assert(std::numeric_limits<double>::is_iec559, "IEEE double precision is required");

const double g_pi = 4.0 * std::atan(1.0);

int ParseSampleWord(const char* text, std::size_t length) {
    std::size_t i = 0;
    auto isBlank = [](char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
    };
    while (i < length && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < length && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulate the magnitude in 64 bits and stop growing once it is past the
    // 32-bit range, so long digit runs saturate rather than overflow.
    constexpr std::int64_t limit = static_cast<std::int64_t>(INT_MAX) + 1;
    std::int64_t magnitude = 0;
    while (i < length && text[i] >= '0' && text[i] <= '9') {
        if (magnitude <= limit)
            magnitude = magnitude * 10 + (text[i] - '0');
        ++i;
    }
    if (negative)
        return magnitude >= limit ? INT_MIN : static_cast<int>(-magnitude);
    return magnitude > INT_MAX ? INT_MAX : static_cast<int>(magnitude);
}

void SampleList::AppendLocked(std::string text) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_items.push_back(std::move(text));
}

std::size_t SampleList::SizeLocked() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_items.size();
}

FlightRecord::FlightRecord() = default;

void FlightRecord::ResetFlight(std::int64_t now) {
    {
        std::lock_guard<std::mutex> lock(m_pSamples.mutex());
        m_pSamples.items().clear();
    }
    m_pUndoSamples.clear();
    m_start.reset();
    m_nSampleRate = 0;
    m_nPreLaunchSetting = 0;
    m_fTwoGeeFile = 15.0f;
    m_nAccelOffset = 0;
    m_strName.clear();
    m_strMotor.clear();
    m_strComment.clear();
    m_timeDate = now;
    m_fLaunchWeight = 0.0f;
    m_fPropellantWeight = 0.0f;
    m_fMaxDiameter = 0.0f;
}

float FlightRecord::RecordedZeroRef(const std::vector<std::string>& samples) const {
    if (m_start)
        return m_start->zeroRef;
    return static_cast<float>(SampleReading(ParseSampleWord(samples[0])));
}

} // namespace tavo
