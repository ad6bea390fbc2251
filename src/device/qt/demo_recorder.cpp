#include "device/qt/demo_recorder.h"

#include "device/qt/system_port_directory.h"

namespace tavo {

std::shared_ptr<SimulatedDevice> InstallDemoRecorder(const ServedFlight& flight) {
    auto device = std::make_shared<SimulatedDevice>(DemoRecorderOptions(flight));
    {
        auto lock = device->Lock();
        device->Recorder().SetFlight(flight.words, flight.sampleRate, flight.twoGee);
    }
    DefaultPortDirectory().InstallFront(kDemoDeviceName, device);
    return device;
}

std::shared_ptr<SimulatedDevice> InstallDemoTelemetryReceiver(const ServedFlight& flight) {
    Zr7Options options;
    options.byteMicros = kByteMicros19200;
    options.telemetry = true;
    // Two digits per line: what the capture stores reads back as numbers.
    options.telemetryFormat = TelemetryFormat::Digits;
    auto device = std::make_shared<SimulatedDevice>(options);
    {
        auto lock = device->Lock();
        device->Recorder().SetFlight(flight.words, flight.sampleRate, flight.twoGee);
    }
    DefaultPortDirectory().InstallFront(kDemoTelemetryName, device);
    return device;
}

std::shared_ptr<SimulatedDevice> InstallDemoRecorder(const std::string& demoFlightPath) {
    ServedFlight flight;
    std::string error;
    if (!LoadServedFlight(demoFlightPath, flight, error))
        flight = MadeUpFlight();
    return InstallDemoRecorder(flight);
}

} // namespace tavo
