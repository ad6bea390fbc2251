#include "plot/axis_ticks.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "flight/text_format.h"
#include "plot/plot_frame.h"

namespace tavo {

Rect TimeLabelRect(const Rect& frame, int x) {
    return Rect{x - 20, frame.bottom + 2, x + 20, frame.bottom + 35};
}

Rect ValueLabelRect(const Rect& frame, int y, int width) {
    return Rect{frame.left - width, y - 15, frame.left, y + 15};
}

namespace {

// The smallest of 1, 2 and 5 times a power of ten that is at least `least`, with the
// decimals a multiple of it needs. False when `least` gives no step.
bool RoundStep(double least, double& step, int& decimals) {
    if (!(least > 0.0) || !std::isfinite(least))
        return false;
    int e = static_cast<int>(std::floor(std::log10(least)));
    double unit = std::pow(10.0, e);
    double mantissa = 10.0;
    for (const double m : {1.0, 2.0, 5.0})
        if (m * unit >= least * (1.0 - 1e-12)) {
            mantissa = m;
            break;
        }
    if (mantissa == 10.0) {
        mantissa = 1.0;
        unit *= 10.0;
        ++e;
    }
    step = mantissa * unit;
    decimals = std::clamp(-e, 0, 9);
    return step > 0.0 && std::isfinite(step);
}

} // namespace

std::vector<AxisLabel> RoundTimeTicks(const GraphFrame& frame, TimeWindow window, int n,
                                      float sampleInterval) {
    std::vector<AxisLabel> ticks;
    // The whole flight is the window over all n samples: the ticks land where the
    // product of the step puts a sample, within a unit of the running x of the curves.
    if (window.Whole())
        window = TimeWindow{0.0, static_cast<double>(n)};
    const double dt = sampleInterval;
    const double k = WindowScale(frame, window);
    if (!(dt > 0.0) || !std::isfinite(dt) || !(k > 0.0) || !std::isfinite(k))
        return ticks;
    const double t0 = window.start * dt;
    const double t1 = (window.start + window.span) * dt;
    const int most = std::max(1, frame.W() / kRoundTickSpacing);
    double step = 0.0;
    int decimals = 0;
    if (!RoundStep((t1 - t0) / most, step, decimals))
        return ticks;
    // Whole steps counted from 0, so each time is a product and reads round.
    const double firstStep = std::ceil(t0 / step - 1e-9);
    for (int j = 0; j <= most + 1; ++j) {
        const double t = (firstStep + j) * step + 0.0; // never -0
        const int x = ToCoord(frame.L + (t / dt - window.start) * k, frame.L);
        if (x > frame.R)
            break;
        if (x >= frame.L)
            ticks.push_back({x, FormatFixed(t, decimals)});
    }
    return ticks;
}

std::vector<AxisLabel> RoundValueLabels(int top, int bottom, float max, float min, int spacing) {
    std::vector<AxisLabel> labels;
    const int height = bottom - top;
    const double range = static_cast<double>(max) - min;
    double step = 0.0;
    int decimals = 0;
    if (height <= 0 || spacing <= 0 || !(range > 0.0) || !std::isfinite(range) ||
        !RoundStep(range * spacing / height, step, decimals)) {
        labels.push_back({bottom, FormatFixed(std::isfinite(min) ? min : 0.0f, 1)});
        return labels;
    }
    // The curve's own scale, so a label sits on the curve's value exactly.
    const double k = height / range;
    const double first = std::ceil(min / step - 1e-9);
    const int most = height / spacing + 1;
    for (int j = 0; j <= most; ++j) {
        const double v = (first + j) * step + 0.0;
        if (v > max + step * 1e-9)
            break;
        labels.push_back({ToCoord(bottom - (v - min) * k, bottom), FormatFixed(v, decimals)});
    }
    return labels;
}

std::vector<AxisLabel> ReportTimeTicks(const Rect& frame, int n, float sampleInterval) {
    // The ticks come at tenths of the range; a few spare rounds cover float creep, and
    // the cap makes the loop's end independent of the arithmetic.
    constexpr int kMaxTimeTicks = 12;
    const float rate = static_cast<float>(1.0 / sampleInterval);
    const float seconds = static_cast<float>(n) / rate;
    const int decimals = ToCoord(seconds, 0) >= 10 ? 1 : 2;
    const float xStep = static_cast<float>(frame.right - frame.left) * 0.1f;
    const float vStep = static_cast<float>(n) * 0.1f;
    float x = static_cast<float>(frame.left) + xStep;
    float v = vStep;
    std::vector<AxisLabel> ticks;
    for (int tick = 0; v <= static_cast<float>(n) && tick < kMaxTimeTicks; ++tick) {
        ticks.push_back({ToCoord(x, frame.left), FormatFixed(v / rate, decimals)});
        x = x + xStep;
        v = v + vStep;
    }
    return ticks;
}

std::vector<AxisLabel> GraphValueLabels(const Rect& frame, float max, float min) {
    const int height = frame.bottom - frame.top;
    const float range = max - min;
    const float k = static_cast<float>(height) / range;
    const double v = std::ceil(static_cast<double>(range)) * 0.1;
    const int p = height / 10;
    const int upDecimals = max > 999 ? 0 : 1;
    const double z = frame.bottom - std::fabs(static_cast<double>(min)) * k;

    std::vector<AxisLabel> labels;
    if (!(std::isfinite(k) && k > 0.0f) || !(std::isfinite(v) && v > 0.0) || p <= 0 ||
        !std::isfinite(z)) {
        // No scale to step along: only the zero on the bottom edge.
        labels.push_back({frame.bottom, FormatFixed(0.0, upDecimals)});
        return labels;
    }
    // Upwards from the zero line. z never lies below the bottom, so every label here
    // is inside the frame and there are at most eleven of them.
    double value = 0.0;
    for (std::int64_t y = ToCoord(z, frame.bottom); y >= frame.top; y -= p) {
        labels.push_back({static_cast<int>(y), FormatFixed(value, upDecimals)});
        value += v;
    }
    // Downwards, always with one decimal. A zero line far above the frame (limits set
    // by hand) starts at the first label that can reach the page, counted in whole
    // steps so it carries the value it would have reached step by step. A zero line
    // beyond 1e15 units is taken as 1e15, where doubles still count whole units.
    constexpr double kFarAbove = -1e15;
    const double start = std::max(std::trunc(z + p), kFarAbove);
    std::int64_t y = static_cast<std::int64_t>(start);
    value = -v;
    constexpr std::int64_t kPageTop = -15; // a label above this lies wholly off the page
    if (y < kPageTop) {
        const std::int64_t skip = (kPageTop - y + p - 1) / p;
        y += skip * p;
        value -= static_cast<double>(skip) * v;
    }
    for (; y <= frame.bottom; y += p) {
        labels.push_back({static_cast<int>(y), FormatFixed(value, 1)});
        value -= v;
    }
    return labels;
}

const char* CurveUnits(int curve, bool metric, bool accelInGees, bool displayRaw) {
    if (curve == 1)
        return metric ? "m/s" : "MPH";
    if (curve == 2)
        return metric ? "m" : "ft";
    if (displayRaw)
        return "RAW";
    if (accelInGees)
        return "Gee";
    return metric ? "m/s^2" : "ft/s^2";
}

std::vector<AxisLabel> ReportValueLabels(const Rect& frame, float step, int decimals) {
    // Wide arithmetic: a frame spanning the whole int range must not overflow.
    const std::int64_t pixelStep =
        (static_cast<std::int64_t>(frame.bottom) - static_cast<std::int64_t>(frame.top)) / 10;
    std::vector<AxisLabel> labels;
    float u = 0.0f;
    for (std::int64_t y = frame.bottom; y >= frame.top; y -= pixelStep) {
        labels.push_back({static_cast<int>(y), FormatFixed(u, decimals)});
        u = u + step;
        // A frame under ten units high has no step to climb by: its one label is the 0.
        if (pixelStep <= 0)
            break;
    }
    return labels;
}

} // namespace tavo
