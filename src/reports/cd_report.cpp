#include "reports/cd_report.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <mutex>

#include "flight/atomic_file.h"
#include "flight/text_format.h"
#include "flight/units.h"
#include "motor/atmosphere.h"
#include "motor/thrust_model.h"
#include "reports/drag_curve_draw.h"
#include "reports/report_checks.h"

namespace tavo {

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// The speed (m/s) after each sample up to `last`, integrated as the velocity curve is
// from where the recording starts, against the recording's pad reading.
std::vector<double> Speeds(const std::vector<std::string>& samples, const FlightData& flight,
                           std::size_t last) {
    const double dt = flight.curves.m_fSampleInterval;
    const float base = flight.record.RecordedZeroRef(samples);
    const double countsPerGee = CountsPerGee<double>(flight.curves.m_fTwoGee);
    std::vector<double> speed(last);
    double v = flight.record.m_start ? flight.record.m_start->velocity : 0.0;
    for (std::size_t i = 0; i < last; ++i) {
        const float adc = static_cast<float>(SampleReading(ParseSampleWord(samples[i])));
        v += GeeFromCounts<double>(base, adc, countsPerGee) * kGee * dt;
        speed[i] = v;
    }
    return speed;
}

// The net acceleration (m/s^2) of sample i, as the motor report's coast fit reads it.
double NetAccel(const std::vector<std::string>& samples, const FlightData& flight, float base,
                std::size_t i) {
    const float adc = static_cast<float>(SampleReading(ParseSampleWord(samples[i])));
    return GeeFromCounts<double>(base, adc, CountsPerGee<double>(flight.curves.m_fTwoGee)) * kGee;
}

// The markers say where the burn ended better than the cursors do: the report's range is
// often the coast alone (C1 at burn-out), but may hold the burn too.
DragCurve CoastDragCurve(const std::vector<std::string>& samples, const FlightData& flight, int c1,
                         double siteAltitudeM) {
    const int n = static_cast<int>(samples.size());
    const auto marked = [n](int e) { return e > 0 && e < n; };
    const int burnout = marked(flight.curves.m_nEvent2) ? flight.curves.m_nEvent2 : c1;
    const int launch = marked(flight.curves.m_nEvent1) && flight.curves.m_nEvent1 < burnout
                           ? flight.curves.m_nEvent1
                           : 0;
    if (burnout <= launch) {
        DragCurve none;
        none.reason = "the coast has no launch before it";
        return none;
    }
    return BuildDragCurve(EstimateDrag(samples, flight, launch, burnout, siteAltitudeM));
}

} // namespace

const char* CdKindName(CdKind kind) {
    return kind == CdKind::Document ? "Per-sample formula of the flight (net force, launch weight)"
                                    : "Drag alone (gravity removed, burn-out mass)";
}

const char* CdKindWord(CdKind kind) {
    return kind == CdKind::Document ? "document" : "drag";
}

bool CdReport::ComputeCdReport(const FlightData& flight, CursorRange cursors, UserPrompt& prompt,
                               CdKind kind) {
    m_fCdMin = 0.0f;
    m_fCdMax = 0.0f;
    if (!CheckReportPreconditions(flight, cursors, prompt))
        return false;
    if (!ComputeFigures(flight, cursors, kind)) {
        prompt.ShowMessage(NothingToReportText(flight.record, cursors), "Error", Severity::Error);
        return false;
    }
    return true;
}

bool CdReport::ComputeFigures(const FlightData& flight, CursorRange cursors, CdKind kind) {
    const int c1 = cursors.c1;
    const int c2 = cursors.c2;
    // Coefficients exist only after a Recompute; a range past them has nothing to show.
    if (c1 < 0 || c2 <= c1 || static_cast<std::size_t>(c2) > flight.curves.m_arrCd.size())
        return false;
    const std::size_t first = static_cast<std::size_t>(c1);
    const std::size_t n = static_cast<std::size_t>(c2 - c1);

    CdReport r;
    r.range = cursors;
    r.m_kind = kind;
    r.m_dSiteAltitudeM = m_dSiteAltitudeM;
    r.m_bShowDragCurve = m_bShowDragCurve;
    std::vector<double> speed;
    {
        std::lock_guard<std::mutex> lock(flight.record.m_pSamples.mutex());
        const std::vector<std::string>& samples = flight.record.m_pSamples.items();
        if (static_cast<std::size_t>(c2) > samples.size())
            return false;
        speed = Speeds(samples, flight, static_cast<std::size_t>(c2));
        r.m_dragCurve = CoastDragCurve(samples, flight, c1, m_dSiteAltitudeM);
        if (kind == CdKind::Drag) {
            const double mass = static_cast<double>(flight.record.m_fLaunchWeight) -
                                static_cast<double>(flight.record.m_fPropellantWeight);
            // The air the coast fit takes at the launch site, as the motor report does.
            const double divisor = DragCoefficientDivisor(flight.record.m_fMaxDiameter,
                                                          AirColumn(m_dSiteAltitudeM).Density(0.0));
            const float base = flight.record.RecordedZeroRef(samples);
            r.m_arrCd.resize(n, kNaN);
            if (!(mass > 0.0))
                r.m_strNote = "the launch weight is not above the propellant weight";
            else if (!(divisor > 0.0))
                r.m_strNote = "the flight has no diameter in its details";
            for (std::size_t j = 0; j < n && r.m_strNote.empty(); ++j) {
                // The motor is silent: the reading is -(drag / m + g).
                const double drag = -mass * (NetAccel(samples, flight, base, first + j) + kGee);
                const double v = speed[first + j];
                r.m_arrCd[j] = static_cast<float>(drag / (divisor * v * v));
            }
        }
    }
    r.m_arrSpeed.assign(speed.begin() + c1, speed.end());
    if (kind == CdKind::Document)
        r.m_arrCd.assign(flight.curves.m_arrCd.begin() + c1, flight.curves.m_arrCd.begin() + c2);

    for (double v : speed)
        if (v > r.m_dBurnoutSpeed)
            r.m_dBurnoutSpeed = v;
    r.m_dSpeedFloor = kCdSpeedShare * r.m_dBurnoutSpeed;

    // Slow samples are left out: their drag is a few counts of the reading, and their
    // coefficient runs off to infinity as the speed goes to nothing.
    double sum = 0.0;
    float lo = kNaN, hi = kNaN;
    for (std::size_t j = 0; j < n; ++j) {
        const double v = r.m_arrSpeed[j];
        const float cd = r.m_arrCd[j];
        if (!(v > r.m_dSpeedFloor) || !std::isfinite(cd))
            continue;
        if (r.m_nSamples == 0) {
            lo = hi = cd;
            r.m_dMinSpeed = r.m_dMaxSpeed = v;
        }
        lo = std::min(lo, cd);
        hi = std::max(hi, cd);
        r.m_dMinSpeed = std::min(r.m_dMinSpeed, v);
        r.m_dMaxSpeed = std::max(r.m_dMaxSpeed, v);
        sum += cd;
        ++r.m_nSamples;
    }
    r.m_fCdMean = r.m_nSamples > 0 ? static_cast<float>(sum / r.m_nSamples) : kNaN;
    if (r.m_nSamples == 0 && r.m_strNote.empty())
        r.m_strNote = "no sample between the cursors is faster than half the burn-out speed";

    if (kind == CdKind::Drag) {
        r.m_fCdMin = lo;
        r.m_fCdMax = hi;
    } else {
        // The report's figures as they have always been: the whole range scanned, with
        // strict tests (a NaN changes neither end, +inf becomes the maximum).
        for (const float x : r.m_arrCd) {
            if (x < r.m_fCdMin)
                r.m_fCdMin = x;
            if (x > r.m_fCdMax)
                r.m_fCdMax = x;
        }
        if (r.m_fCdMin < 0.0f)
            r.m_fCdMin = 0.0f;
    }
    *this = std::move(r);
    return true;
}

float CdReport::AxisTop() const {
    if (m_kind == CdKind::Document)
        return m_fCdMax - m_fCdMin;
    if (!(m_fCdMax > 0.0f) || !std::isfinite(m_fCdMax))
        return 0.0f;
    // Room above the curve for the caption line, on a top whose tenths read well.
    const float top = m_fCdMax * 1.15f;
    return top < 10.0f ? std::ceil(top / 0.5f) * 0.5f : top;
}

std::vector<float> CdReport::CurveValues() const {
    if (m_kind == CdKind::Document)
        return m_arrCd;
    // Kept within the axis: the slow samples left out of the figures would run far
    // off the frame and over the labels.
    std::vector<float> values(m_arrCd.size(), 0.0f);
    const float top = AxisTop();
    for (std::size_t j = 0; j < values.size(); ++j)
        if (!std::isnan(m_arrCd[j]))
            values[j] = std::clamp(m_arrCd[j], 0.0f, top);
    return values;
}

std::string CdFiguresText(const CdReport& r, const char* lineEnd) {
    const std::string end = lineEnd;
    std::string text = CdKindName(r.m_kind) + end;
    if (r.m_nSamples == 0)
        return text + "No figures: " + r.m_strNote;
    const auto cd = [](float x) { return FormatFixed(x, 3); };
    text += "Mean Cd: " + cd(r.m_fCdMean) + end;
    text += "Min Cd: " + cd(r.m_fCdMin) + end + "Max Cd: " + cd(r.m_fCdMax) + end;
    text += "Samples: " + std::to_string(r.m_nSamples) + " at " + FormatFixed(r.m_dMinSpeed, 1) +
            " to " + FormatFixed(r.m_dMaxSpeed, 1) + " m/s" + end;
    text += "Above " + FormatFixed(r.m_dSpeedFloor, 1) + " m/s, half the burn-out speed of " +
            FormatFixed(r.m_dBurnoutSpeed, 1) + " m/s";
    return text;
}

std::string CdCaptionText(const CdReport& r) {
    std::string text = CdKindName(r.m_kind);
    if (r.m_nSamples == 0)
        return text + ": no figures, " + r.m_strNote;
    return text + ": mean Cd " + FormatFixed(r.m_fCdMean, 2) + " (" + FormatFixed(r.m_fCdMin, 2) +
           " to " + FormatFixed(r.m_fCdMax, 2) + ") over " + std::to_string(r.m_nSamples) +
           " samples above " + FormatFixed(r.m_dSpeedFloor, 1) + " m/s";
}

bool ExportDragCurve(UserPrompt& prompt, const DragCurve& curve, const std::string& flightStem) {
    if (!curve.usable || !(curve.area > 0.0) || curve.points.empty()) {
        prompt.ShowMessage("Nothing to Export\n" + DragCurveCaption(curve) + ".", "Error",
                           Severity::Error);
        return false;
    }
    FileChoice choice;
    choice.save = true;
    choice.title = "Export Drag Curve";
    choice.filterText = "CSV file";
    choice.extension = "csv";
    choice.proposedName =
        (flightStem.empty() ? std::string("flight") : flightStem) + " drag curve.csv";
    std::string path, reason;
    if (!prompt.ChooseFile(choice, path))
        return false;
    if (!WriteFileAtomically(path, DragCurveCsv(curve), reason)) {
        prompt.ShowMessage(WithReason("Could not write " + FileNameOf(path), reason), "Error",
                           Severity::Error);
        return false;
    }
    return true;
}

std::string CdReportTable(const FlightData& flight, const CdReport& r) {
    std::string text = CdFiguresText(r, "\n") + "\n\nTime s\tSpeed m/s\tCd\n";
    const std::size_t n = std::min(r.m_arrSpeed.size(), r.m_arrCd.size());
    for (std::size_t j = 0; j < n; ++j) {
        text += FormatFixed(static_cast<double>(j) * flight.curves.m_fSampleInterval, 3) + "\t" +
                FormatFixed(r.m_arrSpeed[j], 2) + "\t" + FormatFixed(r.m_arrCd[j], 4) + "\n";
    }
    return text;
}

} // namespace tavo
