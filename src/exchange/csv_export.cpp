#include "exchange/csv_export.h"

#include <cmath>
#include <mutex>

#include "flight/atomic_file.h"
#include "flight/text_format.h"
#include "flight/units.h"

namespace tavo {

void AppendCsvField(std::string& out, const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        out += text;
        return;
    }
    // Quoted as spreadsheets read a field: inner quotes doubled, line breaks kept
    // inside the quotes (as CR LF, like every line end of the file).
    std::string doubled;
    doubled.reserve(text.size() + 8);
    for (const char c : text) {
        doubled += c;
        if (c == '"')
            doubled += '"';
    }
    out += '"';
    AppendWithCrlf(out, doubled);
    out += '"';
}

std::string BuildCsvText(const FlightData& flight) {
    std::string out;
    out += FormatFlightDate(flight.record.m_timeDate);
    out += "\r\nName,";
    AppendCsvField(out, flight.record.m_strName);
    out += "\r\nMotor,";
    AppendCsvField(out, flight.record.m_strMotor);
    out += "\r\nComment,";
    AppendCsvField(out, flight.record.m_strComment);
    out += "\r\nAcceleration offset,";
    out += std::to_string(flight.record.m_nAccelOffset);
    out += "\r\nTwo Gee value,";
    AppendFixed(out, flight.record.m_fTwoGeeFile, 6);
    out += "\r\nSample rate,";
    out += std::to_string(flight.record.m_nSampleRate);
    out += "Hz\r\nWeight,";
    AppendFixed(out, flight.record.m_fLaunchWeight, 6);
    out += "Kg\r\nDiameter,";
    AppendFixed(out, flight.record.m_fMaxDiameter, 6);
    out += "m\r\n***********DATA***********\r\n";
    out += "Time,Accel m/s,Velocity m/s/s,Altitude m, Cd\r\n";

    std::lock_guard<std::mutex> lock(flight.record.m_pSamples.mutex());
    const std::vector<std::string>& samples = flight.record.m_pSamples.items();
    if (samples.empty())
        return out;
    // About 60 bytes a line for an ordinary flight.
    out.reserve(out.size() + samples.size() * 64);

    // Always the recording's own pad reading: the export never applies the offset switch.
    const float r = flight.record.RecordedZeroRef(samples);
    // Counts per g in double: the export divides in double precision and rounds only the
    // finished acceleration to float.
    const double halfTwoGee = CountsPerGee<double>(flight.curves.m_fTwoGee);
    const float dt = flight.curves.m_fSampleInterval;
    const double area =
        static_cast<double>(kAirDensity) * g_pi * std::pow(flight.record.m_fMaxDiameter * 0.5, 2.0);
    // A flight cut before C1 goes on from where the whole recording stood.
    float t = 0.0f;
    float v = flight.record.m_start ? flight.record.m_start->velocity : 0.0f;
    float h = flight.record.m_start ? flight.record.m_start->height : 0.0f;
    for (const std::string& sample : samples) {
        const int adc = SampleReading(ParseSampleWord(sample));
        const float a = static_cast<float>(
            GeeFromCounts<double>(r, static_cast<float>(adc), halfTwoGee) * kGee);
        // The line shows the step's velocity before it is rounded to single precision.
        const double V = static_cast<double>(a) * dt + v;
        v = static_cast<float>(V);
        h = static_cast<float>(V * dt + h);
        const double cd =
            std::fabs(2.0 * a * flight.record.m_fLaunchWeight / (area * std::pow(V, 2.0)));
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

bool WriteCsvFile(const std::string& path, const FlightData& flight, std::string& reason) {
    return WriteFileAtomically(path, BuildCsvText(flight), reason);
}

} // namespace tavo
