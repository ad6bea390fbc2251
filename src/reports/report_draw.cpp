#include "reports/report_draw.h"

#include <cmath>

#include "flight/text_format.h"

namespace tavo {

namespace {

// The thrust curve of the motor report. The curve holds the acceleration in the unit the
// graph shows, scaled by the peak in g: it fits the frame exactly when that unit is g.
ReportGraph MotorGraph(const FlightRecord& flight, const MotorReport& report, int frameHeight) {
    ReportGraph graph;
    graph.values = &flight.m_arrAccel;
    graph.first = flight.m_nCursor1;
    graph.count = flight.m_nCursor2 - flight.m_nCursor1;
    // The first point is the pad reading of the whole flight, not the range's first sample.
    graph.firstValue = flight.m_arrAccel.empty() ? 0.0f : flight.m_arrAccel[0];
    graph.scale = ReportCurveScale(frameHeight, report.m_fPeakAccel);
    graph.sampleInterval = flight.m_fSampleInterval;
    graph.valueStep = static_cast<float>(std::ceil(report.m_fPeakThrust) * 0.1);
    // The label format follows the peak acceleration, as it always has, not the thrust.
    graph.valueDecimals = report.m_fPeakAccel > 999 ? 0 : 1;
    graph.drawGrid = flight.m_bDrawGrid;
    return graph;
}

// The figures as the window and the page print them: `lineEnd` after each, `unitGap`
// between the N and the lb value.
std::string ResultsText(const MotorReport& r, const char* lineEnd, const char* unitGap) {
    const std::string end = lineEnd;
    return r.m_strMotorClass + end + "Burn Time: " + r.m_strBurnTime + "s" + end +
           "Avg: " + r.m_strAvgThrustN + "N" + unitGap + r.m_strAvgThrustLb + "lb" + end +
           "Peak: " + r.m_strPeakThrustN + "N" + unitGap + r.m_strPeakThrustLb + "lb" + end +
           "Total: " + r.m_strTotalImpulseN + "N" + unitGap + r.m_strTotalImpulseLb + "lb" + end +
           "Isp: " + r.m_strIsp;
}

} // namespace

std::string MotorResultsText(const MotorReport& r) {
    return ResultsText(r, "\n", " ");
}

std::string MotorResultsPageText(const MotorReport& r) {
    return ResultsText(r, "\n\n", "  ");
}

std::string FlightDetailsPageText(const FlightRecord& f) {
    return FormatLongDate(f.m_timeDate) + "\n\n" + "Name: " + f.m_strName + "\n\n" +
           "Motor: " + f.m_strMotor + "\n\n" +
           "Acceleration offset: " + std::to_string(f.m_nAccelOffset) +
           "\n\nTwo Gee value: " + FormatFixed(f.m_fTwoGeeFile, 3) +
           "\n\nSample rate: " + std::to_string(f.m_nSampleRate) +
           "Hz\n\nWeight: " + FormatFixed(f.m_fLaunchWeight, 3) +
           "Kg\n\nDiameter: " + FormatFixed(f.m_fMaxDiameter, 3) + "m" + "\n\n" + "Comment:\n" +
           f.m_strComment;
}

void DrawMotorReport(Canvas& canvas, const FlightRecord& flight, const MotorReport& report,
                     int width, int height) {
    const Rect frame = ReportWindowFrame(width, height);
    BeginReportPage(canvas, width, height);
    DrawReportGraph(canvas, frame, MotorGraph(flight, report, frame.bottom - frame.top));

    // Half the frame width taken as an x of its own: the box has always stood a little
    // left of the frame's centre, and printed reports look the same.
    const int xc = (frame.right - frame.left) / 2;
    canvas.SetPen(kBlackPen);
    canvas.DrawRectangle(Rect{xc - 85, frame.bottom - 110, xc + 85, frame.bottom});
    canvas.DrawText(Rect{xc - 78, frame.bottom - 105, xc + 78, frame.bottom},
                    MotorResultsText(report), TextLeft | TextTop);
}

void DrawMotorReportPage(Canvas& canvas, const FlightRecord& flight, const MotorReport& report,
                         const ReportPageGeometry& page) {
    const int w = page.width;
    const int h = page.height;
    const int mx = page.marginX;
    const int my = page.marginY;
    const Rect frame = ReportPageFrame(w, h, mx, my);
    const int frameWidth = frame.right - frame.left;
    BeginReportPage(canvas, w, h);
    ReportGraph graph = MotorGraph(flight, report, frame.bottom - frame.top);
    graph.valueLabelWidth = 65;
    DrawReportGraph(canvas, frame, graph);

    // Below the window's own page: the flight on the left, the figures on the right.
    canvas.DrawText(Rect{frame.left, h, frameWidth, 2 * h}, FlightDetailsPageText(flight),
                    TextLeft | TextTop);
    canvas.DrawText(Rect{frameWidth / 2 + 101, h, frame.right, 2 * h}, MotorResultsPageText(report),
                    TextLeft | TextTop);
}

void DrawCdReport(Canvas& canvas, const FlightRecord& flight, const CdReport& report, int width,
                  int height) {
    const Rect frame = ReportWindowFrame(width, height);
    BeginReportPage(canvas, width, height);

    ReportGraph graph;
    graph.values = &flight.m_arrCd;
    graph.first = flight.m_nCursor1;
    graph.count = flight.m_nCursor2 - flight.m_nCursor1;
    const std::size_t first = static_cast<std::size_t>(graph.first < 0 ? 0 : graph.first);
    graph.firstValue = first < flight.m_arrCd.size() ? flight.m_arrCd[first] : 0.0f;
    const float range = report.m_fCdMax - report.m_fCdMin;
    graph.scale = ReportCurveScale(frame.bottom - frame.top, range);
    graph.sampleInterval = flight.m_fSampleInterval;
    graph.valueStep = range * 0.1f;
    graph.valueDecimals = report.m_fCdMax > 999 ? 0 : 1;
    if (report.m_fCdMax < 1)
        graph.valueDecimals = 2;
    graph.drawGrid = flight.m_bDrawGrid;
    DrawReportGraph(canvas, frame, graph);
}

} // namespace tavo
