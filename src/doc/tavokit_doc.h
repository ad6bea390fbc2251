#pragma once
// The one document of the program: the flight, its file name, the modified flag and
// the undo list, with the operations the menus drive. Plain C++: the window binds to
// it through the observer, so the same document serves the tests and the CLI.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "doc/flight_edit.h"
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
    };

    CTAVOkitDoc();
    // Stops the sample writer first: the list it writes to goes with the document.
    ~CTAVOkitDoc();
    CTAVOkitDoc(const CTAVOkitDoc&) = delete;
    CTAVOkitDoc& operator=(const CTAVOkitDoc&) = delete;

    // The writer to stop before the sample list is emptied, replaced or freed (New,
    // Open, a download's OK, an import, the end of the document); nullptr for none.
    void SetSampleWriter(SampleWriter* writer) { m_pSampleWriter = writer; }

    void SetObserver(Observer* observer) { m_pObserver = observer; }
    // Asks every view to redraw.
    void UpdateAllViews();

    // Whether the flight differs from its file: a change outside the cut history since
    // it was opened or saved, or a place in that history other than the one saved.
    bool IsModified() const;
    // true: the flight was changed outside the cut history. false: the flight as it
    // stands is the one its file holds.
    void SetModifiedFlag(bool modified = true);

    // The cuts with Undo and Redo (see flight_edit.h), through the document so that the
    // modified state follows the history: undoing back to the saved flight leaves it
    // unmodified, redoing away from it modifies it again. The caller asks first,
    // resets the view and redraws.
    bool Cut(CutKind kind);
    bool Undo();
    bool Redo();

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
    // Tells the window when the modified state is no longer `was`.
    void ModifiedMayHaveChanged(bool was);
    std::ptrdiff_t UndoDepth() const { return static_cast<std::ptrdiff_t>(m_pUndoSamples.size()); }

    Observer* m_pObserver = nullptr;
    SampleWriter* m_pSampleWriter = nullptr;
    bool m_bModified = false;
    // How many cuts Undo could take back when the flight was last opened or saved; -1
    // when no place in the history is the saved flight any more.
    std::ptrdiff_t m_nCleanDepth = 0;
    std::string m_strPathName;
};

} // namespace tavo
