#pragma once
// What the download dialog's OK and the Download DATA command do to the document.

#include <string>
#include <vector>

#include "doc/tavokit_doc.h"

namespace tavo {

// The dialog's OK: a non-empty download replaces the document's samples (and empties
// its undo list); `received` is emptied.
void AcceptDownloadedSamples(CTAVOkitDoc& doc, std::vector<std::string>& received);

// The end of the Download DATA command. After OK the maximum is kept and a flight
// with samples is marked modified and recomputed; the views are redrawn either way.
void FinishDownloadCommand(CTAVOkitDoc& doc, bool accepted, int maxToReceive);

} // namespace tavo
