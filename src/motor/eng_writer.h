#pragma once
// The rules a RASP ".eng" file we write keeps, so that every simulator loads it: a
// header of seven plain fields, times rising from above 0, thrust never negative, the
// curve closed at 0. Writers check their fields here before anything is written.

#include <string>
#include <vector>

#include "motor/eng_motor.h"

namespace tavo {

// The header's seven fields, as they will be written.
struct EngHeader {
    std::string designation;
    std::string diameterMm;
    std::string lengthMm;
    std::string delays;
    std::string propellantKg;
    std::string totalKg;
    std::string manufacturer;
};

// Why a text field cannot go into a header, naming it by `label`, or empty when it can:
// it must be filled in, hold no blank and only printable ASCII (readers split at blanks
// and several stop at other bytes).
std::string EngTextFieldFault(const std::string& label, const std::string& text);

// Why a number field cannot go into a header, or empty with `value` set: a plain decimal
// number (digits and one point) of at least `minimum` (above it when `inclusive` is
// false), in `unit`.
std::string EngNumberFieldFault(const std::string& label, const std::string& text, double minimum,
                                bool inclusive, const char* unit, double& value);

// The first rule the header breaks, or empty: every field as above, diameter and length
// at least 1 mm, both masses above 0 and the propellant not above the total.
std::string EngHeaderFault(const EngHeader& header);

// The header line: each field followed by one blank, then CR LF.
void AppendEngHeader(std::string& out, const EngHeader& header);

// The data lines, "time thrust" with three decimals and CR LF, then a closing line at
// `closeTime` with thrust 0. Negative thrust is written as 0 (a motor pushes, it never
// pulls). Refused with a reason, and nothing appended: a value that is not finite, a
// first time not above 0 or a time not after the one before, as written.
bool AppendEngCurve(std::string& out, const std::vector<ThrustPoint>& points, double closeTime,
                    std::string& reason);

} // namespace tavo
