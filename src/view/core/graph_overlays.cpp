// What stands over the curves: the flight summary, the cursors with their readout box
// and the event markers. Each box and letter goes where no text stands yet, and the
// cursor and marker lines break where they would run through a text or a box.

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "canvas/text_extent.h"
#include "flight/text_format.h"
#include "plot/axis_ticks.h"
#include "plot/plot_style.h"
#include "stats/flight_stats.h"
#include "view/core/graph_parts.h"

namespace tavo {

namespace {

// Lines keep this clear of a text; a letter right or left of its own line stays clear
// of the line it names.
constexpr int kLineGap = 1;
// A letter that finds its place taken tries the next row down.
constexpr int kLetterRow = 16;
constexpr int kLetterHeight = 28;

int Width(const std::string& text) {
    return TextWidth(text, kPlotFontHeight);
}

// The letter naming a line at x: right of it at the top of the frame, as always, or in
// the first row down that is free. Only a line too near the page's right edge for its
// letter has it on its left.
Rect PlaceLetter(GraphScene& s, int x, const std::string& letter) {
    const int w = std::max(10, Width(letter));
    const bool left = x + 2 + w > s.space.Page().right;
    const auto at = [&](int top) {
        return left ? Rect{x - 2 - w, top, x - 2, top + kLetterHeight}
                    : Rect{x + 2, top, x + 2 + w, top + kLetterHeight};
    };
    const unsigned flags = left ? TextRight : TextLeft;
    for (int top = s.f.T + 2; top + kLetterRow <= s.f.B; top += kLetterRow)
        if (s.space.TakeTextIfFree(at(top), letter, flags))
            return at(top);
    s.space.Take(s.space.Extent(at(s.f.T + 2), letter, flags));
    return at(s.f.T + 2);
}

void DrawLetter(Canvas& canvas, const Rect& r, int x, const std::string& letter) {
    canvas.DrawText(r, letter, r.left > x ? TextLeft : TextRight);
}

// A cursor or marker line from the frame's top to its bottom, broken around texts.
void DrawRuns(Canvas& canvas, const GraphScene& s, int x) {
    for (const auto& [from, to] : s.space.VerticalRuns(x, s.f.T, s.f.B, kLineGap))
        canvas.DrawLine({x, from}, {x, to});
}

const std::vector<float>& CurveArray(const FlightData& flight, int curve) {
    return curve == 1   ? flight.curves.m_arrVelocity
           : curve == 2 ? flight.curves.m_arrAltitude
                        : flight.curves.m_arrAccel;
}

float ValueAt(const std::vector<float>& curve, int index) {
    return curve.empty() ? 0.0f : curve[ClampIndex(index, curve.size())];
}

// The readout of the selected curve, worded as it always has been.
std::string SingleReadoutText(const FlightData& flight, int displayCurve, CursorRange cursors) {
    const std::vector<float>& curve = CurveArray(flight, displayCurve);
    const int i1 = cursors.c1, i2 = cursors.c2;
    const float value1 = ValueAt(curve, i1);
    const float value2 = ValueAt(curve, i2);
    const float dt = flight.curves.m_fSampleInterval;
    const float delta = value2 - value1;
    const float time1 = static_cast<float>(i1) * dt;
    const float time2 = static_cast<float>(i2) * dt;
    const float span = static_cast<float>(i2 - i1) * dt;
    const float slope = delta / span;
    std::string text = "Cursors:\n";
    text += FormatText("C1=%.1f , %.1fs\nC2=%.1f ,%.1fs\n", value1, time1, value2, time2);
    text += FormatText("Delta Acc=%.0f m/s\nDelta time=%.1f s\n", delta, span);
    text += FormatText("Rate=%.1f f/s", slope);
    return text;
}

// The readout with every curve on its own axis: a table of the time and the three
// curves at C1 and C2 and their differences, each curve's row in its colour.
struct ReadoutTable {
    std::vector<std::array<std::string, 4>> rows;
    std::vector<Color> colors;
    std::array<int, 4> widths{};
    static constexpr int kRowHeight = 16;
    int Width() const { return widths[0] + widths[1] + widths[2] + widths[3]; }
    int Height() const { return static_cast<int>(rows.size()) * kRowHeight; }
};

ReadoutTable OwnAxesReadout(const FlightData& flight, CursorRange cursors) {
    ReadoutTable t;
    const int i1 = cursors.c1, i2 = cursors.c2;
    const float dt = flight.curves.m_fSampleInterval;
    t.rows.push_back({"Cursors", "C1", "C2", "Delta"});
    t.colors.push_back(kBlack);
    t.rows.push_back({"Time (s)", FormatFixed(static_cast<float>(i1) * dt, 2),
                      FormatFixed(static_cast<float>(i2) * dt, 2),
                      FormatFixed(static_cast<float>(i2 - i1) * dt, 2)});
    t.colors.push_back(kBlack);
    static const char* const kNames[3] = {"Acc", "Vel", "Alt"};
    const Pen pens[3] = {kBlackPen, kGreenPen, kBluePen};
    for (int c = 0; c < 3; ++c) {
        const std::vector<float>& curve = CurveArray(flight, c);
        const float v1 = ValueAt(curve, i1), v2 = ValueAt(curve, i2);
        t.rows.push_back({std::string(kNames[c]) + " (" +
                              CurveUnits(c, flight.settings.m_bMetricUnits,
                                         flight.settings.m_bAccelInGees, false) +
                              ")",
                          FormatFixed(v1, 1), FormatFixed(v2, 1), FormatFixed(v2 - v1, 1)});
        t.colors.push_back(LabelColorOf(pens[c]));
    }
    for (const auto& row : t.rows)
        for (std::size_t col = 0; col < 4; ++col)
            t.widths[col] = std::max(t.widths[col], Width(row[col]) + (col == 0 ? 6 : 10));
    return t;
}

// Each extra flight's values at the cursors' times, below the main flight's: a line, or
// with axes of their own a row, of the curve last selected. One each keeps the box clear
// of the legend's column on a narrow page.
std::string ExtraValue(const GraphScene& s, const ExtraFlight& e, int curve, int index) {
    float v = 0.0f;
    if (!ExtraValueAt(s, e, curve, index, v))
        return "-";
    // A flight at rest reads a hair below zero: "-0.0" would be noise in the readout.
    return FormatFixed(std::fabs(v) < 0.05f ? 0.0f : v, 1);
}

void AddExtraReadout(const GraphScene& s, std::string& text) {
    const int curve = std::clamp(s.view.displayCurve, 0, 2);
    for (const ExtraFlight& e : s.extra)
        if (e.curves != nullptr)
            text += "\n" + ShortFlightName(e.name) +
                    ": C1=" + ExtraValue(s, e, curve, s.cursors.c1) +
                    " C2=" + ExtraValue(s, e, curve, s.cursors.c2);
}

void AddExtraRows(const GraphScene& s, ReadoutTable& t) {
    static const char* const kNames[3] = {"Acc", "Vel", "Alt"};
    const Pen pens[3] = {kBlackPen, kGreenPen, kBluePen};
    const int c = std::clamp(s.view.displayCurve, 0, 2);
    for (const ExtraFlight& e : s.extra) {
        if (e.curves == nullptr)
            continue;
        float v1 = 0.0f, v2 = 0.0f;
        const bool both =
            ExtraValueAt(s, e, c, s.cursors.c1, v1) && ExtraValueAt(s, e, c, s.cursors.c2, v2);
        // Shorter than in the legend: the table stands beside the legend's column on a
        // narrow window.
        t.rows.push_back({ShortFlightName(e.name, 14) + " " + kNames[c],
                          ExtraValue(s, e, c, s.cursors.c1), ExtraValue(s, e, c, s.cursors.c2),
                          both ? FormatFixed(v2 - v1, 1) : std::string("-")});
        t.colors.push_back(LabelColorOf(pens[c]));
    }
}

struct Readout {
    Rect box;
    std::string text; // with one value axis
    Rect textRect;
    ReadoutTable table; // with axes of their own
};

// The box stands where it always has (left, or flush with the frame's right edge),
// 150 by 120 units unless its text needs more.
Readout LayOutReadout(const GraphScene& s) {
    const GraphFrame& f = s.f;
    Readout r;
    int width = 0, height = 0;
    if (s.ownAxes) {
        r.table = OwnAxesReadout(s.flight, s.cursors);
        if (!s.extra.empty()) {
            AddExtraRows(s, r.table);
            for (const auto& row : r.table.rows)
                for (std::size_t col = 0; col < 4; ++col)
                    r.table.widths[col] =
                        std::max(r.table.widths[col], Width(row[col]) + (col == 0 ? 6 : 10));
        }
        width = r.table.Width() + 14;
        height = r.table.Height() + 10;
    } else {
        r.text = SingleReadoutText(s.flight, s.view.displayCurve, s.cursors);
        AddExtraReadout(s, r.text);
        width = std::max(150, Width(r.text) + 14);
        height = std::max(120, TextLineCount(r.text) * TextLinePitch(kPlotFontHeight) + 10);
    }
    const int left = s.flight.settings.m_nCursorPosition == 0 ? f.L + 5 : f.R - width;
    int top = f.T + 40;
    // The lines of flights laid over widen the box towards the legend's column on a
    // narrow window: it then stands below the legend.
    if (!s.extra.empty())
        while (!s.space.IsFree({left, top, left + width, top + height}) &&
               top + height + kLetterRow <= f.B)
            top += kLetterRow;
    r.box = {left, top, left + width, top + height};
    r.textRect = {left + 7, top + 2, left + 7 + std::max(278, width - 14), r.box.bottom - 4};
    return r;
}

void DrawReadout(Canvas& canvas, const GraphScene& s, const Readout& r) {
    canvas.SetPen(kBlackPen);
    canvas.DrawRectangle(r.box);
    if (!s.ownAxes) {
        canvas.DrawText(r.textRect, r.text, TextLeft);
        return;
    }
    int y = r.box.top + 5;
    for (std::size_t row = 0; row < r.table.rows.size(); ++row) {
        canvas.SetTextColor(r.table.colors[row]);
        int x = r.box.left + 7;
        for (std::size_t col = 0; col < 4; ++col) {
            const int w = r.table.widths[col];
            const Rect cell{x, y, x + w, y + ReadoutTable::kRowHeight};
            canvas.DrawText(cell, r.table.rows[row][col],
                            (col == 0 ? TextLeft : TextRight) | TextSingleLine);
            x += w;
        }
        y += ReadoutTable::kRowHeight;
    }
    canvas.SetTextColor(kBlack);
}

struct Summary {
    Rect box;
    Rect textRect;
    std::string text;
};

// The flight's key figures in a box of their own, placed in the first of a few spots
// (across from the readout, below it, at the foot of the frame) that keeps clear of
// every text and, where it can, of the curves.
Summary LayOutSummary(GraphScene& s, const Rect& readoutBox) {
    Summary sum;
    FlightStats stats;
    std::string reason;
    sum.text = ComputeFlightStats(s.flight, stats, reason) ? FlightSummaryText(stats)
                                                           : "Flight summary\n" + reason;
    const GraphFrame& f = s.f;
    const int w = Width(sum.text) + 14;
    const int h = TextLineCount(sum.text) * TextLinePitch(kPlotFontHeight) + 10;
    const bool readoutLeft = s.flight.settings.m_nCursorPosition == 0;
    const int farX = readoutLeft ? f.R - 8 - w : f.L + 8;
    const int nearX = readoutLeft ? f.L + 5 : f.R - w;
    const int top = f.T + 40;
    const std::array<Rect, 5> spots{
        Rect{farX, top, farX + w, top + h},
        Rect{f.L + (f.W() - w) / 2, top, f.L + (f.W() - w) / 2 + w, top + h},
        Rect{nearX, readoutBox.bottom + 8, nearX + w, readoutBox.bottom + 8 + h},
        Rect{farX, f.B - 8 - h, farX + w, f.B - 8},
        Rect{nearX, f.B - 8 - h, nearX + w, f.B - 8},
    };
    sum.box = spots[ChooseClearPlace(spots, s.space, s.curves)];
    sum.textRect = {sum.box.left + 7, sum.box.top + 5, sum.box.right - 2, sum.box.bottom - 2};
    return sum;
}

} // namespace

void DrawOverlays(Canvas& canvas, GraphScene& s, bool haveCurves) {
    const FlightData& flight = s.flight;
    const GraphFrame& f = s.f;
    const bool cursors = flight.settings.m_bShowCursors;
    const bool summary = s.view.showSummary && haveCurves;
    if (!cursors && !summary)
        return;

    // Room first, in order of importance: the readout, the summary, the cursors'
    // numbers, the markers' letters. Then the lines, which break around all of them.
    Readout readout;
    if (cursors && haveCurves) {
        readout = LayOutReadout(s);
        s.space.Take(readout.box);
    }
    Summary sum;
    if (summary) {
        sum = LayOutSummary(s, readout.box);
        s.space.Take(sum.box);
    }
    struct Line {
        int x;
        std::string letter;
        Rect label;
    };
    std::vector<Line> cursorLines, markerLines;
    if (cursors) {
        for (int c = 0; c < 2; ++c) {
            const int x = s.cursorXs[c];
            if (!s.window.Whole() && (x < f.L || x > f.R))
                continue;
            const std::string letter = c == 0 ? "1" : "2";
            cursorLines.push_back({x, letter, PlaceLetter(s, x, letter)});
        }
    }
    if (cursors && haveCurves) {
        const int events[4] = {flight.curves.m_nEvent1, flight.curves.m_nEvent2,
                               flight.curves.m_nEvent4, flight.curves.m_nEvent8};
        const char* letters[4] = {"I", "B", "A", "M"};
        for (int e = 0; e < 4; ++e) {
            if (events[e] == 0)
                continue;
            const int xe = MarkerXIn(f, s.window, s.n, events[e]);
            if (!s.window.Whole() && (xe < f.L || xe > f.R))
                continue;
            markerLines.push_back({xe, letters[e], PlaceLetter(s, xe, letters[e])});
        }
    }

    if (summary) {
        canvas.SetPen(kBlackPen);
        canvas.DrawRectangle(sum.box);
        canvas.DrawText(sum.textRect, sum.text, TextLeft);
    }
    if (!cursors)
        return;
    // C1 and C2 on their samples, where the shown stretch holds them; the window marks
    // the one the keys move with a tab at the foot of its line (never on paper).
    canvas.SetPen(kRedPen);
    for (std::size_t c = 0; c < cursorLines.size(); ++c) {
        const Line& line = cursorLines[c];
        DrawRuns(canvas, s, line.x);
        DrawLetter(canvas, line.label, line.x, line.letter);
        const int number = line.letter == "1" ? 1 : 2;
        if (s.view.markActiveCursor && !s.page.printing && s.view.activeCursor == number)
            canvas.FillRect({line.x - 3, f.B - 8, line.x + 4, f.B}, kRedPen.color);
    }
    if (!haveCurves)
        return;
    DrawReadout(canvas, s, readout);
    canvas.SetPen(kRedPen);
    for (const Line& line : markerLines) {
        DrawRuns(canvas, s, line.x);
        DrawLetter(canvas, line.label, line.x, line.letter);
    }
}

} // namespace tavo
