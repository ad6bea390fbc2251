#include "telemetry/telemetry_commands.h"

#include <algorithm>

namespace tavo {

TelemetryController::TelemetryController(CTAVOkitDoc& doc, PortDirectory& ports,
                                         UserPrompt& threadPrompt)
    : m_doc(doc), m_ports(ports), m_threadPrompt(threadPrompt) {
    m_doc.SetSampleWriter(this);
}

TelemetryController::~TelemetryController() {
    StopAndWait();
    m_doc.SetSampleWriter(nullptr);
}

void TelemetryController::StartTelemetry(const std::string& portName) {
    Reap();
    // A new session of capture counts its lines from zero.
    if (!Capturing())
        m_reapedLines = 0;
    m_running = true;
    m_captures.push_back(std::make_unique<TelemetryCapture>(m_ports, m_doc.Record().m_pSamples,
                                                            portName, m_threadPrompt));
    m_doc.SetModifiedFlag(true);
}

void TelemetryController::StopTelemetry() {
    for (const auto& capture : m_captures)
        capture->RequestStop();
    m_running = false;
    m_doc.SetModifiedFlag(true);
}

bool TelemetryController::CheckTelemetryList(UserPrompt& prompt) const {
    if (m_doc.SampleCount() == 0) {
        prompt.ShowMessage("Nothing to Display", "Error", Severity::Error);
        return false;
    }
    return true;
}

void TelemetryController::StopAndWait() {
    for (const auto& capture : m_captures)
        capture->RequestStop();
    for (const auto& capture : m_captures)
        capture->Join();
    Reap();
    m_running = false;
}

void TelemetryController::Reap() {
    const auto ended = std::stable_partition(m_captures.begin(), m_captures.end(),
                                             [](const auto& c) { return !c->Finished(); });
    for (auto it = ended; it != m_captures.end(); ++it) {
        (*it)->Join();
        m_reapedLines += (*it)->Lines();
    }
    m_captures.erase(ended, m_captures.end());
}

bool TelemetryController::Capturing() const {
    return std::any_of(m_captures.begin(), m_captures.end(),
                       [](const auto& c) { return !c->Finished(); });
}

std::size_t TelemetryController::LinesReceived() const {
    std::size_t lines = m_reapedLines;
    for (const auto& capture : m_captures)
        lines += capture->Lines();
    return lines;
}

bool ReadyForFreshCapture(CTAVOkitDoc& doc, UserPrompt& prompt,
                          const std::function<bool()>& saveModified, std::int64_t now) {
    const std::size_t samples = doc.SampleCount();
    if (samples == 0)
        return true;
    const std::string text = "Start Telemetry captures the live lines into a fresh flight.\n"
                             "The flight in the window (" +
                             std::to_string(samples) + " samples) is closed first.";
    if (!prompt.AskOkCancel(text, kAppTitle) || !saveModified())
        return false;
    const int rate = doc.Record().m_nSampleRate;
    doc.OnNewDocument(now);
    doc.Record().m_nSampleRate = rate;
    return true;
}

} // namespace tavo
