#pragma once
// How the reports talk to the user before they open: a message box and an OK/Cancel
// question. The report windows implement it with real message boxes; tests and the
// command-line program script the answers.

#include <string>

#include "flight/flight_record.h"

namespace tavo {

class ReportPrompt {
public:
    virtual ~ReportPrompt() = default;
    // A message box with one OK button.
    virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;
    // A question with OK and Cancel; true only when the user chose OK.
    virtual bool AskOkCancel(const std::string& text, const std::string& caption) = 0;
};

// The checks both reports make before they compute, in their fixed order: launch weight,
// propellant weight, the cursor question, then the range. Each failure has told the
// user (except a Cancel) and returns false. A range that starts before the first sample
// is refused like an empty one, so no report ever reads before sample 0.
bool CheckReportPreconditions(const FlightRecord& flight, ReportPrompt& prompt);

} // namespace tavo
