// Feeds arbitrary bytes to the motor-file reader: every motor it accepts must be one a
// simulator can fly (finite, non-negative, times never falling, closed at 0, at least two
// points), every refusal must say where and why, and a motor written back by the writer
// must read again without a warning.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "motor/eng_writer.h"
#include "motor/rasp_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::size_t lines = 1;
    for (char c : text)
        lines += c == '\n';
    tavo::RaspFile file;
    tavo::ReadRaspText(text, file);
    for (const tavo::RaspRefusal& r : file.refused) {
        if (r.reason.empty() || r.line == 0 || r.line > lines)
            std::abort();
    }
    for (const tavo::EngMotor& m : file.motors) {
        if (m.points.size() < 2 || m.points.back().thrust != 0.0 || m.headerLine == 0 ||
            m.headerLine > lines)
            std::abort();
        double last = 0.0;
        for (const tavo::ThrustPoint& p : m.points) {
            if (!std::isfinite(p.time) || !std::isfinite(p.thrust) || p.time < last ||
                p.thrust < 0.0)
                std::abort();
            last = p.time;
        }
        const tavo::MotorCurve curve(m);
        const double impulse = curve.TotalImpulse();
        const double peak = tavo::PeakThrust(m);
        if (std::isnan(impulse) || impulse < 0.0)
            std::abort();
        for (double t : {0.0, last * 0.25, last * 0.5, last, last * 2.0}) {
            const double f = curve.ThrustAt(t);
            const double i = curve.ImpulseUpTo(t);
            if (!(f >= 0.0 && f <= peak) || std::isnan(i) || i < 0.0 || i > impulse * (1 + 1e-9))
                std::abort();
        }
        // Written back under a clean header, a readable curve must come back as it was.
        std::vector<tavo::ThrustPoint> points(m.points.begin(), m.points.end() - 1);
        std::string out;
        tavo::AppendEngHeader(out, tavo::EngHeader{"X", "18", "70", "P", "0.01", "0.02", "Me"});
        std::string reason;
        if (tavo::AppendEngCurve(out, points, m.points.back().time, reason)) {
            tavo::RaspFile again;
            tavo::ReadRaspText(out, again);
            if (again.motors.size() != 1 || !again.motors[0].warnings.empty() ||
                !again.refused.empty())
                std::abort();
        } else if (reason.empty()) {
            std::abort();
        }
    }
    return 0;
}
