#include "exchange/eng_export.h"

#include <gtest/gtest.h>
#include <random>

#include "exchange_test_util.h"
#include "sim/flight_synth.h"
#include "strict_rasp.h"

namespace tavo {
namespace {

using namespace testing;

EngExportParams Fields(int points) {
    EngExportParams p{"C6", "18", "70", "5", "0.0231", "0.0123", "Es", points};
    return p;
}

std::string Build(const FlightRecord& f, const EngExportParams& p) {
    std::string out, reason;
    EXPECT_TRUE(BuildEngText(f, p, out, reason)) << reason;
    return out;
}

TEST(EngExport, MatchesTheGoldenFiles) {
    FlightRecord f;
    BurnFlight(f);
    f.m_nCursor1 = 100;
    f.m_nCursor2 = 160;
    struct Case {
        const char* golden;
        EngExportParams params;
    } cases[] = {{"eng_c100_c160_p20.eng", Fields(20)},
                 {"eng_points_above_range.eng", Fields(100)},
                 {"eng_one_point.eng", Fields(1)},
                 {"eng_empty_fields.eng", EngExportParams{"", "", "", "", "", "", "", 20}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.golden);
        const std::string expected = Golden(c.golden);
        ASSERT_FALSE(expected.empty());
        EXPECT_EQ(Build(f, c.params), expected);
    }
}

TEST(EngExport, StepsLinesAndTimesFollowThePoints) {
    FlightRecord f;
    BurnFlight(f);
    f.m_nCursor1 = 100;
    f.m_nCursor2 = 160;
    auto dataLines = [&](int points) {
        std::string text = Build(f, Fields(points));
        int n = 0;
        for (char c : text)
            n += c == '\n';
        return n - 2; // header and closing line
    };
    EXPECT_EQ(dataLines(20), 20);
    EXPECT_EQ(dataLines(60), 60);
    EXPECT_EQ(dataLines(1000), 60);
    EXPECT_EQ(dataLines(-3), 60); // a negative number gives one line per sample
    EXPECT_EQ(dataLines(1), 1);
    EXPECT_EQ(dataLines(7), 8); // step 8: samples 100, 108, ..., 156
    const std::string text = Build(f, Fields(20));
    EXPECT_EQ(text.substr(text.size() - 15), "\n0.610 0.000\r\n;");
    EXPECT_NE(text.find("\r\n0.580 "), std::string::npos);
}

TEST(EngExport, PropellantFieldIsTheDifferenceOfPlainDecimalWeights) {
    struct Case {
        const char* pre;
        const char* post;
        const char* fifth;
    } cases[] = {{"0.0231", "0.0123", "0.0108"},
                 {"0.0231", "0.0231", "0"},
                 {"1", "0.25", "0.75"},
                 {"0.0231", "0.0300", "0.0300"},
                 {"23g", "12", "12"},
                 {"0.0231", "1e-3", "1e-3"},
                 {"0,0231", "0,0123", "0,0123"},
                 {"-1", "-2", "-2"},
                 {"", "0.01", "0.01"},
                 {"0.02", "", ""},
                 {".5", "0.", "0.5"},
                 {"1.2.3", "1", "1"},
                 {"0.0000123", "0", "1.23e-05"}};
    for (const Case& c : cases)
        EXPECT_EQ(EngPropellantField(c.pre, c.post), c.fifth) << c.pre << " / " << c.post;
}

TEST(EngExport, RefusesZeroPointsAndCursorsOutsideTheData) {
    FlightRecord f;
    BurnFlight(f);
    std::string out = "untouched", reason;
    f.m_nCursor1 = 100;
    f.m_nCursor2 = 160;
    EXPECT_FALSE(BuildEngText(f, Fields(0), out, reason));
    EXPECT_EQ(reason, kZeroPointsText);
    struct Range {
        int c1, c2;
        bool ok;
    } ranges[] = {{100, 250, true},  {100, 251, false}, {100, 100, false},
                  {120, 100, false}, {-1, 10, false},   {0, 1, true}};
    for (const Range& r : ranges) {
        f.m_nCursor1 = r.c1;
        f.m_nCursor2 = r.c2;
        EXPECT_EQ(EngCursorsHoldData(f), r.ok) << r.c1 << ".." << r.c2;
        EXPECT_EQ(BuildEngText(f, Fields(5), out, reason), r.ok) << r.c1 << ".." << r.c2;
    }
    EXPECT_EQ(out.find("untouched"), std::string::npos); // the good ranges wrote
    FlightRecord empty;
    empty.m_nCursor2 = 1;
    EXPECT_FALSE(EngCursorsHoldData(empty));
}

TEST(EngExport, DecelerationIsWrittenAsNegativeThrust) {
    FlightRecord f;
    BurnFlight(f);
    f.m_nCursor1 = 170; // coasting: readings above the pad's
    f.m_nCursor2 = 172;
    const std::string text = Build(f, Fields(2));
    // 512 against 505: -7/7.5 g on 0.0781 kg.
    EXPECT_NE(text.find("\r\n0.010 -0.715\r\n"), std::string::npos) << text;
}

TEST(EngExport, WeightChecksComeInOrder) {
    FlightRecord f;
    EXPECT_STREQ(MissingWeightMessage(f), kNeedWeightText);
    f.m_fPropellantWeight = 0.01f;
    EXPECT_STREQ(MissingWeightMessage(f), kNeedWeightText);
    f.m_fLaunchWeight = 0.08f;
    EXPECT_EQ(MissingWeightMessage(f), nullptr);
    f.m_fPropellantWeight = 0.0f;
    EXPECT_STREQ(MissingWeightMessage(f), kNeedPropellantText);
}

EngMotor Motor(const char* file) {
    std::vector<EngMotor> motors;
    std::string reason;
    EXPECT_TRUE(
        LoadEngFile(std::string(TAVOKIT_SOURCE_DIR "/data/motors/") + file, motors, reason));
    return motors.at(0);
}

TEST(EngExport, EveryCurveOverABurnLoadsInAStrictReader) {
    // Synthesised burns at the recorder's rates, random spans inside the powered part,
    // random numbers of points and header texts: each file must load.
    const EngMotor motors[] = {Motor("C6.eng"), Motor("F50T.eng")};
    const char* names[] = {"C6", "F50T", "Es", "AT", "X", "G80-7T", "A", "B", "Q", "Zz"};
    const char* sizes[] = {"18", "24", "29", "70", "98.5", "13", "38", "0.5", "100", "7"};
    const char* delays[] = {"3-5-7", "P", "0", "5", "4-6-9", "3,5", "10", "6", "1", "8"};
    const char* weights[][2] = {
        {"0.0231", "0.0123"}, {"0.0898", "0.0562"}, {"1", "1"}, {"0.5", "0.25"}};
    std::mt19937 rng(20261208);
    int files = 0;
    for (const EngMotor& motor : motors) {
        for (int rate : {50, 100, 200, 500, 1000}) {
            SynthParams p;
            p.motor = motor;
            p.rocket.dryMassKg = motor.designation == "C6" ? 0.05 : 0.3;
            p.recorder.sampleRate = rate;
            p.recorder.noiseCounts = 0.4;
            p.recorder.seed = static_cast<std::uint64_t>(rate);
            SynthFlight flight;
            std::string reason;
            ASSERT_TRUE(SynthesizeFlight(p, flight, reason)) << reason;
            FlightRecord f;
            FillFlightRecord(p, flight, f);
            // The powered stretch: from launch while the reading stays below the pad's.
            auto powered = [&](int i) { return (flight.words[i] & 0xFFF) < flight.padReading; };
            // The longest run of powered samples (noise may interrupt the first ramp).
            int start = 0, end = 0;
            for (int i = flight.launchIndex; i < flight.burnoutIndex;) {
                int j = i;
                while (j < flight.burnoutIndex && powered(j))
                    ++j;
                if (j - i > end - start) {
                    start = i;
                    end = j;
                }
                i = j + 1;
            }
            ASSERT_GT(end - start, 10);
            for (int k = 0; k < 40; ++k) {
                std::uniform_int_distribution<int> first(start, end - 2);
                f.m_nCursor1 = first(rng);
                std::uniform_int_distribution<int> last(f.m_nCursor1 + 1, end);
                f.m_nCursor2 = last(rng);
                std::uniform_int_distribution<int> pick(0, 9);
                std::uniform_int_distribution<int> points(-2, f.m_nCursor2 - f.m_nCursor1 + 5);
                EngExportParams e;
                e.designation = names[pick(rng)];
                e.diameter = sizes[pick(rng)];
                e.length = sizes[pick(rng)];
                e.delays = delays[pick(rng)];
                const auto& w = weights[pick(rng) % 4];
                e.preFireWeight = w[0];
                e.postFireWeight = w[1];
                e.manufacturer = names[pick(rng)];
                do
                    e.points = points(rng);
                while (e.points == 0);
                std::string text;
                ASSERT_TRUE(BuildEngText(f, e, text, reason)) << reason;
                EXPECT_EQ(StrictRaspFault(text), "") << rate << " Hz, " << f.m_nCursor1 << ".."
                                                     << f.m_nCursor2 << " / " << e.points << "\n"
                                                     << text;
                ++files;
            }
        }
    }
    EXPECT_EQ(files, 400);
}

TEST(EngExport, StrictReaderRefusesWhatSimulatorsRefuse) {
    // The reader above must itself be able to fail.
    EXPECT_EQ(StrictRaspFault("C6 18 70 5 0.01 0.02 Es \r\n0.010 1.000\r\n0.020 0.000\r\n;"), "");
    EXPECT_NE(StrictRaspFault("C6 18 70 5 0.01 0.02 \r\n0.010 1.000\r\n0.020 0.000\r\n;"), "");
    EXPECT_NE(StrictRaspFault("C6 18 70 5 0.03 0.02 Es\r\n0.010 1.000\r\n0.020 0.000\r\n;"), "");
    EXPECT_NE(StrictRaspFault("C6 18 70 5 0.01 0.02 Es\r\n0.010 1.000\r\n0.010 0.000\r\n;"), "");
    EXPECT_NE(StrictRaspFault("C6 18 70 5 0.01 0.02 Es\r\n0.000 1.000\r\n0.020 0.000\r\n;"), "");
    EXPECT_NE(StrictRaspFault("C6 18 70 5 0.01 0.02 Es\r\n0.010 1.000\r\n0.020 0.100\r\n;"), "");
    EXPECT_NE(StrictRaspFault("C6 18 70 5 0.01 0.02 Es\r\n0.010 -1.000\r\n0.020 0.000\r\n;"), "");
}

} // namespace
} // namespace tavo
