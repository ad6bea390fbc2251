#include "reports/motor_comparison.h"

#include <algorithm>
#include <cmath>

#include "flight/atomic_file.h"
#include "flight/text_format.h"
#include "plot/plot_frame.h"

namespace tavo {
namespace {

double Percent(double measured, double certified) {
    if (!(certified != 0.0) || !std::isfinite(certified))
        return std::nan("");
    return (measured - certified) / certified * 100.0;
}

} // namespace

CertifiedFigures CertifiedFiguresOf(const EngMotor& motor) {
    CertifiedFigures c;
    c.designation = motor.designation;
    c.manufacturer = motor.manufacturer;
    c.totalImpulse = TotalImpulse(motor);
    c.impulseClass = ImpulseClassLetter(c.totalImpulse);
    c.peakThrust = PeakThrust(motor);
    c.burnTime = BurnTime(motor);
    c.avgThrust = c.burnTime > 0.0 ? c.totalImpulse / c.burnTime : 0.0;
    return c;
}

MotorComparison CompareWithCertified(const MotorReport& report, const EngMotor& motor) {
    MotorComparison m;
    m.certified = CertifiedFiguresOf(motor);
    m.totalImpulsePercent = Percent(report.m_fTotalImpulse, m.certified.totalImpulse);
    m.avgThrustPercent = Percent(report.m_fAvgThrust, m.certified.avgThrust);
    m.peakThrustPercent = Percent(report.m_fPeakThrust, m.certified.peakThrust);
    m.burnTimePercent = Percent(report.m_fBurnTime, m.certified.burnTime);
    return m;
}

std::string PercentText(double percent) {
    if (!std::isfinite(percent))
        return "n/a";
    std::string s = FormatFixed(percent, 1);
    if (s == "-0.0")
        s = "0.0";
    return (percent > 0.0 && s != "0.0" ? "+" : "") + s + "%";
}

std::string ComparisonText(const MotorComparison& m, const char* lineEnd) {
    const CertifiedFigures& c = m.certified;
    const std::string end = lineEnd;
    return "Certified " + c.designation + " " + c.manufacturer + end +
           "Burn Time: " + FormatFixed(c.burnTime, 2) + "s  " + PercentText(m.burnTimePercent) +
           end + "Avg: " + FormatFixed(c.avgThrust, 2) + "N  " + PercentText(m.avgThrustPercent) +
           end + "Peak: " + FormatFixed(c.peakThrust, 2) + "N  " +
           PercentText(m.peakThrustPercent) + end + "Total: " + FormatFixed(c.totalImpulse, 2) +
           "N s  " + PercentText(m.totalImpulsePercent) + end + "(measured vs certified)";
}

std::vector<Point> CertifiedCurvePoints(const Rect& frame, const EngMotor& motor,
                                        double spanSeconds, double scale) {
    if (!(spanSeconds > 0.0) || !std::isfinite(spanSeconds) || !(scale > 0.0) ||
        !std::isfinite(scale))
        return {};
    const double width = frame.right - frame.left;
    auto at = [&](double t, double f) {
        const double x = frame.left + t / spanSeconds * width;
        const double y = std::max(static_cast<double>(frame.top), frame.bottom - f * scale);
        return Point{ToCoord(x, frame.left), ToCoord(y, frame.bottom)};
    };
    const MotorCurve curve(motor);
    std::vector<Point> points{at(0.0, 0.0)};
    for (const ThrustPoint& p : motor.points) {
        if (p.time > spanSeconds) {
            points.push_back(at(spanSeconds, curve.ThrustAt(spanSeconds)));
            break;
        }
        points.push_back(at(p.time, p.thrust));
    }
    return points;
}

void DrawCertifiedCurve(Canvas& canvas, const Rect& frame, const EngMotor& motor,
                        double spanSeconds, double scale) {
    const std::vector<Point> points = CertifiedCurvePoints(frame, motor, spanSeconds, scale);
    if (points.empty())
        return;
    canvas.SetPen(kCertifiedPen);
    canvas.DrawPolyline(points);
}

} // namespace tavo

#include "motor/rasp_reader.h"

namespace tavo {

std::string MotorChoiceLabel(const EngMotor& motor) {
    const double impulse = TotalImpulse(motor);
    return motor.designation + " " + motor.manufacturer + " (" +
           std::string(1, ImpulseClassLetter(impulse)) + ", " + FormatFixed(impulse, 2) + " N s, " +
           FormatFixed(BurnTime(motor), 2) + " s)";
}

bool ChooseCertifiedMotor(UserPrompt& prompt, const ChooseMotorFn& choose, EngMotor& motor) {
    FileChoice choice;
    choice.title = "Compare with motor file";
    choice.filterText = "RASP motor file";
    choice.extension = "eng";
    std::string path;
    if (!prompt.ChooseFile(choice, path))
        return false;
    RaspFile file;
    std::string reason;
    bool read;
    {
        prompt.SetBusy(true);
        read = LoadRaspFile(path, file, reason);
        prompt.SetBusy(false);
    }
    if (!read) {
        prompt.ShowMessage(WithReason("Could not read " + FileNameOf(path), reason), "Error",
                           Severity::Error);
        return false;
    }
    const std::string name = FileNameOf(path);
    if (file.motors.empty()) {
        std::string refusals;
        for (const RaspRefusal& r : file.refused)
            refusals += (refusals.empty() ? "" : "\n") + RefusalText(r);
        prompt.ShowMessage(WithReason(name + " holds no motor that can be read.", refusals),
                           "Error", Severity::Error);
        return false;
    }
    std::size_t index = 0;
    if (file.motors.size() > 1) {
        std::vector<std::string> labels;
        for (const EngMotor& m : file.motors)
            labels.push_back(MotorChoiceLabel(m));
        const int chosen = choose(labels);
        if (chosen < 0 || static_cast<std::size_t>(chosen) >= labels.size())
            return false;
        index = static_cast<std::size_t>(chosen);
    }
    EngMotor& picked = file.motors[index];
    // What a stricter reader would have refused is shown, never silently taken.
    std::vector<std::string> notes = file.warnings;
    notes.insert(notes.end(), picked.warnings.begin(), picked.warnings.end());
    for (const RaspRefusal& r : file.refused)
        notes.push_back("refused: " + RefusalText(r));
    if (!notes.empty()) {
        std::string text = name + ", motor " + picked.designation + ", was read with these notes:";
        for (const std::string& note : notes)
            text += "\n" + note;
        prompt.ShowMessage(text, "Notice", Severity::Warning);
    }
    motor = std::move(picked);
    return true;
}

} // namespace tavo
