#include "exchange/eng_export.h"

#include <charconv>
#include <mutex>

#include "flight/atomic_file.h"
#include "flight/text_format.h"
#include "flight/units.h"

namespace tavo {
namespace {

// Digits with at most one decimal point and at least one digit: no sign, exponent,
// blanks or locale, so the difference means the same on every machine.
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
    return ec == std::errc() && ptr == text.data() + text.size();
}

} // namespace

const char* MissingWeightMessage(const FlightRecord& flight) {
    if (flight.m_fLaunchWeight == 0.0f)
        return kNeedWeightText;
    if (flight.m_fPropellantWeight == 0.0f)
        return kNeedPropellantText;
    return nullptr;
}

bool EngCursorsHoldData(const FlightRecord& flight) {
    const std::size_t n = flight.SampleCount();
    // A negative C1 would index before the first sample.
    return n > 0 && flight.m_nCursor1 >= 0 && flight.m_nCursor2 > flight.m_nCursor1 &&
           static_cast<std::size_t>(flight.m_nCursor2) <= n;
}

std::string EngPropellantField(const std::string& preFire, const std::string& postFire) {
    double pre = 0.0, post = 0.0;
    if (!ReadPlainDecimal(preFire, pre) || !ReadPlainDecimal(postFire, post) || pre < post)
        return postFire;
    std::string out;
    AppendGeneral(out, pre - post);
    return out;
}

bool BuildEngText(const FlightRecord& flight, const EngExportParams& params, std::string& out,
                  std::string& reason) {
    if (params.points == 0) {
        reason = kZeroPointsText;
        return false;
    }
    std::lock_guard<std::mutex> lock(flight.m_pSamples.mutex());
    const std::vector<std::string>& samples = flight.m_pSamples.items();
    const int c1 = flight.m_nCursor1, c2 = flight.m_nCursor2;
    // Checked again under the lock: a capture may have changed the list meanwhile.
    if (samples.empty() || c1 < 0 || c2 <= c1 || static_cast<std::size_t>(c2) > samples.size()) {
        reason = kNothingToExportText;
        return false;
    }

    std::string text;
    for (const std::string* field :
         {&params.designation, &params.diameter, &params.length, &params.delays}) {
        text += *field;
        text += ' ';
    }
    text += EngPropellantField(params.preFireWeight, params.postFireWeight);
    text += ' ';
    text += params.preFireWeight;
    text += ' ';
    text += params.manufacturer;
    text += " \r\n";

    const long long span = static_cast<long long>(c2) - c1;
    // A negative number of points gives one line per sample.
    long long step = span / params.points;
    if (step < 1)
        step = 1;
    const long long lines = span / step;
    const float dm = flight.m_fPropellantWeight / static_cast<float>(lines);
    float mass = flight.m_fLaunchWeight;
    float t = flight.m_fSampleInterval;
    const float stepTime = static_cast<float>(step) * flight.m_fSampleInterval;
    // Measured from the flight's first sample, the pad reading, wherever C1 stands.
    const float r = static_cast<float>(SampleReading(ParseSampleWord(samples[0])));
    // The file's thrust is worked out in double from the count difference on, so the
    // acceleration is not rounded to float on its way.
    const double halfTwoGee = CountsPerGee<double>(flight.m_fTwoGee);
    text.reserve(text.size() + static_cast<std::size_t>(span / step + 1) * 24);
    for (long long i = c1; i < c2; i += step) {
        const int adc = SampleReading(ParseSampleWord(samples[static_cast<std::size_t>(i)]));
        const double a = GeeFromCounts<double>(r, static_cast<float>(adc), halfTwoGee);
        AppendFixed(text, t, 3);
        text += ' ';
        AppendFixed(text, MotorThrust(mass, a), 3);
        text += "\r\n";
        t = t + stepTime;
        mass = mass - dm;
    }
    AppendFixed(text, t, 3);
    text += " 0.000\r\n;";
    out = std::move(text);
    return true;
}

bool WriteEngFile(const std::string& path, const FlightRecord& flight,
                  const EngExportParams& params, std::string& reason) {
    std::string text;
    if (!BuildEngText(flight, params, text, reason))
        return false;
    return WriteFileAtomically(path, text, reason);
}

} // namespace tavo
