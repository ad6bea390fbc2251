#pragma once
// The three cuts around the cursors with Undo and Redo of every cut, on the recorded
// flight alone. The window asks the "Warning" question first and redraws afterwards; the
// document recomputes the curves (CTAVOkitDoc::Cut, Undo, Redo).

#include <string>

#include "flight/cursor_range.h"
#include "flight/flight_record.h"
#include "flight/user_settings.h"

namespace tavo {

enum class CutKind { ToC1, AfterC2, BetweenCursors };

// The question asked before a cut, caption "Warning".
const char* CutQuestion(CutKind kind);

// Applies a cut around the cursors of `range`. When the cut's condition fails nothing
// changes and false is returned. On success the cut is the next one Undo takes back
// (Redo forgets what was undone before); a cut before C1 keeps where the curves computed
// with `settings` stood. The caller recomputes, resets the cursors' positions, redraws
// and marks the document modified.
bool ApplyCut(FlightRecord& flight, const UserSettings& settings, CutKind kind, CursorRange range);

// Whether Undo has a state to restore.
inline bool CanUndo(const FlightRecord& flight) {
    return !flight.m_pUndoSamples.empty();
}

// Whether Redo has an undone cut to make again.
inline bool CanRedo(const FlightRecord& flight) {
    return !flight.m_pUndoSamples.m_redo.empty();
}

// Puts back the samples the last cut took away, where they stood; the cut can then be
// made again by RedoCut. Returns false (and changes nothing) when there is nothing to
// undo.
bool UndoCut(FlightRecord& flight);

// Makes the last undone cut again. Returns false (and changes nothing) when there is
// nothing to redo.
bool RedoCut(FlightRecord& flight);

} // namespace tavo
