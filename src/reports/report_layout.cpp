#include "reports/report_layout.h"

#include <span>

#include "canvas/text_extent.h"
#include "flight/text_format.h"
#include "plot/axis_ticks.h"

namespace tavo {

namespace {

void DrawTimeAxis(Canvas& canvas, const Rect& frame, const ReportGraph& graph) {
    for (const AxisLabel& tick : ReportTimeTicks(frame, graph.count, graph.sampleInterval)) {
        const Rect rect = TimeLabelRect(frame, tick.at);
        if (TextExtent(rect, tick.text, kTimeLabelFlags, kPlotFontHeight).right > graph.pageRight)
            continue;
        canvas.DrawText(rect, tick.text, kTimeLabelFlags);
        if (graph.drawGrid)
            canvas.DrawLine(Point{tick.at, frame.top}, Point{tick.at, frame.bottom});
    }
}

void DrawValueAxis(Canvas& canvas, const Rect& frame, const ReportGraph& graph) {
    for (const AxisLabel& label : ReportValueLabels(frame, graph.valueStep, graph.valueDecimals)) {
        // The window's frame starts at the canvas's top edge, where the top label would
        // be cut in half: it is moved down just enough to show whole.
        Rect rect = ValueLabelRect(frame, label.at, graph.valueLabelWidth);
        const int above = TextExtent(rect, label.text, kValueLabelFlags, kPlotFontHeight).top;
        if (above < 0) {
            rect.top -= above;
            rect.bottom -= above;
        }
        canvas.DrawText(rect, label.text, kValueLabelFlags);
        if (label.at != frame.bottom && graph.drawGrid)
            canvas.DrawLine(Point{frame.left, label.at}, Point{frame.right, label.at});
    }
}

bool HasCurve(const ReportGraph& graph) {
    // Never draw from samples the curve does not hold (derived data not made yet).
    return graph.count > 0 && graph.values != nullptr && graph.first >= 0 &&
           static_cast<std::size_t>(graph.first) + static_cast<std::size_t>(graph.count) <=
               graph.values->size();
}

} // namespace

void BeginReportPage(Canvas& canvas, int width, int height) {
    canvas.SetFont(kPlotFontHeight);
    canvas.FillRect(Rect{0, 0, width, height}, kWhite);
    canvas.SetPen(kBlackPen);
}

std::vector<Point> ReportCurvePoints(const Rect& frame, const ReportGraph& graph) {
    if (!HasCurve(graph))
        return {};
    const std::span<const float> range(graph.values->data() + graph.first,
                                       static_cast<std::size_t>(graph.count));
    return CurvePoints(frame, SampleXStep(frame.right - frame.left, graph.count), graph.firstValue,
                       range, 0.0f, graph.scale);
}

void DrawReportGraph(Canvas& canvas, const Rect& frame, const ReportGraph& graph) {
    canvas.SetPen(kBlackPen);
    canvas.DrawRectangle(frame);
    if (!HasCurve(graph))
        return;
    canvas.SetPen(kGridPen);
    DrawTimeAxis(canvas, frame, graph);
    DrawValueAxis(canvas, frame, graph);
    canvas.SetPen(kBlackPen);
    canvas.DrawPolyline(ReportCurvePoints(frame, graph));
}

Point ReportMenuClientPoint(Point mouse, bool fromKeyboard) {
    // The keyboard gives no position, which arrives as (-1, -1); ten units in from it
    // puts the menu just inside the corner.
    if (fromKeyboard)
        return Point{-1 + 10, -1 + 10};
    return mouse;
}

} // namespace tavo
