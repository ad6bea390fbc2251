#pragma once
// What the download dialog's OK and the Download DATA command do to the document.

#include <string>
#include <vector>

#include "device/flight_download.h"
#include "doc/tavokit_doc.h"
#include "prompt/user_prompt.h"

namespace tavo {

// The dialog's OK: a non-empty download replaces the document's samples (and empties
// its undo list); `received` is emptied.
void AcceptDownloadedSamples(CTAVOkitDoc& doc, std::vector<std::string>& received);

// After a transfer: a download that ended before the recording did is told, with how
// much arrived and why, and kept for OK only when the user says Yes (No is the
// default: a partial flight must not pass for the whole one). True when the received
// samples may be kept.
bool KeepPartialDownload(const FlightDownload& download, UserPrompt& prompt);

// The end of the Download DATA command. After OK the maximum is kept and a flight
// with samples is marked modified and recomputed; the views are redrawn either way.
void FinishDownloadCommand(CTAVOkitDoc& doc, bool accepted, int maxToReceive);

} // namespace tavo
