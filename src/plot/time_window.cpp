#include "plot/time_window.h"

#include <algorithm>
#include <cmath>

#include "plot/curve_points.h"

namespace tavo {

namespace {

double ZoomedX(const GraphFrame& frame, TimeWindow window, double k, double position) {
    return frame.L + (position - window.start) * k;
}

} // namespace

double WindowScale(const GraphFrame& frame, TimeWindow window) {
    const double k = static_cast<double>(frame.W()) / window.span;
    return (k > 0.0 && std::isfinite(k)) ? k : 0.0;
}

TimeWindow ClampWindow(TimeWindow window, int n) {
    if (n <= 0 || window.Whole() || !std::isfinite(window.span))
        return {};
    const double samples = static_cast<double>(n);
    const double span = std::max(window.span, kMinWindowSpan);
    if (span >= samples)
        return {};
    const double start = std::isfinite(window.start) ? window.start : 0.0;
    return {std::clamp(start, 0.0, samples - span), span};
}

TimeWindow ZoomWindow(TimeWindow window, int n, double fraction, double factor) {
    if (n <= 0 || !(factor > 0.0) || !std::isfinite(factor))
        return ClampWindow(window, n);
    const TimeWindow now = window.Whole() ? TimeWindow{0.0, static_cast<double>(n)} : window;
    const double f = std::isnan(fraction) ? 0.5 : std::clamp(fraction, 0.0, 1.0);
    const double anchor = now.start + f * now.span;
    // Narrowing stops at the smallest span, still about the anchor.
    const double span = std::max(now.span / factor, kMinWindowSpan);
    return ClampWindow({anchor - f * span, span}, n);
}

TimeWindow PanWindow(TimeWindow window, int n, double samples) {
    if (window.Whole() || !std::isfinite(samples))
        return ClampWindow(window, n);
    return ClampWindow({window.start + samples, window.span}, n);
}

TimeWindow WindowAround(int first, int last, int n) {
    const double lo = std::min(first, last), hi = std::max(first, last);
    const double pad = std::max(1.0, (hi - lo) * 0.05);
    double span = hi - lo + 2.0 * pad;
    double start = lo - pad;
    if (span < kMinWindowSpan) {
        start = (lo + hi) / 2.0 - kMinWindowSpan / 2.0;
        span = kMinWindowSpan;
    }
    return ClampWindow({start, span}, n);
}

TimeWindow WindowShowing(TimeWindow window, int n, int sample) {
    window = ClampWindow(window, n);
    if (window.Whole())
        return window;
    const double margin = std::max(1.0, window.span * 0.05);
    const double s = sample;
    if (s < window.start + margin)
        window.start = s - margin;
    else if (s > window.start + window.span - margin)
        window.start = s - window.span + margin;
    return ClampWindow(window, n);
}

double PositionAtX(const GraphFrame& frame, TimeWindow window, int n, double x) {
    const int w = frame.W();
    if (w <= 0)
        return window.Whole() ? 0.0 : window.start;
    if (window.Whole())
        return (x - frame.L) * n / w;
    return window.start + (x - frame.L) * window.span / w;
}

int SampleXIn(const GraphFrame& frame, TimeWindow window, int n, int index) {
    if (!window.Whole())
        return ToCoord(ZoomedX(frame, window, WindowScale(frame, window), index), frame.L);
    if (index <= 0)
        return frame.L;
    // The curve's own running sum: the cursor line passes through its sample's vertex.
    const float step = SampleXStep(frame.W(), n);
    float x = static_cast<float>(frame.L);
    for (int i = 1; i <= index; ++i)
        x += step;
    return ToCoord(x, frame.R);
}

int MarkerXIn(const GraphFrame& frame, TimeWindow window, int n, int index) {
    if (window.Whole())
        return SampleX(frame.L, SampleXStep(frame.W(), n), index);
    return SampleXIn(frame, window, n, index);
}

int CursorSampleAtX(const GraphFrame& frame, TimeWindow window, int n, std::size_t count, int x) {
    if (count < 2)
        return 0;
    const int last = static_cast<int>(std::min<std::size_t>(count - 1, 2147483647u));
    if (window.Whole()) {
        const int found = CursorSample(frame.L, SampleXStep(frame.W(), n), count, x);
        return found < 0 ? last : found;
    }
    const double k = WindowScale(frame, window);
    if (k <= 0.0)
        return 1;
    // Solve for the sample, then settle the rounding against the mapping itself, so the
    // answer is the one the comparison below gives sample by sample.
    const double guess = std::ceil(window.start + (x - frame.L) / k);
    int i = TruncClamped(std::clamp(guess, 1.0, static_cast<double>(last)), last, 1);
    const auto reaches = [&](int s) { return ZoomedX(frame, window, k, s) >= x; };
    for (int step = 0; step < 3 && i > 1 && reaches(i - 1); ++step)
        --i;
    for (int step = 0; step < 3 && i < last && !reaches(i); ++step)
        ++i;
    return i;
}

SampleRange VisibleSamples(TimeWindow window, std::size_t count) {
    if (count == 0)
        return {1, 0};
    if (window.Whole())
        return {0, count - 1};
    const double last = static_cast<double>(count - 1);
    const double first = std::clamp(std::floor(window.start), 0.0, last);
    const double end = std::clamp(std::ceil(window.start + window.span), 0.0, last);
    return {static_cast<std::size_t>(first), static_cast<std::size_t>(end)};
}

} // namespace tavo
