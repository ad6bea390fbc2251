#include "exchange/csv_export.h"

#include <cmath>
#include <mutex>

#include "flight/atomic_file.h"
#include "flight/text_format.h"
#include "flight/units.h"

namespace tavo {

std::string BuildCsvText(const FlightRecord& flight) {
    std::string out;
    out += FormatFlightDate(flight.m_timeDate);
    out += "\r\nName,";
    AppendWithCrlf(out, flight.m_strName);
    out += "\r\nMotor,";
    AppendWithCrlf(out, flight.m_strMotor);
    out += "\r\nComment,";
    AppendWithCrlf(out, flight.m_strComment);
    out += "\r\nAcceleration offset,";
    out += std::to_string(flight.m_nAccelOffset);
    out += "\r\nTwo Gee value,";
    AppendFixed(out, flight.m_fTwoGeeFile, 6);
    out += "\r\nSample rate,";
    out += std::to_string(flight.m_nSampleRate);
    out += "Hz\r\nWeight,";
    AppendFixed(out, flight.m_fLaunchWeight, 6);
    out += "Kg\r\nDiameter,";
    AppendFixed(out, flight.m_fMaxDiameter, 6);
    out += "m\r\n***********DATA***********\r\n";
    out += "Time,Accel m/s,Velocity m/s/s,Altitude m, Cd\r\n";

    std::lock_guard<std::mutex> lock(flight.m_pSamples.mutex());
    const std::vector<std::string>& samples = flight.m_pSamples.items();
    if (samples.empty())
        return out;
    // About 60 bytes a line for an ordinary flight.
    out.reserve(out.size() + samples.size() * 64);

    // Always sample 0's own reading: the export never applies the offset switch.
    const float r = static_cast<float>(SampleReading(ParseSampleWord(samples[0])));
    // Counts per g in double: the export divides in double precision and rounds only the
    // finished acceleration to float.
    const double halfTwoGee = CountsPerGee<double>(flight.m_fTwoGee);
    const float dt = flight.m_fSampleInterval;
    const double area =
        static_cast<double>(kAirDensity) * g_pi * std::pow(flight.m_fMaxDiameter * 0.5, 2.0);
    float t = 0.0f, v = 0.0f, h = 0.0f;
    for (const std::string& sample : samples) {
        const int adc = SampleReading(ParseSampleWord(sample));
        const float a = static_cast<float>(
            GeeFromCounts<double>(r, static_cast<float>(adc), halfTwoGee) * kGee);
        // The line shows the step's velocity before it is rounded to single precision.
        const double V = static_cast<double>(a) * dt + v;
        v = static_cast<float>(V);
        h = static_cast<float>(V * dt + h);
        const double cd = std::fabs(2.0 * a * flight.m_fLaunchWeight / (area * std::pow(V, 2.0)));
        AppendFixed(out, t, 3);
        out += ',';
        AppendFixed(out, a, 6);
        out += ',';
        AppendFixed(out, V, 6);
        out += ',';
        AppendFixed(out, h, 6);
        out += ',';
        AppendFixed(out, cd, 6);
        out += "\r\n";
        t = t + dt;
    }
    return out;
}

bool WriteCsvFile(const std::string& path, const FlightRecord& flight, std::string& reason) {
    return WriteFileAtomically(path, BuildCsvText(flight), reason);
}

} // namespace tavo
