#include "view/core/draw_graph.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "canvas/text_extent.h"
#include "flight/text_format.h"
#include "plot/axis_ticks.h"
#include "plot/curve_points.h"
#include "plot/graph_curves.h"
#include "plot/legend.h"
#include "view/core/graph_parts.h"

namespace tavo {

namespace {

// The samples the graph is drawn from. Live capture appends while we draw: then the
// count the curves were last made from.
std::size_t DrawnSampleCount(const FlightData& g, std::size_t total) {
    if (!g.live)
        return total;
    return std::max<std::size_t>(1, std::min(total, g.curves.m_arrAccel.size()));
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

const char* UnitsOf(const FlightData& flight, int curve) {
    return tavo::CurveUnits(curve, flight.settings.m_bMetricUnits, flight.settings.m_bAccelInGees,
                            flight.settings.m_bDisplayRaw);
}

constexpr unsigned kUnitsFlags = TextLeft | TextVCenter | TextSingleLine;

int LabelWidth(const std::string& text) {
    return TextWidth(text, kPlotFontHeight, true);
}

// A text that is always drawn (the units, the apogee): its room is taken whatever else
// is there, so what comes later keeps clear of it.
void DrawTaken(Canvas& canvas, GraphScene& s, const Rect& rect, const std::string& text,
               unsigned flags) {
    canvas.DrawText(rect, text, flags);
    s.space.Take(s.space.Extent(rect, text, flags));
}

// Round times at every zoom. A label that would leave the page or meet another text
// (the units under the value axes) is left out with its tick.
void TimeAxis(Canvas& canvas, GraphScene& s, bool grid) {
    const GraphFrame& f = s.f;
    for (const AxisLabel& tick :
         RoundTimeTicks(f, s.window, s.n, s.flight.curves.m_fSampleInterval)) {
        // Centred on its tick, 40 units wide as always, wider for a longer label.
        const int half = std::max(20, (LabelWidth(tick.text) + 3) / 2);
        const Rect rect{tick.at - half, f.B + 2, tick.at + half, f.B + 35};
        if (!s.space.TakeTextIfFree(rect, tick.text, kTimeLabelFlags))
            continue;
        canvas.DrawText(rect, tick.text, kTimeLabelFlags);
        // On the frame's edges a grid line would only cover the frame.
        if (grid && tick.at != f.L && tick.at != f.R)
            canvas.DrawLine({tick.at, f.T}, {tick.at, f.B});
    }
}

// The selected curve's scale on the left edge, as always. A label wider than the 30
// units it was laid out for takes what the page has to its left; one that would still
// be cut, or that meets the units, is left out (its grid line stays).
void ValueAxis(Canvas& canvas, GraphScene& s, bool grid) {
    const FlightData& flight = s.flight;
    const GraphFrame& f = s.f;
    const int shown = s.view.displayCurve;
    const char* units = UnitsOf(flight, shown);
    DrawTaken(canvas, s, {f.L - 30, f.B, std::max(f.L, f.L - 30 + LabelWidth(units)), f.B + 25},
              units, kUnitsFlags);
    const int k = std::clamp(shown, 0, 2);
    for (const AxisLabel& label : GraphValueLabels(f.Box(), s.max[k], s.min[k])) {
        const int width = std::clamp(LabelWidth(label.text), 30, std::max(30, f.L));
        const Rect rect = ValueLabelRect(f.Box(), label.at, width);
        if (s.space.TakeTextIfFree(rect, label.text, kValueLabelFlags))
            canvas.DrawText(rect, label.text, kValueLabelFlags);
        if (grid && label.at != f.B)
            canvas.DrawLine({f.L, label.at}, {f.R, label.at});
    }
}

// Each curve on a labelled axis of its own, in its colour: the acceleration on the
// left edge, the velocity on the right edge and the altitude a column further right.
// The labels are round values of the curve's own scale; the grid follows the first.
void OwnValueAxes(Canvas& canvas, GraphScene& s, bool grid) {
    const FlightData& flight = s.flight;
    const GraphFrame& f = s.f;
    struct Axis {
        int curve;
        float max, min;
        Pen pen;
        int x;      // the axis line
        bool right; // labels right of it
    };
    const Axis axes[3] = {
        {0, s.max[0], s.min[0], kBlackPen, f.L, false},
        {1, s.max[1], s.min[1], kGreenPen, f.R, true},
        {2, s.max[2], s.min[2], kBluePen, f.R + kOwnAxisColumn, true},
    };
    constexpr int kTick = 3;
    constexpr int kLabelSpacing = 30;
    for (const Axis& a : axes) {
        canvas.SetTextColor(LabelColorOf(a.pen));
        // The column the labels and the units stand in, clear of the axis and its ticks.
        const int from = a.right ? a.x + kTick + 2 : a.x - kOwnAxisColumn - kTick - 1;
        const int to = a.right ? a.x + kOwnAxisColumn - 1 : a.x - kTick - 1;
        const unsigned flags = a.right ? TextLeft | TextVCenter | TextSingleLine : kValueLabelFlags;
        DrawTaken(canvas, s,
                  {from, f.B, std::max(to, from + LabelWidth(UnitsOf(flight, a.curve))), f.B + 25},
                  UnitsOf(flight, a.curve), kUnitsFlags);
        canvas.SetPen(a.pen);
        if (a.x != f.L)
            canvas.DrawLine({a.x, f.T}, {a.x, f.B});
        for (const AxisLabel& label : RoundValueLabels(f.T, f.B, a.max, a.min, kLabelSpacing)) {
            if (label.at < f.T || label.at > f.B)
                continue;
            canvas.SetPen(a.pen);
            canvas.DrawLine({a.x, label.at}, {a.right ? a.x + kTick : a.x - kTick, label.at});
            const Rect rect{from, label.at - 15, to, label.at + 15};
            if (s.space.TakeTextIfFree(rect, label.text, flags))
                canvas.DrawText(rect, label.text, flags);
            if (grid && a.curve == 0 && label.at != f.B) {
                canvas.SetPen(kGridPen);
                canvas.DrawLine({f.L, label.at}, {f.R, label.at});
            }
        }
    }
    canvas.SetTextColor(kBlack);
}

// The three curves, laid out together and stopped at the frame: every canvas gets the
// same clipped stretches. The same pass finds the cursors' x on the whole flight. The
// extra flights go first, so the main flight's curves stay on top of theirs.
std::vector<std::vector<std::vector<Point>>> DrawCurves(Canvas& canvas, GraphScene& s) {
    const FlightData& flight = s.flight;
    const GraphFrame& f = s.f;
    const int n = s.n;
    const auto curve = [&](const std::vector<float>& values, int k) {
        return GraphCurve{std::span<const float>(values.data(), CurveCount(n, values)), s.min[k],
                          GraphCurveScale(f.H(), s.max[k], s.min[k])};
    };
    auto all = DrawExtraCurves(canvas, s, flight.settings.m_bDisplayRaw ? 1 : 3);
    std::vector<GraphCurve> curves{curve(flight.curves.m_arrAccel, 0)};
    std::vector<Pen> pens{kBlackPen};
    if (!flight.settings.m_bDisplayRaw) {
        if (CurveCount(n, flight.curves.m_arrVelocity) > 0) {
            curves.push_back(curve(flight.curves.m_arrVelocity, 1));
            pens.push_back(kGreenPen);
        }
        if (CurveCount(n, flight.curves.m_arrAltitude) > 0) {
            curves.push_back(curve(flight.curves.m_arrAltitude, 2));
            pens.push_back(kBluePen);
        }
    }
    const int cursors[2] = {s.cursors.c1, s.cursors.c2};
    std::vector<int> xs;
    auto pieces = GraphCurvesPieces(f, s.window, n, curves, canvas.ThinsColumns(), cursors, &xs);
    for (std::size_t c = 0; c < pieces.size(); ++c) {
        canvas.SetPen(pens[c]);
        for (const std::vector<Point>& piece : pieces[c])
            canvas.DrawPolyline(piece);
    }
    s.cursorXs[0] = xs[0];
    s.cursorXs[1] = xs[1];
    for (auto& main : pieces)
        all.push_back(std::move(main));
    return all;
}

// Names the curves in their colours and, with one value axis, boxes the curve the axis
// and the readout belong to.
void Legend(Canvas& canvas, GraphScene& s) {
    const FlightData& flight = s.flight;
    static const char* const kNames[3] = {"Acceleration", "Velocity", "Altitude"};
    const Pen pens[3] = {kBlackPen, kGreenPen, kBluePen};
    const int drawn = flight.settings.m_bDisplayRaw ? 1 : 3;
    std::vector<std::string> texts;
    for (int c = 0; c < drawn; ++c)
        texts.push_back(std::string(kNames[c]) + " (" + UnitsOf(flight, c) + ")");
    const std::vector<std::string> extraTexts = ExtraLegendTexts(s);
    texts.insert(texts.end(), extraTexts.begin(), extraTexts.end());
    const std::vector<LegendEntry> entries =
        PlaceLegend(s.f, texts, flight.settings.m_nCursorPosition != 0);
    for (int c = 0; c < drawn; ++c) {
        const LegendEntry& e = entries[static_cast<std::size_t>(c)];
        if (c == s.view.displayCurve && !s.ownAxes) {
            canvas.SetPen(kBlackPen);
            const Rect& b = e.box;
            canvas.DrawLine({b.left, b.top}, {b.right, b.top});
            canvas.DrawLine({b.right, b.top}, {b.right, b.bottom});
            canvas.DrawLine({b.right, b.bottom}, {b.left, b.bottom});
            canvas.DrawLine({b.left, b.bottom}, {b.left, b.top});
        }
        canvas.SetPen(pens[c]);
        canvas.DrawLine(e.lineFrom, e.lineTo);
        canvas.DrawText(e.text, texts[static_cast<std::size_t>(c)], kUnitsFlags);
        s.space.Take(e.box);
    }
    std::size_t at = static_cast<std::size_t>(drawn);
    for (const ExtraFlight& extra : s.extra) {
        if (extra.curves == nullptr || at >= entries.size())
            continue;
        const LegendEntry& e = entries[at];
        DrawExtraLegendLine(canvas, extra, e.lineFrom, e.lineTo);
        canvas.DrawText(e.text, texts[at], kUnitsFlags);
        s.space.Take(e.box);
        ++at;
    }
}

// The point count at the top right, as always, or a row lower where the apogee (on a
// narrow window) already stands there.
void TopLine(Canvas& canvas, GraphScene& s, std::size_t sampleCount) {
    const GraphFrame& f = s.f;
    const FlightData& flight = s.flight;
    DrawTaken(
        canvas, s, {f.L + 5, f.T + 5, f.L + 205, f.T + 30},
        FormatText(flight.settings.m_bMetricUnits ? "Apogee=%0.0f Meters" : "Apogee=%0.0f Feet",
                   flight.curves.m_fAltMax),
        TextLeft);
    const std::string points = std::to_string(sampleCount) + " Points";
    const int w = f.W();
    Rect rect{w - 105, f.T + 5, w - 5, f.T + 30};
    for (int row = 0; row < 3 && !s.space.IsFree(s.space.Extent(rect, points, TextRight)); ++row)
        rect = {rect.left, rect.top + 16, rect.right, rect.bottom + 16};
    DrawTaken(canvas, s, rect, points, TextRight);
}

} // namespace

bool OwnAxesShown(const FlightData& flight, const GraphViewState& view) {
    return view.ownAxes && !flight.settings.m_bDisplayRaw;
}

GraphFrame GraphFrameFor(const GraphPage& page, const FlightData& flight,
                         const GraphViewState& view) {
    return LayoutGraph(page, OwnAxesShown(flight, view));
}

Color LabelColorOf(const Pen& pen) {
    if (pen.color == kGreenPen.color)
        return Color{0, 140, 0};
    return pen.color;
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

int GraphSampleCount(const FlightData& g) {
    const std::size_t total = g.record.SampleCount();
    return total == 0 ? 0 : LayoutCount(DrawnSampleCount(g, total));
}

CursorRange ShownCursors(const FlightData& g, const GraphViewState& view, const GraphPage& page) {
    const FlightData& flight = g;
    if (flight.record.SampleCount() == 0)
        return {view.cursor1, view.cursor2};
    const int n = GraphSampleCount(g);
    const auto held = [n](int sample) { return ClampIndex(sample, static_cast<std::size_t>(n)); };
    // Without curves there is nothing to lay the home places out on.
    if (flight.curves.m_arrAccel.empty())
        return {view.cursor1 >= 0 ? held(view.cursor1) : 0,
                view.cursor2 >= 0 ? held(view.cursor2) : 0};
    const TimeWindow window = ClampWindow(view.window, n);
    const GraphFrame f = GraphFrameFor(page, flight, view);
    const CursorXs home = DefaultCursorXs(f);
    const auto shown = [&](int sample, int homeX) {
        return sample >= 0 ? held(sample)
                           : CursorSampleAtX(f, window, n, static_cast<std::size_t>(n), homeX);
    };
    return {shown(view.cursor1, home.x1), shown(view.cursor2, home.x2)};
}

void PrepareGraph(const FlightData& g, GraphViewState& view, const GraphPage& page) {
    if (g.record.SampleCount() == 0 || g.curves.m_arrAccel.empty())
        return;
    view.window = ClampWindow(view.window, GraphSampleCount(g));
    const CursorRange shown = ShownCursors(g, view, page);
    // While live capture grows the flight, a cursor the user has not placed keeps its
    // home place on the page, so the two do not both sit on the first line received.
    if (view.cursor1 >= 0 || !g.live)
        view.cursor1 = shown.c1;
    if (view.cursor2 >= 0 || !g.live)
        view.cursor2 = shown.c2;
}

void PlaceCursorsAtX(const FlightData& g, GraphViewState& view, const GraphPage& page, int x1,
                     int x2) {
    const int n = GraphSampleCount(g);
    const GraphFrame f = GraphFrameFor(page, g, view);
    const TimeWindow window = ClampWindow(view.window, n);
    view.cursor1 = CursorSampleAtX(f, window, n, static_cast<std::size_t>(n), x1);
    view.cursor2 = CursorSampleAtX(f, window, n, static_cast<std::size_t>(n), x2);
}

void DrawGraph(Canvas& canvas, const FlightData& g, const GraphViewState& view,
               const GraphPage& page, std::span<const ExtraFlight> extra) {
    const FlightData& flight = g;
    const GraphFrame f = GraphFrameFor(page, flight, view);

    canvas.SetFont(kPlotFontHeight);
    canvas.SetTextColor(kBlack);
    if (page.printing)
        canvas.DrawText({f.L, page.ch, f.R, 2 * page.ch}, DetailsBlockText(flight.record),
                        TextLeft);

    canvas.SetPen(kBlackPen);
    canvas.FillRect({0, 0, page.cw, page.ch}, kWhite);
    canvas.DrawRectangle({f.L, f.T, f.R, f.B});

    const std::size_t total = flight.record.SampleCount();
    if (total == 0) {
        const int cx = (f.L + f.R) / 2;
        const int cy = (f.T + f.B0) / 2;
        canvas.DrawText({cx - 100, cy - 35, cx + 100, cy + 35}, "Welcome to TAVO ZR7 reader",
                        TextLeft);
        return;
    }
    const std::size_t sampleCount = DrawnSampleCount(g, total);
    GraphScene scene{flight,
                     view,
                     page,
                     f,
                     {},
                     LayoutCount(sampleCount),
                     OwnAxesShown(flight, view),
                     LabelSpace({0, 0, page.cw, page.ch}, kPlotFontHeight),
                     {},
                     {0, 0},
                     ShownCursors(g, view, page),
                     extra};
    scene.window = ClampWindow(view.window, scene.n);
    SetValueRanges(scene);
    const bool haveCurves = !flight.curves.m_arrAccel.empty();
    std::vector<std::vector<std::vector<Point>>> pieces;
    if (haveCurves) {
        canvas.SetPen(kGridPen);
        if (scene.ownAxes)
            OwnValueAxes(canvas, scene, flight.settings.m_bDrawGrid);
        else
            ValueAxis(canvas, scene, flight.settings.m_bDrawGrid);
        canvas.SetPen(kGridPen);
        TimeAxis(canvas, scene, flight.settings.m_bDrawGrid);
        pieces = DrawCurves(canvas, scene);
        for (const auto& curve : pieces)
            for (const std::vector<Point>& piece : curve)
                scene.curves.emplace_back(piece);
        Legend(canvas, scene);
    } else {
        scene.cursorXs[0] = SampleXIn(f, scene.window, scene.n, scene.cursors.c1);
        scene.cursorXs[1] = SampleXIn(f, scene.window, scene.n, scene.cursors.c2);
    }
    TopLine(canvas, scene, sampleCount);
    DrawOverlays(canvas, scene, haveCurves);
}

} // namespace tavo
