#pragma once
// The three cuts around the cursors and the one-level Undo, on the flight alone. The
// window asks the "Warning" question first and redraws afterwards; these do the rest.

#include <string>

#include "flight/flight_record.h"

namespace tavo {

enum class CutKind { ToC1, AfterC2, BetweenCursors };

// The question asked before a cut, caption "Warning".
const char* CutQuestion(CutKind kind);

// Applies a cut with the cursors' sample indices m_nCursor1 and m_nCursor2. When the
// cut's condition fails nothing changes and false is returned. On success the old
// samples are the undo state and the flight is recomputed; the caller resets the
// cursors' positions, redraws and marks the document modified.
bool ApplyCut(FlightRecord& flight, CutKind kind);

// Whether Undo has a state to restore.
inline bool CanUndo(const FlightRecord& flight) {
    return !flight.m_pUndoSamples.empty();
}

// Restores the samples from before the last cut, empties the undo state, recomputes.
// Returns false (and changes nothing) when there is nothing to undo.
bool UndoCut(FlightRecord& flight);

} // namespace tavo
