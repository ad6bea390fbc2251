#include "view/core/draw_graph.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "flight/text_format.h"
#include "view/core/graph_format.h"

namespace tavo {

namespace {

// Far beyond any page, yet safe to hand to any painter: data that maps off the chart
// (a hand-set scale, an infinite value) is drawn off the chart, not wrapped around.
constexpr int kCoordLimit = 1 << 20;

constexpr Color kWhite{255, 255, 255};

// The y of a curve value; a value or scale that gives no number lands on the bottom
// edge, where a zero range also puts the whole curve.
int CurveY(float bottom, float value, float min, float scale, int b) {
    const float y = bottom - (value - min) * scale;
    return TruncClamped(y, kCoordLimit, b);
}

// H / range, or 0 when that is no usable scale (zero, reversed by hand, or not
// finite): the curve then lies flat on the frame's bottom edge.
float CurveScale(int h, float max, float min) {
    const float k = static_cast<float>(h) / (max - min);
    return (std::isfinite(k) && k > 0.0f) ? k : 0.0f;
}

void TimeAxis(Canvas& canvas, const FlightRecord& flight, const GraphFrame& f, int n, bool grid) {
    const float rate = 1.0f / flight.m_fSampleInterval;
    const float seconds = static_cast<float>(n) / rate;
    const int d = TruncClamped(seconds, kCoordLimit, 0);
    // The steps stay double and each sum is rounded to float, as the tick positions
    // have always been found: rounding the step to float first moves some ticks by a
    // pixel.
    const double sStep = n * 0.1;
    const double xStep = f.W() * 0.1;
    float s = static_cast<float>(sStep);
    float x = static_cast<float>(f.L + xStep);
    // Ten steps of a tenth; the sum of the steps decides whether the right edge gets
    // its tick, so the loop is bounded by the step count as well.
    for (int tick = 0; tick < 11 && s <= static_cast<float>(n); ++tick) {
        const int xi = TruncClamped(x, kCoordLimit, f.L);
        const float t = s / rate;
        std::string label;
        if (d < 1)
            label = FormatText("%.2f", t);
        else if (d < 10)
            label = FormatText("%.1f", t);
        else if (std::isfinite(t))
            label = FormatText("%d", TruncClamped(t, 2147483647, 0));
        else
            label = FormatText("%.0f", t);
        canvas.DrawText({xi - 20, f.B + 2, xi + 20, f.B + 35}, label, TextHCenter);
        if (grid)
            canvas.DrawLine({xi, f.T}, {xi, f.B});
        s = static_cast<float>(s + sStep);
        x = static_cast<float>(x + xStep);
    }
}

void ValueLabel(Canvas& canvas, const GraphFrame& f, int y, const std::string& text) {
    canvas.DrawText({f.L - 30, y - 15, f.L, y + 15}, text,
                    TextRight | TextVCenter | TextSingleLine);
}

void ValueAxis(Canvas& canvas, const FlightRecord& flight, const GraphFrame& f, bool grid) {
    float max = flight.m_fAccelMax, min = flight.m_fAccelMin;
    if (flight.m_nDisplayCurve == 1) {
        max = flight.m_fVelMax;
        min = flight.m_fVelMin;
    } else if (flight.m_nDisplayCurve == 2) {
        max = flight.m_fAltMax;
        min = flight.m_fAltMin;
    }
    const float range = max - min;
    const float k = static_cast<float>(f.H()) / range;
    const double v = std::ceil(static_cast<double>(range)) * 0.1;
    const int p = f.H() / 10;
    const char* upFormat = max > 999 ? "%.0f" : "%.1f";
    const double z = f.B - std::fabs(static_cast<double>(min)) * k;

    if (!(std::isfinite(k) && k > 0.0f) || !(std::isfinite(v) && v > 0.0) || p <= 0 ||
        !std::isfinite(z)) {
        // No scale to step along: only the zero on the bottom edge.
        ValueLabel(canvas, f, f.B, FormatText(upFormat, 0.0));
    } else {
        // Upwards from the zero line. z never lies below B, so every label drawn here
        // is inside the frame and there are at most eleven of them.
        double value = 0.0;
        for (std::int64_t y = TruncClamped(z, kCoordLimit, f.B); y >= f.T; y -= p) {
            ValueLabel(canvas, f, static_cast<int>(y), FormatText(upFormat, value));
            if (grid && y != f.B)
                canvas.DrawLine({f.L, static_cast<int>(y)}, {f.R, static_cast<int>(y)});
            value += v;
        }
        // Downwards, always with one decimal. A zero line far above the frame (limits
        // set by hand) starts at the first label that can reach the page, counted in
        // whole steps so it carries the value it would have reached step by step.
        // A zero line beyond 1e15 units is taken as 1e15, where doubles still count
        // whole units.
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
        for (; y <= f.B; y += p) {
            ValueLabel(canvas, f, static_cast<int>(y), FormatText("%.1f", value));
            if (grid && y != f.B)
                canvas.DrawLine({f.L, static_cast<int>(y)}, {f.R, static_cast<int>(y)});
            value -= v;
        }
    }

    const char* units = "";
    if (flight.m_nDisplayCurve == 1)
        units = flight.m_bMetricUnits ? "m/s" : "MPH";
    else if (flight.m_nDisplayCurve == 2)
        units = flight.m_bMetricUnits ? "m" : "ft";
    else if (flight.m_bDisplayRaw)
        units = "RAW";
    else if (flight.m_bAccelInGees)
        units = "Gee";
    else
        units = flight.m_bMetricUnits ? "m/s^2" : "ft/s^2";
    canvas.DrawText({f.L - 30, f.B, f.L, f.B + 25}, units, TextLeft | TextVCenter | TextSingleLine);
}

// One curve as one polyline. For the acceleration curve the running x also finds the
// samples under the cursors.
void Curve(Canvas& canvas, std::vector<Point>& pts, const std::vector<float>& values,
           std::size_t count, const GraphFrame& f, float xStep, float min, float scale,
           const GraphViewState* cursors, FlightRecord* flight) {
    const float bf = static_cast<float>(f.B);
    pts.clear();
    pts.reserve(count);
    pts.push_back({f.L, CurveY(bf, values[0], min, scale, f.B)});
    float x = static_cast<float>(f.L);
    bool found1 = false, found2 = false;
    for (std::size_t i = 1; i < count; ++i) {
        x += xStep;
        if (cursors != nullptr) {
            if (!found1 && static_cast<float>(cursors->m_xCursor1) <= x) {
                flight->m_nCursor1 = static_cast<int>(i);
                found1 = true;
            }
            if (!found2 && static_cast<float>(cursors->m_xCursor2) <= x) {
                flight->m_nCursor2 = static_cast<int>(i);
                found2 = true;
            }
        }
        pts.push_back({TruncClamped(x, kCoordLimit, f.R), CurveY(bf, values[i], min, scale, f.B)});
    }
    canvas.DrawPolyline(pts);
}

int ClampIndex(int index, std::size_t count) {
    if (count == 0 || index < 0)
        return 0;
    const int last = static_cast<int>(std::min<std::size_t>(count - 1, 2147483647u));
    return index > last ? last : index;
}

void Readout(Canvas& canvas, const FlightRecord& flight, const GraphFrame& f) {
    const int o = flight.m_nCursorPosition == 0 ? 0 : f.W() - 155;
    canvas.SetPen(kBlackPen);
    canvas.DrawRectangle({o + f.L + 5, f.T + 40, o + f.L + 155, f.T + 160});
    const std::vector<float>& curve = flight.m_nDisplayCurve == 1   ? flight.m_arrVelocity
                                      : flight.m_nDisplayCurve == 2 ? flight.m_arrAltitude
                                                                    : flight.m_arrAccel;
    const int i1 = flight.m_nCursor1, i2 = flight.m_nCursor2;
    const float value1 = curve.empty() ? 0.0f : curve[ClampIndex(i1, curve.size())];
    const float value2 = curve.empty() ? 0.0f : curve[ClampIndex(i2, curve.size())];
    const float dt = flight.m_fSampleInterval;
    const float delta = value2 - value1;
    const float time1 = static_cast<float>(i1) * dt;
    const float time2 = static_cast<float>(i2) * dt;
    const float span = static_cast<float>(i2 - i1) * dt;
    const float slope = delta / span;
    std::string text = "Cursors:\n";
    text += FormatText("C1=%.1f , %.1fs\nC2=%.1f ,%.1fs\n", value1, time1, value2, time2);
    text += FormatText("Delta Acc=%.0f m/s\nDelta time=%.1f s\n", delta, span);
    text += FormatText("Rate=%.1f f/s", slope);
    canvas.DrawText({o + f.L + 12, f.T + 42, o + f.L + 290, f.T + 156}, text, TextLeft);
}

} // namespace

GraphFrame LayoutGraph(const GraphPage& page) {
    GraphFrame f;
    if (page.printing) {
        f.L = page.mx + 35;
        f.T = page.my;
        f.R = page.cw - page.mx;
        f.B0 = page.ch - page.mx - 20;
    } else {
        f.L = 35;
        f.T = 0;
        f.R = page.cw;
        f.B0 = page.ch - 20;
    }
    f.B = f.B0 - f.T;
    return f;
}

std::string DetailsBlockText(const FlightRecord& flight) {
    std::string text = FormatLongDate(flight.m_timeDate) + "\n\n";
    text += "Name: " + flight.m_strName + "\n\n";
    text += "Motor: " + flight.m_strMotor + "\n\n";
    text += "Comment:\n" + flight.m_strComment + "\n\n";
    text += FormatText("Acceleration offset: %d\n\nTwo Gee value: %f\n\nSample rate: %dHz\n\n"
                       "Weight: %fKg\n\nDiameter: %fm",
                       flight.m_nAccelOffset, flight.m_fTwoGeeFile, flight.m_nSampleRate,
                       flight.m_fLaunchWeight, flight.m_fMaxDiameter);
    return text;
}

void DrawGraph(Canvas& canvas, FlightRecord& flight, GraphViewState& view, const GraphPage& page) {
    const GraphFrame f = LayoutGraph(page);
    const int w = f.W();

    canvas.SetFont(kGraphFontHeight);
    if (page.printing)
        canvas.DrawText({f.L, page.ch, f.R, 2 * page.ch}, DetailsBlockText(flight), TextLeft);

    canvas.SetPen(kBlackPen);
    canvas.FillRect({0, 0, page.cw, page.ch}, kWhite);
    canvas.DrawRectangle({f.L, f.T, f.R, f.B});

    std::size_t sampleCount = flight.SampleCount();
    if (sampleCount == 0) {
        const int cx = (f.L + f.R) / 2;
        const int cy = (f.T + f.B0) / 2;
        canvas.DrawText({cx - 100, cy - 35, cx + 100, cy + 35}, "Welcome to TAVO ZR7 reader",
                        TextLeft);
        return;
    }
    if (view.m_xCursor1 == -1)
        view.m_xCursor1 = f.L + w / 3;
    if (view.m_xCursor2 == -1)
        view.m_xCursor2 = f.L + 2 * (w / 3);

    if (flight.m_bTelemetryRunning) {
        // Live capture appends while we draw: take the count the curves were made from.
        flight.Recompute();
        sampleCount =
            std::max<std::size_t>(1, std::min(flight.SampleCount(), flight.m_arrAccel.size()));
    }
    const int n = static_cast<int>(std::min<std::size_t>(sampleCount, 1u << 30));

    const float xStep = static_cast<float>(w) / static_cast<float>(n);
    const bool haveCurves = !flight.m_arrAccel.empty();
    int eventX[4] = {0, 0, 0, 0};
    if (haveCurves) {
        canvas.SetPen(kGridPen);
        TimeAxis(canvas, flight, f, n, flight.m_bDrawGrid);
        ValueAxis(canvas, flight, f, flight.m_bDrawGrid);

        // A line the capture thread appended after its last recompute has no derived
        // values yet: draw what the arrays hold.
        std::vector<Point> pts;
        const auto count = [&](const std::vector<float>& a) {
            return std::min<std::size_t>(static_cast<std::size_t>(n), a.size());
        };
        canvas.SetPen(kBlackPen);
        const std::size_t nA = count(flight.m_arrAccel);
        Curve(canvas, pts, flight.m_arrAccel, nA, f, xStep, flight.m_fAccelMin,
              CurveScale(f.H(), flight.m_fAccelMax, flight.m_fAccelMin), &view, &flight);
        flight.m_nCursor1 = ClampIndex(flight.m_nCursor1, static_cast<std::size_t>(n));
        flight.m_nCursor2 = ClampIndex(flight.m_nCursor2, static_cast<std::size_t>(n));
        if (!flight.m_bDisplayRaw) {
            if (const std::size_t nV = count(flight.m_arrVelocity); nV > 0) {
                canvas.SetPen(kGreenPen);
                Curve(canvas, pts, flight.m_arrVelocity, nV, f, xStep, flight.m_fVelMin,
                      CurveScale(f.H(), flight.m_fVelMax, flight.m_fVelMin), nullptr, nullptr);
            }
            if (const std::size_t nH = count(flight.m_arrAltitude); nH > 0) {
                canvas.SetPen(kBluePen);
                Curve(canvas, pts, flight.m_arrAltitude, nH, f, xStep, flight.m_fAltMin,
                      CurveScale(f.H(), flight.m_fAltMax, flight.m_fAltMin), nullptr, nullptr);
            }
        }
        const int events[4] = {flight.m_nEvent1, flight.m_nEvent2, flight.m_nEvent4,
                               flight.m_nEvent8};
        for (int e = 0; e < 4; ++e)
            eventX[e] = TruncClamped(
                static_cast<float>(events[e]) * xStep + static_cast<float>(f.L), kCoordLimit, f.L);
    }

    canvas.DrawText({w - 105, f.T + 5, w - 5, f.T + 30}, std::to_string(sampleCount) + " Points",
                    TextRight);
    canvas.DrawText({f.L + 5, f.T + 5, f.L + 205, f.T + 30},
                    FormatText(flight.m_bMetricUnits ? "Apogee=%0.0f Meters" : "Apogee=%0.0f Feet",
                               flight.m_fAltMax),
                    TextLeft);

    if (!flight.m_bShowCursors)
        return;
    canvas.SetPen(kRedPen);
    canvas.DrawLine({view.m_xCursor1, f.T}, {view.m_xCursor1, f.B});
    canvas.DrawText({view.m_xCursor1 + 2, f.T + 2, view.m_xCursor1 + 12, f.T + 30}, "1", TextLeft);
    canvas.DrawLine({view.m_xCursor2, f.T}, {view.m_xCursor2, f.B});
    canvas.DrawText({view.m_xCursor2 + 2, f.T + 2, view.m_xCursor2 + 12, f.T + 30}, "2", TextLeft);
    if (!haveCurves)
        return;
    Readout(canvas, flight, f);
    canvas.SetPen(kRedPen);
    const int events[4] = {flight.m_nEvent1, flight.m_nEvent2, flight.m_nEvent4, flight.m_nEvent8};
    const char* letters[4] = {"I", "B", "A", "M"};
    for (int e = 0; e < 4; ++e) {
        if (events[e] == 0)
            continue;
        const int xe = eventX[e];
        canvas.DrawLine({xe, f.T}, {xe, f.B});
        canvas.DrawText({xe + 2, f.T + 2, xe + 12, f.T + 30}, letters[e], TextLeft);
    }
}

} // namespace tavo
