#pragma once
// Where the curves of a flight start when its first samples were cut away. The curves
// count acceleration from the recording's own pad reading and integrate from the ground
// up; a cut before C1 must not make the first kept sample (often one under thrust) the
// new zero, nor restart velocity and height at nothing in mid-flight.

namespace tavo {

struct FlightStart {
    float zeroRef = 0.0f;  // ADC counts: the reading of the recording's first sample
    float velocity = 0.0f; // m/s, the running single-precision velocity before the first sample
    float height = 0.0f;   // m, the running single-precision height before the first sample
};

} // namespace tavo
