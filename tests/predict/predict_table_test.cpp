// The Predict window's table without the window: a synthesised flight read through the
// same seam the window reads it through, the flown motor predicted back against what
// the flight measured, and the table sorted and filtered as a flyer clicks it.

#include "predict/predict_table.h"

#include <cmath>

#include <gtest/gtest.h>

#include "predict/predict_flight.h"
#include "support/synth_flight.h"

namespace tavo {
namespace {

const std::string kMotors = TAVOKIT_SOURCE_DIR "/data/motors/";

struct Flown {
    test::Flight record;
    PredictFlightData data;
    PredictTable table;
};

// A C6 flight of a 24 mm rocket, measured between its launch and burn-out markers, with
// the shipped collection in the table.
void FlyC6(Flown& f) {
    std::vector<std::string> notes;
    std::string reason;
    for (const char* file : {"C6.eng", "F50T.eng", "real/EstesIndustries_A8.eng",
                             "real/EstesIndustries_D12.eng", "real/AeroTech_G80.eng"})
        ASSERT_TRUE(f.table.AddMotorFile(kMotors + file, reason, notes)) << reason;
    SynthParams p;
    p.motor = f.table.Motors()[0].motor;
    p.rocket.dryMassKg = 0.08;
    p.rocket.diameterM = 0.025;
    p.rocket.cd = 0.5;
    p.recorder.noiseCounts = 0.6;
    p.deployDelayS = 3600.0;
    p.air.standard = true;
    SynthFlight synth;
    ASSERT_TRUE(SynthesizeFlight(p, synth, reason)) << reason;
    FillFlightRecord(p, synth, f.record);
    f.record.m_strMotor = "C6-5";
    f.data = ReadPredictFlight(f.record, {synth.launchIndex, synth.burnoutIndex}, 0.0);
    ASSERT_TRUE(f.table.SetRocket(f.data.drag, f.data.launchMassKg, p.motor.totalKg, reason))
        << reason;
    f.table.SetRail(1.0);
    f.table.Compute();
}

TEST(PredictTable, TheFlownMotorReproducesTheMeasuredFlight) {
    Flown f;
    FlyC6(f);
    const int c6 = f.table.FindMotor(f.record.m_strMotor);
    ASSERT_EQ(c6, 0);
    const FlightFigures measured = MeasureFlightFigures(f.data.accel, f.data.interval);
    ASSERT_TRUE(measured.apogeeReached);
    const Prediction& p = f.table.PredictionOf(c6);
    ASSERT_TRUE(p.flies) << p.reason;
    EXPECT_NEAR(p.apogee, measured.apogee, 0.02 * measured.apogee);
    EXPECT_NEAR(p.apogeeTime, measured.apogeeTime, 0.03 * measured.apogeeTime);
    EXPECT_NEAR(p.maxVelocity, measured.maxVelocity, 0.03 * measured.maxVelocity);
    const std::string text = f.table.ReproductionText(c6, measured, true);
    EXPECT_NE(text.find("The flown C6 predicted against this flight"), std::string::npos) << text;
    // A recording cut before its apogee is said so, not compared.
    std::vector<double> cut(f.data.accel.begin(), f.data.accel.begin() + 200);
    EXPECT_NE(f.table.ReproductionText(c6, MeasureFlightFigures(cut, f.data.interval), true)
                  .find("ends before the apogee"),
              std::string::npos);
}

TEST(PredictTable, SortsEveryWayAndFiltersByDiameter) {
    Flown f;
    FlyC6(f);
    const int n = static_cast<int>(f.table.Motors().size());
    ASSERT_GE(n, 5);
    struct Case {
        PredictColumn column;
        bool ascending;
    };
    for (const Case c : {Case{PredictColumn::Apogee, true}, Case{PredictColumn::Apogee, false},
                         Case{PredictColumn::MaxVelocity, false}, Case{PredictColumn::Motor, true},
                         Case{PredictColumn::Diameter, true}}) {
        f.table.SortBy(c.column, c.ascending);
        const std::vector<int>& rows = f.table.Visible();
        ASSERT_EQ(static_cast<int>(rows.size()), n);
        for (std::size_t i = 1; i < rows.size(); ++i) {
            const Prediction &a = f.table.PredictionOf(rows[i - 1]),
                             &b = f.table.PredictionOf(rows[i]);
            SCOPED_TRACE(static_cast<int>(c.column) * 10 + c.ascending);
            if (c.column == PredictColumn::Motor) {
                EXPECT_LE(f.table.Motors()[rows[i - 1]].motor.designation,
                          f.table.Motors()[rows[i]].motor.designation);
            } else if (c.column == PredictColumn::Diameter) {
                EXPECT_LE(f.table.Motors()[rows[i - 1]].motor.diameterMm,
                          f.table.Motors()[rows[i]].motor.diameterMm + 0.5);
            } else if (a.flies && b.flies) {
                const double x = c.column == PredictColumn::Apogee ? a.apogee : a.maxVelocity;
                const double y = c.column == PredictColumn::Apogee ? b.apogee : b.maxVelocity;
                EXPECT_TRUE(c.ascending ? x <= y : x >= y);
            } else {
                EXPECT_TRUE(a.flies || !b.flies); // what does not fly goes last
            }
        }
    }
    const std::vector<int> diameters = f.table.Diameters();
    ASSERT_GE(diameters.size(), 2u);
    f.table.FilterDiameter(diameters[0]);
    ASSERT_FALSE(f.table.Visible().empty());
    for (int m : f.table.Visible())
        EXPECT_EQ(std::lround(f.table.Motors()[m].motor.diameterMm), diameters[0]);
    f.table.FilterDiameter(0);
    EXPECT_EQ(static_cast<int>(f.table.Visible().size()), n);
    // Units follow the graph: the apogee in feet is the metres' 3.28 times.
    const int c6 = f.table.FindMotor("C6");
    EXPECT_NEAR(std::stod(f.table.Cell(c6, PredictColumn::Apogee, false)),
                std::stod(f.table.Cell(c6, PredictColumn::Apogee, true)) * 3.2808, 2.0);
}

} // namespace
} // namespace tavo
