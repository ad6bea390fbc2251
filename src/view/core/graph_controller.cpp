#include "view/core/graph_controller.h"

namespace tavo {

void GraphController::OnLButtonDown(int x) {
    m_view.m_nDragCursor = (m_view.m_xCursor1 - 5 <= x && x <= m_view.m_xCursor1 + 5) ? 1 : 0;
    if (m_view.m_xCursor2 - 5 <= x && x <= m_view.m_xCursor2 + 5)
        m_view.m_nDragCursor = 2;
}

void GraphController::OnMouseMove(int x) {
    if (m_view.m_nDragCursor == 1)
        m_view.m_xCursor1 = x;
    else if (m_view.m_nDragCursor == 2)
        m_view.m_xCursor2 = x;
}

void GraphController::OnLButtonUp() {
    if (m_view.m_nDragCursor != 0) {
        m_view.m_nDragCursor = 0;
        m_doc.UpdateAllViews();
        return;
    }
    m_doc.m_nDisplayCurve = m_doc.m_nDisplayCurve >= 2 ? 0 : m_doc.m_nDisplayCurve + 1;
    if (m_doc.m_bDisplayRaw)
        m_doc.m_nDisplayCurve = 0;
    m_doc.UpdateAllViews();
}

bool GraphController::CanCut(CutKind kind) const {
    return kind == CutKind::BetweenCursors || m_doc.m_bShowCursors;
}

bool GraphController::OnCut(CutKind kind, UserPrompt& prompt) {
    // A disabled command does nothing, whether it came from the menu or a key.
    if (!CanCut(kind))
        return false;
    if (!prompt.AskOkCancel(CutQuestion(kind), "Warning", Severity::Warning))
        return false;
    if (!ApplyCut(m_doc, kind))
        return false;
    // The next drawing puts the cursors back at a third and two thirds.
    m_view.m_xCursor1 = -1;
    m_view.m_xCursor2 = -1;
    m_view.m_nDragCursor = 0;
    m_doc.UpdateAllViews();
    m_doc.SetModifiedFlag(true);
    return true;
}

bool GraphController::OnUndo() {
    if (!UndoCut(m_doc))
        return false;
    m_doc.UpdateAllViews();
    m_doc.SetModifiedFlag(true);
    return true;
}

void GraphController::OnUnits(bool metric) {
    m_doc.m_bMetricUnits = metric;
    m_doc.Recompute();
    m_doc.UpdateAllViews();
}

void GraphController::OnCursors() {
    if (m_doc.SampleCount() == 0)
        return;
    m_doc.m_bShowCursors = !m_doc.m_bShowCursors;
    m_doc.UpdateAllViews();
}

} // namespace tavo
