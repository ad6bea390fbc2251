#include "doc/flight_edit.h"

#include <gtest/gtest.h>

namespace tavo {
namespace {

void Fill(FlightRecord& f, int n) {
    f.m_pSamples.items().clear();
    for (int i = 0; i < n; ++i)
        f.m_pSamples.items().push_back(std::to_string(2000 + i));
    f.m_nSampleRate = 10;
}

std::vector<std::string> Words(std::initializer_list<int> values) {
    std::vector<std::string> out;
    for (int v : values)
        out.push_back(std::to_string(2000 + v));
    return out;
}

TEST(FlightEdit, DeleteToC1KeepsTheSampleUnderC1) {
    FlightRecord f;
    Fill(f, 5);
    f.m_nCursor1 = 2;
    ASSERT_TRUE(ApplyCut(f, CutKind::ToC1));
    EXPECT_EQ(f.m_pSamples.items(), Words({2, 3, 4}));
    EXPECT_EQ(f.m_pUndoSamples.size(), 5u);
    EXPECT_EQ(f.m_arrAccel.size(), 3u);
}

TEST(FlightEdit, DeleteAfterC2RemovesTheSampleUnderC2) {
    FlightRecord f;
    Fill(f, 5);
    f.m_nCursor2 = 3;
    ASSERT_TRUE(ApplyCut(f, CutKind::AfterC2));
    EXPECT_EQ(f.m_pSamples.items(), Words({0, 1, 2}));
}

TEST(FlightEdit, DeleteBetweenKeepsC2) {
    FlightRecord f;
    Fill(f, 6);
    f.m_nCursor1 = 1;
    f.m_nCursor2 = 4;
    ASSERT_TRUE(ApplyCut(f, CutKind::BetweenCursors));
    EXPECT_EQ(f.m_pSamples.items(), Words({0, 4, 5}));
}

TEST(FlightEdit, FailedConditionsChangeNothing) {
    FlightRecord f;
    Fill(f, 4);
    f.m_nCursor1 = 3;
    f.m_nCursor2 = 3;
    EXPECT_FALSE(ApplyCut(f, CutKind::BetweenCursors)); // i1 >= i2
    f.m_nCursor1 = 4;
    EXPECT_FALSE(ApplyCut(f, CutKind::ToC1)); // i1 == N
    f.m_nCursor2 = 4;
    EXPECT_FALSE(ApplyCut(f, CutKind::AfterC2));
    f.m_nCursor1 = -1;
    f.m_nCursor2 = 2;
    EXPECT_FALSE(ApplyCut(f, CutKind::BetweenCursors));
    EXPECT_EQ(f.m_pSamples.size(), 4u);
    EXPECT_FALSE(CanUndo(f));
}

TEST(FlightEdit, TwoCutsThenUndoRestoresTheFirstCut) {
    FlightRecord f;
    Fill(f, 6);
    f.m_nCursor1 = 1;
    ASSERT_TRUE(ApplyCut(f, CutKind::ToC1));
    f.m_nCursor2 = 3;
    ASSERT_TRUE(ApplyCut(f, CutKind::AfterC2));
    EXPECT_EQ(f.m_pSamples.items(), Words({1, 2, 3}));
    ASSERT_TRUE(UndoCut(f));
    EXPECT_EQ(f.m_pSamples.items(), Words({1, 2, 3, 4, 5}));
    EXPECT_FALSE(CanUndo(f));
    EXPECT_EQ(f.m_arrAccel.size(), 5u);
    EXPECT_FALSE(UndoCut(f));
}

TEST(FlightEdit, QuestionTexts) {
    EXPECT_STREQ(CutQuestion(CutKind::ToC1), "All Data before Cursor 1 will be lost!\n Continue?");
    EXPECT_STREQ(CutQuestion(CutKind::BetweenCursors),
                 "All Data between Cursor 1 and Cursor 2 will be lost!\n Continue?");
}

} // namespace
} // namespace tavo
