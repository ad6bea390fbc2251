// The demo flight's motor and Cd reports as a flyer sees them, at three window sizes, on
// screen and on paper: no text over another or cut by its rectangle, and the motor
// report's figure boxes clear of the curves they describe (they used to sit on the
// thrust curve's plateau). The top value label of a window's page stands half above
// the window, as it always has: the page is taken to start a half label higher.

#include <gtest/gtest.h>

#include "flight/flight_file.h"
#include "motor/rasp_reader.h"
#include "plot/label_space.h"
#include "reports/report_draw.h"
#include "support/drawn_texts.h"
#include "support/flight_builder.h"
#include "support/scripted_prompt.h"

namespace tavo {
namespace {

TEST(ReportPagesLayout, DemoReportsReadRightAtThreeSizes) {
    test::Flight f;
    ApplyFirstRunSettings(f);
    FileError error;
    ASSERT_TRUE(LoadFlightFile(TAVOKIT_SOURCE_DIR "/data/demo.flt", f, error));
    std::vector<EngMotor> motors;
    std::string reason;
    ASSERT_TRUE(LoadEngFile(TAVOKIT_SOURCE_DIR "/data/motors/C6.eng", motors, reason)) << reason;
    test::ScriptedPrompt prompt;
    for (const ThrustKind kind : {ThrustKind::Motor, ThrustKind::Net}) {
        MotorReport report;
        ASSERT_TRUE(report.ComputeMotorReport(f, {f.m_nEvent1, f.m_nEvent2}, prompt, kind));
        for (const auto& [w, h] : {std::pair{560, 300}, {745, 360}, {1100, 620}})
            for (const EngMotor* certified : std::vector<const EngMotor*>{nullptr, &motors[0]}) {
                const std::string where = std::to_string(w) + (certified ? " compared" : "");
                RecordingCanvas window;
                DrawMotorReport(window, f, report, w, h, certified);
                EXPECT_EQ(test::DrawingFaults(window, {0, -8, w, h}), "") << where;
                // Every box (after the frame) clear of every curve.
                const auto rects = window.Of(RecordingCanvas::Op::Rectangle);
                ASSERT_EQ(rects.size(), certified ? 3u : 2u);
                for (std::size_t b = 1; b < rects.size(); ++b)
                    for (const auto& curve : window.Polylines())
                        EXPECT_EQ(PolylineHits(rects[b].rect, curve.points), 0u) << where;

                const ReportPageGeometry page = MapReportPage(w, h, 4960, 7016, 600, 600);
                RecordingCanvas paper;
                DrawMotorReportPage(paper, f, report, page, certified);
                EXPECT_EQ(test::DrawingFaults(paper, {0, 0, page.width, 2 * page.height}), "")
                    << where << " printed";
            }
    }
    CdReport cd;
    f.m_fMaxDiameter = 0.025f; // the drag curve's Cd needs the body's cross-section
    ASSERT_TRUE(cd.ComputeCdReport(f, {f.m_nEvent2, f.m_nEvent2 + 200}, prompt));
    ASSERT_GE(cd.m_dragCurve.points.size(), 3u) << cd.m_dragCurve.reason;
    for (const bool dragCurve : {false, true})
        for (const auto& [w, h] : {std::pair{560, 300}, {745, 360}, {1100, 620}}) {
            const std::string where = std::to_string(w) + (dragCurve ? " drag curve" : "");
            cd.m_bShowDragCurve = dragCurve;
            RecordingCanvas canvas;
            DrawCdReport(canvas, f, cd, w, h);
            EXPECT_EQ(test::DrawingFaults(canvas, {0, -8, w, h}), "") << where;
            // One mark a point, and the counts behind them drawn.
            if (dragCurve) {
                EXPECT_EQ(canvas.Of(RecordingCanvas::Op::Rectangle).size(),
                          1 + cd.m_dragCurve.points.size())
                    << where;
            }
            // A page the size of a 560 by 300 window has no room for the Cd figures
            // below its details.
            if (w < 700)
                continue;
            const ReportPageGeometry page = MapReportPage(w, h, 4960, 7016, 600, 600);
            RecordingCanvas paper;
            DrawCdReportPage(paper, f, cd, page);
            EXPECT_EQ(test::DrawingFaults(paper, {0, 0, page.width, 2 * page.height}), "")
                << where << " printed";
        }
}

} // namespace
} // namespace tavo
