#pragma once
// What the graph view does with the mouse and with its commands: cursor drags, the
// curve switch, the three cuts with their questions, Undo, units and cursors on/off.
// Plain C++: the window forwards events here and repaints when told.

#include <string>

#include "doc/flight_edit.h"
#include "doc/tavokit_doc.h"
#include "prompt/user_prompt.h"
#include "view/core/draw_graph.h"

namespace tavo {

class GraphController {
public:
    GraphController(CTAVOkitDoc& doc, GraphViewState& view) : m_doc(doc), m_view(view) {}

    // Left button pressed at view x: picks the cursor within 5 units, C2 before C1.
    void OnLButtonDown(int x);
    // Pointer moved: a dragged cursor follows without a repaint.
    void OnMouseMove(int x);
    // Left button released: ends a drag with a repaint, otherwise switches the curve.
    void OnLButtonUp();
    // The pointer is a cross-hair while a cursor is dragged.
    bool ShowsCrossHair() const { return m_view.m_nDragCursor != 0; }

    // Edit > Delete to C1 / Delete after C2 / Delete between cursors. Asks first (OK /
    // Cancel, caption "Warning", exclamation icon); a failed condition changes nothing
    // and says nothing. True when samples were cut.
    bool OnCut(CutKind kind, UserPrompt& prompt);
    // Edit > Undo.
    bool OnUndo();
    // View > Units > English / Metric.
    void OnUnits(bool metric);
    // View > Cursors: shows or hides the cursors when there is a flight.
    void OnCursors();

    // Enable and tick rules of the view's commands.
    bool CanCut(CutKind kind) const;
    bool CanUndo() const { return tavo::CanUndo(m_doc); }
    bool CursorsTicked() const { return m_doc.m_bShowCursors; }
    bool MetricTicked() const { return m_doc.m_bMetricUnits; }

private:
    CTAVOkitDoc& m_doc;
    GraphViewState& m_view;
};

} // namespace tavo
