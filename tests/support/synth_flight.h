#pragma once
// A synthesised flight put into a test flight with its curves computed, as a download
// leaves the document.

#include "sim/flight_synth.h"
#include "support/flight_builder.h"

namespace tavo::test {

// Found before the record-only filler for a test::Flight argument.
inline void FillFlightRecord(const SynthParams& params, const SynthFlight& synth, Flight& flight) {
    tavo::FillFlightRecord(params, synth, flight.Record());
    flight.Recompute();
}

} // namespace tavo::test
