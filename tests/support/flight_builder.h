#pragma once
// Flights built sample by sample for tests.

#include <string>
#include <vector>

#include "flight/flight_record.h"

namespace tavo::test {

// Fills a flight with the given sample words (no flags unless the words carry them),
// at `rate` Hz and with the flight's own two-G value, and recomputes it.
inline void SetSamples(FlightRecord& flight, const std::vector<int>& words, int rate = 100,
                       float twoGee = 16.0f) {
    flight.m_pSamples.items().clear();
    for (int word : words)
        flight.m_pSamples.items().push_back(std::to_string(word));
    flight.m_nSampleRate = rate;
    flight.m_fTwoGeeFile = twoGee;
    flight.m_bUseFileTwoGee = true;
    flight.Recompute();
}

// Puts sample texts into a flight as they are, without recomputing.
inline void SetSampleTexts(FlightRecord& flight, std::vector<std::string> samples) {
    flight.m_pSamples.items() = std::move(samples);
}

} // namespace tavo::test
