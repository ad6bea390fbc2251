#include "doc/tavokit_doc.h"

#include <ctime>

#include "doc/flight_edit.h"
#include "flight/atomic_file.h"

namespace tavo {

CTAVOkitDoc::CTAVOkitDoc() {
    m_flight.m_timeDate = static_cast<std::int64_t>(std::time(nullptr));
}

CTAVOkitDoc::~CTAVOkitDoc() {
    StopSampleWriter();
}

void CTAVOkitDoc::StopSampleWriter() {
    if (m_pSampleWriter != nullptr)
        m_pSampleWriter->StopAndWait();
}

void CTAVOkitDoc::Recompute() {
    if (m_curves.Recompute(m_flight, m_settings))
        KeepCalibration();
}

void CTAVOkitDoc::RecomputeAppended() {
    if (m_curves.RecomputeAppended(m_flight, m_settings))
        KeepCalibration();
}

void CTAVOkitDoc::KeepCalibration() {
    m_settings.m_fSampleInterval = m_curves.m_fSampleInterval;
    m_settings.m_fTwoGee = m_curves.m_fTwoGee;
}

void CTAVOkitDoc::UpdateLiveCurves() {
    if (IsLive())
        RecomputeAppended();
}

void CTAVOkitDoc::UpdateAllViews() {
    if (m_pObserver != nullptr)
        m_pObserver->OnUpdateAllViews();
}

bool CTAVOkitDoc::IsModified() const {
    return m_bModified || UndoDepth() != m_nCleanDepth;
}

void CTAVOkitDoc::ModifiedMayHaveChanged(bool was) {
    if (IsModified() != was && m_pObserver != nullptr)
        m_pObserver->OnTitleChanged();
}

void CTAVOkitDoc::SetModifiedFlag(bool modified) {
    const bool was = IsModified();
    m_bModified = modified;
    if (!modified)
        m_nCleanDepth = UndoDepth();
    ModifiedMayHaveChanged(was);
}

bool CTAVOkitDoc::Cut(CutKind kind, CursorRange range) {
    const bool was = IsModified();
    const std::ptrdiff_t depth = UndoDepth();
    if (!ApplyCut(m_flight, m_settings, kind, range))
        return false;
    Recompute();
    // A cut made after undoing past the saved flight forgets the cuts that led to it.
    if (m_nCleanDepth > depth)
        m_nCleanDepth = -1;
    ModifiedMayHaveChanged(was);
    return true;
}

bool CTAVOkitDoc::Undo() {
    const bool was = IsModified();
    if (!UndoCut(m_flight))
        return false;
    Recompute();
    ModifiedMayHaveChanged(was);
    return true;
}

bool CTAVOkitDoc::Redo() {
    const bool was = IsModified();
    if (!RedoCut(m_flight))
        return false;
    Recompute();
    ModifiedMayHaveChanged(was);
    return true;
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
    m_flight.ResetFlight(now);
    m_curves.Clear();
    m_settings.m_fSampleInterval = 0.0f;
    m_settings.m_fTwoGee = 0.0f;
    m_settings.m_bUseFileTwoGee = true;
    m_bModified = false;
    m_nCleanDepth = 0;
    SetPathName(std::string());
    FlightReplaced();
}

bool CTAVOkitDoc::OnOpenDocument(const std::string& path, FileError& error) {
    // Stopped before the file is read: lines captured meanwhile would land in the
    // flight being opened.
    StopSampleWriter();
    if (!LoadFlightFile(path, m_flight, error))
        return false;
    Recompute();
    m_flight.m_pUndoSamples.clear();
    m_bModified = false;
    m_nCleanDepth = 0;
    SetPathName(path);
    FlightReplaced();
    return true;
}

bool CTAVOkitDoc::OnSaveDocument(const std::string& path, FileError& error) {
    if (!SaveFlightFile(path, m_flight, error))
        return false;
    m_bModified = false;
    m_nCleanDepth = UndoDepth();
    SetPathName(path);
    return true;
}

void CTAVOkitDoc::ReplaceSamples(std::vector<std::string> samples) {
    StopSampleWriter();
    {
        std::lock_guard<std::mutex> lock(m_flight.m_pSamples.mutex());
        m_flight.m_pSamples.items().swap(samples);
    }
    m_flight.m_pUndoSamples.clear();
    // The saved flight is not among this one's history.
    m_nCleanDepth = -1;
    // A new recording starts from its own first sample.
    m_flight.m_start.reset();
    Recompute();
    FlightReplaced();
}

void CTAVOkitDoc::FlightReplaced() {
    if (m_pObserver != nullptr)
        m_pObserver->OnFlightReplaced();
    UpdateAllViews();
}

} // namespace tavo
