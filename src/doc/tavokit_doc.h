#pragma once
// The one document of the program: it owns the recorded flight (with its undo list),
// the curves computed from it and the user's settings, with the file name and the
// modified flag, and carries out the operations the menus drive. Plain C++: the window
// binds to it through the observer, so the same document serves the tests and the CLI.
// Whatever only reads the flight (drawing, reports, exports) takes Data(), never the
// document.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "doc/flight_edit.h"
#include "flight/cursor_range.h"
#include "flight/flight_data.h"
#include "flight/flight_file.h"

namespace tavo {

class CTAVOkitDoc {
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

    // The recorded flight, its curves and the user's settings.
    FlightRecord& Record() { return m_flight; }
    const FlightRecord& Record() const { return m_flight; }
    FlightCurves& Curves() { return m_curves; }
    const FlightCurves& Curves() const { return m_curves; }
    UserSettings& Settings() { return m_settings; }
    const UserSettings& Settings() const { return m_settings; }
    // The flight for whatever only reads it.
    FlightData Data() const { return {m_flight, m_curves, m_settings, IsLive()}; }
    // Number of samples, under the lock.
    std::size_t SampleCount() const { return m_flight.SampleCount(); }

    // The curves from the flight and the settings. The settings keep the interval and
    // the two-G value the curves were last computed with: the interval is what the
    // settings store has always been given at exit, the two-G value what Setup shows.
    // An empty flight changes nothing.
    void Recompute();
    // Recompute for a flight that only grew since (see FlightCurves).
    void RecomputeAppended();
    // The range pass alone (the Scaling dialog's AUTO).
    void ComputeRanges() { m_curves.ComputeRanges(m_flight); }

    // Whether a capture appends to the samples: the graph then lays out only what the
    // curves cover, and they are carried on before each drawing.
    bool IsLive() const { return m_pSampleWriter != nullptr && m_pSampleWriter->Live(); }
    // Before a drawing: while the flight is live, carries the curves on over the lines
    // that came since the last one (see RecomputeAppended).
    void UpdateLiveCurves();

    void SetObserver(Observer* observer) { m_pObserver = observer; }
    // Asks every view to redraw.
    void UpdateAllViews();

    // Whether the flight differs from its file: a change outside the cut history since
    // it was opened or saved, or a place in that history other than the one saved.
    bool IsModified() const;
    // true: the flight was changed outside the cut history. false: the flight as it
    // stands is the one its file holds.
    void SetModifiedFlag(bool modified = true);

    // The cuts around the cursors of `range` with Undo and Redo (see flight_edit.h),
    // each followed by a Recompute, through the document so that the modified state
    // follows the history: undoing back to the saved flight leaves it unmodified,
    // redoing away from it modifies it again. The caller asks first, resets the view
    // and redraws. False: nothing changed.
    bool Cut(CutKind kind, CursorRange range);
    bool Undo();
    bool Redo();

    // The full path of the flight's file; empty for a flight never saved.
    const std::string& GetPathName() const { return m_strPathName; }
    void SetPathName(const std::string& path);
    // The file name, or "Untitled" for a flight never saved.
    std::string GetTitle() const;

    // File > New: an empty flight dated `now`, no curves, nothing to undo, no file name;
    // the settings and display switches stay, but for the flight's calibration choice
    // (the file's two-G value again).
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
    // The settings follow the calibration the curves were just computed with.
    void KeepCalibration();
    // Tells the window when the modified state is no longer `was`.
    void ModifiedMayHaveChanged(bool was);
    std::ptrdiff_t UndoDepth() const {
        return static_cast<std::ptrdiff_t>(m_flight.m_pUndoSamples.size());
    }

    FlightRecord m_flight;
    FlightCurves m_curves;
    UserSettings m_settings;
    Observer* m_pObserver = nullptr;
    SampleWriter* m_pSampleWriter = nullptr;
    bool m_bModified = false;
    // How many cuts Undo could take back when the flight was last opened or saved; -1
    // when no place in the history is the saved flight any more.
    std::ptrdiff_t m_nCleanDepth = 0;
    std::string m_strPathName;
};

} // namespace tavo
