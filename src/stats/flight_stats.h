#pragma once
// The figures of a flight without placing cursors: apogee, the greatest acceleration and
// velocity, the burn and the coast, the descent and the landing. They are read from the
// derived curves and the recorder's event markers, in the units the graph shows, with
// times on the graph's time axis (from the first recorded sample). A figure the flight
// does not show (no marker, no landing in the recording) is absent, never guessed.

#include <optional>
#include <string>

#include "flight/flight_data.h"

namespace tavo {

struct FlightStats {
    // The units the figures are in, as the graph's axis names them.
    std::string accelUnits, velocityUnits, altitudeUnits;
    // The descent rate is in altitude units a second ("m/s", "ft/s").
    std::string descentRateUnits;

    float apogee = 0, apogeeTime = 0;
    float maxAccel = 0, maxAccelTime = 0;
    float maxVelocity = 0, maxVelocityTime = 0;
    // From the markers: launch (I) and burn-out (B).
    std::optional<float> launchTime, burnoutTime;
    std::optional<float> burnTime;  // launch to burn-out
    std::optional<float> coastTime; // burn-out to apogee
    // Found from the curves: the rocket at rest after the descent.
    std::optional<float> landingTime;
    std::optional<float> descentRate; // mean, apogee to landing, positive downwards
    std::optional<float> duration;    // launch to landing
};

// Computes the statistics of a recomputed flight. False, with the reason to show, for a
// flight that has none to give: no samples, no sample rate, or raw counts displayed.
bool ComputeFlightStats(const FlightData& flight, FlightStats& stats, std::string& reason);

// The statistics as the window lists them: one "name: value" line each, a line that
// says why for a figure the flight does not show.
std::string FlightStatsText(const FlightStats& stats);

// The few figures a flyer looks for first, for the summary box on the graph and the
// printed page: "Flight summary", then apogee, maximum velocity, burn time and descent
// rate, one a line, in the units of the statistics; a figure the flight does not show
// says so in a word or two.
std::string FlightSummaryText(const FlightStats& stats);

// What the landing search looks for: the recording ends with the rocket still, at
// most this fast (m/s) and this hard pushed (g), for at least this long (s), after it
// was seen descending faster than the still speed.
inline constexpr double kLandedSpeed = 1.5;
inline constexpr double kLandedAccel = 0.5;
inline constexpr double kLandedSeconds = 1.0;

} // namespace tavo
