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

// Answers every question with OK and keeps the first message, for callers without a
// user to ask (the command-line program prints the message as its failure).
class AnsweringPrompt : public ReportPrompt {
public:
    void ShowMessage(const std::string& text, const std::string&) override {
        if (m_message.empty())
            m_message = text;
    }
    bool AskOkCancel(const std::string&, const std::string&) override { return true; }
    const std::string& Message() const { return m_message; }

private:
    std::string m_message;
};

// The checks both reports make before they compute, in their fixed order: launch weight,
// propellant weight, the cursor question, then the range. Each failure has told the
// user (except a Cancel) and returns false. A range that starts before the first sample
// is refused like an empty one, so no report ever reads before sample 0.
bool CheckReportPreconditions(const FlightRecord& flight, ReportPrompt& prompt);

} // namespace tavo
