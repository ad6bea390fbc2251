#include "reports/report_layout.h"

#include <climits>
#include <cmath>

#include "flight/text_format.h"

namespace tavo {

namespace {

// Keeps drawn coordinates to a range every backend takes without trouble, far outside
// any page, so values off the frame are still clipped away rather than wrapped around.
constexpr int kFarCoordinate = 1 << 20;

// The ticks come at tenths of the range; a few spare rounds cover float creep, and the
// cap makes the loop's end independent of the arithmetic.
constexpr int kMaxTimeTicks = 12;

void DrawTimeAxis(Canvas& canvas, const Rect& frame, const ReportGraph& graph) {
    const int n = graph.count;
    const int width = frame.right - frame.left;
    const float rate = static_cast<float>(1.0 / graph.sampleInterval);
    const float seconds = static_cast<float>(n) / rate;
    const int span = TruncateToInt(seconds);
    const int decimals = span >= 10 ? 1 : 2;
    const float xStep = static_cast<float>(width) * 0.1f;
    const float vStep = static_cast<float>(n) * 0.1f;
    float x = static_cast<float>(frame.left) + xStep;
    float v = vStep;
    for (int tick = 0; v <= static_cast<float>(n) && tick < kMaxTimeTicks; ++tick) {
        const int xi = TruncateToInt(x);
        canvas.DrawText(Rect{xi - 20, frame.bottom + 2, xi + 20, frame.bottom + 35},
                        FormatFixed(v / rate, decimals), TextHCenter);
        if (graph.drawGrid)
            canvas.DrawLine(Point{xi, frame.top}, Point{xi, frame.bottom});
        x = x + xStep;
        v = v + vStep;
    }
}

void DrawValueAxis(Canvas& canvas, const Rect& frame, const ReportGraph& graph) {
    const int pixelStep = (frame.bottom - frame.top) / 10;
    float u = 0.0f;
    for (int y = frame.bottom; y >= frame.top; y -= pixelStep) {
        canvas.DrawText(Rect{frame.left - graph.valueLabelWidth, y - 15, frame.left, y + 15},
                        FormatFixed(u, graph.valueDecimals),
                        TextRight | TextVCenter | TextSingleLine);
        if (y != frame.bottom && graph.drawGrid)
            canvas.DrawLine(Point{frame.left, y}, Point{frame.right, y});
        u = u + graph.valueStep;
        // A frame under ten units high has no step to climb by: its one label is the 0.
        if (pixelStep <= 0)
            break;
    }
}

void DrawCurve(Canvas& canvas, const Rect& frame, const ReportGraph& graph) {
    const std::vector<float>& values = *graph.values;
    const int n = graph.count;
    const float xStep = static_cast<float>(frame.right - frame.left) / static_cast<float>(n);
    std::vector<Point> points;
    points.reserve(static_cast<std::size_t>(n) + 1);
    points.push_back(Point{frame.left, ReportCurveY(frame.bottom, graph.firstValue, graph.scale)});
    float x = static_cast<float>(frame.left);
    for (int j = 0; j < n; ++j) {
        x = x + xStep;
        const float value = values[static_cast<std::size_t>(graph.first + j)];
        points.push_back(Point{TruncateToInt(x), ReportCurveY(frame.bottom, value, graph.scale)});
    }
    canvas.DrawPolyline(points);
}

} // namespace

int TruncateToInt(float value) {
    if (std::isnan(value))
        return 0;
    if (value >= 2147483648.0f)
        return INT_MAX;
    if (value <= -2147483648.0f)
        return INT_MIN;
    return static_cast<int>(value);
}

float ReportCurveScale(int height, float peak) {
    const float scale = static_cast<float>(height) / peak;
    return std::isfinite(scale) ? scale : 0.0f;
}

int ReportCurveY(int bottom, float value, float scale) {
    const float y = static_cast<float>(bottom) - value * scale;
    if (std::isnan(y))
        return bottom;
    if (y < static_cast<float>(-kFarCoordinate))
        return -kFarCoordinate;
    if (y > static_cast<float>(kFarCoordinate))
        return kFarCoordinate;
    return static_cast<int>(y);
}

void BeginReportPage(Canvas& canvas, int width, int height) {
    canvas.SetFont(kReportFontHeight);
    canvas.FillRect(Rect{0, 0, width, height}, kReportWhite);
    canvas.SetPen(kReportBlackPen);
}

void DrawReportGraph(Canvas& canvas, const Rect& frame, const ReportGraph& graph) {
    canvas.SetPen(kReportBlackPen);
    canvas.DrawRectangle(frame);
    if (graph.count <= 0 || graph.values == nullptr || graph.first < 0)
        return;
    // Never draw from samples the curve does not hold (derived data not made yet).
    if (static_cast<std::size_t>(graph.first) + static_cast<std::size_t>(graph.count) >
        graph.values->size())
        return;
    canvas.SetPen(kReportGridPen);
    DrawTimeAxis(canvas, frame, graph);
    DrawValueAxis(canvas, frame, graph);
    canvas.SetPen(kReportBlackPen);
    DrawCurve(canvas, frame, graph);
}

Point ReportMenuClientPoint(Point mouse, bool fromKeyboard) {
    // The keyboard gives no position, which arrives as (-1, -1); ten units in from it
    // puts the menu just inside the corner.
    if (fromKeyboard)
        return Point{-1 + 10, -1 + 10};
    return mouse;
}

ReportPageGeometry ComputeReportPageGeometry(int clientWidth, int clientHeight, int pageWidth,
                                             int pageHeight, double dpiX, double dpiY) {
    ReportPageGeometry page;
    page.width = clientWidth > 0 ? clientWidth : 1;
    page.height = clientHeight > 0 ? clientHeight : 1;
    const double sx = static_cast<double>(pageWidth) / page.width;
    const double sy = static_cast<double>(pageHeight) / page.height;
    double scale = sx < sy ? sx : sy;
    if (!(scale > 0) || !std::isfinite(scale))
        scale = 1;
    page.scale = scale;
    // 10 mm is 1000 hundredths of a millimetre: first device pixels, then page units.
    const auto toUnits = [scale](double dpi) {
        const double pixels = (dpi > 0 && std::isfinite(dpi)) ? 10.0 * dpi / 25.4 : 0.0;
        const double units = pixels / scale;
        return units < kFarCoordinate ? static_cast<int>(std::lround(units)) : kFarCoordinate;
    };
    page.marginX = toUnits(dpiX);
    page.marginY = toUnits(dpiY);
    return page;
}

} // namespace tavo
