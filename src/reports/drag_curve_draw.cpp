#include "reports/drag_curve_draw.h"

#include <algorithm>
#include <cmath>

#include "canvas/text_extent.h"
#include "flight/text_format.h"
#include "plot/axis_ticks.h"
#include "plot/plot_style.h"

namespace tavo {

namespace {

inline constexpr Pen kBeyondPen{PenStyle::Dash, 1, {0, 0, 0}};
// Half the side of the square that marks a point.
constexpr int kMark = 3;
// Spacing of the Mach labels: wide enough for "0.35" with room on both sides.
constexpr int kMachLabelSpacing = 60;

bool Drawable(const DragCurve& curve) {
    return curve.usable && curve.area > 0.0 && !curve.points.empty();
}

// The axes' ranges: Mach from a little before the first point to a little after the
// last, Cd from 0 to a round value well above the largest (room for the caption and
// the counts).
struct Scales {
    double mach0 = 0.0, mach1 = 0.0;
    double cdTop = 0.0;
};

Scales ScalesOf(const DragCurve& curve) {
    Scales s;
    const double lo = curve.points.front().mach, hi = curve.points.back().mach;
    const double pad = std::max(0.1 * (hi - lo), 0.01);
    s.mach0 = std::max(0.0, std::floor((lo - pad) * 100.0) / 100.0);
    s.mach1 = std::ceil((hi + pad) * 100.0) / 100.0;
    double top = 0.0;
    for (const DragCurvePoint& p : curve.points)
        top = std::max(top, p.cd);
    s.cdTop = std::ceil(top * 1.5 / 0.1) * 0.1;
    if (!(s.cdTop > 0.0))
        s.cdTop = 1.0;
    return s;
}

// A plain coordinate from a value; the values are checked finite and the frame bounded,
// so the rounding stays within int.
int Coord(double v) {
    return static_cast<int>(std::lround(std::clamp(v, -1e6, 1e6)));
}

} // namespace

std::string DragCurveCaption(const DragCurve& curve) {
    if (!curve.usable)
        return "No drag curve: " + curve.reason;
    if (!(curve.area > 0.0))
        return "No drag curve: the flight has no diameter in its details";
    if (curve.points.empty())
        return "No drag curve: too few coast samples for a point";
    return "Drag curve of the coast: Cd against Mach, " + std::to_string(curve.points.size()) +
           " points, the samples behind each above it; single fit Cd " + FormatFixed(curve.cd, 3) +
           "; dashed: taken constant beyond " + FormatFixed(curve.points.front().mach, 3) + " to " +
           FormatFixed(curve.points.back().mach, 3) + " Mach";
}

std::string DragCurvePointsText(const DragCurve& curve) {
    if (!Drawable(curve))
        return DragCurveCaption(curve);
    std::string text;
    for (const DragCurvePoint& p : curve.points)
        text += "Mach " + FormatFixed(p.mach, 3) + ": Cd " + FormatFixed(p.cd, 3) + " (" +
                std::to_string(p.samples) + " samples)\n";
    return text;
}

void DrawDragCurveGraph(Canvas& canvas, const Rect& frame, const DragCurve& curve,
                        int valueLabelWidth, int pageRight, bool drawGrid) {
    canvas.SetPen(kBlackPen);
    canvas.DrawRectangle(frame);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    std::string caption = DragCurveCaption(curve);
    // The caption's parts on lines of their own where one line would not fit.
    for (const char* part : {"; ", ", "}) {
        if (TextWidth(caption, kPlotFontHeight) <= width - 10)
            break;
        for (std::size_t at = caption.find(part); at != std::string::npos;
             at = caption.find(part, at + 1))
            caption.replace(at, 2, std::string(1, part[0]) + "\n");
    }
    const Rect captionRect{frame.left + 6, frame.top + 2, frame.right - 4,
                           frame.top + 8 + TextLineCount(caption) * TextLinePitch(kPlotFontHeight)};
    const Rect captionExtent =
        TextExtent(captionRect, caption, TextLeft | TextTop, kPlotFontHeight);
    if (!Drawable(curve) || width < 40 || height < 40) {
        canvas.DrawText(captionRect, caption, TextLeft | TextTop);
        return;
    }
    const Scales s = ScalesOf(curve);
    const double kx = width / (s.mach1 - s.mach0);
    const double ky = height / s.cdTop;
    const auto at = [&](double mach, double cd) {
        return Point{Coord(frame.left + (mach - s.mach0) * kx),
                     Coord(frame.bottom - std::clamp(cd, 0.0, s.cdTop) * ky)};
    };

    canvas.SetPen(kGridPen);
    for (const AxisLabel& l : RoundValueLabels(0, width, static_cast<float>(s.mach1),
                                               static_cast<float>(s.mach0), kMachLabelSpacing)) {
        const int x = frame.left + width - l.at;
        const Rect rect = TimeLabelRect(frame, x);
        // The corner belongs to the value axis's 0.
        const Rect extent = TextExtent(rect, l.text, kTimeLabelFlags, kPlotFontHeight);
        if (extent.right > pageRight || extent.left < frame.left)
            continue;
        canvas.DrawText(rect, l.text, kTimeLabelFlags);
        if (drawGrid && x > frame.left && x < frame.right)
            canvas.DrawLine(Point{x, frame.top}, Point{x, frame.bottom});
    }
    for (const AxisLabel& l :
         RoundValueLabels(frame.top, frame.bottom, static_cast<float>(s.cdTop), 0.0f, 30)) {
        canvas.DrawText(ValueLabelRect(frame, l.at, valueLabelWidth), l.text, kValueLabelFlags);
        if (drawGrid && l.at > frame.top && l.at < frame.bottom)
            canvas.DrawLine(Point{frame.left, l.at}, Point{frame.right, l.at});
    }

    std::vector<Point> points;
    for (const DragCurvePoint& p : curve.points)
        points.push_back(at(p.mach, p.cd));
    // Beyond the measured speeds the drag is the end points'.
    canvas.SetPen(kBeyondPen);
    canvas.DrawLine(Point{frame.left, points.front().y}, points.front());
    canvas.DrawLine(points.back(), Point{frame.right, points.back().y});
    canvas.SetPen(kBlackPen);
    canvas.DrawPolyline(points);

    // Each point's count above its mark, left out where it would meet the caption or
    // the count before it (bins can lie close together).
    Rect last{0, 0, 0, 0};
    bool any = false;
    const int pitch = TextLinePitch(kPlotFontHeight);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Point p = points[i];
        canvas.DrawRectangle(Rect{p.x - kMark, p.y - kMark, p.x + kMark + 1, p.y + kMark + 1});
        const std::string count = std::to_string(curve.points[i].samples);
        const Rect rect{p.x - 30, p.y - kMark - 2 - pitch, p.x + 30, p.y - kMark - 2};
        const Rect extent = TextExtent(rect, count, TextHCenter | TextSingleLine, kPlotFontHeight);
        if (extent.top < frame.top + 1 || RectsOverlap(extent, captionExtent) ||
            (any && RectsOverlap(extent, last)))
            continue;
        canvas.DrawText(rect, count, TextHCenter | TextSingleLine);
        last = extent;
        any = true;
    }
    canvas.DrawText(captionRect, caption, TextLeft | TextTop);
}

} // namespace tavo
