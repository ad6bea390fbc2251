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
    constexpr double kHighestReading = kReadingMask - 1;
    const std::size_t n = flight.words.size();
    // Times in source samples: sample i reads the specific force averaged over
    // (i - 1, i], as the recorder's integrating converter does.
    const double step = static_cast<double>(flight.sampleRate) / rate;
    const double span = static_cast<double>(n - 1) / step;
    const std::size_t m =
        std::min<std::size_t>(static_cast<std::size_t>(span) + 1, kZr7MemorySamples);
    const auto reading = [&flight](std::size_t i) {
        return static_cast<double>(flight.words[i] & kReadingMask);
    };
    // sums[k]: the readings of samples 1 to k, the force integrated from 0 to k.
    std::vector<double> sums(n, 0.0);
    for (std::size_t k = 1; k < n; ++k)
        sums[k] = sums[k - 1] + reading(k);
    // The integral from 0 to x; before the recording the rocket stood as at its first
    // sample.
    const auto integral = [&](double x) {
        if (x <= 0.0)
            return x * reading(0);
        const auto k = std::min(static_cast<std::size_t>(x), n - 1);
        const double part = x - static_cast<double>(k);
        return sums[k] + (part > 0.0 && k + 1 < n ? part * reading(k + 1) : 0.0);
    };
    ServedFlight out;
    out.sampleRate = rate;
    out.twoGee = flight.twoGee;
    out.words.resize(m);
    // Each new reading is the average over its own interval. Rounded alone, the
    // readings would each be off by up to half a count, and the velocity summed from
    // them would drift away over a long descent; the rounding left over is carried into
    // the next reading instead, so the sums, and with them the speed and the height,
    // stay those of the flight as recorded. At rest the readings stay whole.
    double carry = 0.0;
    double before = integral(-step);
    for (std::size_t j = 0; j < m; ++j) {
        const double at = integral(static_cast<double>(j) * step);
        const double wanted = (at - before) / step + carry;
        before = at;
        const double kept = std::clamp(std::round(wanted), 0.0, kHighestReading);
        carry = std::clamp(wanted - kept, -0.5, 0.5);
        out.words[j] = static_cast<std::uint16_t>(kept);
    }
    // An event lies within its sample's interval: it goes to the new sample whose
    // interval holds that interval's middle.
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint16_t flags = flight.words[i] & ~kReadingMask;
        if (flags == 0)
            continue;
        const double middle = (static_cast<double>(i) - 0.5) / step;
        const auto j = static_cast<std::size_t>(std::max(0.0, std::ceil(middle)));
        if (j < m)
            out.words[j] = static_cast<std::uint16_t>(out.words[j] | flags);
    }
    return out;
}

Zr7Options DemoRecorderOptions(const ServedFlight& flight) {
    Zr7Options options;
    options.byteMicros = kByteMicros19200;
    options.recordAtRate = [flight](int rate) { return ResampleFlight(flight, rate).words; };
    return options;
}

} // namespace tavo
