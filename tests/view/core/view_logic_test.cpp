// The view's rules without widgets: the cursor hit test, the dialogs' field reading
// and the Details unit arithmetic.

#include <functional>
#include <gtest/gtest.h>

#include "flight/number_text.h"
#include "support/scripted_prompt.h"
#include "view/core/display_dialogs.h"
#include "view/core/graph_controller.h"

namespace tavo {
namespace {

struct Counting : CTAVOkitDoc::Observer {
    int redraws = 0;
    void OnUpdateAllViews() override { ++redraws; }
    void OnTitleChanged() override {}
};

// A flat flight of n samples on a window 1000 units wide (L 35): with n = 1000 sample
// i sits at x = 35 + i.
struct Graph {
    explicit Graph(int n) : c(doc, v) {
        doc.Record().m_pSamples.items().assign(static_cast<std::size_t>(n), "2048");
        doc.Record().m_nSampleRate = 100;
        doc.Recompute();
        doc.SetObserver(&views);
        c.SetPage(kPage);
    }
    ~Graph() { doc.SetObserver(nullptr); }
    void Paint() { PrepareGraph(doc.Data(), v, kPage); }
    static constexpr GraphPage kPage{1035, 220, false, 0, 0};
    CTAVOkitDoc doc;
    Counting views;
    GraphViewState v;
    GraphController c;
};

TEST(GraphController, HitTestPrefersC2AndReachesFiveUnits) {
    Graph g(1000);
    g.c.OnLButtonDown(4);
    EXPECT_EQ(g.v.dragCursor, 0) << "cursors not placed yet have no line to take";
    g.v.cursor1 = 100; // x 135
    g.v.cursor2 = 108; // x 143
    const std::pair<int, int> presses[] = {{129, 0}, {130, 1}, {139, 2}, {148, 2}, {149, 0}};
    for (const auto& [x, want] : presses) {
        g.c.OnLButtonDown(x);
        EXPECT_EQ(g.v.dragCursor, want) << x;
        g.c.OnButtonUp();
    }
}

TEST(GraphController, ADraggedCursorFollowsThePointerSampleBySample) {
    Graph g(1000);
    g.Paint(); // the thirds: x 368 and 701, samples 333 and 666
    g.c.OnLButtonDown(35 + 333 + 3);
    ASSERT_TRUE(g.c.ShowsCrossHair());
    EXPECT_EQ(g.v.activeCursor, 1);
    g.c.OnMouseMove(35 + 500);
    EXPECT_EQ(g.c.Cursors().c1, 500) << "the flight's index follows at once";
    EXPECT_EQ(g.views.redraws, 1) << "and the readout with it";
    g.c.OnMouseMove(-40); // beyond the frame: the first sample shown, never 0
    EXPECT_EQ(g.v.cursor1, 1);
    g.c.OnMouseMove(5000);
    EXPECT_EQ(g.v.cursor1, 999);
    g.c.OnButtonUp();
    EXPECT_FALSE(g.c.ShowsCrossHair());
    EXPECT_EQ(g.v.displayCurve, 0) << "a drag does not switch the curve";
    g.c.OnMouseMove(200); // no drag: nothing follows
    EXPECT_EQ(g.v.cursor1, 999);
    EXPECT_EQ(g.v.cursor2, 666);
    g.c.OnLButtonDown(900); // a click away from the cursors switches the curve
    g.c.OnButtonUp();
    EXPECT_EQ(g.v.displayCurve, 1);
}

TEST(GraphController, KeysMoveTheActiveCursorBySamplesAndMarkers) {
    Graph g(1000);
    g.doc.Curves().m_nEvent1 = 250;
    g.doc.Curves().m_nEvent2 = 430;
    g.doc.Curves().m_nEvent4 = 980;
    g.Paint(); // C1 333, C2 666
    using Key = GraphController::Key;
    struct Step {
        Key key;
        bool shift, ctrl;
        int c1, c2;
    };
    const Step steps[] = {
        {Key::Right, false, false, 334, 666}, {Key::Right, true, false, 344, 666},
        {Key::Left, false, true, 250, 666},   {Key::Left, false, true, 250, 666}, // none before
        {Key::Right, false, true, 430, 666},  {Key::Tab, false, false, 430, 666},
        {Key::Right, false, true, 430, 980},  {Key::Right, true, false, 430, 990},
        {Key::Right, true, false, 430, 999},  {Key::Tab, false, false, 430, 999},
        {Key::Left, true, false, 420, 999},
    };
    for (const Step& s : steps) {
        EXPECT_TRUE(g.c.OnKey(s.key, s.shift, s.ctrl));
        EXPECT_EQ(g.c.Cursors().c1, s.c1);
        EXPECT_EQ(g.c.Cursors().c2, s.c2);
    }
    for (int i = 0; i < 500; ++i)
        g.c.MoveActiveCursor(-1);
    EXPECT_EQ(g.c.Cursors().c1, 1) << "sample 0 is never a cursor's";
    // Hidden cursors do not move.
    g.doc.Settings().m_bShowCursors = false;
    g.c.OnKey(Key::Right, false, false);
    EXPECT_EQ(g.c.Cursors().c1, 1);
}

TEST(GraphController, ZoomAndPanKeepWhatThePointerOrTheCursorShows) {
    Graph g(1000);
    g.Paint();
    // Two wheel notches in, about x 235 (sample 200): it stays under the pointer.
    g.c.OnWheel(235, 240);
    ASSERT_TRUE(g.c.IsZoomed());
    EXPECT_NEAR(PositionAtX(LayoutGraph(Graph::kPage), g.v.window, 1000, 235), 200.0, 1e-9);
    EXPECT_NEAR(g.v.window.span, 1000 / 1.5625, 1e-9);
    // A middle-button drag of 100 units slides the window back by 100 units' worth.
    const TimeWindow before = g.v.window;
    g.c.OnMButtonDown(500);
    g.c.OnMouseMove(600);
    EXPECT_NEAR(g.v.window.start, before.start - 100 * before.span / 1000, 1e-9);
    g.c.OnButtonUp();
    EXPECT_EQ(g.v.displayCurve, 0) << "a pan is no click";
    // Zoom to the cursors, then a key keeps the moved cursor in sight.
    g.v.activeCursor = 1;
    g.c.ZoomToCursors();
    EXPECT_LE(g.v.window.start, 333);
    EXPECT_GE(g.v.window.start + g.v.window.span, 666);
    g.c.WholeFlight();
    g.c.ZoomIn(); // about C1, which is in sight
    g.c.ZoomIn();
    const double c1 = PositionAtX(LayoutGraph(Graph::kPage), g.v.window, 1000,
                                  SampleXIn(LayoutGraph(Graph::kPage), g.v.window, 1000, 333));
    EXPECT_NEAR(c1, 333, 1.0);
    for (int i = 0; i < 300; ++i)
        g.c.MoveActiveCursor(1);
    const TimeWindow w = g.v.window;
    EXPECT_TRUE(633 >= w.start && 633 <= w.start + w.span) << "the window followed";
    g.c.ZoomOut();
    g.c.ZoomOut();
    EXPECT_FALSE(g.c.IsZoomed());
    // A flight of ten samples cannot be narrowed further.
    Graph small(10);
    EXPECT_FALSE(small.c.CanZoom());
    small.c.OnWheel(300, 120);
    EXPECT_FALSE(small.c.IsZoomed());
}

TEST(GraphController, CutsStartTheViewAfreshAndUndoRedoMarkTheFlight) {
    Graph g(1000);
    test::ScriptedPrompt user;
    g.Paint();
    g.c.OnWheel(500, 120);
    ASSERT_TRUE(g.c.OnCut(CutKind::ToC1, user));
    EXPECT_EQ(g.doc.Record().m_pSamples.size(), 1000u - 333u);
    EXPECT_EQ(g.v.cursor1, -1) << "back to the thirds at the next drawing";
    EXPECT_FALSE(g.c.IsZoomed());
    EXPECT_TRUE(g.c.CanUndo());
    g.doc.SetModifiedFlag(false);
    ASSERT_TRUE(g.c.OnUndo());
    EXPECT_TRUE(g.doc.IsModified());
    EXPECT_TRUE(g.c.CanRedo());
    ASSERT_TRUE(g.c.OnRedo());
    EXPECT_EQ(g.doc.Record().m_pSamples.size(), 1000u - 333u);
    EXPECT_FALSE(g.c.OnRedo());
}

TEST(GraphController, CursorsOnBurnTakeTheMarkersOrSayWhyNot) {
    const struct {
        int launch, burnout;
        TimeWindow window, after;
        const char* missing; // nullptr: the cursors move
    } cases[] = {
        {100, 180, {}, {}, nullptr},
        {100, 180, {90, 200}, {90, 200}, nullptr}, // zoomed over the burn: the zoom stays
        {100, 180, {500, 100}, WindowAround(100, 180, 1000), nullptr},
        {0, 180, {}, {}, "no launch marker (I)"},
        {100, 5000, {}, {}, "no burn-out marker (B)"}, // beyond the samples
        {0, 0, {}, {}, "neither a launch marker (I) nor a burn-out marker (B)"},
        {180, 100, {}, {}, "its burn-out marker (B) before its launch marker (I)"},
    };
    for (const auto& c : cases) {
        Graph g(1000);
        g.Paint();
        g.doc.Curves().m_nEvent1 = c.launch;
        g.doc.Curves().m_nEvent2 = c.burnout;
        g.doc.Settings().m_bShowCursors = false;
        g.v.window = c.window;
        const int c1 = g.c.Cursors().c1, c2 = g.c.Cursors().c2;
        test::ScriptedPrompt prompt;
        EXPECT_EQ(g.c.CursorsOnBurn(prompt), !c.missing) << c.launch << " " << c.burnout;
        ASSERT_EQ(prompt.messages.size(), c.missing ? 1u : 0u);
        if (c.missing) {
            EXPECT_NE(prompt.messages[0].text.find(c.missing), std::string::npos);
        }
        EXPECT_EQ(g.doc.Settings().m_bShowCursors, !c.missing);
        EXPECT_EQ(g.c.Cursors().c1, c.missing ? c1 : c.launch);
        EXPECT_EQ(g.c.Cursors().c2, c.missing ? c2 : c.burnout);
        EXPECT_EQ(g.v.window, c.missing ? c.window : c.after);
    }
}

// Axes of their own narrow the frame: a pointer reads the cursor where it is drawn.
TEST(GraphController, OwnAxesMoveTheCursorsWithTheFrame) {
    Graph g(1000);
    g.Paint();
    g.v.cursor1 = 500; // x 535 on the full frame
    g.v.cursor2 = 900;
    EXPECT_EQ(g.c.CursorNear(535), 1);
    g.c.ToggleOwnAxes();
    EXPECT_TRUE(g.c.OwnAxesTicked());
    // L 45, R 955: 910 units for 1000 samples.
    EXPECT_EQ(g.c.CursorNear(45 + 455), 1);
    EXPECT_EQ(g.c.CursorNear(535), 0);
    g.c.ToggleOwnAxes();
    EXPECT_EQ(g.c.CursorNear(535), 1);
    g.c.ToggleSummary();
    EXPECT_TRUE(g.c.SummaryTicked());
    EXPECT_TRUE(g.v.showSummary);
}

TEST(DetailsLogic, EveryUnitConvertsThroughKilogramsAndMetres) {
    FlightRecord r;
    r.m_fLaunchWeight = 1.0f;
    r.m_fPropellantWeight = 0.1f;
    r.m_fMaxDiameter = 0.05f;
    using Q = DetailsLogic::Quantity;
    struct Case {
        Q q;
        int unit;
        const char* name;
        float shown; // the flight's value in that unit
    };
    const Case cases[] = {
        {Q::LaunchWeight, 1, "LB", 2.205f}, {Q::LaunchWeight, 2, "g", 1000.0f},
        {Q::LaunchWeight, 3, "oz", 35.28f}, {Q::PropellantWeight, 2, "g", 100.0f},
        {Q::MaxDiameter, 1, "in", 1.9685f}, {Q::MaxDiameter, 2, "mm", 50.0f},
        {Q::MaxDiameter, 3, "cm", 5.0f},
    };
    for (const Case& c : cases) {
        DetailsLogic d(r);
        const float stored = d.Value(c.q);
        EXPECT_STREQ(DetailsLogic::UnitName(c.q, c.unit), c.name);
        d.OnUnitSelected(c.q, c.unit);
        d.OnUnitSelected(c.q, c.unit); // already shown so: no second conversion
        EXPECT_FLOAT_EQ(d.Value(c.q), c.shown) << c.name;
        // Round every unit and back: no drift, to float precision.
        for (int u = 0; u < DetailsLogic::kUnitCount; ++u)
            d.OnUnitSelected(c.q, u);
        d.OnUnitSelected(c.q, c.unit);
        EXPECT_FLOAT_EQ(d.Value(c.q), c.shown) << c.name;
        // A value typed in the unit reaches the flight in kg or m.
        d.SetValue(c.q, 2 * c.shown);
        d.OnClose();
        EXPECT_EQ(d.Unit(c.q), 0);
        EXPECT_FLOAT_EQ(d.Value(c.q), 2 * stored) << c.name;
    }
}

TEST(DisplayDialogs, OkRecomputesButMarksTheFlightOnlyWhenAValueChanged) {
    struct Case {
        const char* what;
        std::function<void(SetupValues&, DetailsLogic&)> change;
        bool modified;
    };
    const Case cases[] = {
        {"nothing", [](SetupValues&, DetailsLogic&) {}, false},
        {"rate", [](SetupValues& s, DetailsLogic&) { s.sampleRate = 50; }, true},
        {"two-G saved",
         [](SetupValues& s, DetailsLogic&) {
             s.useFileTwoGee = false, s.saveTwoGeeToFile = true, s.twoGee = 17.0f;
         },
         true},
        {"name", [](SetupValues&, DetailsLogic& d) { d.name = "other"; }, true},
        {"weight in lb and back",
         [](SetupValues&, DetailsLogic& d) {
             d.OnUnitSelected(DetailsLogic::LaunchWeight, 1);
             d.OnClose();
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // Never recomputed yet: the two-G value in use is still 0, the file's 16.
        CTAVOkitDoc doc;
        doc.Record().m_pSamples.items() = {"2048", "2040"};
        doc.Record().m_nSampleRate = 100;
        doc.Record().m_fTwoGeeFile = 16.0f;
        doc.Record().m_fLaunchWeight = 0.5f;
        SetupValues setup = SetupFromDoc(doc);
        DetailsLogic details(doc.Record());
        c.change(setup, details);
        ApplySetup(setup, doc);
        details.ApplyTo(doc);
        EXPECT_EQ(doc.IsModified(), c.modified);
        ASSERT_EQ(doc.Curves().m_arrAccel.size(), 2u);
        EXPECT_NE(doc.Curves().m_fTwoGee, 0.0f);
    }
}

} // namespace
} // namespace tavo
