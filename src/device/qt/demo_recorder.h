#pragma once
// The demo recorder and telemetry receiver of `tavokit --demo`, plugged into a port
// directory ahead of the machine's ports, for as long as that directory lives.

#include <memory>
#include <string>

#include "device/served_flight.h"
#include "device/simulated_port.h"

namespace tavo {

class SystemPortDirectory;

// Installs a simulated recorder serving `flight`, paced at 19,200 baud, as the first
// port of `ports` (so automatic detection and "COM1:" find it); set to another rate, it
// serves the flight resampled to that rate. Call once at start, before any window opens
// a port.
std::shared_ptr<SimulatedDevice> InstallDemoRecorder(SystemPortDirectory& ports,
                                                     const ServedFlight& flight);
// A receiver that streams `flight` as live telemetry lines, installed as the next port
// (port 2 after the demo recorder): the capture reads it when "CommPort" names it.
std::shared_ptr<SimulatedDevice> InstallDemoTelemetryReceiver(SystemPortDirectory& ports,
                                                              const ServedFlight& flight);

// The same, serving the flight file at `demoFlightPath` (the demo flight), or a
// made-up flight when that file cannot be read.
std::shared_ptr<SimulatedDevice> InstallDemoRecorder(SystemPortDirectory& ports,
                                                     const std::string& demoFlightPath);

} // namespace tavo
