#include "device/served_flight.h"

#include <algorithm>
#include <cmath>

#include "flight/flight_file.h"

namespace tavo {

ServedFlight ServedFlightFrom(const FlightRecord& flight) {
    ServedFlight served;
    {
        std::lock_guard<std::mutex> lock(flight.m_pSamples.mutex());
        served.words.reserve(flight.m_pSamples.size());
        for (const std::string& text : flight.m_pSamples.items())
            served.words.push_back(
                static_cast<std::uint16_t>(std::clamp(ParseSampleWord(text), 0, 65535)));
    }
    served.sampleRate = flight.m_nSampleRate;
    const float twoGee = flight.m_fTwoGeeFile;
    served.twoGee =
        std::isfinite(twoGee) ? static_cast<int>(std::clamp(std::lround(twoGee), 0L, 65535L)) : 0;
    return served;
}

bool LoadServedFlight(const std::string& path, ServedFlight& served, std::string& error) {
    FlightRecord flight;
    FileError fileError;
    if (!LoadFlightFile(path, flight, fileError)) {
        error = fileError.message;
        return false;
    }
    served = ServedFlightFrom(flight);
    return true;
}

ServedFlight MadeUpFlight(int samples) {
    ServedFlight served;
    served.words = GenerateTestFlight(samples, served.sampleRate, 512, served.twoGee);
    return served;
}

ServedFlight ResampleFlight(const ServedFlight& flight, int rate) {
    if (rate <= 0 || flight.sampleRate <= 0 || rate == flight.sampleRate || flight.words.empty())
        return flight;
    constexpr int kReadingMask = 0x0FFF;
    // 0xFFF marks the pre-launch ring's end: no reading may look like it.
    constexpr long kHighestReading = kReadingMask - 1;
    const std::size_t n = flight.words.size();
    const double step = static_cast<double>(flight.sampleRate) / rate; // source samples
    const double span = static_cast<double>(n - 1) / step;
    const std::size_t m =
        std::min<std::size_t>(static_cast<std::size_t>(span) + 1, kZr7MemorySamples);
    ServedFlight out;
    out.sampleRate = rate;
    out.twoGee = flight.twoGee;
    out.words.resize(m);
    for (std::size_t j = 0; j < m; ++j) {
        const double x = static_cast<double>(j) * step;
        const std::size_t i = std::min(static_cast<std::size_t>(x), n - 1);
        const std::size_t k = std::min(i + 1, n - 1);
        const double a = flight.words[i] & kReadingMask;
        const double b = flight.words[k] & kReadingMask;
        const long v = std::lround(a + (b - a) * (x - static_cast<double>(i)));
        out.words[j] = static_cast<std::uint16_t>(std::clamp(v, 0L, kHighestReading));
    }
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint16_t flags = flight.words[i] & ~kReadingMask;
        const auto j = static_cast<std::size_t>(std::lround(static_cast<double>(i) / step));
        if (flags != 0 && j < m)
            out.words[j] = static_cast<std::uint16_t>(out.words[j] | flags);
    }
    return out;
}

} // namespace tavo
