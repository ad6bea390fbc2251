#include "motor/eng_writer.h"

#include <charconv>
#include <cmath>

#include "flight/number_text.h"
#include "flight/text_format.h"

namespace tavo {

std::string EngTextFieldFault(const std::string& label, const std::string& text) {
    if (text.empty())
        return label + " is empty: every field of a motor file's header must be filled in.";
    for (char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u == ' ' || u == '\t')
            return label + " \"" + text +
                   "\" contains a blank: simulators split the header at blanks. Join the "
                   "words, for example with a dash.";
        if (u < 0x21 || u > 0x7E)
            return label +
                   " may hold only plain ASCII letters, digits and signs: simulators do not "
                   "read other characters.";
    }
    return {};
}

std::string EngNumberFieldFault(const std::string& label, const std::string& text, double minimum,
                                bool inclusive, const char* unit, double& value) {
    std::string fault = EngTextFieldFault(label, text);
    if (!fault.empty())
        return fault;
    double v = 0.0;
    const bool ok = ReadPlainDecimal(text, v) && (inclusive ? v >= minimum : v > minimum);
    if (!ok) {
        std::string bound;
        AppendGeneral(bound, minimum);
        return label + " must be a number of " + unit + (inclusive ? ", " : ", above ") + bound +
               (inclusive ? " or more." : ".");
    }
    value = v;
    return {};
}

std::string EngHeaderFault(const EngHeader& h) {
    double diameter = 0.0, length = 0.0, propellant = 0.0, total = 0.0;
    std::string fault = EngTextFieldFault("Designation", h.designation);
    if (fault.empty() && h.designation.front() == ';')
        fault = "Designation cannot start with \";\", which marks a comment line.";
    if (fault.empty())
        fault = EngNumberFieldFault("Diameter", h.diameterMm, 1.0, true, "mm", diameter);
    if (fault.empty())
        fault = EngNumberFieldFault("Length", h.lengthMm, 1.0, true, "mm", length);
    if (fault.empty())
        fault = EngTextFieldFault("Delays", h.delays);
    if (fault.empty())
        fault = EngNumberFieldFault("Propellant", h.propellantKg, 0.0, false, "kg", propellant);
    if (fault.empty())
        fault = EngNumberFieldFault("Total mass", h.totalKg, 0.0, false, "kg", total);
    if (fault.empty() && propellant > total)
        fault = "The propellant cannot weigh more than the whole motor.";
    if (fault.empty())
        fault = EngTextFieldFault("Manufacturer", h.manufacturer);
    return fault;
}

void AppendEngHeader(std::string& out, const EngHeader& h) {
    for (const std::string* field : {&h.designation, &h.diameterMm, &h.lengthMm, &h.delays,
                                     &h.propellantKg, &h.totalKg, &h.manufacturer}) {
        out += *field;
        out += ' ';
    }
    out += "\r\n";
}

bool AppendEngCurve(std::string& out, const std::vector<ThrustPoint>& points, double closeTime,
                    std::string& reason) {
    std::string text;
    text.reserve(points.size() * 20 + 20);
    // Times are compared as written: two instants closer than a millisecond would print
    // the same and a reader would see time stand still.
    std::string previous = "0.000";
    double previousTime = 0.0;
    auto appendLine = [&](double t, double f) {
        if (!std::isfinite(t) || !std::isfinite(f)) {
            reason = "The thrust curve holds a value that is not a finite number; check the "
                     "flight's two-G value and sample rate.";
            return false;
        }
        std::string time = FormatFixed(t, 3);
        double written = 0.0;
        std::from_chars(time.data(), time.data() + time.size(), written);
        if (!(written > previousTime)) {
            reason = previous == "0.000"
                         ? "The thrust curve's first time, " + time +
                               " s, is not after ignition; check the flight's sample rate."
                         : "The thrust curve's times do not increase (" + previous + " s, then " +
                               time +
                               " s): the samples are closer than the file's millisecond "
                               "times; check the flight's sample rate.";
            return false;
        }
        text += time;
        text += ' ';
        AppendFixed(text, f > 0.0 ? f : 0.0, 3);
        text += "\r\n";
        previous = std::move(time);
        previousTime = written;
        return true;
    };
    for (const ThrustPoint& p : points) {
        if (!appendLine(p.time, p.thrust))
            return false;
    }
    if (!appendLine(closeTime, 0.0))
        return false;
    out += text;
    return true;
}

} // namespace tavo
