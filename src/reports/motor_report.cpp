#include "reports/motor_report.h"

#include <mutex>

#include "flight/text_format.h"
#include "flight/units.h"
#include "reports/report_checks.h"

namespace tavo {

std::string MotorClassText(float totalImpulse, float designationThrust) {
    // Each class doubles the impulse of the one before; A takes everything below 2.5,
    // zero and negative impulses included.
    static constexpr char kLetters[] = "ABCDEFGHIJKLMNOP";
    const std::string thrust = FormatFixed(designationThrust, 0);
    if (totalImpulse < 2.5)
        return std::string(1, 'A') + thrust;
    float bound = 5.0f;
    for (int letter = 1; letter < 16; ++letter, bound *= 2.0f) {
        if (totalImpulse < bound)
            return std::string(1, kLetters[letter]) + thrust;
    }
    // 81920 and above, and an impulse that is not a number at all.
    return "P=" + thrust;
}

bool MotorReport::ComputeMotorReport(const FlightData& flight, CursorRange cursors,
                                     UserPrompt& prompt, ThrustKind kind) {
    m_fPeakThrust = 0.0f;
    m_fPeakAccel = 0.0f;
    if (!CheckReportPreconditions(flight, cursors, prompt))
        return false;
    if (!ComputeFigures(flight, cursors, kind)) {
        prompt.ShowMessage(NothingToReportText(flight.record, cursors), "Error", Severity::Error);
        return false;
    }
    return true;
}

bool MotorReport::ComputeFigures(const FlightData& flight, CursorRange cursors, ThrustKind kind) {
    const int c1 = cursors.c1;
    const int c2 = cursors.c2;
    const int n = c2 - c1;
    float peakThrust = 0.0f, peakAccel = 0.0f;
    float sum = 0.0f;
    double aboveSum = 0.0; // counts above the pad reading, summed over the range
    float t = flight.curves.m_fSampleInterval;
    double weightImpulse = 0.0, dragImpulse = 0.0;
    std::vector<float> thrusts;
    DragEstimate drag;
    MotorThrustSeries motor;
    std::vector<double> netMass;
    {
        std::lock_guard<std::mutex> lock(flight.record.m_pSamples.mutex());
        const std::vector<std::string>& samples = flight.record.m_pSamples.items();
        // The list is checked under its lock: the count the checks saw was read earlier.
        if (samples.empty() || c1 < 0 || n <= 0 || static_cast<std::size_t>(c2) > samples.size())
            return false;
        if (kind == ThrustKind::Motor) {
            const MeasuredFlight measured =
                ReadMeasuredFlight(samples, flight, c1, c2, m_dSiteAltitudeM);
            drag = EstimateDrag(measured);
            motor = SolveMotorThrust(measured, drag);
        }
        thrusts.reserve(static_cast<std::size_t>(n));
        // Always measured from the recording's pad reading, wherever C1 stands.
        const float base = flight.record.RecordedZeroRef(samples);
        const float countsPerGee = CountsPerGee<float>(flight.curves.m_fTwoGee);
        const float dm = flight.record.m_fPropellantWeight / static_cast<float>(n);
        float m = flight.record.m_fLaunchWeight;
        for (int i = c1; i < c2; ++i) {
            const float adc = static_cast<float>(
                SampleReading(ParseSampleWord(samples[static_cast<std::size_t>(i)])));
            // The reading falls as the acceleration rises.
            const float a = GeeFromCounts<float>(base, adc, countsPerGee);
            aboveSum += static_cast<double>(base) - static_cast<double>(adc);
            if (a > peakAccel)
                peakAccel = a;
            double thrust = MotorThrust(m, a);
            if (kind == ThrustKind::Motor) {
                const std::size_t j = static_cast<std::size_t>(i - c1);
                thrust = motor.thrust[j];
                weightImpulse += motor.mass[j] * kGee * flight.curves.m_fSampleInterval;
                dragImpulse += (drag.usable ? drag.drag[j] : 0.0) * flight.curves.m_fSampleInterval;
            } else {
                netMass.push_back(m);
            }
            thrusts.push_back(static_cast<float>(thrust));
            if (thrust > peakThrust)
                peakThrust = static_cast<float>(thrust);
            sum = static_cast<float>(sum + thrust);
            t = t + flight.curves.m_fSampleInterval;
            m = m - dm;
        }
    }

    const float avgThrust = sum / static_cast<float>(n);
    const float burnTime = t - flight.curves.m_fSampleInterval;
    const float impulse = burnTime * avgThrust;
    const double impulseLb = impulse * kNewtonToPound;
    const double isp = impulseLb / (flight.record.m_fPropellantWeight * kKgToLb);
    const float designationThrust = impulse / burnTime;

    m_fPeakThrust = peakThrust;
    m_fPeakAccel = peakAccel;
    range = cursors;
    m_thrust = kind;
    m_drag = std::move(drag);
    m_fTotalImpulse = impulse;
    m_fAvgThrust = avgThrust;
    m_fBurnTime = burnTime;
    m_dWeightImpulse = weightImpulse;
    m_dDragImpulse = dragImpulse;
    m_arrThrust = std::move(thrusts);
    m_bThrustAbovePad = aboveSum / n > kThrustCounts;
    m_dImpulseUncertainty =
        kind == ThrustKind::Motor
            ? motor.impulseUncertainty
            : NetImpulseUncertainty(netMass, flight.curves.m_fSampleInterval,
                                    CountsPerGee<double>(flight.curves.m_fTwoGee));
    m_strClassNote =
        m_bThrustAbovePad ? ClassBoundNote(impulse, m_dImpulseUncertainty) : std::string();
    m_strMotorClass =
        m_bThrustAbovePad ? MotorClassText(impulse, designationThrust) : std::string();
    m_strBurnTime = FormatFixed(burnTime, 2);
    m_strAvgThrustN = FormatFixed(avgThrust, 2);
    m_strPeakThrustN = FormatFixed(m_fPeakThrust, 2);
    m_strTotalImpulseN = FormatFixed(impulse, 2);
    m_strAvgThrustLb = FormatFixed(avgThrust * kNewtonToPound, 2);
    m_strPeakThrustLb = FormatFixed(m_fPeakThrust * kNewtonToPound, 2);
    m_strTotalImpulseLb = FormatFixed(impulseLb, 2);
    m_strIsp = FormatFixed(isp, 1);
    return true;
}

} // namespace tavo
