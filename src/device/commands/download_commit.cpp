#include "device/commands/download_commit.h"

namespace tavo {

void AcceptDownloadedSamples(CTAVOkitDoc& doc, std::vector<std::string>& received) {
    if (received.empty())
        return;
    std::vector<std::string> samples;
    samples.swap(received);
    doc.ReplaceSamples(std::move(samples));
}

bool KeepPartialDownload(const FlightDownload& download, UserPrompt& prompt) {
    if (!download.EndedEarly())
        return true;
    if (download.m_nSamplesReceived == 0) {
        prompt.ShowMessage(download.EarlyEndText(), kAppTitle, Severity::Warning);
        return false;
    }
    return prompt.Ask(download.EarlyEndText() + "\n\nKeep the partial flight?", kAppTitle,
                      Severity::Warning, Buttons::YesNo) == Answer::Yes;
}

std::tuple<int, int, float, int> StoredDescription(const FlightRecord& flight) {
    return {flight.m_nSampleRate, flight.m_nPreLaunchSetting, flight.m_fTwoGeeFile,
            flight.m_nAccelOffset};
}

void FinishDownloadCommand(CTAVOkitDoc& doc, bool accepted, int maxToReceive, bool changed) {
    if (accepted) {
        doc.Settings().m_nMaxSamples = maxToReceive;
        if (doc.SampleCount() > 0) {
            // OK with nothing downloaded leaves the flight as its file has it.
            if (changed)
                doc.SetModifiedFlag(true);
            // Recompute sets the interval from the recording's rate (infinite for a
            // rate of 0, without dividing).
            doc.Recompute();
        }
    }
    doc.UpdateAllViews();
}

} // namespace tavo
