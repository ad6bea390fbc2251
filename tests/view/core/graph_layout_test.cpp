// The demo flight as a flyer sees it, in every way the graph can show it and at three
// window sizes: no text over another, none cut, no cursor or marker line through a text
// or a box. This is what the graph looked like before texts were placed: the event
// letters over "Apogee=317 Meters", the marker lines through the readout, the last time
// label cut by the window's edge.

#include <gtest/gtest.h>

#include "flight/flight_file.h"
#include "support/drawn_texts.h"
#include "support/flight_builder.h"
#include "view/core/extra_flights.h"

namespace tavo {
namespace {

void LoadDemo(test::Flight& f) {
    ApplyFirstRunSettings(f);
    FileError error;
    ASSERT_TRUE(LoadFlightFile(TAVOKIT_SOURCE_DIR "/data/demo.flt", f, error));
    ASSERT_GT(f.m_nEvent2, f.m_nEvent1) << "the demo flight marks its burn";
}

// A motor's predicted flight as Predict hands it over: a point every 10 ms from
// ignition, 1.8 s of thrust, then the coast to the apogee.
PredictedCurves Predicted() {
    PredictedCurves p{0.01, {}, {}, {}};
    double v = 0.0, h = 0.0;
    for (int i = 0; v >= 0.0; ++i) {
        const double a = i < 180 ? 60.0 : -9.81 - 0.0004 * v * v;
        p.accel.push_back(a);
        p.velocity.push_back(v);
        p.altitude.push_back(h);
        v += a * 0.01;
        h += v * 0.01;
    }
    return p;
}

TEST(GraphLayout, DemoFlightReadsRightInEveryViewAtThreeSizes) {
    test::Flight f;
    LoadDemo(f);
    // Laid over it: the demo flight read at half its rate (twice as long and four times
    // as high), under a long name, and a prediction.
    const std::string demo = testing::TempDir() + "demo at half rate, a long file name.flt";
    FileError error;
    {
        test::Flight slow;
        ASSERT_TRUE(LoadFlightFile(TAVOKIT_SOURCE_DIR "/data/demo.flt", slow, error));
        slow.m_nSampleRate = 50;
        ASSERT_TRUE(SaveFlightFile(demo, slow, error)) << error.message;
    }
    ExtraFlights overlay, both;
    std::string reason;
    ASSERT_TRUE(overlay.AddFile(demo, f.Settings(), error)) << error.message;
    ASSERT_TRUE(both.AddFile(demo, f.Settings(), error)) << error.message;
    ASSERT_TRUE(both.AddPrediction("F50T predicted, a name of some length", Predicted(), 0.0,
                                   f.Settings(), reason))
        << reason;
    ExtraFlights none;
    struct View {
        const char* name;
        TimeWindow window;
        bool ownAxes, summary, onBurn, readoutRight;
    };
    const View views[] = {
        {"whole flight", {}, false, false, false, false},
        {"cursors on the burn", {}, false, false, true, false},
        {"zoomed on the burn", {200, 300}, false, false, true, false},
        {"own axes", {}, true, false, false, false},
        {"own axes, zoomed", {150, 600}, true, false, true, true},
        {"summary", {}, false, true, false, false},
        {"summary, own axes, burn", {}, true, true, true, true},
    };
    for (const auto& [cw, ch] : {std::pair{640, 420}, {1100, 700}, {1600, 1000}})
        for (const bool printing : {false, true})
            for (const View& v : views)
                for (const ExtraFlights* extra : {&none, &overlay, &both}) {
                    GraphViewState view;
                    view.window = v.window;
                    view.ownAxes = v.ownAxes;
                    view.showSummary = v.summary;
                    if (v.onBurn) {
                        view.cursor1 = f.m_nEvent1;
                        view.cursor2 = f.m_nEvent2;
                    }
                    f.m_nCursorPosition = v.readoutRight ? 1 : 0;
                    const GraphPage page{cw, ch, printing, printing ? 38 : 0, printing ? 38 : 0};
                    PrepareGraph(f, view, page);
                    RecordingCanvas canvas;
                    DrawGraph(canvas, f, view, page, extra->ToDraw(f.Curves()));
                    const Rect sheet{0, 0, cw, printing ? 2 * ch : ch};
                    EXPECT_EQ(test::DrawingFaults(canvas, sheet), "")
                        << v.name << " at " << cw << " x " << ch << (printing ? ", printed" : "")
                        << " with " << extra->Size() << " laid over";
                    // Each view shows what it was asked for.
                    EXPECT_EQ(canvas.FindText("Cursors") != nullptr, v.ownAxes) << v.name;
                    bool summary = false;
                    for (const auto& t : canvas.Texts())
                        summary |= t.text.rfind("Flight summary\nApogee: 316.", 0) == 0;
                    EXPECT_EQ(summary, v.summary) << v.name;
                }
}

// Every curve on its own axis, in its colour: round values where the curve draws them,
// the frame narrowed for the two axes on the right.
TEST(GraphLayout, OwnAxesLabelEachCurveOnItsOwnScale) {
    test::Flight f;
    LoadDemo(f);
    GraphViewState view;
    view.ownAxes = true;
    const GraphPage page{1100, 700, false, 0, 0};
    PrepareGraph(f, view, page);
    RecordingCanvas canvas;
    DrawGraph(canvas, f, view, page);
    const GraphFrame fr = GraphFrameFor(page, f, view);
    EXPECT_EQ(std::pair(fr.L, fr.R), std::pair(45, 1100 - 80));
    const struct {
        float max, min;
        Color color;
        int left, right; // where its labels stand
    } axes[3] = {{f.m_fAccelMax, f.m_fAccelMin, Color{0, 0, 0}, 0, fr.L},
                 {f.m_fVelMax, f.m_fVelMin, Color{0, 140, 0}, fr.R, fr.R + 40},
                 {f.m_fAltMax, f.m_fAltMin, Color{0, 0, 255}, fr.R + 40, 1100}};
    for (const auto& a : axes) {
        int labels = 0;
        for (const auto& t : canvas.Texts())
            if (t.rect.left >= a.left && t.rect.right <= a.right && t.rect.bottom <= fr.B + 15 &&
                t.textColor == a.color) {
                ++labels;
                const double y = fr.B - (std::stod(t.text) - a.min) * fr.H() / (a.max - a.min);
                EXPECT_NEAR((t.rect.top + t.rect.bottom) / 2.0, y, 1.0) << t.text;
            }
        EXPECT_GE(labels, 5) << "labelled in its own colour";
    }
}

} // namespace
} // namespace tavo
