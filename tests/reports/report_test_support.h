#pragma once
// Flights and a scripted user for the report tests.

#include <string>
#include <utility>
#include <vector>

#include "flight/flight_record.h"
#include "reports/report_prompt.h"

namespace tavo::test {

// Answers the cursor question as told and remembers everything it was shown.
class ScriptedPrompt : public ReportPrompt {
public:
    explicit ScriptedPrompt(bool answerOk = true) : m_answerOk(answerOk) {}
    void ShowMessage(const std::string& text, const std::string& caption) override {
        messages.emplace_back(text, caption);
    }
    bool AskOkCancel(const std::string& text, const std::string& caption) override {
        questions.emplace_back(text, caption);
        return m_answerOk;
    }
    std::vector<std::pair<std::string, std::string>> messages;
    std::vector<std::pair<std::string, std::string>> questions;

private:
    bool m_answerOk;
};

// Fills a flight with the given sample words (no flags) and recomputes it.
inline void SetSamples(FlightRecord& flight, const std::vector<int>& words, int rate = 100,
                       float twoGee = 16.0f) {
    flight.m_pSamples.items().clear();
    for (int word : words)
        flight.m_pSamples.items().push_back(std::to_string(word));
    flight.m_nSampleRate = rate;
    flight.m_fTwoGeeFile = twoGee;
    flight.m_bUseFileTwoGee = true;
    flight.Recompute();
}

} // namespace tavo::test
