#pragma once
// Shared by the exchange tests: the golden files, and the burn flight of make_golden.py.

#include <cmath>
#include <string>
#include <vector>

#include "flight/flight_record.h"
#include "support/flight_builder.h"
#include "support/test_files.h"

namespace tavo::testing {

using test::ReadFileBytes;
using test::UseUtc;

inline std::string GoldenPath(const std::string& name) {
    return TAVOKIT_SOURCE_DIR "/tests/exchange/golden/" + name;
}

inline std::string Golden(const std::string& name) {
    return ReadFileBytes(GoldenPath(name));
}

// A fresh folder under the build tree for one exchange test.
inline std::string FreshDir(const std::string& name) {
    return test::FreshDir("exchange", name);
}

inline void SetSamples(FlightRecord& f, std::vector<std::string> samples) {
    test::SetSampleTexts(f, std::move(samples));
}
// Spelled out for a test flight: otherwise two texts in braces would pick the word
// builder's vector<int> through its iterator-pair constructor.
inline void SetSamples(test::Flight& f, std::vector<std::string> samples) {
    test::SetSampleTexts(f, std::move(samples));
}

// A 250-sample flight at 100 Hz with a 70-sample burn from sample 100, flagged at
// launch, as make_golden.py builds it; `flight` is a test::Flight or the document.
template <typename F> void BurnFlight(F& flight) {
    FlightRecord& f = flight.Record();
    std::vector<std::string> s(100, "505");
    for (int k = 0; k < 70; ++k)
        s.push_back(std::to_string(
            505 - static_cast<int>(std::nearbyint(80 * std::sin(g_pi * (k + 0.5) / 70)))));
    s.resize(250, "512");
    s[100] = std::to_string(ParseSampleWord(s[100]) | 0x1000);
    f.m_strName = "Burn";
    f.m_strMotor = "C6";
    f.m_nAccelOffset = 505;
    f.m_nSampleRate = 100;
    f.m_fLaunchWeight = 0.0781f;
    f.m_fPropellantWeight = 0.0108f;
    f.m_fMaxDiameter = 0.0246f;
    f.m_timeDate = 1781352000;
    SetSamples(f, s);
    flight.Recompute();
}

} // namespace tavo::testing
