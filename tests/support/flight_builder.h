#pragma once
// Flights built sample by sample for tests.

#include <cstdint>
#include <string>
#include <vector>

#include "flight/flight_data.h"
#include "flight/flight_file.h"

namespace tavo::test {

// A flight as the tests build it: the recording, its curves and the settings side by
// side, each set and read by its own names, and handed to the code under test as the
// document hands its parts. The interval and the two-G value are both the settings' and
// the curves'; name the part (`Curves().m_fTwoGee`) where a test touches them.
struct Flight : FlightRecord, FlightCurves, UserSettings {
    FlightRecord& Record() { return *this; }
    FlightCurves& Curves() { return *this; }
    UserSettings& Settings() { return *this; }
    const FlightCurves& Curves() const { return *this; }
    void Recompute() { FlightCurves::Recompute(*this, *this); }
    void RecomputeAppended() { FlightCurves::RecomputeAppended(*this, *this); }
    void ComputeRanges() { FlightCurves::ComputeRanges(*this); }
    FlightData Data() const { return {*this, *this, *this, live}; }
    operator FlightData() const { return Data(); }

    bool live = false; // drawn as a capture's growing flight
};

// Fills a flight (a test::Flight or the document) with the given sample words (no flags
// unless the words carry them), at `rate` Hz and with the flight's own two-G value, and
// recomputes it.
template <typename F>
void SetSamples(F& flight, const std::vector<int>& words, int rate = 100, float twoGee = 16.0f) {
    FlightRecord& record = flight.Record();
    record.m_pSamples.items().clear();
    for (int word : words)
        record.m_pSamples.items().push_back(std::to_string(word));
    record.m_nSampleRate = rate;
    record.m_fTwoGeeFile = twoGee;
    flight.Settings().m_bUseFileTwoGee = true;
    flight.Recompute();
}

// Reads a flight file into a test flight and computes its curves, as the document's
// Open does; found before the record-only reader for a test::Flight argument.
inline bool LoadFlightFile(const std::string& path, Flight& flight, FileError& error,
                           int* version = nullptr) {
    if (!tavo::LoadFlightFile(path, flight.Record(), error, version))
        return false;
    flight.Recompute();
    return true;
}
inline bool DecodeFlightFile(const std::vector<std::uint8_t>& bytes, const std::string& name,
                             Flight& flight, FileError& error, int* version = nullptr) {
    if (!tavo::DecodeFlightFile(bytes, name, flight.Record(), error, version))
        return false;
    flight.Recompute();
    return true;
}

// Puts sample texts into a flight as they are, without recomputing.
inline void SetSampleTexts(FlightRecord& flight, std::vector<std::string> samples) {
    flight.m_pSamples.items() = std::move(samples);
}

} // namespace tavo::test
