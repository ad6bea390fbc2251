#include "motor/rasp_reader.h"

#include <cmath>
#include <optional>

#include "flight/atomic_file.h"
#include "flight/number_text.h"
#include "flight/text_format.h"
#include "platform/file_read.h"

namespace tavo {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r';
}

std::vector<std::string_view> SplitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && IsBlank(line[i]))
            ++i;
        const std::size_t start = i;
        while (i < line.size() && !IsBlank(line[i]))
            ++i;
        if (i > start)
            fields.push_back(line.substr(start, i - start));
    }
    return fields;
}

bool ParseNumber(std::string_view field, double& value) {
    return ParseWholeNumber(field, value) && std::isfinite(value);
}

// The delays field is informational: published files write "3-5-7", "0-P", "7,10,13",
// "-" or words. The numbers in it are kept; everything else is read as "plugged".
std::vector<double> DelayNumbers(std::string_view text) {
    std::vector<double> delays;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t stop = text.find_first_of("-,", start);
        if (stop == std::string_view::npos)
            stop = text.size();
        double d = 0.0;
        if (ParseNumber(text.substr(start, stop - start), d) && d >= 0.0)
            delays.push_back(d);
        start = stop + 1;
    }
    return delays;
}

std::string Number(double value) {
    std::string s;
    AppendGeneral(s, value);
    return s;
}

std::string At(std::size_t line) {
    return "line " + std::to_string(line) + ": ";
}

class Reader {
public:
    explicit Reader(RaspFile& file) : m_file(file) {}

    void Line(std::size_t number, std::string_view line) {
        std::size_t lead = 0;
        while (lead < line.size() && IsBlank(line[lead]))
            ++lead;
        if (lead == line.size())
            return;
        if (line[lead] == ';') {
            // A comment ends the motor whose data it follows.
            Finish();
            if (lead > 0 && !m_indentNoted) {
                m_file.warnings.push_back(At(number) + "a comment is indented");
                m_indentNoted = true;
            }
            return;
        }
        const std::vector<std::string_view> fields = SplitFields(line);
        double t = 0.0, f = 0.0;
        const bool twoNumbers =
            fields.size() == 2 && ParseWholeNumber(fields[0], t) && ParseWholeNumber(fields[1], f);
        if (m_motor && twoNumbers) {
            Point(number, t, f);
            return;
        }
        if (m_skipping && (twoNumbers || fields.size() < 7))
            return; // the rest of a refused motor
        if (!m_motor && twoNumbers) {
            m_name.clear();
            Refuse(number, "a data line comes before any motor header");
            return;
        }
        if (m_motor && fields.size() < 7) {
            Refuse(number, "a data line must be a time and a thrust, two numbers");
            return;
        }
        Header(number, fields);
    }

    void Finish() {
        m_skipping = false;
        if (!m_motor)
            return;
        EngMotor& m = *m_motor;
        if (m.points.size() < 2) {
            const std::size_t line = m.headerLine;
            Refuse(line, "the curve needs at least two points, it has " +
                             std::to_string(m.points.size()));
            m_skipping = false;
            return;
        }
        if (m.points.back().thrust != 0.0) {
            m.warnings.push_back("the curve ends at thrust " + Number(m.points.back().thrust) +
                                 " N; it is closed at 0 at its last time, " +
                                 Number(m.points.back().time) + " s");
            m.points.push_back(ThrustPoint{m.points.back().time, 0.0});
        }
        m_file.motors.push_back(std::move(m));
        m_motor.reset();
    }

private:
    void Refuse(std::size_t line, const std::string& reason) {
        m_file.refused.push_back(
            RaspRefusal{m_motor ? m_motor->designation : m_name, line, reason});
        m_motor.reset();
        m_skipping = true;
    }

    void Header(std::size_t number, const std::vector<std::string_view>& fields) {
        Finish();
        m_name = fields.empty() ? std::string() : std::string(fields[0]);
        if (fields.size() < 7) {
            Refuse(number, "a motor header needs seven fields (designation, diameter, length, "
                           "delays, propellant and total mass, manufacturer); this line has " +
                               std::to_string(fields.size()));
            return;
        }
        EngMotor m;
        m.headerLine = number;
        m.designation = std::string(fields[0]);
        m.delaysText = std::string(fields[3]);
        m.delays = DelayNumbers(fields[3]);
        m.manufacturer = std::string(fields[6]);
        if (!ParseNumber(fields[1], m.diameterMm) || !ParseNumber(fields[2], m.lengthMm) ||
            !ParseNumber(fields[4], m.propellantKg) || !ParseNumber(fields[5], m.totalKg)) {
            Refuse(number, "the header's diameter, length and masses must be numbers");
            return;
        }
        if (fields.size() > 7)
            m.warnings.push_back(At(number) + "the header has " + std::to_string(fields.size()) +
                                 " fields; the first seven are used");
        if (!(m.propellantKg > 0.0) || !(m.totalKg > 0.0))
            m.warnings.push_back(At(number) + "the propellant and total masses should be above 0");
        else if (m.propellantKg > m.totalKg)
            m.warnings.push_back(At(number) + "the propellant mass exceeds the total mass");
        m_motor = std::move(m);
        m_skipping = false;
    }

    void Point(std::size_t number, double t, double f) {
        EngMotor& m = *m_motor;
        if (!std::isfinite(t) || !std::isfinite(f)) {
            Refuse(number, "time and thrust must be finite numbers");
            return;
        }
        if (t < 0.0 || f < 0.0) {
            Refuse(number, "time and thrust cannot be negative");
            return;
        }
        if (m.points.empty() && t == 0.0) {
            // (0, 0) is the implied first point written out; anything else replaces it.
            if (f > 0.0) {
                m.warnings.push_back(At(number) + "the curve starts at t = 0 with thrust " +
                                     Number(f) + " N");
                m.points.push_back(ThrustPoint{t, f});
            }
            return;
        }
        if (!m.points.empty()) {
            ThrustPoint& last = m.points.back();
            if (t < last.time) {
                m.warnings.push_back(At(number) + "time " + Number(t) +
                                     " s goes back; the point is dropped");
                return;
            }
            if (t == last.time) {
                m.warnings.push_back(At(number) + "time " + Number(t) +
                                     " s repeats; the later point is kept");
                last.thrust = f;
                return;
            }
        }
        m.points.push_back(ThrustPoint{t, f});
    }

    RaspFile& m_file;
    std::optional<EngMotor> m_motor;
    std::string m_name;      // of the motor being refused
    bool m_skipping = false; // inside the data of a refused motor
    bool m_indentNoted = false;
};

// Refuses anything but a regular file before reading: a pipe or a terminal would
// otherwise hold the program until someone writes to it.
bool ReadMotorFile(const std::string& path, std::string& text, std::string& reason) {
    std::vector<std::uint8_t> bytes;
    const ReadResult result = ReadRegularFile(path, kMaxEngFileBytes, bytes);
    if (!result) {
        reason = result.refusal == ReadRefusal::TooLarge ? "the file is too large for a motor file"
                                                         : result.reason;
        return false;
    }
    text.assign(bytes.begin(), bytes.end());
    return true;
}

} // namespace

void ReadRaspText(std::string_view text, RaspFile& file) {
    file = RaspFile{};
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        text.remove_prefix(3);
        file.warnings.push_back("the file starts with a byte-order mark");
    }
    Reader reader(file);
    std::size_t pos = 0, number = 0;
    while (pos < text.size()) {
        std::size_t eol = text.find('\n', pos);
        if (eol == std::string_view::npos)
            eol = text.size();
        reader.Line(++number, text.substr(pos, eol - pos));
        pos = eol + 1;
    }
    reader.Finish();
}

bool LoadRaspFile(const std::string& path, RaspFile& file, std::string& reason) {
    std::string text;
    if (!ReadMotorFile(path, text, reason))
        return false;
    ReadRaspText(text, file);
    return true;
}

std::string RefusalText(const RaspRefusal& r) {
    std::string s;
    if (!r.motor.empty())
        s = "motor " + r.motor + ", ";
    return s + "line " + std::to_string(r.line) + ": " + r.reason;
}

bool LoadEngFile(const std::string& path, std::vector<EngMotor>& motors, std::string& reason) {
    RaspFile file;
    if (!LoadRaspFile(path, file, reason)) {
        reason = FileNameOf(path) + ": " + reason;
        return false;
    }
    if (file.motors.empty()) {
        reason = FileNameOf(path) + ": no motor could be read";
        for (const RaspRefusal& r : file.refused)
            reason += "\n" + RefusalText(r);
        return false;
    }
    motors = std::move(file.motors);
    return true;
}

} // namespace tavo
