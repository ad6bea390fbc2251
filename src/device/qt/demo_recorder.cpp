#include "device/qt/demo_recorder.h"

#include "device/qt/system_port_directory.h"

namespace tavo {

std::shared_ptr<SimulatedDevice> InstallDemoRecorder(SystemPortDirectory& ports,
                                                     const ServedFlight& flight) {
    auto device = std::make_shared<SimulatedDevice>(DemoRecorderOptions(flight));
    {
        auto lock = device->Lock();
        device->Recorder().SetFlight(flight.words, flight.sampleRate, flight.twoGee);
    }
    ports.InstallFront(kDemoDeviceName, device);
    return device;
}

std::shared_ptr<SimulatedDevice> InstallDemoTelemetryReceiver(SystemPortDirectory& ports,
                                                              const ServedFlight& flight) {
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
    ports.InstallFront(kDemoTelemetryName, device);
    return device;
}

std::shared_ptr<SimulatedDevice> InstallDemoRecorder(SystemPortDirectory& ports,
                                                     const std::string& demoFlightPath) {
    ServedFlight flight;
    std::string error;
    if (!LoadServedFlight(demoFlightPath, flight, error))
        flight = MadeUpFlight();
    return InstallDemoRecorder(ports, flight);
}

} // namespace tavo
