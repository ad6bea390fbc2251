#pragma once
// A strict reader of RASP ".eng" files, written from the format's rules for files we
// write, as the pickiest simulators read them: what the thrust-curve export writes must
// pass it.

#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace tavo::testing {

inline bool StrictNumber(const std::string& s, double& v) {
    if (s.empty())
        return false;
    char* end = nullptr;
    v = std::strtod(s.c_str(), &end);
    return end == s.c_str() + s.size() && std::isfinite(v);
}

// Returns an empty string when the text is a valid single-motor file, else the fault.
inline std::string StrictRaspFault(const std::string& text) {
    if (text.find('\t') != std::string::npos)
        return "tab";
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else if (c != '\r') {
            line += c;
        }
    }
    lines.push_back(line);
    std::size_t i = 0;
    auto skip = [&] {
        while (i < lines.size() && (lines[i].empty() || lines[i][0] == ';'))
            ++i;
    };
    skip();
    if (i == lines.size())
        return "no header";
    std::istringstream head(lines[i++]);
    std::vector<std::string> fields;
    for (std::string f; head >> f;)
        fields.push_back(f);
    if (fields.size() != 7)
        return "header has " + std::to_string(fields.size()) + " fields";
    for (const std::string& field : fields)
        for (char c : field)
            if (static_cast<unsigned char>(c) < 0x21 || static_cast<unsigned char>(c) > 0x7E)
                return "header byte not printable ASCII";
    double diameter, length, propellant, total;
    if (!StrictNumber(fields[1], diameter) || !StrictNumber(fields[2], length) ||
        !StrictNumber(fields[4], propellant) || !StrictNumber(fields[5], total))
        return "header numbers";
    if (diameter < 1.0 || length < 1.0)
        return "diameter or length below 1 mm";
    if (!(propellant > 0.0) || !(total > 0.0))
        return "mass not above 0";
    if (propellant > total)
        return "propellant above total";
    double lastTime = 0.0, lastThrust = -1.0;
    int points = 0;
    for (; i < lines.size() && !lines[i].empty() && lines[i][0] != ';'; ++i) {
        std::istringstream data(lines[i]);
        std::vector<std::string> nums;
        for (std::string f; data >> f;)
            nums.push_back(f);
        double t, f;
        if (nums.size() != 2 || !StrictNumber(nums[0], t) || !StrictNumber(nums[1], f))
            return "data line " + lines[i];
        if (!(t > lastTime))
            return "time not increasing at " + lines[i];
        if (f < 0.0)
            return "negative thrust at " + lines[i];
        lastTime = t;
        lastThrust = f;
        ++points;
    }
    if (points < 2)
        return "fewer than two points";
    if (lastThrust != 0.0)
        return "last thrust not 0";
    for (; i < lines.size(); ++i)
        if (!lines[i].empty() && lines[i][0] != ';')
            return "text after the data: " + lines[i];
    return {};
}

} // namespace tavo::testing
