#pragma once
// The flight a simulated recorder serves, from a flight record, a flight file, or
// made up, and the in-process recorder that `tavokit --demo` plugs in as port 1.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "device/simulated_port.h"
#include "flight/flight_record.h"

namespace tavo {

struct ServedFlight {
    std::vector<std::uint16_t> words; // in time order
    int sampleRate = 200;
    int twoGee = 40;
};

// The flight's sample words (each clamped to 0..65535), rate and two-G value.
ServedFlight ServedFlightFrom(const FlightRecord& flight);
// Reads a ".flt" file; false with the reason when it cannot be used.
bool LoadServedFlight(const std::string& path, ServedFlight& served, std::string& error);
// A plain flight of `samples` samples for when no flight is given.
ServedFlight MadeUpFlight(int samples = 12000);
// The same flight as the recorder would have sampled it at `rate` Hz: each reading is
// the force averaged over its own interval, so the speed and height summed from the
// readings are the flight's at every rate; each event flag goes to the sample whose
// interval holds the event; at most the recorder's memory. A rate of 0 or less, or the
// flight's own, changes nothing.
ServedFlight ResampleFlight(const ServedFlight& flight, int rate);

// How the demo recorder serves `flight`: paced as at 19,200 baud, and recorded anew at
// whatever rate it is set to before a download.
Zr7Options DemoRecorderOptions(const ServedFlight& flight);

// The name under which the demo recorder appears as port 1.
constexpr const char* kDemoDeviceName = "ZR7 simulator";
// The name of the demo's live telemetry receiver, port 2.
constexpr const char* kDemoTelemetryName = "ZR7 telemetry simulator";

} // namespace tavo
