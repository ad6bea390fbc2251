#include "device/served_flight.h"

#include <algorithm>
#include <cmath>

#include "device/port_directory.h"
#include "flight/flight_file.h"

namespace tavo {

ServedFlight ServedFlightFrom(const FlightRecord& flight) {
    ServedFlight served;
    {
        std::lock_guard<std::mutex> lock(flight.m_pSamples.mutex());
        served.words.reserve(flight.m_pSamples.size());
        for (const std::string& text : flight.m_pSamples.items())
            served.words.push_back(
                static_cast<std::uint16_t>(std::clamp(ParseSampleWord(text), 0, 65535)));
    }
    served.sampleRate = flight.m_nSampleRate;
    const float twoGee = flight.m_fTwoGeeFile;
    served.twoGee =
        std::isfinite(twoGee) ? static_cast<int>(std::clamp(std::lround(twoGee), 0L, 65535L)) : 0;
    return served;
}

bool LoadServedFlight(const std::string& path, ServedFlight& served, std::string& error) {
    FlightRecord flight;
    FileError fileError;
    if (!LoadFlightFile(path, flight, fileError)) {
        error = fileError.message;
        return false;
    }
    served = ServedFlightFrom(flight);
    return true;
}

ServedFlight MadeUpFlight(int samples) {
    ServedFlight served;
    served.words = GenerateTestFlight(samples, served.sampleRate, 512, served.twoGee);
    return served;
}

std::shared_ptr<SimulatedDevice> InstallDemoRecorder(const ServedFlight& flight) {
    Zr7Options options;
    options.byteMicros = kByteMicros19200;
    auto device = std::make_shared<SimulatedDevice>(options);
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
