#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <limits>

#include <gtest/gtest.h>

#include "canvas/recording_canvas.h"
#include "reports/report_draw.h"
#include "support/flight_builder.h"
#include "support/scripted_prompt.h"
#include "support/test_files.h"

namespace tavo {
namespace {

using test::SetSamples;
using Call = RecordingCanvas::Call;
using Op = RecordingCanvas::Op;

// Twelve samples at 100 Hz, 8 counts per g: 0 g at the pad, then 1 2 3 2 1 0 1 2 3 1 g
// over samples 1..10, the range between the cursors (n = 10).
void MakeFlight(test::Flight& flight) {
    std::vector<int> words{2048};
    for (int g : {1, 2, 3, 2, 1, 0, 1, 2, 3, 1})
        words.push_back(2048 - 8 * g);
    words.push_back(2048);
    SetSamples(flight, words, 100, 16.0f);
}

MotorReport MakeReport(float peakThrust, float peakAccel, CursorRange range = {1, 11}) {
    MotorReport report;
    report.range = range;
    report.m_fPeakThrust = peakThrust;
    report.m_fPeakAccel = peakAccel;
    report.m_strMotorClass = "F158";
    report.m_strBurnTime = "0.40";
    report.m_strAvgThrustN = "158.19";
    report.m_strAvgThrustLb = "35.55";
    report.m_strPeakThrustN = "264.87";
    report.m_strPeakThrustLb = "59.52";
    report.m_strTotalImpulseN = "63.27";
    report.m_strTotalImpulseLb = "14.22";
    report.m_strIsp = "32.2";
    return report;
}

std::vector<Call> TextsIn(const RecordingCanvas& canvas, unsigned flags) {
    std::vector<Call> found;
    for (const Call& call : canvas.Texts())
        if (call.flags == flags)
            found.push_back(call);
    return found;
}
constexpr unsigned kTimeLabel = TextHCenter;
constexpr unsigned kValueLabel = TextRight | TextVCenter | TextSingleLine;

TEST(MotorReportWindow, FrameAxesCurveAndResultsBox) {
    test::Flight flight;
    MakeFlight(flight);
    RecordingCanvas canvas;
    DrawMotorReport(canvas, flight, MakeReport(12.3f, 3.0f), 640, 320);

    // Page, then frame L 50, T 0, R 640, B 300 in the black pen.
    ASSERT_EQ(canvas.Of(Op::Font).size(), 1u);
    EXPECT_EQ(canvas.Of(Op::Font)[0].fontHeight, 16);
    ASSERT_EQ(canvas.Of(Op::Fill).size(), 1u);
    EXPECT_EQ(canvas.Of(Op::Fill)[0].rect, (Rect{0, 0, 640, 320}));
    EXPECT_EQ(canvas.Of(Op::Fill)[0].color, (Color{255, 255, 255}));
    const auto rects = canvas.Of(Op::Rectangle);
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[0].rect, (Rect{50, 0, 640, 300}));
    EXPECT_EQ(rects[0].pen, kBlackPen);

    // Time ticks at each tenth of W = 590; 0.01 s per sample, under 10 s: two decimals.
    // The tenth, on the window's right edge, would be cut in half: it is left out.
    const auto ticks = TextsIn(canvas, kTimeLabel);
    ASSERT_EQ(ticks.size(), 9u);
    const char* seconds[] = {"0.01", "0.02", "0.03", "0.04", "0.05",
                             "0.06", "0.07", "0.08", "0.09"};
    for (int k = 1; k <= 9; ++k) {
        const int x = 50 + 59 * k;
        EXPECT_EQ(ticks[k - 1].rect, (Rect{x - 20, 302, x + 20, 335}));
        EXPECT_EQ(ticks[k - 1].text, seconds[k - 1]);
    }

    // Value labels from the bottom edge up, every H / 10 = 30 units, in steps of
    // ceil(12.3) * 0.1 newtons.
    const auto values = TextsIn(canvas, kValueLabel);
    const char* expected[] = {"0.0", "1.3", "2.6",  "3.9",  "5.2", "6.5",
                              "7.8", "9.1", "10.4", "11.7", "13.0"};
    ASSERT_EQ(values.size(), 11u);
    for (int k = 0; k < 11; ++k) {
        // The top label, centred on the window's top edge, moves down to show whole.
        const int down = k == 10 ? 5 : 0;
        EXPECT_EQ(values[k].rect,
                  (Rect{5, 300 - 30 * k - 15 + down, 50, 300 - 30 * k + 15 + down}));
        EXPECT_EQ(values[k].text, expected[k]);
    }

    // Dashed grey grid: one vertical per tick, one horizontal per label above the bottom.
    const auto lines = canvas.Of(Op::Line);
    ASSERT_EQ(lines.size(), 19u);
    for (const Call& line : lines)
        EXPECT_EQ(line.pen, kGridPen);
    EXPECT_EQ(lines[0].points[0], (Point{109, 0}));
    EXPECT_EQ(lines[0].points[1], (Point{109, 300}));
    EXPECT_EQ(lines[9].points[0], (Point{50, 270}));
    EXPECT_EQ(lines[9].points[1], (Point{640, 270}));
    EXPECT_EQ(lines[18].points[0], (Point{50, 0}));

    // n + 1 points: the pad reading at the left edge, then each sample, scaled so that
    // the peak of 3 g touches the top; the last on the right edge.
    const auto curves = canvas.Of(Op::Polyline);
    ASSERT_EQ(curves.size(), 1u);
    EXPECT_EQ(curves[0].pen, kBlackPen);
    const std::vector<Point> points{{50, 300},  {109, 200}, {168, 100}, {227, 0},
                                    {286, 100}, {345, 200}, {404, 300}, {463, 200},
                                    {522, 100}, {581, 0},   {640, 200}};
    EXPECT_EQ(curves[0].points, points);

    // The results box comes last, over the curve, around x = W / 2.
    const auto& calls = canvas.calls();
    ASSERT_GE(calls.size(), 2u);
    const Call& box = calls[calls.size() - 2];
    EXPECT_EQ(box.op, Op::Rectangle);
    EXPECT_EQ(box.rect, (Rect{210, 190, 380, 300}));
    EXPECT_EQ(box.pen, kBlackPen);
    const Call& text = calls.back();
    EXPECT_EQ(text.op, Op::Text);
    EXPECT_EQ(text.rect, (Rect{217, 195, 373, 300}));
    EXPECT_EQ(text.flags, TextLeft | TextTop);
    EXPECT_EQ(text.text, "F158\nBurn Time: 0.40s\nAvg: 158.19N 35.55lb\n"
                         "Peak: 264.87N 59.52lb\nTotal: 63.27N s 14.22lb s\nIsp: 32.2");
}

TEST(MotorReportWindow, TimeLabelsTakeOneDecimalFromTenSeconds) {
    struct Case {
        int samples;
        const char* firstLabel;
    };
    for (const Case& c : {Case{999, "1.00"}, Case{1000, "1.0"}, Case{2000, "2.0"}}) {
        test::Flight flight;
        SetSamples(flight, std::vector<int>(c.samples + 1, 2048), 100);
        RecordingCanvas canvas;
        DrawMotorReport(canvas, flight, MakeReport(1.0f, 1.0f, {1, c.samples + 1}), 640, 320);
        const auto ticks = TextsIn(canvas, kTimeLabel);
        ASSERT_FALSE(ticks.empty());
        // 999 samples make 9.99 s (at 0.999 s a tick: "1.00" after rounding).
        EXPECT_EQ(ticks[0].text, c.firstLabel) << c.samples;
        EXPECT_GE(ticks.size(), 9u);
        EXPECT_LE(ticks.size(), 10u);
        const auto curves = canvas.Of(Op::Polyline);
        ASSERT_EQ(curves.size(), 1u);
        EXPECT_EQ(curves[0].points.size(), static_cast<std::size_t>(c.samples) + 1);
        EXPECT_NEAR(curves[0].points.back().x, 640, 1);
    }
}

TEST(MotorReportWindow, NoGridLeavesTheLabels) {
    test::Flight flight;
    MakeFlight(flight);
    flight.m_bDrawGrid = false;
    RecordingCanvas canvas;
    DrawMotorReport(canvas, flight, MakeReport(12.3f, 3.0f), 640, 320);
    EXPECT_TRUE(canvas.Of(Op::Line).empty());
    EXPECT_EQ(TextsIn(canvas, kTimeLabel).size(), 9u);
    EXPECT_EQ(TextsIn(canvas, kValueLabel).size(), 11u);
}

TEST(MotorReportWindow, LabelFormatFollowsThePeakAcceleration) {
    test::Flight flight;
    MakeFlight(flight);
    RecordingCanvas canvas;
    DrawMotorReport(canvas, flight, MakeReport(12.3f, 1000.0f), 640, 320);
    const auto values = TextsIn(canvas, kValueLabel);
    ASSERT_EQ(values.size(), 11u);
    EXPECT_EQ(values[1].text, "1");
    EXPECT_EQ(values[10].text, "13");
}

TEST(MotorReportWindow, SmallWindowsEndTheirAxes) {
    test::Flight flight;
    MakeFlight(flight);
    // 5 units of frame: no step to climb by, so the 0 label alone.
    RecordingCanvas flat;
    DrawMotorReport(flat, flight, MakeReport(12.3f, 3.0f), 120, 25);
    EXPECT_EQ(flat.Of(Op::Rectangle).at(0).rect, (Rect{50, 0, 120, 5}));
    const auto values = TextsIn(flat, kValueLabel);
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].text, "0.0");
    // Smaller than the bottom margin and narrower than the label margin: still bounded.
    for (auto size : {std::pair{10, 10}, std::pair{0, 0}, std::pair{-5, -5}}) {
        RecordingCanvas tiny;
        DrawMotorReport(tiny, flight, MakeReport(12.3f, 3.0f), size.first, size.second);
        EXPECT_LT(tiny.calls().size(), 40u);
        EXPECT_EQ(tiny.Of(Op::Polyline).size(), 1u);
    }
}

TEST(MotorReportWindow, ZeroOrBrokenPeaksDrawOnTheFrame) {
    test::Flight flight;
    MakeFlight(flight);
    for (float peak :
         {0.0f, std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN()}) {
        RecordingCanvas canvas;
        DrawMotorReport(canvas, flight, MakeReport(0.0f, peak), 640, 320);
        const auto curves = canvas.Of(Op::Polyline);
        ASSERT_EQ(curves.size(), 1u);
        ASSERT_EQ(curves[0].points.size(), 11u);
        for (const Point& p : curves[0].points)
            EXPECT_EQ(p.y, 300) << peak;
        // An infinite peak is above 999 g: whole-number labels.
        for (const Call& label : TextsIn(canvas, kValueLabel))
            EXPECT_EQ(label.text, std::isinf(peak) ? "0" : "0.0");
    }
    // Non-finite samples stay within reach of the frame instead of wrapping around.
    flight.m_arrAccel[2] = std::numeric_limits<float>::infinity();
    flight.m_arrAccel[3] = -std::numeric_limits<float>::infinity();
    flight.m_arrAccel[4] = std::numeric_limits<float>::quiet_NaN();
    flight.m_arrAccel[5] = 1e30f;
    RecordingCanvas canvas;
    DrawMotorReport(canvas, flight, MakeReport(12.3f, 3.0f), 640, 320);
    const auto points = canvas.Of(Op::Polyline).at(0).points;
    EXPECT_LT(points[2].y, -100000);
    EXPECT_GT(points[3].y, 100000);
    EXPECT_EQ(points[4].y, 300);
    EXPECT_EQ(points[5].y, points[2].y);
    for (const Point& p : points)
        EXPECT_LE(std::abs(p.y), 1 << 20);
}

TEST(MotorReportWindow, RangeOutsideTheCurveDrawsOnlyTheFrame) {
    test::Flight flight;
    MakeFlight(flight);
    RecordingCanvas canvas; // C2 past the derived data
    DrawMotorReport(canvas, flight, MakeReport(12.3f, 3.0f, {1, 40}), 640, 320);
    EXPECT_TRUE(canvas.Of(Op::Polyline).empty());
    EXPECT_TRUE(TextsIn(canvas, kTimeLabel).empty());
    EXPECT_EQ(canvas.Of(Op::Rectangle).size(), 2u); // frame and results box
}

class PrintedPage : public ::testing::Test {
protected:
    void SetUp() override {
        const char* tz = std::getenv("TZ");
        m_savedTz = tz ? tz : "";
        m_hadTz = tz != nullptr;
        test::SetEnv("TZ", "UTC0");
        test::ReadTimeZone();
    }
    void TearDown() override {
        if (m_hadTz)
            test::SetEnv("TZ", m_savedTz.c_str());
        else
            test::SetEnv("TZ", nullptr);
        test::ReadTimeZone();
    }
    std::string m_savedTz;
    bool m_hadTz = false;
};

TEST_F(PrintedPage, MarginsDetailsAndFigures) {
    test::Flight flight;
    MakeFlight(flight);
    flight.m_timeDate = 1717200000; // 2024-06-01 00:00 UTC, a Saturday
    flight.m_strName = "Test";
    flight.m_strMotor = "C6-5";
    flight.m_strComment = "line1\nline2 \xE9t\xE9";
    flight.m_nAccelOffset = 512;
    flight.m_fTwoGeeFile = 15.0f;
    flight.m_fLaunchWeight = 0.1f;
    flight.m_fMaxDiameter = 0.025f;
    ReportPageGeometry page;
    page.width = 640;
    page.height = 320;
    page.marginX = 30;
    page.marginY = 25;
    RecordingCanvas canvas;
    DrawMotorReportPage(canvas, flight, MakeReport(12.3f, 3.0f), page);

    // L = Mx + 70, T = My, R = w - Mx, B = h - Mx - 20 - My.
    const auto rects = canvas.Of(Op::Rectangle);
    ASSERT_EQ(rects.size(), 1u); // no results box on paper
    EXPECT_EQ(rects[0].rect, (Rect{100, 25, 610, 245}));

    const auto values = TextsIn(canvas, kValueLabel);
    ASSERT_EQ(values.size(), 11u); // H = 220, 22 units a step
    EXPECT_EQ(values[0].rect, (Rect{35, 230, 100, 260}));
    EXPECT_EQ(values[10].rect, (Rect{35, 10, 100, 40}));
    EXPECT_EQ(values[10].text, "13.0");

    const auto ticks = TextsIn(canvas, kTimeLabel);
    ASSERT_EQ(ticks.size(), 10u);
    EXPECT_EQ(ticks[0].rect, (Rect{151 - 20, 247, 151 + 20, 280})); // 100 + 51
    EXPECT_EQ(ticks[0].text, "0.01");
    EXPECT_EQ(canvas.Of(Op::Polyline).at(0).points.size(), 11u);
    EXPECT_EQ(canvas.Of(Op::Polyline).at(0).points.back().x, 610);

    const auto blocks = TextsIn(canvas, TextLeft | TextTop);
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[0].rect, (Rect{100, 320, 510, 640})); // right edge: the frame width
    EXPECT_EQ(blocks[0].text, "Saturday, June 01, 2024\n\nName: Test\n\nMotor: C6-5\n\n"
                              "Acceleration offset: 512\n\nTwo Gee value: 15.000\n\n"
                              "Sample rate: 100Hz\n\nWeight: 0.100Kg\n\nDiameter: 0.025m\n\n"
                              "Comment:\nline1\nline2 \xE9t\xE9");
    EXPECT_EQ(blocks[1].rect, (Rect{356, 320, 610, 640}));
    EXPECT_EQ(blocks[1].text, "F158\n\nBurn Time: 0.40s\n\nAvg: 158.19N  35.55lb\n\n"
                              "Peak: 264.87N  59.52lb\n\nTotal: 63.27N s  14.22lb s\n\nIsp: 32.2");
}

TEST_F(PrintedPage, NoThrustIsSaidInPlaceOfAClassAndTheCdReportHasAPage) {
    test::Flight flight;
    MakeFlight(flight);
    MotorReport report = MakeReport(12.3f, 3.0f);
    report.m_bThrustAbovePad = false;
    const unsigned caption = TextLeft | TextTop | TextSingleLine;
    const ReportPageGeometry page{640, 320, 1.0, 30, 25};
    RecordingCanvas paper;
    DrawMotorReportPage(paper, flight, report, page);
    EXPECT_EQ(TextsIn(paper, TextLeft | TextTop)
                  .at(1)
                  .text.rfind("No thrust above the pad reading: no motor class\n\nBurn Time:", 0),
              0u);

    CdReport cd;
    cd.m_kind = CdKind::Drag;
    cd.m_strNote = "the flight has no diameter in its details";
    RecordingCanvas cdPaper;
    DrawCdReportPage(cdPaper, flight, cd, page);
    EXPECT_EQ(cdPaper.Of(Op::Rectangle).at(0).rect, (Rect{100, 25, 610, 245}));
    EXPECT_EQ(TextsIn(cdPaper, caption).at(0).text,
              std::string(CdKindName(CdKind::Drag)) +
                  ": no figures, the flight has no diameter in its details");
    EXPECT_EQ(TextsIn(cdPaper, TextLeft | TextTop).at(1).text,
              "Cd Report\n\n" + CdFiguresText(cd, "\n\n"));
}

TEST_F(PrintedPage, DatesFarInTheFutureKeepTheirYear) {
    // A flight file may carry any 64-bit date; a year past the int range must not wrap.
    test::Flight flight;
    flight.m_timeDate = 67768007758905600; // 1 January of the year 2147484647, UTC
    const std::string details = FlightDetailsPageText(flight);
    EXPECT_EQ(details.substr(0, details.find('\n')), "Friday, January 01, 2147484647");
    flight.m_timeDate = INT64_MAX; // beyond what local time can hold: no date line
    EXPECT_EQ(FlightDetailsPageText(flight).substr(0, 8), "\n\nName: ");
}

TEST_F(PrintedPage, NoGridOnPaperEither) {
    test::Flight flight;
    MakeFlight(flight);
    flight.m_bDrawGrid = false;
    ReportPageGeometry page{640, 320, 7.5, 31, 31};
    RecordingCanvas canvas;
    DrawMotorReportPage(canvas, flight, MakeReport(12.3f, 3.0f), page);
    EXPECT_TRUE(canvas.Of(Op::Line).empty());
    EXPECT_EQ(TextsIn(canvas, kValueLabel).size(), 11u);
}

TEST(ReportMenu, OpensAtTheMouseOrNearTheCornerFromTheKeyboard) {
    EXPECT_EQ(ReportMenuClientPoint(Point{-1, -1}, true), (Point{9, 9}));
    EXPECT_EQ(ReportMenuClientPoint(Point{300, 120}, true), (Point{9, 9}));
    EXPECT_EQ(ReportMenuClientPoint(Point{300, 120}, false), (Point{300, 120}));
}

TEST(CdReportWindow, AxisAndCurve) {
    test::Flight flight;
    MakeFlight(flight);
    flight.m_arrCd = {std::numeric_limits<float>::quiet_NaN(),
                      0.25f,
                      0.5f,
                      0.1f,
                      0.0f,
                      0.2f,
                      0.3f,
                      0.4f,
                      0.5f,
                      0.45f,
                      0.05f,
                      9.0f};
    CdReport report;
    report.range = {1, 11};
    report.m_fCdMax = 0.5f;
    RecordingCanvas canvas;
    DrawCdReport(canvas, flight, report, 640, 320);

    EXPECT_EQ(canvas.Of(Op::Rectangle).size(), 1u); // frame only, no results box
    EXPECT_EQ(canvas.Of(Op::Rectangle)[0].rect, (Rect{50, 0, 640, 300}));
    const auto values = TextsIn(canvas, kValueLabel);
    ASSERT_EQ(values.size(), 11u);
    EXPECT_EQ(values[0].text, "0.00");
    EXPECT_EQ(values[1].text, "0.05");
    EXPECT_EQ(values[2].text, "0.10");
    EXPECT_EQ(values[10].text, "0.50");
    // The first point repeats the first sample of the range, 0.25, at the left edge.
    const std::vector<Point> points{{50, 150},  {109, 150}, {168, 0},   {227, 240},
                                    {286, 300}, {345, 180}, {404, 120}, {463, 60},
                                    {522, 0},   {581, 30},  {640, 270}};
    EXPECT_EQ(canvas.Of(Op::Polyline).at(0).points, points);
    EXPECT_EQ(TextsIn(canvas, TextLeft | TextTop).size(), 0u);
}

TEST(CdReportWindow, LabelFormats) {
    struct Case {
        float max;
        const char* second;
    };
    for (const Case& c :
         {Case{0.5f, "0.05"}, Case{5.0f, "0.5"}, Case{999.0f, "99.9"}, Case{2000.0f, "200"},
          Case{std::numeric_limits<float>::infinity(), "inf"}}) {
        test::Flight flight;
        MakeFlight(flight);
        flight.m_arrCd.assign(12, c.max);
        CdReport report;
        report.range = {1, 11};
        report.m_fCdMax = c.max;
        RecordingCanvas canvas;
        DrawCdReport(canvas, flight, report, 640, 320);
        const auto values = TextsIn(canvas, kValueLabel);
        ASSERT_EQ(values.size(), 11u);
        EXPECT_EQ(values[1].text, c.second) << c.max;
        const std::vector<Point> points = canvas.Of(Op::Polyline).at(0).points;
        for (const Point& p : points) {
            // Finite: every sample at the top. An infinite maximum has no scale, so
            // the curve lies on the bottom edge instead of at garbage coordinates.
            EXPECT_EQ(p.y, std::isinf(c.max) ? 300 : 0) << c.max;
        }
    }
}

} // namespace
} // namespace tavo
