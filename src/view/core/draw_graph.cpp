#include "view/core/draw_graph.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "flight/text_format.h"
#include "plot/axis_ticks.h"
#include "plot/curve_points.h"
#include "plot/graph_curves.h"
#include "plot/legend.h"

namespace tavo {

namespace {

// The samples the graph is drawn from. Live capture appends while we draw: then the
// count the curves were last made from.
std::size_t DrawnSampleCount(const FlightRecord& flight, std::size_t total) {
    if (!flight.m_bTelemetryRunning)
        return total;
    return std::max<std::size_t>(1, std::min(total, flight.m_arrAccel.size()));
}

// The n the plot is laid out for: one x step per sample.
int LayoutCount(std::size_t sampleCount) {
    return static_cast<int>(std::min<std::size_t>(sampleCount, 1u << 30));
}

// A line the capture thread appended after its last recompute has no derived values
// yet: a curve is drawn from what its array holds.
std::size_t CurveCount(int n, const std::vector<float>& values) {
    return std::min<std::size_t>(static_cast<std::size_t>(n), values.size());
}

const char* UnitsOf(const FlightRecord& flight, int curve) {
    return tavo::CurveUnits(curve, flight.m_bMetricUnits, flight.m_bAccelInGees,
                            flight.m_bDisplayRaw);
}

// The whole flight in tenths of its samples, as always; zoomed in, round seconds.
void TimeAxis(Canvas& canvas, const FlightRecord& flight, const GraphFrame& f, TimeWindow window,
              int n, bool grid) {
    const std::vector<AxisLabel> ticks = window.Whole()
                                             ? GraphTimeTicks(f.Box(), n, flight.m_fSampleInterval)
                                             : RoundTimeTicks(f, window, flight.m_fSampleInterval);
    for (const AxisLabel& tick : ticks) {
        canvas.DrawText(TimeLabelRect(f.Box(), tick.at), tick.text, kTimeLabelFlags);
        if (grid)
            canvas.DrawLine({tick.at, f.T}, {tick.at, f.B});
    }
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
    for (const AxisLabel& label : GraphValueLabels(f.Box(), max, min)) {
        canvas.DrawText(ValueLabelRect(f.Box(), label.at, 30), label.text, kValueLabelFlags);
        if (grid && label.at != f.B)
            canvas.DrawLine({f.L, label.at}, {f.R, label.at});
    }

    canvas.DrawText({f.L - 30, f.B, f.L, f.B + 25}, UnitsOf(flight, flight.m_nDisplayCurve),
                    TextLeft | TextVCenter | TextSingleLine);
}

// The three curves, laid out together and stopped at the frame: every canvas gets the
// same clipped stretches. The same pass finds the cursors' x on the whole flight.
void DrawCurves(Canvas& canvas, const FlightRecord& flight, const GraphFrame& f, TimeWindow window,
                int n, int (&cursorXs)[2]) {
    const auto curve = [&](const std::vector<float>& values, float max, float min) {
        return GraphCurve{std::span<const float>(values.data(), CurveCount(n, values)), min,
                          GraphCurveScale(f.H(), max, min)};
    };
    std::vector<GraphCurve> curves{
        curve(flight.m_arrAccel, flight.m_fAccelMax, flight.m_fAccelMin)};
    std::vector<Pen> pens{kBlackPen};
    if (!flight.m_bDisplayRaw) {
        if (CurveCount(n, flight.m_arrVelocity) > 0) {
            curves.push_back(curve(flight.m_arrVelocity, flight.m_fVelMax, flight.m_fVelMin));
            pens.push_back(kGreenPen);
        }
        if (CurveCount(n, flight.m_arrAltitude) > 0) {
            curves.push_back(curve(flight.m_arrAltitude, flight.m_fAltMax, flight.m_fAltMin));
            pens.push_back(kBluePen);
        }
    }
    const int cursors[2] = {flight.m_nCursor1, flight.m_nCursor2};
    std::vector<int> xs;
    const auto pieces =
        GraphCurvesPieces(f, window, n, curves, canvas.ThinsColumns(), cursors, &xs);
    for (std::size_t c = 0; c < pieces.size(); ++c) {
        canvas.SetPen(pens[c]);
        for (const std::vector<Point>& piece : pieces[c])
            canvas.DrawPolyline(piece);
    }
    cursorXs[0] = xs[0];
    cursorXs[1] = xs[1];
}

// Names the curves in their colours and boxes the one the axis and readout belong to.
void Legend(Canvas& canvas, const FlightRecord& flight, const GraphFrame& f) {
    static const char* const kNames[3] = {"Acceleration", "Velocity", "Altitude"};
    const Pen pens[3] = {kBlackPen, kGreenPen, kBluePen};
    const int drawn = flight.m_bDisplayRaw ? 1 : 3;
    std::vector<std::string> texts;
    for (int c = 0; c < drawn; ++c)
        texts.push_back(std::string(kNames[c]) + " (" + UnitsOf(flight, c) + ")");
    const std::vector<LegendEntry> entries = PlaceLegend(f, texts, flight.m_nCursorPosition != 0);
    for (int c = 0; c < drawn; ++c) {
        const LegendEntry& e = entries[static_cast<std::size_t>(c)];
        if (c == flight.m_nDisplayCurve) {
            canvas.SetPen(kBlackPen);
            const Rect& b = e.box;
            canvas.DrawLine({b.left, b.top}, {b.right, b.top});
            canvas.DrawLine({b.right, b.top}, {b.right, b.bottom});
            canvas.DrawLine({b.right, b.bottom}, {b.left, b.bottom});
            canvas.DrawLine({b.left, b.bottom}, {b.left, b.top});
        }
        canvas.SetPen(pens[c]);
        canvas.DrawLine(e.lineFrom, e.lineTo);
        canvas.DrawText(e.text, texts[static_cast<std::size_t>(c)],
                        TextLeft | TextVCenter | TextSingleLine);
    }
}

// C1 and C2 on their samples, where the shown stretch holds them; the window marks the
// one the keys move with a tab at the foot of its line (never on paper).
void Cursors(Canvas& canvas, const GraphViewState& view, const GraphFrame& f, TimeWindow window,
             const int (&xs)[2], bool printing) {
    canvas.SetPen(kRedPen);
    for (int c = 0; c < 2; ++c) {
        const int x = xs[c];
        if (!window.Whole() && (x < f.L || x > f.R))
            continue;
        canvas.DrawLine({x, f.T}, {x, f.B});
        canvas.DrawText({x + 2, f.T + 2, x + 12, f.T + 30}, c == 0 ? "1" : "2", TextLeft);
        if (view.m_bMarkActiveCursor && !printing && view.m_nActiveCursor == c + 1)
            canvas.FillRect({x - 3, f.B - 8, x + 4, f.B}, kRedPen.color);
    }
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

int GraphSampleCount(const FlightRecord& flight) {
    const std::size_t total = flight.SampleCount();
    return total == 0 ? 0 : LayoutCount(DrawnSampleCount(flight, total));
}

void PrepareGraph(FlightRecord& flight, GraphViewState& view, const GraphPage& page) {
    if (flight.SampleCount() == 0)
        return;
    if (flight.m_bTelemetryRunning)
        flight.RecomputeAppended();
    if (flight.m_arrAccel.empty())
        return;
    const int n = GraphSampleCount(flight);
    view.m_window = ClampWindow(view.m_window, n);
    const GraphFrame f = LayoutGraph(page);
    const CursorXs home = DefaultCursorXs(f);
    // While live capture grows the flight, a cursor the user has not placed keeps its
    // home place on the page, so the two do not both sit on the first line received.
    const auto place = [&](int& held, int homeX) {
        const int sample =
            held >= 0 ? ClampIndex(held, static_cast<std::size_t>(n))
                      : CursorSampleAtX(f, view.m_window, n, static_cast<std::size_t>(n), homeX);
        if (held >= 0 || !flight.m_bTelemetryRunning)
            held = sample;
        return sample;
    };
    flight.m_nCursor1 = place(view.m_nCursorSample1, home.x1);
    flight.m_nCursor2 = place(view.m_nCursorSample2, home.x2);
}

void PlaceCursorsAtX(const FlightRecord& flight, GraphViewState& view, const GraphPage& page,
                     int x1, int x2) {
    const int n = GraphSampleCount(flight);
    const GraphFrame f = LayoutGraph(page);
    const TimeWindow window = ClampWindow(view.m_window, n);
    view.m_nCursorSample1 = CursorSampleAtX(f, window, n, static_cast<std::size_t>(n), x1);
    view.m_nCursorSample2 = CursorSampleAtX(f, window, n, static_cast<std::size_t>(n), x2);
}

void DrawGraph(Canvas& canvas, const FlightRecord& flight, const GraphViewState& view,
               const GraphPage& page) {
    const GraphFrame f = LayoutGraph(page);
    const int w = f.W();

    canvas.SetFont(kPlotFontHeight);
    if (page.printing)
        canvas.DrawText({f.L, page.ch, f.R, 2 * page.ch}, DetailsBlockText(flight), TextLeft);

    canvas.SetPen(kBlackPen);
    canvas.FillRect({0, 0, page.cw, page.ch}, kWhite);
    canvas.DrawRectangle({f.L, f.T, f.R, f.B});

    const std::size_t total = flight.SampleCount();
    if (total == 0) {
        const int cx = (f.L + f.R) / 2;
        const int cy = (f.T + f.B0) / 2;
        canvas.DrawText({cx - 100, cy - 35, cx + 100, cy + 35}, "Welcome to TAVO ZR7 reader",
                        TextLeft);
        return;
    }
    const std::size_t sampleCount = DrawnSampleCount(flight, total);
    const int n = LayoutCount(sampleCount);
    const TimeWindow window = ClampWindow(view.m_window, n);
    const bool haveCurves = !flight.m_arrAccel.empty();
    const int events[4] = {flight.m_nEvent1, flight.m_nEvent2, flight.m_nEvent4, flight.m_nEvent8};
    int cursorXs[2] = {0, 0};
    if (haveCurves) {
        canvas.SetPen(kGridPen);
        TimeAxis(canvas, flight, f, window, n, flight.m_bDrawGrid);
        ValueAxis(canvas, flight, f, flight.m_bDrawGrid);
        DrawCurves(canvas, flight, f, window, n, cursorXs);
        Legend(canvas, flight, f);
    } else {
        cursorXs[0] = SampleXIn(f, window, n, flight.m_nCursor1);
        cursorXs[1] = SampleXIn(f, window, n, flight.m_nCursor2);
    }

    canvas.DrawText({w - 105, f.T + 5, w - 5, f.T + 30}, std::to_string(sampleCount) + " Points",
                    TextRight);
    canvas.DrawText({f.L + 5, f.T + 5, f.L + 205, f.T + 30},
                    FormatText(flight.m_bMetricUnits ? "Apogee=%0.0f Meters" : "Apogee=%0.0f Feet",
                               flight.m_fAltMax),
                    TextLeft);

    if (!flight.m_bShowCursors)
        return;
    Cursors(canvas, view, f, window, cursorXs, page.printing);
    if (!haveCurves)
        return;
    Readout(canvas, flight, f);
    canvas.SetPen(kRedPen);
    const char* letters[4] = {"I", "B", "A", "M"};
    for (int e = 0; e < 4; ++e) {
        if (events[e] == 0)
            continue;
        const int xe = MarkerXIn(f, window, n, events[e]);
        if (!window.Whole() && (xe < f.L || xe > f.R))
            continue;
        canvas.DrawLine({xe, f.T}, {xe, f.B});
        canvas.DrawText({xe + 2, f.T + 2, xe + 12, f.T + 30}, letters[e], TextLeft);
    }
}

} // namespace tavo
