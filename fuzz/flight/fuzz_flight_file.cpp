// Feeds arbitrary bytes to the flight-file reader: it must refuse or read them without
// a crash, a hang or an allocation larger than the input justifies, and a refused file
// must leave the flight as it was.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "flight/flight_curves.h"
#include "flight/flight_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    tavo::FlightRecord flight;
    flight.m_pSamples.items() = {"2048", "2040"};
    flight.m_nSampleRate = 77;
    tavo::FileError error;
    if (!tavo::DecodeFlightFile(bytes, "fuzz.flt", flight, error)) {
        if (flight.m_pSamples.size() != 2 || flight.m_nSampleRate != 77 || error.message.empty())
            std::abort();
        return 0;
    }
    // Whatever was read goes through the whole computation, as an open does.
    tavo::FlightCurves curves;
    if (curves.Recompute(flight, tavo::UserSettings{}) &&
        curves.m_arrAccel.size() != flight.m_pSamples.size())
        std::abort();
    // What was read must write back and read again to the same samples.
    const std::vector<std::uint8_t> again = tavo::EncodeFlightFile(flight);
    tavo::FlightRecord second;
    if (!tavo::DecodeFlightFile(again, "again.flt", second, error) ||
        second.m_pSamples.items() != flight.m_pSamples.items() ||
        tavo::EncodeFlightFile(second) != again)
        std::abort();
    return 0;
}
