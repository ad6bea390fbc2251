#include "doc/flight_edit.h"

#include <bit>
#include <gtest/gtest.h>

#include "flight/flight_file.h"
#include "support/flight_builder.h"

namespace tavo {
namespace {

// The four curves from sample `from` on, as bits, so NaNs compare too.
std::vector<std::uint32_t> CurveBits(const test::Flight& f, std::size_t from) {
    std::vector<std::uint32_t> bits;
    for (const std::vector<float>* curve :
         {&f.m_arrAccel, &f.m_arrVelocity, &f.m_arrAltitude, &f.m_arrCd})
        for (std::size_t i = from; i < curve->size(); ++i)
            bits.push_back(std::bit_cast<std::uint32_t>((*curve)[i]));
    return bits;
}

// The demo flight in metric units and g (0), English units and ft/s^2 (1), or from the
// recorder's acceleration offset (2).
void LoadDemo(test::Flight& f, int settings) {
    FileError error;
    ASSERT_TRUE(LoadFlightFile(TAVOKIT_SOURCE_DIR "/data/demo.flt", f, error)) << error.message;
    f.m_bMetricUnits = f.m_bAccelInGees = settings != 1;
    f.m_bUseAccelOffset = settings == 2;
    f.Recompute();
}

void Fill(test::Flight& f, int n) {
    f.m_pSamples.items().clear();
    for (int i = 0; i < n; ++i)
        f.m_pSamples.items().push_back(std::to_string(2000 + i));
    f.m_nSampleRate = 10;
}

// The cuts as the document makes them: the recording's samples first, then its curves.
bool Recomputed(test::Flight& f, bool changed) {
    if (changed)
        f.Recompute();
    return changed;
}
bool Cut(test::Flight& f, CutKind kind, CursorRange range) {
    return Recomputed(f, ApplyCut(f, f, kind, range));
}
bool Undo(test::Flight& f) {
    return Recomputed(f, UndoCut(f));
}
bool Redo(test::Flight& f) {
    return Recomputed(f, RedoCut(f));
}

std::vector<std::string> Words(std::initializer_list<int> values) {
    std::vector<std::string> out;
    for (int v : values)
        out.push_back(std::to_string(2000 + v));
    return out;
}

TEST(FlightEdit, DeleteToC1KeepsTheSampleUnderC1) {
    test::Flight f;
    Fill(f, 5);
    ASSERT_TRUE(Cut(f, CutKind::ToC1, {2, 0}));
    EXPECT_EQ(f.m_pSamples.items(), Words({2, 3, 4}));
    ASSERT_EQ(f.m_pUndoSamples.size(), 1u);
    EXPECT_EQ(f.m_pUndoSamples.m_undo[0].removed, Words({0, 1})) << "only what the cut took";
    EXPECT_EQ(f.m_arrAccel.size(), 3u);
}

TEST(FlightEdit, CutsBeforeC1GoOnWithTheCurvesOfTheWholeFlight) {
    for (const int setting : {0, 1, 2}) {
        test::Flight whole;
        LoadDemo(whole, setting);
        // Pad, launch marker, burn-out, apogee, under the parachute.
        for (const int c1 : {1, 256, 439, 981, 5000}) {
            SCOPED_TRACE(c1);
            test::Flight f;
            LoadDemo(f, setting);
            ASSERT_TRUE(Cut(f, CutKind::ToC1, {c1, 0}));
            EXPECT_EQ(CurveBits(f, 0), CurveBits(whole, static_cast<std::size_t>(c1)));
            // A later cut carries the start on.
            ASSERT_TRUE(Cut(f, CutKind::ToC1, {100, 0}));
            const std::vector<std::uint32_t> twice = CurveBits(f, 0);
            EXPECT_EQ(twice, CurveBits(whole, static_cast<std::size_t>(c1) + 100));
            ASSERT_TRUE(Undo(f) && Undo(f));
            EXPECT_FALSE(f.m_start.has_value());
            EXPECT_EQ(CurveBits(f, 0), CurveBits(whole, 0));
            ASSERT_TRUE(Redo(f) && Redo(f));
            EXPECT_EQ(CurveBits(f, 0), twice);
        }
        // Taking the first samples out between the cursors keeps the zero reference.
        test::Flight f;
        LoadDemo(f, setting);
        ASSERT_TRUE(Cut(f, CutKind::BetweenCursors, {0, 300}));
        EXPECT_EQ(f.m_fZeroRef, whole.m_fZeroRef);
        EXPECT_EQ(f.m_arrAccel[0], whole.m_arrAccel[300]);
    }
}

TEST(FlightEdit, DeleteAfterC2RemovesTheSampleUnderC2) {
    test::Flight f;
    Fill(f, 5);
    ASSERT_TRUE(Cut(f, CutKind::AfterC2, {0, 3}));
    EXPECT_EQ(f.m_pSamples.items(), Words({0, 1, 2}));
}

TEST(FlightEdit, DeleteBetweenKeepsC2) {
    test::Flight f;
    Fill(f, 6);
    ASSERT_TRUE(Cut(f, CutKind::BetweenCursors, {1, 4}));
    EXPECT_EQ(f.m_pSamples.items(), Words({0, 4, 5}));
}

TEST(FlightEdit, FailedConditionsChangeNothing) {
    test::Flight f;
    Fill(f, 4);
    EXPECT_FALSE(Cut(f, CutKind::BetweenCursors, {3, 3})); // i1 >= i2
    EXPECT_FALSE(Cut(f, CutKind::ToC1, {4, 3}));           // i1 == N
    EXPECT_FALSE(Cut(f, CutKind::AfterC2, {4, 4}));
    EXPECT_FALSE(Cut(f, CutKind::BetweenCursors, {-1, 2}));
    EXPECT_EQ(f.m_pSamples.size(), 4u);
    EXPECT_FALSE(CanUndo(f));
}

TEST(FlightEdit, EveryCutUndoesAndRedoesInTurn) {
    test::Flight f;
    Fill(f, 8);
    const auto cut = [&f](CutKind kind, int c1, int c2) { ASSERT_TRUE(Cut(f, kind, {c1, c2})); };
    cut(CutKind::ToC1, 1, 0);           // 1 .. 7
    cut(CutKind::AfterC2, 0, 5);        // 1 .. 5
    cut(CutKind::BetweenCursors, 1, 3); // 1, 4, 5
    const std::vector<std::vector<std::string>> states{Words({0, 1, 2, 3, 4, 5, 6, 7}),
                                                       Words({1, 2, 3, 4, 5, 6, 7}),
                                                       Words({1, 2, 3, 4, 5}), Words({1, 4, 5})};
    EXPECT_EQ(f.m_pSamples.items(), states[3]);
    EXPECT_FALSE(CanRedo(f));
    for (int level = 2; level >= 0; --level) {
        ASSERT_TRUE(Undo(f));
        EXPECT_EQ(f.m_pSamples.items(), states[level]) << "undo to " << level;
        EXPECT_EQ(f.m_arrAccel.size(), states[level].size());
    }
    EXPECT_FALSE(CanUndo(f));
    EXPECT_FALSE(Undo(f));
    for (int level = 1; level <= 2; ++level) {
        ASSERT_TRUE(Redo(f));
        EXPECT_EQ(f.m_pSamples.items(), states[level]) << "redo to " << level;
    }
    // A new cut forgets what was undone; Undo still reaches back to the start.
    cut(CutKind::ToC1, 2, 0);
    EXPECT_EQ(f.m_pSamples.items(), Words({3, 4, 5}));
    EXPECT_FALSE(CanRedo(f));
    EXPECT_FALSE(Redo(f));
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(Undo(f));
    EXPECT_EQ(f.m_pSamples.items(), states[0]);
}

TEST(FlightEdit, HistoryThatNoLongerFitsTheSamplesIsDropped) {
    test::Flight f;
    Fill(f, 6);
    ASSERT_TRUE(Cut(f, CutKind::AfterC2, {0, 4})); // took 4 .. 5 from index 4
    f.m_pSamples.items().resize(2);                // replaced behind the history's back
    EXPECT_FALSE(Undo(f)) << "index 4 is beyond the samples now";
    EXPECT_FALSE(CanUndo(f));
    EXPECT_EQ(f.m_pSamples.size(), 2u);
}

TEST(FlightEdit, QuestionTexts) {
    EXPECT_STREQ(CutQuestion(CutKind::ToC1), "All Data before Cursor 1 will be lost!\n Continue?");
    EXPECT_STREQ(CutQuestion(CutKind::BetweenCursors),
                 "All Data between Cursor 1 and Cursor 2 will be lost!\n Continue?");
}

} // namespace
} // namespace tavo
