#include "exchange/eng_export.h"

#include <cmath>
#include <mutex>

#include "exchange/eng_points.h"
#include "flight/atomic_file.h"
#include "flight/cursor_range.h"
#include "flight/number_text.h"
#include "flight/text_format.h"
#include "flight/units.h"
#include "motor/eng_writer.h"

namespace tavo {

const char* MissingWeightMessage(const FlightData& flight) {
    if (flight.record.m_fLaunchWeight == 0.0f)
        return kNeedWeightText;
    if (flight.record.m_fPropellantWeight == 0.0f)
        return kNeedPropellantText;
    return nullptr;
}

bool EngCursorsHoldData(const FlightData& flight, CursorRange range) {
    const std::size_t n = flight.record.SampleCount();
    // A negative C1 would index before the first sample.
    return n > 0 && range.c1 >= 0 && range.c2 > range.c1 && static_cast<std::size_t>(range.c2) <= n;
}

std::string NothingToExportText(const FlightRecord& flight, CursorRange range) {
    return WithReason(kNothingToExportText,
                      CursorRangeFault(flight.SampleCount(), range.c1, range.c2));
}

std::string EngPropellantField(const std::string& preFire, const std::string& postFire) {
    double pre = 0.0, post = 0.0;
    if (!ReadPlainDecimal(preFire, pre) || !ReadPlainDecimal(postFire, post) || pre < post)
        return postFire;
    std::string out;
    AppendGeneral(out, pre - post);
    return out;
}

EngFieldFault EngExportFault(const EngExportParams& p) {
    double diameter = 0.0, length = 0.0, pre = 0.0, post = 0.0;
    auto fault = [](EngField field, std::string message) {
        return EngFieldFault{field, std::move(message)};
    };
    std::string m = EngTextFieldFault("Designation", p.designation);
    if (m.empty() && p.designation.front() == ';')
        m = "Designation cannot start with \";\", which marks a comment line.";
    if (!m.empty())
        return fault(EngField::Designation, m);
    if (!(m = EngNumberFieldFault("Diameter", p.diameter, 1.0, true, "mm", diameter)).empty())
        return fault(EngField::Diameter, m);
    if (!(m = EngNumberFieldFault("Length", p.length, 1.0, true, "mm", length)).empty())
        return fault(EngField::Length, m);
    if (!(m = EngTextFieldFault("Delays", p.delays)).empty())
        return fault(EngField::Delays, m);
    if (!(m = EngNumberFieldFault("Pre-fire weight", p.preFireWeight, 0.0, false, "kg", pre))
             .empty())
        return fault(EngField::PreFire, m);
    if (!(m = EngNumberFieldFault("Post-fire weight", p.postFireWeight, 0.0, true, "kg", post))
             .empty())
        return fault(EngField::PostFire, m);
    // The header's propellant is the difference, and must be above 0 for every reader.
    if (!(post < pre) || EngPropellantField(p.preFireWeight, p.postFireWeight) == "0")
        return fault(EngField::PostFire,
                     "Post-fire weight must be less than the pre-fire weight: the difference "
                     "is the propellant.");
    if (!(m = EngTextFieldFault("Manufacturer", p.manufacturer)).empty())
        return fault(EngField::Manufacturer, m);
    return {};
}

namespace {

// Thrust of every `step`-th sample from C1 while below C2. The net force takes the mass
// falling by the propellant weight over the lines, as the file has always been written;
// the motor thrust takes the thrust model's mass, burnt with the impulse. The caller
// holds the samples' lock and has checked the cursors.
std::vector<ThrustPoint> ThrustLines(const FlightData& flight,
                                     const std::vector<std::string>& samples, CursorRange range,
                                     long long step, ThrustKind kind, double siteAltitudeM) {
    const int c1 = range.c1, c2 = range.c2;
    const long long span = static_cast<long long>(c2) - c1;
    const long long lines = span / step;
    MotorThrustSeries motor;
    if (kind == ThrustKind::Motor) {
        const MeasuredFlight measured = ReadMeasuredFlight(samples, flight, c1, c2, siteAltitudeM);
        motor = SolveMotorThrust(measured, EstimateDrag(measured));
    }
    const float dm = flight.record.m_fPropellantWeight / static_cast<float>(lines);
    float mass = flight.record.m_fLaunchWeight;
    float t = flight.curves.m_fSampleInterval;
    const float stepTime = static_cast<float>(step) * flight.curves.m_fSampleInterval;
    // Measured from the recording's pad reading, wherever C1 stands.
    const float r = flight.record.RecordedZeroRef(samples);
    // The file's thrust is worked out in double from the count difference on, so the
    // acceleration is not rounded to float on its way.
    const double halfTwoGee = CountsPerGee<double>(flight.curves.m_fTwoGee);
    std::vector<ThrustPoint> points;
    points.reserve(static_cast<std::size_t>(lines) + 1);
    for (long long i = c1; i < c2; i += step) {
        double thrust = 0.0;
        if (kind == ThrustKind::Motor) {
            thrust = motor.thrust[static_cast<std::size_t>(i - c1)];
        } else {
            const int adc = SampleReading(ParseSampleWord(samples[static_cast<std::size_t>(i)]));
            thrust =
                MotorThrust(mass, GeeFromCounts<double>(r, static_cast<float>(adc), halfTwoGee));
        }
        points.push_back(ThrustPoint{t, thrust});
        t = t + stepTime;
        mass = mass - dm;
    }
    points.push_back(ThrustPoint{t, 0.0}); // the closing time
    return points;
}

} // namespace

EngExportParams SuggestEngExportParams(const FlightData& flight, CursorRange range, ThrustKind kind,
                                       const EngMotor* compared) {
    EngExportParams p;
    p.thrust = kind;
    p.points = 20;
    p.spacing = EngSpacing::Shape;
    if (compared != nullptr) {
        for (auto [mm, text] : {std::pair{compared->diameterMm, &p.diameter},
                                std::pair{compared->lengthMm, &p.length}})
            if (mm >= 1.0 && mm < 1e6)
                AppendGeneral(*text, mm);
    }
    if (flight.curves.m_nEvent2 > 0 && flight.curves.m_nEvent8 > flight.curves.m_nEvent2 &&
        flight.curves.m_fSampleInterval > 0.0f && std::isfinite(flight.curves.m_fSampleInterval)) {
        const double delay =
            (flight.curves.m_nEvent8 - flight.curves.m_nEvent2) * flight.curves.m_fSampleInterval;
        if (delay < 1000.0)
            p.delays = std::to_string(static_cast<int>(std::lround(delay)));
    }
    std::lock_guard<std::mutex> lock(flight.record.m_pSamples.mutex());
    const std::vector<std::string>& samples = flight.record.m_pSamples.items();
    const int c1 = range.c1, c2 = range.c2;
    if (samples.empty() || c1 < 0 || c2 <= c1 || static_cast<std::size_t>(c2) > samples.size())
        return p;
    const std::vector<ThrustPoint> points = ThrustLines(flight, samples, range, 1, kind, 0.0);
    double impulse = 0.0;
    for (std::size_t i = 0; i + 1 < points.size(); ++i)
        impulse += points[i].thrust * flight.curves.m_fSampleInterval;
    const double burn = static_cast<double>(c2 - c1) * flight.curves.m_fSampleInterval;
    if (std::isfinite(impulse) && impulse > 0.0 && burn > 0.0)
        p.designation =
            std::string(1, ImpulseClassLetter(impulse)) + FormatFixed(impulse / burn, 0);
    return p;
}

std::string SuggestPostFireWeight(const std::string& preFire, float propellantKg) {
    double pre = 0.0;
    if (!ParseWholeNumber(preFire, pre) || !std::isfinite(pre) || !(propellantKg > 0.0f) ||
        !(pre > propellantKg))
        return {};
    // Tenths of a gram, so the difference prints as typed rather than with float dust.
    const double post = std::round((pre - static_cast<double>(propellantKg)) * 1e4) / 1e4;
    std::string out;
    AppendGeneral(out, post);
    return out;
}

namespace {

// The points the file gets and its closing time, with the figures beside the measured
// ones. The caller has checked the number of points.
bool ExportPoints(const FlightData& flight, CursorRange range, const EngExportParams& params,
                  std::vector<ThrustPoint>& points, double& closeTime, EngExportFigures& figures,
                  std::string& reason) {
    std::lock_guard<std::mutex> lock(flight.record.m_pSamples.mutex());
    const std::vector<std::string>& samples = flight.record.m_pSamples.items();
    const int c1 = range.c1, c2 = range.c2;
    // Checked again under the lock: a capture may have changed the list meanwhile.
    if (samples.empty() || c1 < 0 || c2 <= c1 || static_cast<std::size_t>(c2) > samples.size()) {
        reason = WithReason(kNothingToExportText, CursorRangeFault(samples.size(), c1, c2));
        return false;
    }
    const long long span = static_cast<long long>(c2) - c1;
    std::vector<ThrustPoint> every =
        ThrustLines(flight, samples, range, 1, params.thrust, params.siteAltitudeM);
    const double everyClose = every.back().time;
    every.pop_back();
    const CurveFigures measured = FiguresOfPoints(every, everyClose);
    figures.measuredImpulse = measured.impulse;
    figures.measuredPeak = measured.peak;
    if (params.spacing == EngSpacing::Even) {
        // A negative number of points gives one line per sample.
        long long step = span / params.points;
        if (step < 1)
            step = 1;
        points = step == 1 ? std::move(every)
                           : ThrustLines(flight, samples, range, step, params.thrust,
                                         params.siteAltitudeM);
        closeTime = step == 1 ? everyClose : points.back().time;
        if (step != 1)
            points.pop_back();
    } else {
        points =
            FitShapePoints(every, everyClose, ShapePointIndices(every, everyClose, params.points));
        closeTime = everyClose;
    }
    const CurveFigures written = FiguresOfPoints(points, closeTime);
    figures.fileImpulse = written.impulse;
    figures.filePeak = written.peak;
    figures.points = static_cast<int>(points.size()) + 1;
    return true;
}

} // namespace

std::string EngExportFiguresText(const EngExportFigures& f) {
    return "File: " + FormatFixed(f.fileImpulse, 2) + " N s, peak " + FormatFixed(f.filePeak, 2) +
           " N (measured " + FormatFixed(f.measuredImpulse, 2) + " N s, peak " +
           FormatFixed(f.measuredPeak, 2) + " N), " + std::to_string(f.points) + " points";
}

bool ComputeEngExportFigures(const FlightData& flight, CursorRange range,
                             const EngExportParams& params, EngExportFigures& figures,
                             std::string& reason) {
    if (params.points == 0) {
        reason = kZeroPointsText;
        return false;
    }
    std::vector<ThrustPoint> points;
    double closeTime = 0.0;
    return ExportPoints(flight, range, params, points, closeTime, figures, reason);
}

bool BuildEngText(const FlightData& flight, CursorRange range, const EngExportParams& params,
                  std::string& out, std::string& reason, EngExportFigures* figures) {
    if (params.points == 0) {
        reason = kZeroPointsText;
        return false;
    }
    const EngFieldFault fault = EngExportFault(params);
    if (!fault.message.empty()) {
        reason = fault.message;
        return false;
    }
    std::vector<ThrustPoint> points;
    double closeTime = 0.0;
    EngExportFigures computed;
    if (!ExportPoints(flight, range, params, points, closeTime, computed, reason))
        return false;

    EngHeader header{params.designation,
                     params.diameter,
                     params.length,
                     params.delays,
                     EngPropellantField(params.preFireWeight, params.postFireWeight),
                     params.preFireWeight,
                     params.manufacturer};
    std::string text;
    AppendEngHeader(text, header);
    if (!AppendEngCurve(text, points, closeTime, reason))
        return false;
    text += ";";
    out = std::move(text);
    if (figures != nullptr)
        *figures = computed;
    return true;
}

bool WriteEngFile(const std::string& path, const FlightData& flight, CursorRange range,
                  const EngExportParams& params, std::string& reason, EngExportFigures* figures) {
    std::string text;
    if (!BuildEngText(flight, range, params, text, reason, figures))
        return false;
    return WriteFileAtomically(path, text, reason);
}

} // namespace tavo
