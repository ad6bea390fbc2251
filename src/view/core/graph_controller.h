#pragma once
// What the graph view does with the mouse, the keys and its commands: cursor drags that
// follow the pointer, the curve switch, zoom and pan along the time axis, cursor keys,
// the cuts with their questions, Undo and Redo, units and cursors on/off. Plain C++:
// the window forwards events here with the page it shows and repaints when told.

#include <string>

#include "doc/flight_edit.h"
#include "doc/tavokit_doc.h"
#include "prompt/user_prompt.h"
#include "view/core/draw_graph.h"

namespace tavo {

class GraphController {
public:
    GraphController(CTAVOkitDoc& doc, GraphViewState& view) : m_doc(doc), m_view(view) {}

    // The page the window shows (its client size); pointer positions are read on it.
    void SetPage(const GraphPage& page) { m_page = page; }

    // Left button pressed at view x: picks the cursor within 5 units, C2 before C1, and
    // makes it the one the keys move. With `pan` (Shift held) it starts a pan instead.
    void OnLButtonDown(int x, bool pan = false);
    // Middle button pressed: starts a pan.
    void OnMButtonDown(int x);
    // Pointer moved: a dragged cursor follows to the sample under it, a pan slides the
    // time axis; either repaints.
    void OnMouseMove(int x);
    // A button released: ends a drag or a pan with a repaint; a plain left click
    // switches the curve.
    void OnButtonUp();
    // The wheel turned by `angleDelta` eighths of a degree (a notch is 120) with the
    // pointer at view x: zooms about the pointer, in when turned away from the user.
    void OnWheel(int x, int angleDelta);
    // The pointer is a cross-hair while a cursor is dragged.
    bool ShowsCrossHair() const { return m_view.dragCursor != 0; }
    bool IsPanning() const { return m_panning; }
    // The cursor (1 or 2) a press at x would take, 0 for none.
    int CursorNear(int x) const;

    // The graph's own keys, as the window receives them.
    enum class Key { Left, Right, Tab };
    // Left/Right: one sample (Shift: ten), with Ctrl the previous or next event marker;
    // Tab: the other cursor. False for a key the graph does not take.
    bool OnKey(Key key, bool shift, bool ctrl);

    // Keys: Left/Right move the cursor the keys move by `samples`; Tab switches it;
    // Ctrl+Left/Right jump to the previous (-1) or next (+1) event marker. Each keeps
    // the cursor in view. Nothing moves while the cursors are hidden.
    void MoveActiveCursor(int samples);
    void SwitchActiveCursor();
    void JumpToMarker(int direction);

    // View > Zoom In (+), Zoom Out (-), Zoom to Cursors, Whole Flight (Home).
    void ZoomIn();
    void ZoomOut();
    void ZoomToCursors();
    void WholeFlight();
    bool CanZoom() const;
    bool IsZoomed() const { return !m_view.window.Whole(); }
    // Forgets the cursors and the zoom: the next drawing starts afresh (another flight).
    void ResetView();

    // Edit > Delete to C1 / Delete after C2 / Delete between cursors. Asks first (OK /
    // Cancel, caption "Warning", exclamation icon); a failed condition changes nothing
    // and says nothing. True when samples were cut.
    bool OnCut(CutKind kind, UserPrompt& prompt);
    // Edit > Undo and Redo.
    bool OnUndo();
    bool OnRedo();
    // View > Units > English / Metric.
    void OnUnits(bool metric);
    // View > Cursors: shows or hides the cursors when there is a flight.
    void OnCursors();
    // View > Cursors on Burn: C1 on the launch marker, C2 on the burn-out marker, the
    // cursors shown and the burn in view. A flight without both markers in order is
    // told so and keeps its cursors. True when the cursors moved.
    bool CursorsOnBurn(UserPrompt& prompt);
    // View > All Curves on Own Axes and View > Flight Summary.
    void ToggleOwnAxes();
    void ToggleSummary();
    bool OwnAxesTicked() const { return m_view.ownAxes; }
    bool SummaryTicked() const { return m_view.showSummary; }

    // Enable and tick rules of the view's commands.
    bool CanCut(CutKind kind) const;
    bool CanUndo() const { return tavo::CanUndo(m_doc.Record()); }
    bool CanRedo() const { return tavo::CanRedo(m_doc.Record()); }
    bool CursorsTicked() const { return m_doc.Settings().m_bShowCursors; }
    bool MetricTicked() const { return m_doc.Settings().m_bMetricUnits; }

    // The samples C1 and C2 stand on as the window shows them: what the cuts, the
    // reports and the exports take.
    CursorRange Cursors() const;
    // The document's flight as the graph draws it.
    FlightData Flight() const;

    // The keys of the graph, as the Help menu lists them.
    static const char* KeysHelp();

private:
    int SampleCount() const { return GraphSampleCount(Flight()); }
    // The plot frame of the page shown, as the drawing lays it out.
    GraphFrame Frame() const;
    // The sample cursor 1 or 2 stands on: while live capture keeps the cursors at their
    // home places the view holds none yet, and the drawing's choice is the one shown.
    int ShownCursorSample(int cursor) const;
    int ActiveCursorSample() const { return ShownCursorSample(m_view.activeCursor); }
    // The view x of cursor 1 or 2 on `sample` on the page shown. The pointer asks at
    // every move, and on a million-sample flight the running x is a long sum, so the
    // answer is kept until the sample, the zoom, the page or the flight's length changes.
    int CursorX(int cursor, int sample, int n, TimeWindow window) const;
    // Puts cursor 1 or 2 on `sample` and keeps it in view.
    void PutCursor(int cursor, int sample, bool keepInView);
    void Zoom(double factor);
    void Repaint() { m_doc.UpdateAllViews(); }

    CTAVOkitDoc& m_doc;
    GraphViewState& m_view;
    GraphPage m_page;
    bool m_panning = false;
    int m_panX = 0;
    TimeWindow m_panFrom;
    struct KnownX {
        int sample = -1, n = -1, left = -1, right = -1, x = 0;
        TimeWindow window;
    };
    mutable KnownX m_knownX[2];
};

} // namespace tavo
