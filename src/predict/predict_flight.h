#pragma once
// What Predict reads of a flight, in one place: the burn between the cursors with its
// coast, the launch mass, and the net accelerations from launch for the measured
// apogee. Everything after works on these plain numbers.

#include <string>
#include <vector>

#include "flight/cursor_range.h"
#include "flight/flight_data.h"
#include "motor/thrust_model.h"

namespace tavo {

struct PredictFlightData {
    DragEstimate drag;          // the coast after C2, the burn C1 to C2
    double launchMassKg = 0.0;  //
    std::vector<double> accel;  // net m/s^2 from C1 to the end of the recording
    double interval = 0.0;      // s per sample
    std::string motorText;      // the flight's motor, "C6-5"
    bool metric = true;         // the graph's units
    double siteAltitudeM = 0.0; // the setting
    double deployTime = -1.0;   // s from C1 of the deployment marker; -1 without one
};

// Reads the flight between the cursors of `range` (nothing but the details when they
// hold no samples), under the samples' lock.
PredictFlightData ReadPredictFlight(const FlightData& flight, CursorRange range,
                                    double siteAltitudeM);

} // namespace tavo
