// The view's rules without widgets: the cursor hit test, the dialogs' field reading
// and the Details unit arithmetic.

#include <gtest/gtest.h>

#include "flight/number_text.h"
#include "view/core/display_dialogs.h"
#include "view/core/graph_controller.h"

namespace tavo {
namespace {

struct Counting : CTAVOkitDoc::Observer {
    int redraws = 0;
    void OnUpdateAllViews() override { ++redraws; }
    void OnTitleChanged() override {}
};

TEST(GraphController, HitTestPrefersC2AndReachesFiveUnits) {
    CTAVOkitDoc doc;
    GraphViewState v;
    GraphController c(doc, v);
    // Before the first drawing both cursors sit at -1: a press at x <= 4 takes C2.
    c.OnLButtonDown(4);
    EXPECT_EQ(v.m_nDragCursor, 2);
    c.OnLButtonDown(5);
    EXPECT_EQ(v.m_nDragCursor, 0);

    v.m_xCursor1 = 100;
    v.m_xCursor2 = 108;
    c.OnLButtonDown(95);
    EXPECT_EQ(v.m_nDragCursor, 1);
    c.OnLButtonDown(104);
    EXPECT_EQ(v.m_nDragCursor, 2) << "both within reach: C2";
    c.OnLButtonDown(113);
    EXPECT_EQ(v.m_nDragCursor, 2);
    c.OnLButtonDown(114);
    EXPECT_EQ(v.m_nDragCursor, 0);
}

TEST(GraphController, DragMovesWithoutRedrawAndReleaseRedrawsOnce) {
    CTAVOkitDoc doc;
    Counting views;
    doc.SetObserver(&views);
    GraphViewState v;
    v.m_xCursor1 = 100;
    v.m_xCursor2 = 300;
    GraphController c(doc, v);
    c.OnLButtonDown(102);
    ASSERT_TRUE(c.ShowsCrossHair());
    c.OnMouseMove(150);
    c.OnMouseMove(-40); // beyond the frame is allowed
    EXPECT_EQ(v.m_xCursor1, -40);
    EXPECT_EQ(views.redraws, 0);
    c.OnLButtonUp();
    EXPECT_EQ(views.redraws, 1);
    EXPECT_FALSE(c.ShowsCrossHair());
    EXPECT_EQ(doc.m_nDisplayCurve, 0);
    c.OnMouseMove(500); // no drag: nothing follows
    EXPECT_EQ(v.m_xCursor1, -40);
    EXPECT_EQ(v.m_xCursor2, 300);
    doc.SetObserver(nullptr);
}

TEST(DetailsLogic, PoundsAndInchesGoBackToKilogramsAndMetres) {
    FlightRecord r;
    r.m_fLaunchWeight = 1.0f;
    r.m_fPropellantWeight = 0.1f;
    r.m_fMaxDiameter = 0.05f;
    DetailsLogic d(r);
    d.OnUnitSelected(DetailsLogic::LaunchWeight, 1);
    EXPECT_FLOAT_EQ(d.Value(DetailsLogic::LaunchWeight), 2.205f);
    d.OnUnitSelected(DetailsLogic::LaunchWeight, 1); // already in lb: no second conversion
    EXPECT_FLOAT_EQ(d.Value(DetailsLogic::LaunchWeight), 2.205f);
    d.OnUnitSelected(DetailsLogic::LaunchWeight, 0);
    EXPECT_FLOAT_EQ(d.Value(DetailsLogic::LaunchWeight), 1.0f);
    d.OnUnitSelected(DetailsLogic::MaxDiameter, 1);
    EXPECT_FLOAT_EQ(d.Value(DetailsLogic::MaxDiameter), 1.9685f);
    d.SetValue(DetailsLogic::MaxDiameter, 3.937f);
    d.OnClose();
    EXPECT_TRUE(d.IsMetric(DetailsLogic::MaxDiameter));
    EXPECT_NEAR(d.Value(DetailsLogic::MaxDiameter), 0.1f, 1e-7);
    EXPECT_FLOAT_EQ(d.Value(DetailsLogic::PropellantWeight), 0.1f);
}

TEST(SetupLogic, UnchangedOkStillRecomputesAndMarksModified) {
    CTAVOkitDoc doc;
    doc.m_pSamples.items() = {"2048", "2040"};
    doc.m_nSampleRate = 100;
    doc.m_fTwoGeeFile = 16.0f;
    ApplySetup(SetupFromDoc(doc), doc);
    EXPECT_TRUE(doc.IsModified());
    ASSERT_EQ(doc.m_arrAccel.size(), 2u);
    EXPECT_FLOAT_EQ(doc.m_arrAccel[1], 1.0f);
    EXPECT_FLOAT_EQ(doc.m_fTwoGee, 16.0f);
}

} // namespace
} // namespace tavo
