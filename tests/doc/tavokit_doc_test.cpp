#include "doc/tavokit_doc.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "flight/flight_file.h"
#include "support/test_files.h"

namespace tavo {
namespace {

struct CountingObserver : CTAVOkitDoc::Observer {
    int updates = 0, titles = 0;
    void OnUpdateAllViews() override { ++updates; }
    void OnTitleChanged() override { ++titles; }
};

std::string TempPath(const char* name) {
    return (std::filesystem::temp_directory_path() / name).string();
}

TEST(TavokitDoc, NewGivesAnEmptyFlightAndKeepsSettings) {
    CTAVOkitDoc doc;
    doc.Record().m_pSamples.items() = {"2048", "2040"};
    doc.Record().m_pUndoSamples.Record({0, {"1"}});
    doc.Record().m_nSampleRate = 100;
    doc.Record().m_strName = "old";
    doc.Settings().m_bMetricUnits = false;
    doc.Settings().m_bDisplayRaw = true;
    doc.SetPathName("/tmp/old.flt");
    doc.SetModifiedFlag();
    doc.OnNewDocument(1234);
    EXPECT_TRUE(doc.Record().m_pSamples.empty());
    EXPECT_TRUE(doc.Record().m_pUndoSamples.empty());
    EXPECT_EQ(doc.Record().m_nSampleRate, 0);
    EXPECT_EQ(doc.Record().m_fTwoGeeFile, 15.0f);
    EXPECT_TRUE(doc.Settings().m_bUseFileTwoGee);
    EXPECT_EQ(doc.Record().m_strName, "");
    EXPECT_EQ(doc.Record().m_timeDate, 1234);
    EXPECT_FALSE(doc.Settings().m_bMetricUnits);
    EXPECT_TRUE(doc.Settings().m_bDisplayRaw);
    EXPECT_EQ(doc.GetTitle(), "Untitled");
    EXPECT_FALSE(doc.IsModified());
}

TEST(TavokitDoc, FailedOpenChangesNothing) {
    const std::string dir = test::FreshDir("doc", "failed_open");
    const std::string bad = dir + "/bad.flt";
    {
        std::ofstream out(bad, std::ios::binary);
        out.write("\x06\0\0\0", 4);
    }
    // Larger than any flight file may be, yet holding no data: refused by its size.
    const std::string sparse = dir + "/sparse.flt";
    std::ofstream(sparse, std::ios::binary).close();
    std::filesystem::resize_file(sparse, kMaxFlightFileBytes + 1);
    // A pipe nobody writes to would block the open for ever; ctest's time limit catches it.
    const std::string pipe = test::MakePipe(dir, "pipe.flt");
    ASSERT_FALSE(pipe.empty());
    const struct {
        std::string path;
        std::string message;
    } cases[] = {
        {bad, "Wrong file type\n\nbad.flt is not a flight file: flight files begin with their "
              "version, 2 to 5, and "
              "this one begins with 6."},
        {pipe, "Cannot open " + pipe + "\n\na pipe, not a regular file"},
        {dir, "Cannot open " + dir + "\n\na folder, not a regular file"},
        {sparse, "Cannot open " + sparse + "\n\nthe file is too large"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        CTAVOkitDoc doc;
        CountingObserver obs;
        doc.SetObserver(&obs);
        doc.Record().m_pSamples.items() = {"2048"};
        doc.SetPathName("/tmp/kept.flt");
        doc.SetModifiedFlag();
        const int titles = obs.titles;
        FileError e;
        EXPECT_FALSE(doc.OnOpenDocument(c.path, e));
        EXPECT_EQ(e.message, c.message);
        EXPECT_EQ(doc.GetTitle(), "kept.flt");
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(doc.Record().m_pSamples.size(), 1u);
        EXPECT_EQ(obs.titles, titles);
    }
}

TEST(TavokitDoc, SaveThenOpenTakesTheFileNameAndEmptiesUndo) {
    const std::string path = TempPath("tavokit_doc_ok.flt");
    CTAVOkitDoc doc;
    CountingObserver obs;
    doc.SetObserver(&obs);
    doc.Record().m_pSamples.items() = {"2048", "2000"};
    doc.Record().m_nSampleRate = 50;
    doc.SetModifiedFlag();
    FileError e;
    ASSERT_TRUE(doc.OnSaveDocument(path, e)) << e.message;
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetTitle(), "tavokit_doc_ok.flt");
    doc.Record().m_pUndoSamples.Record({0, {"9"}});
    doc.SetModifiedFlag();
    ASSERT_TRUE(doc.OnOpenDocument(path, e)) << e.message;
    EXPECT_TRUE(doc.Record().m_pUndoSamples.empty());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.Curves().m_arrAccel.size(), 2u);
    EXPECT_GT(obs.updates, 0);
    std::filesystem::remove(path);
}

// The "*" follows the cuts: Undo or Redo back to the saved flight takes it away; a cut
// made after undoing past the saved flight leaves no way back to it; a change outside
// the cuts stays until the next save.
TEST(TavokitDoc, ModifiedFollowsTheCutHistory) {
    const std::string path = TempPath("tavokit_doc_history.flt");
    CTAVOkitDoc doc;
    CountingObserver obs;
    doc.SetObserver(&obs);
    doc.Record().m_pSamples.items() = std::vector<std::string>(8, "2048");
    FileError e;
    // Cut, Undo, Redo, Save, a Details change; then the marker expected after each.
    const std::string ops = "CURSURUCUDSCUD";
    const std::string marked = "MuMuMuMMMMuMuM";
    int flips = 0;
    for (std::size_t k = 0; k < ops.size(); ++k) {
        const bool was = doc.IsModified();
        const bool done = ops[k] == 'C'   ? doc.Cut(CutKind::ToC1, {1, 0})
                          : ops[k] == 'U' ? doc.Undo()
                          : ops[k] == 'R' ? doc.Redo()
                          : ops[k] == 'S' ? doc.OnSaveDocument(path, e)
                                          : (doc.SetModifiedFlag(), true);
        ASSERT_TRUE(done) << k;
        EXPECT_EQ(doc.IsModified(), marked[k] == 'M')
            << "after step " << k << " (" << ops[k] << ")";
        flips += doc.IsModified() != was;
    }
    EXPECT_GE(obs.titles, flips) << "the caption hears of every change of the marker";
    std::filesystem::remove(path);
}

} // namespace
} // namespace tavo

namespace tavo {
namespace {

// While a capture appends, each drawing first carries the curves on over the lines that
// came; once the capture has stopped, a drawing recomputes nothing.
TEST(TavokitDoc, LiveCurvesCatchUpBeforeADrawing) {
    struct Writer : CTAVOkitDoc::SampleWriter {
        bool live = true;
        void StopAndWait() override { live = false; }
        bool Live() const override { return live; }
    } writer;
    CTAVOkitDoc doc;
    doc.SetSampleWriter(&writer);
    doc.Record().m_nSampleRate = 100;
    doc.Record().m_pSamples.AppendLocked("2048");
    doc.Recompute();
    doc.Record().m_pSamples.AppendLocked("2040");
    ASSERT_TRUE(doc.IsLive());
    doc.UpdateLiveCurves();
    EXPECT_EQ(doc.Curves().m_arrAccel.size(), 2u);
    writer.live = false;
    doc.Record().m_pSamples.AppendLocked("2030");
    doc.UpdateLiveCurves();
    EXPECT_EQ(doc.Curves().m_arrAccel.size(), 2u);
    doc.SetSampleWriter(nullptr);
}

} // namespace
} // namespace tavo
