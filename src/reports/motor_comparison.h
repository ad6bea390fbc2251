#pragma once
// A certified thrust curve beside the measured one: the certified figures, the measured
// figures' differences from them in percent, the texts, and the certified curve drawn
// over the report's graph aligned at ignition (C1).

#include <string>
#include <vector>

#include "canvas/canvas.h"
#include "motor/eng_motor.h"
#include "reports/motor_report.h"

namespace tavo {

struct CertifiedFigures {
    std::string designation;
    std::string manufacturer;
    char impulseClass = 'A';
    double totalImpulse = 0.0; // N s
    double avgThrust = 0.0;    // N, impulse over burn time
    double peakThrust = 0.0;   // N
    double burnTime = 0.0;     // s, the last point's time
};

struct MotorComparison {
    CertifiedFigures certified;
    // (measured - certified) / certified x 100; NaN where the certified figure is 0.
    double totalImpulsePercent = 0.0;
    double avgThrustPercent = 0.0;
    double peakThrustPercent = 0.0;
    double burnTimePercent = 0.0;
};

CertifiedFigures CertifiedFiguresOf(const EngMotor& motor);

MotorComparison CompareWithCertified(const MotorReport& report, const EngMotor& motor);

// A difference as the reports print it: "+1.2%", "-0.4%", or "n/a" when not finite.
std::string PercentText(double percent);

// The comparison box's lines (screen: one per figure; paper: blank lines between).
std::string ComparisonText(const MotorComparison& comparison, const char* lineEnd);

// The certified curve's pen: blue, so it tells apart from the black measured curve on
// screen and on paper.
inline constexpr Pen kCertifiedPen{PenStyle::Solid, 2, {0, 90, 200}};

// The certified curve's polyline in `frame`, as DrawCertifiedCurve draws it; empty
// when the span or the scale gives no curve.
std::vector<Point> CertifiedCurvePoints(const Rect& frame, const EngMotor& motor,
                                        double spanSeconds, double scale);

// Draws the certified curve into `frame`: t = 0 at the left edge, `spanSeconds` at the
// right, `scale` logical units per newton from the bottom edge; nothing past the frame.
void DrawCertifiedCurve(Canvas& canvas, const Rect& frame, const EngMotor& motor,
                        double spanSeconds, double scale);

} // namespace tavo

#include <functional>
#include <vector>

#include "prompt/user_prompt.h"

namespace tavo {

// Picks one motor of several by its line in `labels`; -1 when the user cancels.
using ChooseMotorFn = std::function<int(const std::vector<std::string>& labels)>;

// "C6 Estes (C, 8.82 N s, 1.86 s)": a motor as the chooser lists it.
std::string MotorChoiceLabel(const EngMotor& motor);

// "Compare with motor file...": asks for a RASP file, reads it, lets the user pick one of
// several motors, and tells what the reader accepted only with warnings or refused.
// True with `motor` set; false when cancelled or nothing could be read (said so).
bool ChooseCertifiedMotor(UserPrompt& prompt, const ChooseMotorFn& choose, EngMotor& motor);

} // namespace tavo
