#pragma once
// The demo recorder and telemetry receiver of `tavokit --demo`, plugged into this
// process's port directory ahead of the machine's ports.

#include <memory>
#include <string>

#include "device/served_flight.h"
#include "device/simulated_port.h"

namespace tavo {

// Installs a simulated recorder serving `flight`, paced at 19,200 baud, as the first
// port of this process (so automatic detection and "COM1:" find it); set to another
// rate, it serves the flight resampled to that rate. Call once at start, before any
// window opens a port.
std::shared_ptr<SimulatedDevice> InstallDemoRecorder(const ServedFlight& flight);
// A receiver that streams `flight` as live telemetry lines, installed as the next port
// (port 2 after the demo recorder): the capture reads it when "CommPort" names it.
std::shared_ptr<SimulatedDevice> InstallDemoTelemetryReceiver(const ServedFlight& flight);

// The same, serving the flight file at `demoFlightPath` (the demo flight), or a
// made-up flight when that file cannot be read.
std::shared_ptr<SimulatedDevice> InstallDemoRecorder(const std::string& demoFlightPath);

} // namespace tavo
