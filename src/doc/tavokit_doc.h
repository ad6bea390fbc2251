#pragma once
// The one document of the program: the flight, its file name, the modified flag and
// the undo list, with the operations the menus drive. Plain C++: the window binds to
// it through the observer, so the same document serves the tests and the CLI.

#include <cstdint>
#include <functional>
#include <string>

#include "flight/flight_file.h"
#include "flight/flight_record.h"

namespace tavo {

class CTAVOkitDoc : public FlightRecord {
public:
    // What the window needs to hear from the document.
    struct Observer {
        virtual ~Observer() = default;
        // Redraw every view (after a change to the flight, its calibration or units).
        virtual void OnUpdateAllViews() = 0;
        // The title or the modified flag changed (the caption follows them).
        virtual void OnTitleChanged() = 0;
        // Another flight took this one's place (New, Open, a download, an import):
        // what a view kept of the old one (cursors, zoom) means nothing any more.
        virtual void OnFlightReplaced() {}
    };

    // Whoever appends to the sample list from another thread (the live capture).
    struct SampleWriter {
        virtual ~SampleWriter() = default;
        // Stops writing and returns only when no more writes can come.
        virtual void StopAndWait() = 0;
        // A capture was started and not stopped: lines may still arrive.
        virtual bool Live() const = 0;
    };

    CTAVOkitDoc();
    // Stops the sample writer first: the list it writes to goes with the document.
    ~CTAVOkitDoc();
    CTAVOkitDoc(const CTAVOkitDoc&) = delete;
    CTAVOkitDoc& operator=(const CTAVOkitDoc&) = delete;

    // The writer to stop before the sample list is emptied, replaced or freed (New,
    // Open, a download's OK, an import, the end of the document); nullptr for none.
    void SetSampleWriter(SampleWriter* writer) { m_pSampleWriter = writer; }

    // Whether a capture appends to the samples: the graph then lays out only what the
    // curves cover, and they are carried on before each drawing.
    bool IsLive() const { return m_pSampleWriter != nullptr && m_pSampleWriter->Live(); }
    // Before a drawing: while the flight is live, carries the curves on over the lines
    // that came since the last one (see RecomputeAppended).
    void UpdateLiveCurves();

    void SetObserver(Observer* observer) { m_pObserver = observer; }
    // Asks every view to redraw.
    void UpdateAllViews();

    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true);

    // The full path of the flight's file; empty for a flight never saved.
    const std::string& GetPathName() const { return m_strPathName; }
    void SetPathName(const std::string& path);
    // The file name, or "Untitled" for a flight never saved.
    std::string GetTitle() const;

    // File > New: an empty flight dated `now`, nothing to undo, no file name; the
    // settings and display switches stay.
    void OnNewDocument(std::int64_t now);
    // Opens a flight file. On success the flight, file name and title are the file's,
    // the undo list is empty and the flight is unmodified; on failure nothing changed.
    bool OnOpenDocument(const std::string& path, FileError& error);
    // Saves the flight as version 5 under `path`; on success it takes that name and is
    // no longer modified.
    bool OnSaveDocument(const std::string& path, FileError& error);

    // Replaces the samples with a downloaded, captured or imported list: empties the
    // undo list (another recording's samples must not come back under this one's
    // calibration), recomputes and redraws. The caller sets the modified flag.
    void ReplaceSamples(std::vector<std::string> samples);

private:
    void StopSampleWriter();
    void FlightReplaced();

    Observer* m_pObserver = nullptr;
    SampleWriter* m_pSampleWriter = nullptr;
    bool m_bModified = false;
    std::string m_strPathName;
};

} // namespace tavo
