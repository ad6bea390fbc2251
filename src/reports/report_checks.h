#pragma once
// The checks both reports make before they compute.

#include <string>

#include "flight/cursor_range.h"
#include "flight/flight_data.h"
#include "prompt/user_prompt.h"

namespace tavo {

// In their fixed order: launch weight, propellant weight, the cursor question, then the
// range. Each failure has told the user (except a Cancel) and returns false. A range
// that starts before the first sample is refused like an empty one, so no report ever
// reads before sample 0.
bool CheckReportPreconditions(const FlightData& flight, CursorRange range, UserPrompt& prompt);

// "Nothing to Report", with why the cursors' range holds nothing below it when that is
// known.
std::string NothingToReportText(const FlightRecord& flight, CursorRange range);

} // namespace tavo
