#include "view/core/draw_graph.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "canvas/recording_canvas.h"
#include "support/flight_builder.h"

namespace tavo {
namespace {

using Op = RecordingCanvas::Op;

// A flight whose derived arrays and ranges are set by hand, so each test states the
// numbers the drawing sees.
void SetCurves(test::Flight& f, const std::vector<float>& accel, const std::vector<float>& vel,
               const std::vector<float>& alt) {
    f.m_pSamples.items().assign(accel.size(), "2048");
    f.m_arrAccel = accel;
    f.m_arrVelocity = vel;
    f.m_arrAltitude = alt;
    f.Curves().m_fSampleInterval = 0.01f;
    f.ComputeRanges();
}

void SetFlat(test::Flight& f, int n, float interval) {
    SetCurves(f, std::vector<float>(n, 0.0f), std::vector<float>(n, 0.0f),
              std::vector<float>(n, 0.0f));
    f.Curves().m_fSampleInterval = interval;
}

std::vector<std::string> TextsIn(const RecordingCanvas& c, int top, int bottom) {
    std::vector<std::string> out;
    for (const auto& t : c.Texts())
        if (t.rect.top == top && t.rect.bottom == bottom)
            out.push_back(t.text);
    return out;
}

// Every drawing caller prepares the flight for the page, then draws it.
void Draw(Canvas& c, test::Flight& f, GraphViewState& v, const GraphPage& page) {
    PrepareGraph(f, v, page);
    DrawGraph(c, f, v, page);
}

// cw 1035 gives a plot 1000 units wide (L = 35), so tenths fall on whole units.
constexpr GraphPage kScreen{1035, 220, false, 0, 0};

TEST(DrawGraph, EmptyFlightShowsOnlyTheWelcomeText) {
    test::Flight f;
    GraphViewState v;
    RecordingCanvas c;
    Draw(c, f, v, {400, 300, false, 0, 0});
    ASSERT_EQ(c.Texts().size(), 1u);
    EXPECT_EQ(c.Texts()[0].text, "Welcome to TAVO ZR7 reader");
    // cx = (35 + 400) / 2 = 217, cy = (0 + 280) / 2 = 140.
    EXPECT_EQ(c.Texts()[0].rect, (Rect{117, 105, 317, 175}));
    EXPECT_TRUE(c.Polylines().empty());
    EXPECT_TRUE(c.Lines().empty());
    EXPECT_EQ(c.Of(Op::Rectangle).at(0).rect, (Rect{35, 0, 400, 280}));
    EXPECT_EQ(v.cursor1, -1) << "no data, so the cursors are not placed";
}

// The whole flight reads in round seconds too; a label that would meet the units at
// the left edge or leave the page at the right is left out with its tick and grid line.
TEST(DrawGraph, WholeFlightTimeLabelsAreRoundAndWholeOnThePage) {
    struct Case {
        int n;
        std::vector<std::string> labels;
    };
    const Case cases[] = {
        {50, {"0.05", "0.10", "0.15", "0.20", "0.25", "0.30", "0.35", "0.40", "0.45"}},
        {500, {"0.5", "1.0", "1.5", "2.0", "2.5", "3.0", "3.5", "4.0", "4.5"}},
        {2000, {"2", "4", "6", "8", "10", "12", "14", "16", "18"}},
    };
    for (const Case& tc : cases)
        for (const bool grid : {true, false}) {
            test::Flight f;
            SetFlat(f, tc.n, 0.01f);
            f.m_bShowCursors = false;
            f.m_bDrawGrid = grid;
            GraphViewState v;
            RecordingCanvas c;
            Draw(c, f, v, kScreen);
            // B = 200: labels sit in B + 2 .. B + 35, centred on the time's x.
            std::vector<std::string> labels;
            for (const auto& t : c.Texts())
                if (t.rect.top == 202 && t.rect.bottom == 235) {
                    labels.push_back(t.text);
                    const double x = 35 + std::stod(t.text) / (tc.n * 0.01) * 1000;
                    EXPECT_NEAR((t.rect.left + t.rect.right) / 2.0, x, 1.0) << t.text;
                    EXPECT_EQ(t.flags, static_cast<unsigned>(TextHCenter));
                }
            EXPECT_EQ(labels, tc.labels) << tc.n;
            std::size_t vertical = 0;
            for (const auto& l : c.Lines())
                if (l.pen == kGridPen && l.points[0].x == l.points[1].x) {
                    EXPECT_EQ(l.points[0].y, 0);
                    EXPECT_EQ(l.points[1].y, 200);
                    ++vertical;
                }
            EXPECT_EQ(vertical, grid ? labels.size() : 0u);
        }
}

TEST(DrawGraph, ValueLabelsStepUpAndDownFromTheZeroLine) {
    test::Flight f;
    // Acceleration range -5 .. 15: V = 2, k = 10, zero line at 200 - 50 = 150, P = 20.
    SetCurves(f, {-5.0f, 15.0f}, {0.0f, 0.0f}, {0.0f, 0.0f});
    f.m_bShowCursors = false;
    GraphViewState v;
    RecordingCanvas c;
    Draw(c, f, v, kScreen);
    std::vector<std::pair<int, std::string>> labels;
    for (const auto& t : c.Texts())
        if (t.rect.left == 5 && t.rect.right == 35 && t.rect.bottom - t.rect.top == 30) {
            labels.push_back({t.rect.top + 15, t.text});
            EXPECT_EQ(t.flags, static_cast<unsigned>(TextRight | TextVCenter | TextSingleLine));
        }
    const std::vector<std::pair<int, std::string>> want{
        {150, "0.0"}, {130, "2.0"}, {110, "4.0"}, {90, "6.0"},   {70, "8.0"},
        {50, "10.0"}, {30, "12.0"}, {10, "14.0"}, {170, "-2.0"}, {190, "-4.0"}};
    EXPECT_EQ(labels, want);
    std::vector<int> gridY;
    for (const auto& l : c.Lines())
        if (l.pen == kGridPen && l.points[0].y == l.points[1].y) {
            EXPECT_EQ(l.points[0].x, 35);
            EXPECT_EQ(l.points[1].x, 1035);
            gridY.push_back(l.points[0].y);
        }
    EXPECT_EQ(gridY, (std::vector<int>{150, 130, 110, 90, 70, 50, 30, 10, 170, 190}));
    const auto units = TextsIn(c, 200, 225);
    EXPECT_EQ(units, std::vector<std::string>{"Gee"});
}

TEST(DrawGraph, LargeMaximumDropsDecimalsOnlyUpwards) {
    test::Flight f;
    // Range -512 .. 1536: V = 204.8, k = 200 / 2048 (exact), zero line at 150.
    SetCurves(f, {-512.0f, 1536.0f}, {0.0f, 0.0f}, {0.0f, 0.0f});
    f.m_bShowCursors = false;
    GraphViewState v;
    RecordingCanvas c;
    Draw(c, f, v, kScreen);
    EXPECT_EQ(TextsIn(c, 135, 165), std::vector<std::string>{"0"});
    EXPECT_EQ(TextsIn(c, 115, 145), std::vector<std::string>{"205"});
    EXPECT_EQ(TextsIn(c, 95, 125), std::vector<std::string>{"410"});
    EXPECT_EQ(TextsIn(c, 155, 185), std::vector<std::string>{"-204.8"});
}

TEST(DrawGraph, ZeroMinimumPutsZeroOnTheBottomEdgeWithoutAGridLine) {
    test::Flight f;
    SetCurves(f, {0.0f, 10.0f}, {0.0f, 0.0f}, {0.0f, 0.0f});
    f.m_bShowCursors = false;
    GraphViewState v;
    RecordingCanvas c;
    Draw(c, f, v, kScreen);
    EXPECT_EQ(TextsIn(c, 185, 215), std::vector<std::string>{"0.0"});
    for (const auto& l : c.Lines())
        EXPECT_NE(l.points[0].y == l.points[1].y ? l.points[0].y : -1, 200);
}

TEST(DrawGraph, UnitsLabelFollowsCurveAndSwitches) {
    struct Case {
        int curve;
        bool metric, gees, raw;
        const char* label;
    };
    const Case cases[] = {
        {0, true, true, false, "Gee"},      {0, true, false, false, "m/s^2"},
        {0, false, false, false, "ft/s^2"}, {0, false, true, true, "RAW"},
        {1, true, true, false, "m/s"},      {1, false, true, false, "MPH"},
        {2, true, true, false, "m"},        {2, false, true, false, "ft"},
    };
    for (const Case& tc : cases) {
        test::Flight f;
        SetCurves(f, {0.0f, 1.0f}, {0.0f, 1.0f}, {0.0f, 1.0f});
        f.m_bMetricUnits = tc.metric;
        f.m_bAccelInGees = tc.gees;
        f.m_bDisplayRaw = tc.raw;
        GraphViewState v;
        v.displayCurve = tc.curve;
        RecordingCanvas c;
        Draw(c, f, v, kScreen);
        EXPECT_EQ(TextsIn(c, 200, 225), std::vector<std::string>{tc.label}) << tc.label;
    }
}

TEST(DrawGraph, CurvesArePolylinesWithTheirPensAndPoints) {
    test::Flight f;
    // Four samples over W = 1000: xStep 250. Acceleration 0..4 scaled by H / 4 = 50.
    SetCurves(f, {0.0f, 4.0f, 2.0f, 1.0f}, {0.0f, 1.0f, 2.0f, 2.0f}, {0.0f, 0.5f, 1.0f, 2.0f});
    GraphViewState v;
    RecordingCanvas c;
    Draw(c, f, v, kScreen);
    const auto lines = c.Polylines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].pen, kBlackPen);
    EXPECT_EQ(lines[0].points, (std::vector<Point>{{35, 200}, {285, 0}, {535, 100}, {785, 150}}));
    EXPECT_EQ(lines[1].pen, kGreenPen);
    EXPECT_EQ(lines[1].points, (std::vector<Point>{{35, 200}, {285, 100}, {535, 0}, {785, 0}}));
    EXPECT_EQ(lines[2].pen, kBluePen);
    EXPECT_EQ(lines[2].points, (std::vector<Point>{{35, 200}, {285, 150}, {535, 100}, {785, 0}}));
}

TEST(DrawGraph, RawDisplayDrawsOnlyTheAccelerationCurve) {
    test::Flight f;
    SetCurves(f, {0.0f, 4.0f}, {0.0f, 1.0f}, {0.0f, 1.0f});
    f.m_bDisplayRaw = true;
    GraphViewState v;
    RecordingCanvas c;
    Draw(c, f, v, kScreen);
    ASSERT_EQ(c.Polylines().size(), 1u);
    EXPECT_EQ(c.Polylines()[0].pen, kBlackPen);
}

TEST(DrawGraph, OneSampleDrawsOnePointAndSetsNoCursor) {
    test::Flight f;
    SetCurves(f, {1.0f}, {0.0f}, {0.0f});
    GraphViewState v;
    RecordingCanvas c;
    Draw(c, f, v, kScreen);
    ASSERT_EQ(c.Polylines().size(), 3u);
    EXPECT_EQ(c.Polylines()[0].points.size(), 1u);
    EXPECT_EQ(ShownCursors(f, v, kScreen).c1, 0);
    EXPECT_EQ(ShownCursors(f, v, kScreen).c2, 0);
}

TEST(DrawGraph, CursorsStartAtTheThirdsAndPointersPickTheFirstSampleThatReachesThem) {
    test::Flight f;
    SetFlat(f, 10, 0.01f); // xStep 100: sample i at x = 35 + 100 i
    GraphViewState v;
    RecordingCanvas c;
    Draw(c, f, v, kScreen);
    // A third and two thirds of W = 1000: x 368 and 701.
    EXPECT_EQ(v.cursor1, 4); // x(3) = 335 < 368 <= x(4) = 435
    EXPECT_EQ(v.cursor2, 7);
    EXPECT_EQ(ShownCursors(f, v, kScreen).c1, 4);
    EXPECT_EQ(ShownCursors(f, v, kScreen).c2, 7);
    // The lines stand on their samples.
    std::vector<int> red;
    for (const auto& l : c.Lines())
        if (l.pen == kRedPen && l.points[0] == (Point{l.points[0].x, 0}))
            red.push_back(l.points[0].x);
    EXPECT_EQ(red, (std::vector<int>{435, 735}));

    struct Case {
        int x1, x2, want1, want2;
    };
    // Exactly on a sample; left of the data sample 1, never 0; right of it the last.
    const Case cases[] = {{135, 436, 1, 5}, {-50, 5000, 1, 9}, {935, 936, 9, 9}};
    for (const Case& tc : cases) {
        PlaceCursorsAtX(f, v, kScreen, tc.x1, tc.x2);
        Draw(c, f, v, kScreen);
        EXPECT_EQ(ShownCursors(f, v, kScreen).c1, tc.want1) << tc.x1;
        EXPECT_EQ(ShownCursors(f, v, kScreen).c2, tc.want2) << tc.x2;
    }
}

// Where the cursor line of C1 stands and the acceleration vertex of its sample, for a
// drawing whose window starts at sample `first`.
std::pair<int, int> CursorAndVertex(const RecordingCanvas& c, int first, int sample) {
    int cursor = -1;
    for (const auto& t : c.Texts())
        if (t.text == "1" && t.pen == kRedPen)
            cursor = t.rect.left - 2;
    const std::vector<Point> points = c.Polylines().at(0).points;
    const int at = sample - first;
    return {cursor, at >= 0 && at < static_cast<int>(points.size()) ? points[at].x : -2};
}

TEST(DrawGraph, ACursorStaysOnItsSampleThroughResizeZoomPanAndPrint) {
    test::Flight f;
    std::vector<float> accel(3000);
    for (std::size_t i = 0; i < accel.size(); ++i)
        accel[i] = static_cast<float>(i % 17); // every sample its own height
    SetCurves(f, accel, std::vector<float>(3000, 0.0f), std::vector<float>(3000, 0.0f));
    GraphViewState v;
    v.cursor1 = 1234;
    v.cursor2 = 2000;
    struct Case {
        GraphPage page;
        TimeWindow window;
        int first; // the window's first drawn sample
    };
    const Case cases[] = {
        {{1035, 220, false, 0, 0}, {}, 0},
        {{700, 300, false, 0, 0}, {}, 0},
        {{300, 200, false, 0, 0}, {}, 0},
        {{1035, 220, false, 0, 0}, {1200, 100}, 1200},
        {{1035, 220, false, 0, 0}, {1180.5, 60}, 1180},
        {{500, 220, false, 0, 0}, {1220, 30}, 1220},
        {{800, 600, true, 38, 38}, {}, 0},
        {{800, 600, true, 38, 38}, {1200, 100}, 1200},
    };
    for (const Case& tc : cases) {
        v.window = tc.window;
        RecordingCanvas c;
        Draw(c, f, v, tc.page);
        EXPECT_EQ(ShownCursors(f, v, tc.page).c1, 1234) << tc.page.cw << " " << tc.window.start;
        EXPECT_EQ(ShownCursors(f, v, tc.page).c2, 2000);
        const auto [cursor, vertex] = CursorAndVertex(c, tc.first, 1234);
        EXPECT_EQ(cursor, vertex) << "the line passes through its sample, " << tc.page.cw << " "
                                  << tc.window.start;
    }
    // Zoomed away from C2: its line is not drawn, its sample stays.
    v.window = {100, 50};
    RecordingCanvas c;
    Draw(c, f, v, kScreen);
    EXPECT_EQ(c.FindText("2"), nullptr);
    EXPECT_EQ(ShownCursors(f, v, kScreen).c2, 2000);
}

TEST(DrawGraph, ZoomedInTheTimeLabelsAreRoundAndTheCurvesStayInTheFrame) {
    test::Flight f;
    std::vector<float> alt(1000);
    for (std::size_t i = 0; i < alt.size(); ++i)
        alt[i] = 100.0f - static_cast<float>(i) * 0.15f; // ends 50 below the pad
    SetCurves(f, std::vector<float>(1000, 1.0f), std::vector<float>(1000, 0.0f), alt);
    f.m_nEvent2 = 10;
    f.m_nEvent4 = 700;
    GraphViewState v;
    for (const TimeWindow w : {TimeWindow{}, TimeWindow{650, 100}}) {
        v.window = w;
        RecordingCanvas c;
        Draw(c, f, v, kScreen);
        for (const auto& p : c.Polylines())
            for (const Point& pt : p.points) {
                EXPECT_GE(pt.x, 35);
                EXPECT_LE(pt.x, 1035);
                EXPECT_GE(pt.y, 0);
                EXPECT_LE(pt.y, 200) << "below the frame's bottom edge";
            }
        const auto labels = TextsIn(c, 202, 235);
        if (w.Whole()) {
            EXPECT_EQ(labels.front(), "1");
            EXPECT_NE(c.FindText("B"), nullptr);
        } else {
            // 6.5 .. 7.5 s: every tenth of a second, 100 units apart; 7.5 s on the right
            // edge would run off the page.
            EXPECT_EQ(labels, (std::vector<std::string>{"6.6", "6.7", "6.8", "6.9", "7.0", "7.1",
                                                        "7.2", "7.3", "7.4"}));
            EXPECT_EQ(c.FindText("B"), nullptr) << "the burn-out marker is off the window";
            ASSERT_NE(c.FindText("A"), nullptr);
            EXPECT_EQ(c.FindText("A")->rect.left, 35 + 500 + 2);
        }
    }
}

TEST(DrawGraph, LegendNamesTheCurvesAndBoxesTheOneTheAxisBelongsTo) {
    test::Flight f;
    SetCurves(f, {0.0f, 1.0f}, {0.0f, 1.0f}, {0.0f, 1.0f});
    GraphViewState v;
    const GraphPage wide{1235, 300, false, 0, 0};
    for (int curve = 0; curve < 3; ++curve) {
        v.displayCurve = curve;
        RecordingCanvas c;
        Draw(c, f, v, wide);
        const char* names[3] = {"Acceleration (Gee)", "Velocity (m/s)", "Altitude (m)"};
        const Pen pens[3] = {kBlackPen, kGreenPen, kBluePen};
        for (int k = 0; k < 3; ++k) {
            const auto* text = c.FindText(names[k]);
            ASSERT_NE(text, nullptr) << names[k];
            // The colour sample just left of the name, in the curve's pen.
            bool sample = false;
            for (const auto& l : c.Lines())
                sample |= l.pen == pens[k] && l.points[1].x == text->rect.left - 4 &&
                          l.points[0].y == (text->rect.top + text->rect.bottom) / 2;
            EXPECT_TRUE(sample) << names[k];
            // Only the selected entry has a black outline around it.
            bool boxed = false;
            for (const auto& l : c.Lines())
                boxed |= l.pen == kBlackPen && l.points[0].y == text->rect.top - 1 &&
                         l.points[0].x < text->rect.left && l.points[1].x > text->rect.right;
            EXPECT_EQ(boxed, k == curve) << names[k] << " with curve " << curve;
        }
    }
    f.m_bDisplayRaw = true;
    v.displayCurve = 0;
    RecordingCanvas raw;
    Draw(raw, f, v, wide);
    EXPECT_NE(raw.FindText("Acceleration (RAW)"), nullptr);
    EXPECT_EQ(raw.FindText("Velocity (m/s)"), nullptr);
}

TEST(DrawGraph, CursorIndexLeftFromALongerFlightStaysOnTheData) {
    test::Flight f;
    SetFlat(f, 10, 0.01f);
    GraphViewState v;
    v.cursor2 = 5000; // left by an earlier, longer flight
    RecordingCanvas c;
    Draw(c, f, v, kScreen);
    EXPECT_EQ(ShownCursors(f, v, kScreen).c2, 9);
    EXPECT_EQ(v.cursor2, 9);
}

TEST(DrawGraph, ReadoutBoxSitsLeftOrFlushRight) {
    test::Flight f;
    SetCurves(f, {0.0f, 1.0f, 3.0f, 6.0f, 10.0f}, {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0});
    f.Curves().m_fSampleInterval = 0.5f;
    GraphViewState v;
    v.cursor1 = 1;
    v.cursor2 = 3;
    for (int position : {0, 1}) {
        f.m_nCursorPosition = position;
        RecordingCanvas c;
        Draw(c, f, v, kScreen);
        const int o = position == 0 ? 0 : 1000 - 155;
        const auto rects = c.Of(Op::Rectangle);
        ASSERT_EQ(rects.size(), 2u);
        EXPECT_EQ(rects[1].rect, (Rect{o + 40, 40, o + 190, 160}));
        if (position == 1) {
            EXPECT_EQ(rects[1].rect.right, 1035) << "flush with the frame's right edge";
        }
        const auto texts = TextsIn(c, 42, 156);
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0], "Cursors:\nC1=1.0 , 0.5s\nC2=6.0 ,1.5s\nDelta Acc=5 m/s\n"
                            "Delta time=1.0 s\nRate=5.0 f/s");
    }
}

TEST(DrawGraph, ReadoutOnOneSampleShowsANonFiniteRate) {
    test::Flight f;
    SetFlat(f, 10, 0.01f);
    GraphViewState v;
    v.cursor1 = 1;
    v.cursor2 = 1;
    RecordingCanvas c;
    Draw(c, f, v, kScreen);
    EXPECT_EQ(ShownCursors(f, v, kScreen).c1, 1);
    EXPECT_EQ(ShownCursors(f, v, kScreen).c2, 1);
    const auto texts = TextsIn(c, 42, 156);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_NE(texts[0].find("Delta time=0.0 s\nRate=nan f/s"), std::string::npos) << texts[0];
}

TEST(DrawGraph, EventMarkersOnlyWithTheCursors) {
    test::Flight f;
    SetFlat(f, 10, 0.01f);
    f.m_nEvent1 = 2;
    f.m_nEvent8 = 5;
    GraphViewState v;
    RecordingCanvas shown;
    Draw(shown, f, v, kScreen);
    const auto i = shown.FindText("I");
    const auto m = shown.FindText("M");
    ASSERT_NE(i, nullptr);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(i->rect, (Rect{237, 2, 247, 30}));
    // The legend stands across the top at M's line: its letter goes to the first row
    // below it rather than over the legend's names.
    EXPECT_EQ(m->rect, (Rect{537, 34, 547, 62}));
    EXPECT_EQ(i->pen, kRedPen);
    EXPECT_EQ(shown.FindText("B"), nullptr);
    EXPECT_EQ(shown.FindText("A"), nullptr);

    f.m_bShowCursors = false;
    RecordingCanvas hidden;
    Draw(hidden, f, v, kScreen);
    EXPECT_EQ(hidden.FindText("I"), nullptr);
    EXPECT_EQ(hidden.FindText("1"), nullptr);
    EXPECT_TRUE(TextsIn(hidden, 42, 156).empty());
    for (const auto& l : hidden.Lines())
        EXPECT_NE(l.pen, kRedPen);
}

TEST(DrawGraph, PointsAndApogeeTexts) {
    test::Flight f;
    SetCurves(f, {0, 0, 0}, {0, 0, 0}, {0.0f, 123.4f, 50.0f});
    GraphViewState v;
    RecordingCanvas c;
    Draw(c, f, v, kScreen);
    const auto* points = c.FindText("3 Points");
    ASSERT_NE(points, nullptr);
    EXPECT_EQ(points->rect, (Rect{1000 - 105, 5, 1000 - 5, 30}));
    EXPECT_EQ(points->flags, static_cast<unsigned>(TextRight));
    ASSERT_NE(c.FindText("Apogee=123 Meters"), nullptr);
    EXPECT_EQ(c.FindText("Apogee=123 Meters")->rect, (Rect{40, 5, 240, 30}));
    f.m_bMetricUnits = false;
    RecordingCanvas e;
    Draw(e, f, v, kScreen);
    EXPECT_NE(e.FindText("Apogee=123 Feet"), nullptr);
}

TEST(DrawGraph, PrintedPageHasMarginsAndTheDetailsBlock) {
    test::Flight f;
    SetFlat(f, 10, 0.01f);
    f.m_strName = "Alpha";
    f.m_strMotor = "C6-5";
    f.m_strComment = "windy";
    f.m_nAccelOffset = 7;
    f.m_fTwoGeeFile = 15.5f;
    f.m_nSampleRate = 100;
    f.m_fLaunchWeight = 0.25f;
    f.m_fMaxDiameter = 0.025f;
    GraphViewState v;
    RecordingCanvas c;
    Draw(c, f, v, {800, 600, true, 40, 30});
    const auto details = c.Texts().at(0);
    EXPECT_EQ(details.rect, (Rect{75, 600, 760, 1200}));
    const std::string tail = "\n\nName: Alpha\n\nMotor: C6-5\n\nComment:\nwindy\n\n"
                             "Acceleration offset: 7\n\nTwo Gee value: 15.500000\n\n"
                             "Sample rate: 100Hz\n\nWeight: 0.250000Kg\n\nDiameter: 0.025000m";
    ASSERT_GE(details.text.size(), tail.size());
    EXPECT_EQ(details.text.substr(details.text.size() - tail.size()), tail);
    // Frame: L = mx + 35, T = my, R = cw - mx, B = (ch - mx - 20) - my.
    EXPECT_EQ(c.Of(Op::Rectangle).at(0).rect, (Rect{75, 30, 760, 510}));

    RecordingCanvas screen;
    Draw(screen, f, v, {800, 600, false, 0, 0});
    for (const auto& t : screen.Texts())
        EXPECT_EQ(t.text.find("Name: "), std::string::npos);
}

TEST(DrawGraph, DegenerateRangesDrawFlatOnTheBottomEdge) {
    test::Flight f;
    SetFlat(f, 5, 0.01f); // every range is 0: scale H / 0
    GraphViewState v;
    RecordingCanvas c;
    Draw(c, f, v, kScreen);
    for (const auto& p : c.Polylines())
        for (const Point& pt : p.points)
            EXPECT_EQ(pt.y, 200);
    EXPECT_EQ(TextsIn(c, 185, 215), std::vector<std::string>{"0.0"});

    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    SetCurves(f, {nan, 1.0f, inf}, {0, 0, 0}, {0, 0, 0});
    f.m_fAccelMax = inf;
    f.Curves().m_fSampleInterval = inf; // a rate of 0
    RecordingCanvas d;
    Draw(d, f, v, kScreen);
    for (const auto& p : d.Polylines())
        for (const Point& pt : p.points) {
            EXPECT_GE(pt.y, 0);
            EXPECT_LE(pt.y, 200);
        }
}

TEST(DrawGraph, HandSetLimitsFarFromTheDataDrawAFewLabels) {
    test::Flight f;
    SetFlat(f, 100, 0.01f);
    // A tiny range far above zero puts the zero line millions of units above the frame.
    f.m_fAccelMin = 1000.0f;
    f.m_fAccelMax = 1000.001f;
    GraphViewState v;
    RecordingCanvas c;
    // Labels are stepped over the frame only, never counted out from the far zero line.
    Draw(c, f, v, kScreen);
    EXPECT_LT(c.Texts().size(), 60u);
    // A window too small for a label step still draws (the curve, far below, is cut).
    RecordingCanvas tiny;
    Draw(tiny, f, v, {40, 25, false, 0, 0});
    EXPECT_EQ(tiny.Of(Op::Rectangle).size(), 2u) << "the frame and the readout";
    for (const auto& p : tiny.Polylines())
        EXPECT_NE(p.pen, kBlackPen) << "the acceleration lies far below the frame";
}

TEST(DrawGraph, ArraysShorterThanTheSampleListAreNotOverrun) {
    test::Flight f;
    SetFlat(f, 10, 0.01f);
    f.m_pSamples.items().push_back("2048"); // appended by capture after the last recompute
    GraphViewState v;
    v.cursor2 = 10;
    RecordingCanvas c;
    Draw(c, f, v, kScreen);
    EXPECT_EQ(c.Polylines().at(0).points.size(), 10u);
    EXPECT_NE(c.FindText("11 Points"), nullptr);
}

} // namespace
} // namespace tavo

namespace tavo {
namespace {

TEST(DrawGraph, LiveCaptureRecomputesBeforeDrawing) {
    test::Flight f;
    f.m_pSamples.items() = {"2048", "2040", "2030"};
    f.m_nSampleRate = 100;
    f.m_fTwoGeeFile = 16.0f;
    GraphViewState v;
    RecordingCanvas still;
    Draw(still, f, v, kScreen);
    EXPECT_TRUE(still.Polylines().empty()) << "no derived curves yet: no curves drawn";
    EXPECT_NE(still.FindText("3 Points"), nullptr);

    f.live = true;
    f.m_pSamples.AppendLocked("2020");
    f.RecomputeAppended(); // what the document does before each drawing of a live flight
    RecordingCanvas live;
    Draw(live, f, v, kScreen);
    ASSERT_EQ(live.Polylines().size(), 3u);
    EXPECT_EQ(live.Polylines()[0].points.size(), 4u);
    EXPECT_EQ(f.m_arrAccel.size(), 4u);
}

// Capture starts with one line: cursors fixed on it would both stay on sample 0. The
// home places follow the growing flight until the user places a cursor or capture ends.
TEST(DrawGraph, LiveCaptureKeepsUnplacedCursorsAtTheirHomePlaces) {
    test::Flight f;
    f.m_nSampleRate = 100;
    f.m_fTwoGeeFile = 16.0f;
    f.live = true;
    GraphViewState v;
    const auto prepare = [&] {
        f.RecomputeAppended(); // as the document does before each drawing of a live flight
        PrepareGraph(f, v, kScreen);
        return ShownCursors(f, v, kScreen);
    };
    f.m_pSamples.AppendLocked("2048");
    prepare();
    int last1 = -1;
    for (const std::size_t lines : {30u, 300u, 3000u}) {
        while (f.m_pSamples.items().size() < lines)
            f.m_pSamples.AppendLocked("2048");
        const CursorRange shown = prepare();
        EXPECT_EQ(v.cursor1, -1) << lines;
        EXPECT_LT(shown.c1, shown.c2) << lines;
        EXPECT_GE(shown.c1, last1) << lines;
        EXPECT_GT(shown.c2, static_cast<int>(lines) / 2) << lines;
        last1 = shown.c1;
    }
    v.cursor2 = 2500; // placed by the user: it stays on its sample
    f.m_pSamples.AppendLocked("2048");
    EXPECT_EQ(prepare().c2, 2500);
    f.live = false;
    const CursorRange over = prepare();
    EXPECT_EQ(v.cursor1, over.c1) << "capture over: the home place is kept";
    EXPECT_GT(over.c1, 0);
}

} // namespace
} // namespace tavo
