#include "device/commands/download_commit.h"

#include <cmath>
#include <gtest/gtest.h>

namespace tavo {
namespace {

struct CountingObserver : CTAVOkitDoc::Observer {
    void OnUpdateAllViews() override { ++redraws; }
    void OnTitleChanged() override {}
    int redraws = 0;
};

struct Doc {
    Doc() {
        doc.SetObserver(&observer);
        doc.Record().m_pSamples.items() = {"500", "510", "520"};
        doc.Record().m_pUndoSamples.Record({0, {"1", "2"}});
        doc.Record().m_nSampleRate = 100;
        doc.Recompute();
        doc.SetModifiedFlag(false); // as saved, with a cut to undo
    }
    CTAVOkitDoc doc;
    CountingObserver observer;
};

TEST(DownloadCommit, OkReplacesTheSamplesEmptiesUndoAndMarksTheFlight) {
    Doc d;
    std::vector<std::string> received = {"512", "530", "600", "700"};
    d.doc.Record().m_nSampleRate = 200; // read from the recorder during the download
    AcceptDownloadedSamples(d.doc, received);
    FinishDownloadCommand(d.doc, true, 4000, true);
    EXPECT_TRUE(received.empty());
    EXPECT_EQ(d.doc.Record().m_pSamples.items(),
              (std::vector<std::string>{"512", "530", "600", "700"}));
    EXPECT_TRUE(d.doc.Record().m_pUndoSamples.empty());
    EXPECT_TRUE(d.doc.IsModified());
    EXPECT_EQ(d.doc.Settings().m_nMaxSamples, 4000);
    EXPECT_EQ(d.doc.Curves().m_fSampleInterval, 1.0f / 200.0f);
    EXPECT_EQ(d.doc.Curves().m_arrAccel.size(), 4u);
    EXPECT_GE(d.observer.redraws, 1);
}

TEST(DownloadCommit, CancelKeepsTheSamplesButRedraws) {
    Doc d;
    FinishDownloadCommand(d.doc, false, 4000, true);
    EXPECT_EQ(d.doc.Record().m_pSamples.size(), 3u);
    EXPECT_EQ(d.doc.Record().m_pUndoSamples.size(), 1u);
    EXPECT_FALSE(d.doc.IsModified());
    EXPECT_EQ(d.doc.Settings().m_nMaxSamples, 6000);
    EXPECT_EQ(d.observer.redraws, 1);
}

TEST(DownloadCommit, OkWithoutADownloadKeepsTheSamplesAndTheMaximum) {
    Doc d;
    std::vector<std::string> nothing;
    AcceptDownloadedSamples(d.doc, nothing);
    FinishDownloadCommand(d.doc, true, 100, false);
    EXPECT_EQ(d.doc.Record().m_pSamples.size(), 3u);
    EXPECT_EQ(d.doc.Settings().m_nMaxSamples, 100);
    EXPECT_FALSE(d.doc.IsModified());

    CTAVOkitDoc empty;
    FinishDownloadCommand(empty, true, 100, true);
    EXPECT_FALSE(empty.IsModified());
}

TEST(DownloadCommit, ARecordingWithoutARateDividesNothing) {
    Doc d;
    std::vector<std::string> received = {"512", "530"};
    d.doc.Record().m_nSampleRate = 0;
    AcceptDownloadedSamples(d.doc, received);
    FinishDownloadCommand(d.doc, true, 6000, true);
    EXPECT_EQ(d.doc.Record().m_pSamples.size(), 2u);
    EXPECT_TRUE(std::isinf(d.doc.Curves().m_fSampleInterval));
}

} // namespace
} // namespace tavo
