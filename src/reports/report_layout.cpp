#include "reports/report_layout.h"

#include <span>

#include "flight/text_format.h"
#include "plot/axis_ticks.h"

namespace tavo {

namespace {

void DrawTimeAxis(Canvas& canvas, const Rect& frame, const ReportGraph& graph) {
    for (const AxisLabel& tick : ReportTimeTicks(frame, graph.count, graph.sampleInterval)) {
        canvas.DrawText(TimeLabelRect(frame, tick.at), tick.text, kTimeLabelFlags);
        if (graph.drawGrid)
            canvas.DrawLine(Point{tick.at, frame.top}, Point{tick.at, frame.bottom});
    }
}

void DrawValueAxis(Canvas& canvas, const Rect& frame, const ReportGraph& graph) {
    for (const AxisLabel& label : ReportValueLabels(frame, graph.valueStep, graph.valueDecimals)) {
        canvas.DrawText(ValueLabelRect(frame, label.at, graph.valueLabelWidth), label.text,
                        kValueLabelFlags);
        if (label.at != frame.bottom && graph.drawGrid)
            canvas.DrawLine(Point{frame.left, label.at}, Point{frame.right, label.at});
    }
}

void DrawCurve(Canvas& canvas, const Rect& frame, const ReportGraph& graph) {
    const std::span<const float> range(graph.values->data() + graph.first,
                                       static_cast<std::size_t>(graph.count));
    canvas.DrawPolyline(CurvePoints(frame, SampleXStep(frame.right - frame.left, graph.count),
                                    graph.firstValue, range, 0.0f, graph.scale));
}

} // namespace

void BeginReportPage(Canvas& canvas, int width, int height) {
    canvas.SetFont(kPlotFontHeight);
    canvas.FillRect(Rect{0, 0, width, height}, kWhite);
    canvas.SetPen(kBlackPen);
}

void DrawReportGraph(Canvas& canvas, const Rect& frame, const ReportGraph& graph) {
    canvas.SetPen(kBlackPen);
    canvas.DrawRectangle(frame);
    if (graph.count <= 0 || graph.values == nullptr || graph.first < 0)
        return;
    // Never draw from samples the curve does not hold (derived data not made yet).
    if (static_cast<std::size_t>(graph.first) + static_cast<std::size_t>(graph.count) >
        graph.values->size())
        return;
    canvas.SetPen(kGridPen);
    DrawTimeAxis(canvas, frame, graph);
    DrawValueAxis(canvas, frame, graph);
    canvas.SetPen(kBlackPen);
    DrawCurve(canvas, frame, graph);
}

Point ReportMenuClientPoint(Point mouse, bool fromKeyboard) {
    // The keyboard gives no position, which arrives as (-1, -1); ten units in from it
    // puts the menu just inside the corner.
    if (fromKeyboard)
        return Point{-1 + 10, -1 + 10};
    return mouse;
}

} // namespace tavo
