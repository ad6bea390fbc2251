#include "flight/flight_record.h"
#include "support/flight_builder.h"

#include <bit>
#include <climits>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>

namespace tavo {
namespace {

void SetSamples(test::Flight& f, std::initializer_list<const char*> words) {
    f.m_pSamples.items().assign(words.begin(), words.end());
}

TEST(SampleWord, DecimalPrefixRule) {
    EXPECT_EQ(ParseSampleWord("2048"), 2048);
    EXPECT_EQ(ParseSampleWord("  +17xyz"), 17);
    EXPECT_EQ(ParseSampleWord("-5"), -5);
    EXPECT_EQ(ParseSampleWord("abc"), 0);
    EXPECT_EQ(ParseSampleWord(""), 0);
    EXPECT_EQ(ParseSampleWord("- 5"), 0);
    EXPECT_EQ(ParseSampleWord("99999999999999999999999"), INT_MAX);
    EXPECT_EQ(ParseSampleWord("-99999999999999999999999"), INT_MIN);
    EXPECT_EQ(ParseSampleWord("2147483648"), INT_MAX);
    EXPECT_EQ(ParseSampleWord("-2147483648"), INT_MIN);
}

TEST(SampleWord, ReadingAndFlags) {
    EXPECT_EQ(SampleReading(36864), 0);
    EXPECT_EQ(SampleFlags(36864), 9); // flags 1 and 8
    EXPECT_EQ(SampleReading(-1), 4095);
    EXPECT_EQ(SampleFlags(-1), 15);
    EXPECT_EQ(SampleReading(INT_MIN), 0);
}

TEST(Recompute, EmptyListKeepsOldCurves) {
    test::Flight f;
    f.m_arrAccel = {1.0f};
    f.m_fAccelMax = 3.0f;
    f.Recompute();
    EXPECT_EQ(f.m_arrAccel.size(), 1u);
    EXPECT_EQ(f.m_fAccelMax, 3.0f);
}

TEST(Recompute, OneSampleAtRest) {
    test::Flight f;
    SetSamples(f, {"2048"});
    f.m_nSampleRate = 100;
    f.m_bAccelInGees = false;
    f.Recompute();
    EXPECT_EQ(f.m_fZeroRef, 2048.0f);
    EXPECT_EQ(f.Curves().m_fSampleInterval, static_cast<float>(1.0 / 100));
    ASSERT_EQ(f.m_arrAccel.size(), 1u);
    EXPECT_EQ(f.m_arrAccel[0], 0.0f);
    EXPECT_EQ(f.m_arrVelocity[0], 0.0f);
    EXPECT_EQ(f.m_arrAltitude[0], 0.0f);
    EXPECT_TRUE(std::isnan(f.m_arrCd[0]));
    EXPECT_EQ(f.m_fAccelMin, 0.0f);
    EXPECT_EQ(f.m_fAccelMax, 0.0f);
    EXPECT_EQ(f.m_fVelMax, 0.0f);
    EXPECT_EQ(f.m_fAltMax, 0.0f);
}

TEST(Recompute, OneGeeInEveryUnit) {
    test::Flight f;
    SetSamples(f, {"2048", "2040"});
    f.m_nSampleRate = 100;
    f.m_fTwoGeeFile = 16.0f;
    f.m_bAccelInGees = false;
    f.Recompute();
    EXPECT_EQ(f.m_arrAccel[1], static_cast<float>(1.0f * 9.81));
    f.m_bMetricUnits = false;
    f.Recompute();
    EXPECT_EQ(f.m_arrAccel[1], static_cast<float>(static_cast<float>(9.81) * 3.2808399));
    EXPECT_NEAR(f.m_arrAccel[1], 32.18504f, 1e-4);
    f.m_bAccelInGees = true;
    f.Recompute();
    EXPECT_EQ(f.m_arrAccel[1], 1.0f);
    // Velocity stays integrated in metric and is only converted when stored.
    const float v = static_cast<float>(1.0f * 9.81) * static_cast<float>(1.0 / 100);
    EXPECT_EQ(f.m_arrVelocity[1], static_cast<float>(v * 2.2369363));
    const float h = v * static_cast<float>(1.0 / 100);
    EXPECT_EQ(f.m_arrAltitude[1], static_cast<float>(h * 3.2808399));
}

TEST(Recompute, RawModeIntegratesCounts) {
    test::Flight f;
    SetSamples(f, {"100", "100"});
    f.m_nSampleRate = 1;
    f.m_bDisplayRaw = true;
    f.Recompute();
    EXPECT_EQ(f.m_arrAccel[0], 100.0f);
    EXPECT_EQ(f.m_arrVelocity[0], static_cast<float>(100.0f * 9.81));
}

TEST(Recompute, EventIndices) {
    test::Flight f;
    SetSamples(f, {"36864", "2048", "2048", "2048", "2048", "2048", "2048", "32768", "8192"});
    f.m_nSampleRate = 10;
    f.Recompute();
    EXPECT_EQ(f.m_nEvent1, 0); // only at sample 0
    EXPECT_EQ(f.m_nEvent8, 7); // sample 0, then again at 7
    EXPECT_EQ(f.m_nEvent2, 8);
    EXPECT_EQ(f.m_nEvent4, 0);
}

TEST(Recompute, ZeroReference) {
    test::Flight f;
    SetSamples(f, {"2048", "1990"});
    f.m_nSampleRate = 100;
    f.m_nAccelOffset = 2000;
    f.m_bUseAccelOffset = true;
    f.Recompute();
    EXPECT_EQ(f.m_fZeroRef, 2000.0f);
    EXPECT_EQ(f.m_arrAccel[0], (2000.0f - 2048.0f) / (15.0f * 0.5f));
    f.m_bUseFileTwoGee = false;
    f.Settings().m_fTwoGee = 20.0f;
    f.Recompute();
    EXPECT_EQ(f.Curves().m_fTwoGee, 20.0f);
    EXPECT_EQ(f.m_arrAccel[1], 1.0f);
}

TEST(Recompute, DragCoefficient) {
    test::Flight f;
    SetSamples(f, {"2048", "2033", "2048"});
    f.m_nSampleRate = 10;
    f.m_bAccelInGees = false;
    f.m_fLaunchWeight = 0.5f;
    f.m_fMaxDiameter = 0.04f;
    f.Recompute();
    EXPECT_TRUE(std::isnan(f.m_arrCd[0])); // 0/0 at sample 0
    EXPECT_TRUE(std::isinf(f.m_arrCd[1])); // v still 0 before this step
    const float a1 = static_cast<float>(2.0f * 9.81);
    const float v1 = a1 * static_cast<float>(1.0 / 10);
    const double den =
        static_cast<double>(1.2f) * g_pi * std::pow(0.04f * 0.5f, 2.0) * std::pow(v1, 2.0);
    EXPECT_EQ(f.m_arrCd[2], static_cast<float>(std::fabs(0.0f / den)));
    f.m_fMaxDiameter = 0.0f;
    f.Recompute();
    EXPECT_TRUE(std::isinf(f.m_arrCd[1]));
}

TEST(Recompute, ZeroRateAndRanges) {
    test::Flight f;
    SetSamples(f, {"2048", "2040", "2060"});
    f.Recompute();
    EXPECT_TRUE(std::isinf(f.Curves().m_fSampleInterval));
    EXPECT_EQ(f.m_arrAccel.size(), 3u);
    EXPECT_LE(f.m_fAccelMin, 0.0f);
    EXPECT_GE(f.m_fAccelMax, 0.0f);
    EXPECT_EQ(f.m_fAltMin, 0.0f);
}

TEST(Recompute, NegativeAltitudeKeepsMinimumZero) {
    test::Flight f;
    SetSamples(f, {"2048", "2060", "2060"});
    f.m_nSampleRate = 10;
    f.Recompute();
    EXPECT_LT(f.m_arrAltitude[2], 0.0f);
    EXPECT_EQ(f.m_fAltMin, 0.0f);
    EXPECT_EQ(f.m_fAltMax, 0.0f);
    EXPECT_LT(f.m_fVelMin, 0.0f);
}

TEST(ComputeRanges, NeverReadsPastShortArrays) {
    test::Flight f;
    SetSamples(f, {"1", "2", "3"});
    f.m_arrAccel = {5.0f};
    f.m_arrVelocity = {1.0f};
    f.m_arrAltitude = {2.0f};
    f.ComputeRanges();
    EXPECT_EQ(f.m_fAccelMax, 5.0f);
    EXPECT_EQ(f.m_fAltMax, 2.0f);
}

} // namespace
} // namespace tavo

namespace tavo {
namespace {

std::vector<std::uint32_t> Bits(const std::vector<float>& values) {
    std::vector<std::uint32_t> bits;
    for (float v : values)
        bits.push_back(std::bit_cast<std::uint32_t>(v));
    return bits;
}

// Everything Recompute leaves, bit for bit.
std::vector<std::uint32_t> Derived(const test::Flight& f) {
    std::vector<std::uint32_t> all;
    for (const auto* curve : {&f.m_arrAccel, &f.m_arrVelocity, &f.m_arrAltitude, &f.m_arrCd}) {
        const auto bits = Bits(*curve);
        all.insert(all.end(), bits.begin(), bits.end());
        all.push_back(0xFFFFFFFFu);
    }
    for (float v : {f.m_fAccelMin, f.m_fAccelMax, f.m_fVelMin, f.m_fVelMax, f.m_fAltMin,
                    f.m_fAltMax, f.Curves().m_fSampleInterval, f.m_fZeroRef, f.Curves().m_fTwoGee})
        all.push_back(std::bit_cast<std::uint32_t>(v));
    for (int e : {f.m_nEvent1, f.m_nEvent2, f.m_nEvent4, f.m_nEvent8})
        all.push_back(static_cast<std::uint32_t>(e));
    return all;
}

void Append(test::Flight& f, int from, int to) {
    for (int i = from; i < to; ++i) {
        // A burn, a coast and event flags along the way.
        const int reading = i < 30 ? 700 : 480 + (i * 37) % 11;
        const int flags = i == 12 ? 1 : i == 40 ? 2 : i == 61 ? 8 : 0;
        f.m_pSamples.AppendLocked(std::to_string(reading + flags * 4096));
    }
}

TEST(RecomputeAppended, GrowsToWhatAFullRecomputeGives) {
    // What may happen between two live repaints; each must end where Recompute ends.
    const std::pair<const char*, std::function<void(test::Flight&)>> between[] = {
        {"only lines arrive", [](test::Flight&) {}},
        {"units switched", [](test::Flight& f) { f.m_bMetricUnits = false; }},
        {"raw counts", [](test::Flight& f) { f.m_bDisplayRaw = true; }},
        {"m/s^2", [](test::Flight& f) { f.m_bAccelInGees = false; }},
        {"offset used",
         [](test::Flight& f) {
             f.m_bUseAccelOffset = true;
             f.m_nAccelOffset = 470;
         }},
        {"two-G value", [](test::Flight& f) { f.m_fTwoGeeFile = 42.0f; }},
        {"sample rate", [](test::Flight& f) { f.m_nSampleRate = 50; }},
        {"weight and diameter",
         [](test::Flight& f) {
             f.m_fLaunchWeight = 0.5f;
             f.m_fMaxDiameter = 0.04f;
         }},
        {"range set by hand", [](test::Flight& f) { f.m_fAltMax = 1000.0f; }},
        {"first sample cut away",
         [](test::Flight& f) { f.m_pSamples.items().erase(f.m_pSamples.items().begin()); }},
        {"list emptied and refilled", [](test::Flight& f) { f.m_pSamples.items().clear(); }},
    };
    for (const auto& [what, change] : between) {
        test::Flight live, full;
        for (test::Flight* f : {&live, &full}) {
            f->m_nSampleRate = 100;
            f->m_fLaunchWeight = 1.0f;
            f->m_fMaxDiameter = 0.05f;
        }
        Append(live, 0, 20);
        live.RecomputeAppended();
        Append(live, 20, 45);
        live.RecomputeAppended();
        change(live);
        Append(live, 45, 70);
        live.RecomputeAppended();
        live.RecomputeAppended(); // nothing new: nothing moves

        Append(full, 0, 1); // so that a change to the list has a list to change
        change(full);
        full.m_pSamples.items() = live.m_pSamples.items();
        full.Recompute();
        EXPECT_EQ(Derived(live), Derived(full)) << what;
    }
}

} // namespace
} // namespace tavo
