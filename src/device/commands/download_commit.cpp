#include "device/commands/download_commit.h"

namespace tavo {

void AcceptDownloadedSamples(CTAVOkitDoc& doc, std::vector<std::string>& received) {
    if (received.empty())
        return;
    std::vector<std::string> samples;
    samples.swap(received);
    doc.ReplaceSamples(std::move(samples));
}

void FinishDownloadCommand(CTAVOkitDoc& doc, bool accepted, int maxToReceive) {
    if (accepted) {
        doc.m_nMaxSamples = maxToReceive;
        if (doc.SampleCount() > 0) {
            doc.SetModifiedFlag(true);
            // Recompute sets the interval from the recording's rate (infinite for a
            // rate of 0, without dividing).
            doc.Recompute();
        }
    }
    doc.UpdateAllViews();
}

} // namespace tavo
