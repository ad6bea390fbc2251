#pragma once
// What the download dialog's OK and the Download DATA command do to the document.

#include <string>
#include <tuple>
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

// The recording's description as the flight holds it (rate, pre-launch setting, two-G
// value, acceleration offset), to tell whether a download changed it.
std::tuple<int, int, float, int> StoredDescription(const FlightRecord& flight);

// The end of the Download DATA command. After OK the maximum is kept and a flight with
// samples is recomputed, and marked modified when `changed` (the download brought
// samples or another description); the views are redrawn either way.
void FinishDownloadCommand(CTAVOkitDoc& doc, bool accepted, int maxToReceive, bool changed);

} // namespace tavo
