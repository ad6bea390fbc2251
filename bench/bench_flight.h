#pragma once
// A flight with the curves and the settings the window computes and shows it with, for
// the benchmarks that draw or export one.

#include "flight/flight_data.h"

namespace tavo::bench {

struct Flight {
    FlightRecord record;
    FlightCurves curves;
    UserSettings settings;
    FlightData Data() const { return {record, curves, settings}; }
};

} // namespace tavo::bench
