#include "reports/report_draw.h"

#include <algorithm>
#include <cmath>

#include "canvas/text_extent.h"
#include "flight/text_format.h"
#include "reports/drag_curve_draw.h"
#include "reports/figure_boxes.h"
#include "reports/motor_comparison.h"

namespace tavo {

namespace {

// Units per newton of the value labels, which count from the bottom edge one step per
// tenth of the frame in whole units.
double NewtonScale(float valueStep, int frameHeight) {
    return valueStep > 0.0f ? (frameHeight / 10) / static_cast<double>(valueStep) : 0.0;
}

// The thrust curve of the motor report. The net force is drawn as it always has been:
// the acceleration in the unit the graph shows, scaled by the peak in g, which fits the
// frame exactly when that unit is g. The motor thrust is drawn in newtons against the
// value labels, which then also carry a certified curve's peak.
ReportGraph MotorGraph(const FlightData& flight, const MotorReport& report, int frameHeight,
                       const EngMotor* certified) {
    ReportGraph graph;
    graph.count = report.range.c2 - report.range.c1;
    graph.sampleInterval = flight.curves.m_fSampleInterval;
    graph.drawGrid = flight.settings.m_bDrawGrid;
    // The label format follows the peak acceleration, as it always has, not the thrust.
    graph.valueDecimals = report.m_fPeakAccel > 999 ? 0 : 1;
    if (report.m_thrust == ThrustKind::Net) {
        graph.values = &flight.curves.m_arrAccel;
        graph.first = report.range.c1;
        // The first point is the pad reading of the whole flight, not the range's first.
        graph.firstValue = flight.curves.m_arrAccel.empty() ? 0.0f : flight.curves.m_arrAccel[0];
        graph.scale = ReportCurveScale(frameHeight, report.m_fPeakAccel);
        graph.valueStep = static_cast<float>(std::ceil(report.m_fPeakThrust) * 0.1);
        return graph;
    }
    double top = report.m_fPeakThrust;
    if (certified != nullptr)
        top = std::max(top, PeakThrust(*certified));
    graph.values = &report.m_arrThrust;
    graph.first = 0;
    if (report.m_arrThrust.size() != static_cast<std::size_t>(std::max(graph.count, 0)))
        graph.count = 0;
    graph.firstValue = 0.0f; // the motor is lit at C1
    graph.valueStep = static_cast<float>(std::ceil(top) * 0.1);
    graph.scale = static_cast<float>(NewtonScale(graph.valueStep, frameHeight));
    return graph;
}

// The certified curve over the graph, stretched over the range's seconds.
std::vector<Point> CertifiedPoints(const Rect& frame, const FlightData& flight,
                                   const ReportGraph& graph, const EngMotor* certified) {
    if (certified == nullptr || graph.count <= 0)
        return {};
    const double span = static_cast<double>(graph.count) * flight.curves.m_fSampleInterval;
    return CertifiedCurvePoints(frame, *certified, span,
                                NewtonScale(graph.valueStep, frame.bottom - frame.top));
}

// Which thrust is shown, in the frame's top left corner, and the certified curve. The
// caption's extent, for what is placed after it.
Rect DrawThrustExtras(Canvas& canvas, const Rect& frame, const FlightData& flight,
                      const MotorReport& report, const ReportGraph& graph,
                      const EngMotor* certified) {
    const std::vector<Point> points = CertifiedPoints(frame, flight, graph, certified);
    if (!points.empty()) {
        canvas.SetPen(kCertifiedPen);
        canvas.DrawPolyline(points);
    }
    canvas.SetPen(kBlackPen);
    std::string caption = report.m_bThrustAbovePad
                              ? ThrustModelText(report.m_thrust, report.m_drag)
                              : std::string(kNoThrustText) + " between the cursors: no motor class";
    if (!report.m_strClassNote.empty())
        caption += "; impulse " + report.m_strClassNote;
    if (certified != nullptr)
        caption += "; blue: certified " + certified->designation;
    // One line where the frame is wide enough, else broken at its parts.
    const int room = frame.right - 4 - (frame.left + 6);
    for (const char* part : {"; ", ", "}) {
        if (TextWidth(caption, kPlotFontHeight) <= room)
            break;
        for (std::size_t at = caption.find(part); at != std::string::npos;
             at = caption.find(part, at + 1))
            caption.replace(at, 2, std::string(1, part[0]) + "\n");
    }
    const int lines = TextLineCount(caption);
    const Rect rect{frame.left + 6, frame.top + 2, frame.right - 4,
                    frame.top + 8 + lines * TextLinePitch(kPlotFontHeight)};
    const unsigned flags = lines == 1 ? TextLeft | TextTop | TextSingleLine : TextLeft | TextTop;
    canvas.DrawText(rect, caption, flags);
    return TextExtent(rect, caption, flags, kPlotFontHeight);
}

// The figures as the window and the page print them: `lineEnd` after each, `unitGap`
// between the N and the lb value, `noClass` in place of a class the range does not earn.
std::string ResultsText(const MotorReport& r, const char* lineEnd, const char* unitGap,
                        const std::string& noClass) {
    const std::string end = lineEnd;
    const std::string mark = r.m_bThrustAbovePad
                                 ? ClassBoundNote(r.m_fTotalImpulse, r.m_dImpulseUncertainty, true)
                                 : std::string();
    return (r.m_bThrustAbovePad ? r.m_strMotorClass : noClass) +
           (mark.empty() ? "" : " (" + mark + ")") + end + "Burn Time: " + r.m_strBurnTime + "s" +
           end + "Avg: " + r.m_strAvgThrustN + "N" + unitGap + r.m_strAvgThrustLb + "lb" + end +
           "Peak: " + r.m_strPeakThrustN + "N" + unitGap + r.m_strPeakThrustLb + "lb" + end +
           "Total: " + r.m_strTotalImpulseN + "N s" + unitGap + r.m_strTotalImpulseLb + "lb s" +
           end + "Isp: " + r.m_strIsp;
}

// Where the printed figures go: their column right of the middle, as always, unless a
// long line of the details (a name, a comment) reaches into it; then as far right as
// they still fit, or else below the details.
Rect ResultsPageRect(const Rect& detailsRect, const std::string& details,
                     const std::string& results, int usualLeft, int right, int h) {
    constexpr int kGap = 20;
    const Rect usual{usualLeft, h, right, 2 * h};
    const Rect d = TextExtent(detailsRect, details, TextLeft | TextTop, kPlotFontHeight);
    const Rect r = TextExtent(usual, results, TextLeft | TextTop, kPlotFontHeight);
    // A text wider than its column (the Cd report's longest line on a small page) goes
    // where it is whole.
    if (r.right <= right && (d.right + kGap <= r.left || !RectsOverlap(d, r)))
        return usual;
    const int width = r.right - r.left;
    if (d.right + kGap + width <= right)
        return {d.right + kGap, h, right, 2 * h};
    const int below = d.bottom + TextLinePitch(kPlotFontHeight);
    return {detailsRect.left, below, right, below + h};
}

} // namespace

std::string MotorResultsText(const MotorReport& r) {
    // The box is narrow; the caption above the curve says why there is no class.
    return ResultsText(r, "\n", " ", "No motor class");
}

std::string MotorResultsPageText(const MotorReport& r) {
    return ResultsText(r, "\n\n", "  ", std::string(kNoThrustText) + ": no motor class");
}

std::string FlightDetailsPageText(const FlightData& f) {
    return FormatLongDate(f.record.m_timeDate) + "\n\n" + "Name: " + f.record.m_strName + "\n\n" +
           "Motor: " + f.record.m_strMotor + "\n\n" +
           "Acceleration offset: " + std::to_string(f.record.m_nAccelOffset) +
           "\n\nTwo Gee value: " + FormatFixed(f.record.m_fTwoGeeFile, 3) +
           "\n\nSample rate: " + std::to_string(f.record.m_nSampleRate) +
           "Hz\n\nWeight: " + FormatFixed(f.record.m_fLaunchWeight, 3) +
           "Kg\n\nDiameter: " + FormatFixed(f.record.m_fMaxDiameter, 3) + "m" + "\n\n" +
           "Comment:\n" + f.record.m_strComment;
}

void DrawMotorReport(Canvas& canvas, const FlightData& flight, const MotorReport& report, int width,
                     int height, const EngMotor* certified) {
    const Rect frame = ReportWindowFrame(width, height);
    BeginReportPage(canvas, width, height);
    ReportGraph graph = MotorGraph(flight, report, frame.bottom - frame.top, certified);
    graph.pageRight = width;
    DrawReportGraph(canvas, frame, graph);
    const Rect caption = DrawThrustExtras(canvas, frame, flight, report, graph, certified);

    // The figures beside the curves, not over them.
    const std::string results = MotorResultsText(report);
    const std::string comparison =
        certified != nullptr ? ComparisonText(CompareWithCertified(report, *certified), "\n")
                             : std::string();
    const std::vector<Point> measured = ReportCurvePoints(frame, graph);
    const std::vector<Point> certifiedCurve = CertifiedPoints(frame, flight, graph, certified);
    const std::span<const Point> curves[2] = {measured, certifiedCurve};
    const FigureBoxes boxes =
        PlaceFigureBoxes(frame, width, height, results, comparison, {&caption, 1}, curves);
    canvas.SetPen(kBlackPen);
    const auto box = [&](const Rect& r, const std::string& text) {
        canvas.DrawRectangle(r);
        canvas.DrawText(Rect{r.left + 7, r.top + 5, r.right - 7, r.bottom}, text,
                        TextLeft | TextTop);
    };
    box(boxes.results, results);
    if (certified != nullptr)
        box(boxes.certified, comparison);
}

void DrawMotorReportPage(Canvas& canvas, const FlightData& flight, const MotorReport& report,
                         const ReportPageGeometry& page, const EngMotor* certified) {
    const int w = page.width;
    const int h = page.height;
    const int mx = page.marginX;
    const int my = page.marginY;
    const Rect frame = ReportPageFrame(w, h, mx, my);
    const int frameWidth = frame.right - frame.left;
    BeginReportPage(canvas, w, h);
    ReportGraph graph = MotorGraph(flight, report, frame.bottom - frame.top, certified);
    graph.valueLabelWidth = 65;
    graph.pageRight = w;
    DrawReportGraph(canvas, frame, graph);
    DrawThrustExtras(canvas, frame, flight, report, graph, certified);

    // Below the window's own page: the flight on the left, the figures on the right.
    const std::string details = FlightDetailsPageText(flight);
    const Rect detailsRect{frame.left, h, frameWidth, 2 * h};
    canvas.DrawText(detailsRect, details, TextLeft | TextTop);
    std::string results = MotorResultsPageText(report);
    if (certified != nullptr)
        // One line each: with blank lines between them the box would run off the page.
        results += "\n\n" + ComparisonText(CompareWithCertified(report, *certified), "\n");
    canvas.DrawText(
        ResultsPageRect(detailsRect, details, results, frameWidth / 2 + 101, frame.right, h),
        results, TextLeft | TextTop);
}

namespace {

// The Cd curve between the cursors in `frame`: the document's coefficients straight
// from the flight, as the report has always drawn them, or the drag-alone values kept
// within the axis. `values` holds what the graph points into.
ReportGraph CdGraph(const FlightData& flight, const CdReport& report, int frameHeight,
                    std::vector<float>& values) {
    ReportGraph graph;
    graph.count = report.range.c2 - report.range.c1;
    if (report.m_kind == CdKind::Document) {
        graph.values = &flight.curves.m_arrCd;
        graph.first = report.range.c1;
    } else {
        values = report.CurveValues();
        graph.values = &values;
        graph.first = 0;
        if (values.size() != static_cast<std::size_t>(std::max(graph.count, 0)))
            graph.count = 0;
    }
    const std::size_t first = static_cast<std::size_t>(graph.first < 0 ? 0 : graph.first);
    graph.firstValue = first < graph.values->size() ? (*graph.values)[first] : 0.0f;
    const float range = report.AxisTop();
    graph.scale = ReportCurveScale(frameHeight, range);
    graph.sampleInterval = flight.curves.m_fSampleInterval;
    graph.valueStep = range * 0.1f;
    graph.valueDecimals = range > 999 ? 0 : 1;
    if (range < 1)
        graph.valueDecimals = 2;
    graph.drawGrid = flight.settings.m_bDrawGrid;
    return graph;
}

// Which Cd is shown and its figures, in the frame's top left corner. The document's
// formula has always been drawn bare.
void DrawCdCaption(Canvas& canvas, const Rect& frame, const CdReport& report) {
    if (report.m_kind == CdKind::Document)
        return;
    canvas.SetPen(kBlackPen);
    canvas.DrawText(Rect{frame.left + 6, frame.top + 2, frame.right - 4, frame.top + 22},
                    CdCaptionText(report), TextLeft | TextTop | TextSingleLine);
}

} // namespace

void DrawCdReport(Canvas& canvas, const FlightData& flight, const CdReport& report, int width,
                  int height) {
    const Rect frame = ReportWindowFrame(width, height);
    BeginReportPage(canvas, width, height);
    if (report.m_bShowDragCurve) {
        DrawDragCurveGraph(canvas, frame, report.m_dragCurve, ReportGraph{}.valueLabelWidth, width,
                           flight.settings.m_bDrawGrid);
        return;
    }
    std::vector<float> values;
    ReportGraph graph = CdGraph(flight, report, frame.bottom - frame.top, values);
    graph.pageRight = width;
    DrawReportGraph(canvas, frame, graph);
    DrawCdCaption(canvas, frame, report);
}

void DrawCdReportPage(Canvas& canvas, const FlightData& flight, const CdReport& report,
                      const ReportPageGeometry& page) {
    const Rect frame = ReportPageFrame(page.width, page.height, page.marginX, page.marginY);
    const int frameWidth = frame.right - frame.left;
    BeginReportPage(canvas, page.width, page.height);
    if (report.m_bShowDragCurve) {
        DrawDragCurveGraph(canvas, frame, report.m_dragCurve, 65, page.width,
                           flight.settings.m_bDrawGrid);
    } else {
        std::vector<float> values;
        ReportGraph graph = CdGraph(flight, report, frame.bottom - frame.top, values);
        graph.valueLabelWidth = 65;
        graph.pageRight = page.width;
        DrawReportGraph(canvas, frame, graph);
        DrawCdCaption(canvas, frame, report);
    }
    // Below the window's own page, as on the motor report's: the flight on the left,
    // the figures (or the drag curve's points) on the right.
    const std::string details = FlightDetailsPageText(flight);
    const Rect detailsRect{frame.left, page.height, frameWidth, 2 * page.height};
    canvas.DrawText(detailsRect, details, TextLeft | TextTop);
    const std::string figures = report.m_bShowDragCurve
                                    ? "Drag Curve\n\n" + DragCurvePointsText(report.m_dragCurve)
                                    : "Cd Report\n\n" + CdFiguresText(report, "\n\n");
    canvas.DrawText(ResultsPageRect(detailsRect, details, figures, frameWidth / 2 + 101,
                                    frame.right, page.height),
                    figures, TextLeft | TextTop);
}

} // namespace tavo
