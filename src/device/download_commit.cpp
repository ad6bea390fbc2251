#include "device/download_commit.h"

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
            // A recording without a rate keeps the interval it had.
            if (doc.m_nSampleRate > 0)
                doc.m_fSampleInterval = 1.0f / static_cast<float>(doc.m_nSampleRate);
            doc.Recompute();
        }
    }
    doc.UpdateAllViews();
}

} // namespace tavo
