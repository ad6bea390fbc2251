#include "doc/tavokit_doc.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

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
    doc.m_pSamples.items() = {"2048", "2040"};
    doc.m_pUndoSamples.Record({0, {"1"}});
    doc.m_nSampleRate = 100;
    doc.m_strName = "old";
    doc.m_bMetricUnits = false;
    doc.m_bDisplayRaw = true;
    doc.SetPathName("/tmp/old.flt");
    doc.SetModifiedFlag();
    doc.OnNewDocument(1234);
    EXPECT_TRUE(doc.m_pSamples.empty());
    EXPECT_TRUE(doc.m_pUndoSamples.empty());
    EXPECT_EQ(doc.m_nSampleRate, 0);
    EXPECT_EQ(doc.m_fTwoGeeFile, 15.0f);
    EXPECT_TRUE(doc.m_bUseFileTwoGee);
    EXPECT_EQ(doc.m_strName, "");
    EXPECT_EQ(doc.m_timeDate, 1234);
    EXPECT_FALSE(doc.m_bMetricUnits);
    EXPECT_TRUE(doc.m_bDisplayRaw);
    EXPECT_EQ(doc.GetTitle(), "Untitled");
    EXPECT_FALSE(doc.IsModified());
}

TEST(TavokitDoc, FailedOpenChangesNothing) {
    const std::string bad = TempPath("tavokit_doc_bad.flt");
    {
        std::ofstream out(bad, std::ios::binary);
        out.write("\x06\0\0\0", 4);
    }
    CTAVOkitDoc doc;
    CountingObserver obs;
    doc.SetObserver(&obs);
    doc.m_pSamples.items() = {"2048"};
    doc.SetPathName("/tmp/kept.flt");
    doc.SetModifiedFlag();
    const int titles = obs.titles;
    FileError e;
    EXPECT_FALSE(doc.OnOpenDocument(bad, e));
    EXPECT_EQ(e.message, "Wrong file type");
    EXPECT_EQ(doc.GetTitle(), "kept.flt");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.m_pSamples.size(), 1u);
    EXPECT_EQ(obs.titles, titles);
    std::filesystem::remove(bad);
}

TEST(TavokitDoc, SaveThenOpenTakesTheFileNameAndEmptiesUndo) {
    const std::string path = TempPath("tavokit_doc_ok.flt");
    CTAVOkitDoc doc;
    CountingObserver obs;
    doc.SetObserver(&obs);
    doc.m_pSamples.items() = {"2048", "2000"};
    doc.m_nSampleRate = 50;
    doc.SetModifiedFlag();
    FileError e;
    ASSERT_TRUE(doc.OnSaveDocument(path, e)) << e.message;
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetTitle(), "tavokit_doc_ok.flt");
    doc.m_pUndoSamples.Record({0, {"9"}});
    doc.SetModifiedFlag();
    ASSERT_TRUE(doc.OnOpenDocument(path, e)) << e.message;
    EXPECT_TRUE(doc.m_pUndoSamples.empty());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.m_arrAccel.size(), 2u);
    EXPECT_GT(obs.updates, 0);
    std::filesystem::remove(path);
}

} // namespace
} // namespace tavo
