#pragma once
// Synthesises what a ZR7 records on a real flight: a rocket on a motor thrust curve
// flies straight up, coasts to apogee, deploys a parachute after the motor's delay and
// lands. The recorder's accelerometer is sampled into 12-bit sample words with the event
// flags, and the true figures of the simulated flight come out beside them, so tests,
// demonstrations and the reports can be checked against a known answer.

#include <cstdint>
#include <string>
#include <vector>

#include "device/recorder_limits.h"
#include "flight/flight_record.h"
#include "flight/units.h"
#include "motor/eng_motor.h"

namespace tavo {

// Sea-level air density of the simulated atmosphere (the program's drag figures take
// their own single-precision value); gravity is the program's kGee.
constexpr double kSimAirDensity = 1.2;

struct RocketParams {
    double dryMassKg = 0.050;  // without motor
    double diameterM = 0.0246; // body tube
    double cd = 0.6;           // body drag coefficient
    double chuteDiameterM = 0.30;
    double chuteCd = 1.5;
};

struct RecorderParams {
    int sampleRate = 200;       // Hz; one of the rates the recorder offers
    int preLaunchSamples = 256; // 64 to 4096, as the recorder's buffer allows
    // ADC counts at zero specific force. Half a count above 512 puts the 1 g rest reading
    // on a whole count (505), so the hang under the parachute reads exactly the pad
    // reading instead of flipping at a rounding tie and drifting the integrated curves.
    double zeroG = 512.5;
    float twoGee = 15.0f;     // counts for two g
    double noiseCounts = 0.0; // peak of the uniform noise added to every reading but the first
    std::uint64_t seed = 1;
    double afterLandingS = 2.0; // recording kept on after touch-down
};

// The air the rocket flies through: by default the constant sea-level density the demo
// and the test flights were made with; the standard atmosphere over a site of
// `siteAltitudeM` thins with height, as real air does.
struct AirParams {
    bool standard = false;
    double siteAltitudeM = 0.0;
};

struct SynthParams {
    EngMotor motor;
    RocketParams rocket;
    RecorderParams recorder;
    AirParams air;
    // Seconds from burn-out to deployment; negative picks the motor's listed delay that
    // comes closest to apogee (no deployment for a plugged motor).
    double deployDelayS = -1.0;
    // Flight details carried into the record.
    std::string name;
    std::string comment;
    std::int64_t date = 0;
};

// The true figures of the simulated flight; impulses are over launch to burn-out.
struct SynthTruth {
    double liftoffTimeS = 0.0; // after ignition: thrust first exceeds the weight
    double burnoutTimeS = 0.0;
    double apogeeTimeS = 0.0;
    double deployTimeS = -1.0;  // -1: no deployment
    double landingTimeS = -1.0; // -1: recording ended before touch-down
    double deployDelayS = -1.0;
    double launchMassKg = 0.0;
    double motorImpulseNs = 0.0;  // whole curve, from ignition
    double thrustImpulseNs = 0.0; // launch to burn-out
    double weightImpulseNs = 0.0;
    double dragImpulseNs = 0.0;
    double netImpulseNs = 0.0; // integral of m * a_net, a_net = (thrust - weight - drag) / m
    double apogeeM = 0.0;
    double maxVelocityMs = 0.0;
    double landingVelocityMs = 0.0;
};

struct SynthFlight {
    std::vector<std::uint16_t> words;
    // Sample indices of the four events; -1 when the event is not in the recording.
    int launchIndex = -1;
    int burnoutIndex = -1;
    int apogeeIndex = -1;
    int deployIndex = -1;
    int padReading = 0;     // first sample; also the flight's acceleration offset
    bool truncated = false; // the recorder's memory filled before landing
    SynthTruth truth;
    // True velocity (m/s) and altitude (m) at each sample.
    std::vector<double> velocity;
    std::vector<double> altitude;
};

// Runs the simulation. Refuses parameters that describe no flight (a motor too weak to
// lift the rocket, a rate the recorder does not offer, ...) with a reason.
bool SynthesizeFlight(const SynthParams& params, SynthFlight& flight, std::string& reason);

// Puts the synthesised flight into a record as a download would leave it; its curves
// are computed by whoever shows it.
void FillFlightRecord(const SynthParams& params, const SynthFlight& flight, FlightRecord& record);

} // namespace tavo
