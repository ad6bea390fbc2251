#include "sim/eng_motor.h"

#include <cmath>
#include <string_view>

#include "flight/atomic_file.h"
#include "flight/number_text.h"

namespace tavo {
namespace {

std::vector<std::string_view> SplitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t')
            ++i;
        if (i > start)
            fields.push_back(line.substr(start, i - start));
    }
    return fields;
}

// The whole field must be a finite decimal number, whatever the locale.
bool ParseNumber(std::string_view field, double& value) {
    return ParseWholeNumber(field, value) && std::isfinite(value);
}

bool ParseDelays(std::string_view text, std::vector<double>& delays) {
    delays.clear();
    if (text == "P")
        return true;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t stop = text.find_first_of("-,", start);
        if (stop == std::string_view::npos)
            stop = text.size();
        double d = 0.0;
        if (!ParseNumber(text.substr(start, stop - start), d) || d < 0.0)
            return false;
        delays.push_back(d);
        start = stop + 1;
    }
    return !delays.empty();
}

std::string AtLine(std::size_t number, const std::string& what) {
    return "line " + std::to_string(number) + ": " + what;
}

} // namespace

bool ParseEngText(const std::string& text, std::vector<EngMotor>& motors, std::string& reason) {
    if (text.size() > kMaxEngFileBytes) {
        reason = "the file is too large for a thrust curve";
        return false;
    }
    std::vector<EngMotor> parsed;
    bool inData = false;
    std::size_t lineNumber = 0;

    // A motor is complete once its last point has thrust 0; anything else is a
    // truncated curve that a simulator would fly wrongly.
    auto finish = [&](std::size_t at) {
        EngMotor& m = parsed.back();
        if (m.points.empty()) {
            reason = AtLine(at, "motor " + m.designation + " has no data points");
            return false;
        }
        if (m.points.back().thrust != 0.0) {
            reason = AtLine(at, "motor " + m.designation + " does not end with thrust 0");
            return false;
        }
        inData = false;
        return true;
    };

    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t eol = text.find('\n', pos);
        if (eol == std::string::npos)
            eol = text.size();
        std::string_view line(text.data() + pos, eol - pos);
        pos = eol + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);

        if (!line.empty() && line.front() == ';') {
            if (inData && !finish(lineNumber))
                return false;
            continue;
        }
        std::vector<std::string_view> fields = SplitFields(line);
        if (fields.empty())
            continue;

        if (!inData) {
            if (fields.size() != 7) {
                reason = AtLine(lineNumber, "a motor header needs exactly seven fields");
                return false;
            }
            EngMotor m;
            m.designation = std::string(fields[0]);
            m.delaysText = std::string(fields[3]);
            m.manufacturer = std::string(fields[6]);
            if (!ParseNumber(fields[1], m.diameterMm) || !ParseNumber(fields[2], m.lengthMm) ||
                !ParseNumber(fields[4], m.propellantKg) || !ParseNumber(fields[5], m.totalKg)) {
                reason = AtLine(lineNumber, "the header's sizes and masses must be numbers");
                return false;
            }
            if (m.diameterMm <= 0.0 || m.lengthMm <= 0.0 || m.propellantKg <= 0.0 ||
                m.totalKg <= 0.0) {
                reason = AtLine(lineNumber, "the header's sizes and masses must be above 0");
                return false;
            }
            if (m.propellantKg > m.totalKg) {
                reason = AtLine(lineNumber, "the propellant mass exceeds the total mass");
                return false;
            }
            if (!ParseDelays(fields[3], m.delays)) {
                reason = AtLine(lineNumber, "the delays must be numbers separated by dashes, or P");
                return false;
            }
            parsed.push_back(std::move(m));
            inData = true;
            continue;
        }

        EngMotor& m = parsed.back();
        if (fields.size() != 2) {
            reason = AtLine(lineNumber, "a data line needs exactly two numbers");
            return false;
        }
        ThrustPoint p;
        if (!ParseNumber(fields[0], p.time) || !ParseNumber(fields[1], p.thrust)) {
            reason = AtLine(lineNumber, "a data line needs exactly two numbers");
            return false;
        }
        if (p.thrust < 0.0) {
            reason = AtLine(lineNumber, "thrust cannot be negative");
            return false;
        }
        double previous = m.points.empty() ? 0.0 : m.points.back().time;
        if (p.time <= previous) {
            reason = AtLine(lineNumber, "times must increase and start after 0");
            return false;
        }
        if (!m.points.empty() && m.points.back().thrust == 0.0) {
            reason = AtLine(lineNumber, "data continues after the closing zero thrust");
            return false;
        }
        if (m.points.size() >= kMaxEngPoints) {
            reason = AtLine(lineNumber, "too many data points");
            return false;
        }
        m.points.push_back(p);
    }
    if (inData && !finish(lineNumber))
        return false;
    if (parsed.empty()) {
        reason = "no motor in the file";
        return false;
    }
    motors = std::move(parsed);
    return true;
}

bool LoadEngFile(const std::string& path, std::vector<EngMotor>& motors, std::string& reason) {
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(path, kMaxEngFileBytes, bytes, reason)) {
        reason = FileNameOf(path) + ": " + reason;
        return false;
    }
    std::string text(bytes.begin(), bytes.end());
    if (!ParseEngText(text, motors, reason)) {
        reason = FileNameOf(path) + ": " + reason;
        return false;
    }
    return true;
}

double ThrustAt(const EngMotor& motor, double t) {
    if (!(t > 0.0))
        return 0.0;
    double t0 = 0.0, f0 = 0.0;
    for (const ThrustPoint& p : motor.points) {
        if (t <= p.time)
            return f0 + (p.thrust - f0) * (t - t0) / (p.time - t0);
        t0 = p.time;
        f0 = p.thrust;
    }
    return 0.0;
}

double BurnTime(const EngMotor& motor) {
    return motor.points.empty() ? 0.0 : motor.points.back().time;
}

double ImpulseUpTo(const EngMotor& motor, double t) {
    double impulse = 0.0;
    double t0 = 0.0, f0 = 0.0;
    for (const ThrustPoint& p : motor.points) {
        if (t <= t0)
            break;
        if (t < p.time) {
            double f = f0 + (p.thrust - f0) * (t - t0) / (p.time - t0);
            impulse += 0.5 * (f0 + f) * (t - t0);
            break;
        }
        impulse += 0.5 * (f0 + p.thrust) * (p.time - t0);
        t0 = p.time;
        f0 = p.thrust;
    }
    return impulse;
}

double TotalImpulse(const EngMotor& motor) {
    return ImpulseUpTo(motor, BurnTime(motor));
}

} // namespace tavo
