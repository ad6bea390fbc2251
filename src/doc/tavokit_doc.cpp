#include "doc/tavokit_doc.h"

#include <ctime>

#include "flight/atomic_file.h"

namespace tavo {

CTAVOkitDoc::CTAVOkitDoc() {
    m_timeDate = static_cast<std::int64_t>(std::time(nullptr));
}

CTAVOkitDoc::~CTAVOkitDoc() {
    StopSampleWriter();
}

void CTAVOkitDoc::StopSampleWriter() {
    if (m_pSampleWriter != nullptr)
        m_pSampleWriter->StopAndWait();
}

void CTAVOkitDoc::UpdateLiveCurves() {
    if (IsLive())
        RecomputeAppended();
}

void CTAVOkitDoc::UpdateAllViews() {
    if (m_pObserver != nullptr)
        m_pObserver->OnUpdateAllViews();
}

void CTAVOkitDoc::SetModifiedFlag(bool modified) {
    if (m_bModified == modified)
        return;
    m_bModified = modified;
    if (m_pObserver != nullptr)
        m_pObserver->OnTitleChanged();
}

void CTAVOkitDoc::SetPathName(const std::string& path) {
    m_strPathName = path;
    if (m_pObserver != nullptr)
        m_pObserver->OnTitleChanged();
}

std::string CTAVOkitDoc::GetTitle() const {
    return m_strPathName.empty() ? std::string("Untitled") : FileNameOf(m_strPathName);
}

void CTAVOkitDoc::OnNewDocument(std::int64_t now) {
    StopSampleWriter();
    ResetFlight(now);
    m_bModified = false;
    SetPathName(std::string());
    FlightReplaced();
}

bool CTAVOkitDoc::OnOpenDocument(const std::string& path, FileError& error) {
    // Stopped before the file is read: lines captured meanwhile would land in the
    // flight being opened.
    StopSampleWriter();
    if (!LoadFlightFile(path, *this, error))
        return false;
    m_pUndoSamples.clear();
    m_bModified = false;
    SetPathName(path);
    FlightReplaced();
    return true;
}

bool CTAVOkitDoc::OnSaveDocument(const std::string& path, FileError& error) {
    if (!SaveFlightFile(path, *this, error))
        return false;
    m_bModified = false;
    SetPathName(path);
    return true;
}

void CTAVOkitDoc::ReplaceSamples(std::vector<std::string> samples) {
    StopSampleWriter();
    {
        std::lock_guard<std::mutex> lock(m_pSamples.mutex());
        m_pSamples.items().swap(samples);
    }
    m_pUndoSamples.clear();
    // A new recording starts from its own first sample.
    m_start.reset();
    Recompute();
    FlightReplaced();
}

void CTAVOkitDoc::FlightReplaced() {
    if (m_pObserver != nullptr)
        m_pObserver->OnFlightReplaced();
    UpdateAllViews();
}

} // namespace tavo
