// predictcheck: flies every motor of the given files on synthesised flights and prints
// how closely the program reads them back: the motor report's impulse against the
// certified curve, the thrust-curve export at 10, 20 and 32 points against the measured
// curve (each file loaded again by the motor-file reader), and the measured rocket
// flown on the other motors against the synthesiser's own flights of them.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "exchange/eng_export.h"
#include "flight/number_text.h"
#include "motor/rasp_reader.h"
#include "predict/predict.h"
#include "prompt/user_prompt.h"
#include "reports/motor_report.h"
#include "sim/flight_synth.h"

namespace {

using namespace tavo;

const char* const kUsage =
    "usage: predictcheck [--site-altitude M] [--constant-air] [--noise C] FILE.eng...\n"
    "  --site-altitude M  the launch site above sea level (0)\n"
    "  --constant-air     synthesise in the constant 1.2 kg/m^3 air instead of the\n"
    "                     standard atmosphere (the program always takes the standard one)\n"
    "  --noise C          peak noise of the synthesised readings, counts (0.6)\n"
    "Exit status 0 when every figure is within its bound: impulse 2 %, export impulse 1 %\n"
    "and peak 2 %, predicted apogee, maximum velocity and apogee time 3 %, the flown\n"
    "motor's own apogee 2 %.\n";

struct Options {
    double site = 0.0;
    bool standard = true;
    double noise = 0.6;
};

// The rocket a motor is flown in: about 6 g off the pad, the peak within the
// accelerometer's 40 g, a body tube a little wider than the motor.
SynthParams RocketFor(const EngMotor& motor, const Options& o) {
    SynthParams p;
    p.motor = motor;
    const double avg = TotalImpulse(motor) / BurnTime(motor);
    const double launch = std::max(avg / (6.0 * kGee), PeakThrust(motor) / (35.0 * kGee));
    p.rocket.dryMassKg = std::max(launch - motor.totalKg, 0.2 * motor.totalKg);
    p.rocket.diameterM = (motor.diameterMm + 8.0) / 1000.0;
    p.rocket.cd = 0.55;
    p.rocket.chuteDiameterM = 4.0 * p.rocket.diameterM;
    p.recorder.sampleRate = 200;
    p.recorder.noiseCounts = o.noise;
    p.recorder.seed = 7;
    // Deployed by electronics well after apogee, so every motor leaves a coast.
    p.deployDelayS = 3600.0;
    p.air.standard = o.standard;
    p.air.siteAltitudeM = o.site;
    return p;
}

struct Flown {
    SynthParams params;
    SynthFlight synth;
    FlightRecord record;
    FlightCurves curves;
    UserSettings settings;
    CursorRange burn; // launch to burn-out, where the report and the export read the motor
    FlightData Data() const { return {record, curves, settings}; }
};

bool Fly(const SynthParams& p, Flown& f, std::string& reason) {
    f.params = p;
    if (!SynthesizeFlight(p, f.synth, reason))
        return false;
    FillFlightRecord(p, f.synth, f.record);
    f.curves.Recompute(f.record, f.settings);
    f.burn = {f.synth.launchIndex, f.synth.burnoutIndex};
    return f.synth.burnoutIndex > f.synth.launchIndex;
}

double Percent(double value, double reference) {
    return reference != 0.0 ? (value - reference) / reference * 100.0 : NAN;
}

struct Tally {
    int checked = 0, failed = 0;
    double worst = 0.0;
    void Add(double percent, double bound) {
        ++checked;
        worst = std::max(worst, std::fabs(percent));
        if (!(std::fabs(percent) <= bound))
            ++failed;
    }
};

} // namespace

int main(int argc, char** argv) {
    Options o;
    std::vector<EngMotor> motors;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (a == "--constant-air") {
            o.standard = false;
        } else if ((a == "--site-altitude" || a == "--noise") && i + 1 < argc) {
            double& v = a == "--noise" ? o.noise : o.site;
            if (!ParseWholeNumber(argv[++i], v) || !std::isfinite(v)) {
                std::fprintf(stderr, "predictcheck: bad value for %s\n%s", a.c_str(), kUsage);
                return 2;
            }
        } else {
            std::vector<EngMotor> file;
            std::string reason;
            if (!LoadEngFile(a, file, reason)) {
                std::fprintf(stderr, "predictcheck: %s\n", reason.c_str());
                return 1;
            }
            motors.push_back(file.front());
        }
    }
    if (motors.empty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    std::sort(motors.begin(), motors.end(), [](const EngMotor& a, const EngMotor& b) {
        return TotalImpulse(a) < TotalImpulse(b);
    });
    const std::string dir = (std::filesystem::temp_directory_path() / "predictcheck").string();
    std::filesystem::create_directories(dir);

    Tally impulse, engImpulse, engPeak, apogee, velocity, apogeeTime, self;
    std::vector<Flown> flights(motors.size());
    std::printf("Motor report and thrust-curve export (motor thrust, cursors on launch and "
                "burn-out):\n");
    std::printf("%-9s %9s %9s %7s %8s | %-28s | %-28s | %-28s\n", "motor", "certified", "report",
                "diff%", "+/-", "ENG 10 points: I%, peak%", "ENG 20", "ENG 32");
    for (std::size_t m = 0; m < motors.size(); ++m) {
        std::string reason;
        if (!Fly(RocketFor(motors[m], o), flights[m], reason)) {
            std::printf("%-9s not flown: %s\n", motors[m].designation.c_str(), reason.c_str());
            continue;
        }
        const FlightData rec = flights[m].Data();
        AnsweringPrompt prompt;
        MotorReport report;
        report.m_dSiteAltitudeM = o.site;
        const double certified = TotalImpulse(motors[m]);
        if (!report.ComputeMotorReport(rec, flights[m].burn, prompt, ThrustKind::Motor))
            continue;
        const double diff = Percent(report.m_fTotalImpulse, certified);
        impulse.Add(diff, 2.0);
        std::printf("%-9s %9.3f %9.3f %+7.2f %8.3f", motors[m].designation.c_str(), certified,
                    report.m_fTotalImpulse, diff, report.m_dImpulseUncertainty);
        for (int points : {10, 20, 32}) {
            EngExportParams params =
                SuggestEngExportParams(rec, flights[m].burn, ThrustKind::Motor, &motors[m]);
            params.designation = "T" + std::to_string(points);
            params.delays = "0";
            params.preFireWeight = "1";
            params.postFireWeight = "0.5";
            params.manufacturer = "Check";
            params.points = points;
            params.siteAltitudeM = o.site;
            EngExportFigures fig;
            const std::string path =
                dir + "/" + std::to_string(m) + "_" + std::to_string(points) + ".eng";
            RaspFile back;
            if (!WriteEngFile(path, rec, flights[m].burn, params, reason, &fig) ||
                !LoadRaspFile(path, back, reason) || back.motors.size() != 1 ||
                !back.refused.empty() || !back.motors[0].warnings.empty() ||
                !back.warnings.empty()) {
                std::printf(" | %-28s", ("not read back: " + reason).c_str());
                engImpulse.Add(NAN, 1.0);
                continue;
            }
            // The figures as the reader loads them, not as the writer meant them.
            const double di = Percent(TotalImpulse(back.motors[0]), fig.measuredImpulse);
            const double dp = Percent(PeakThrust(back.motors[0]), fig.measuredPeak);
            engImpulse.Add(di, 1.0);
            engPeak.Add(dp, 2.0);
            char cell[64];
            std::snprintf(cell, sizeof cell, "%+6.2f %+6.2f (%d lines)", di, dp,
                          static_cast<int>(back.motors[0].points.size()));
            std::printf(" | %-28s", cell);
        }
        std::printf("\n");
    }

    std::printf("\nPredictions: the rocket measured on motor A flown on motor B, against the "
                "synthesiser's flight of B (percent differences):\n");
    std::printf("%-9s %-9s %9s %9s %7s %8s %7s %8s %7s %s\n", "A", "B", "apogee", "true", "diff%",
                "vmax", "diff%", "t apogee", "diff%", "beyond");
    for (std::size_t a = 0; a < motors.size(); ++a) {
        const Flown& fa = flights[a];
        if (fa.synth.words.empty())
            continue;
        DragEstimate drag;
        {
            const std::vector<std::string>& s = fa.record.m_pSamples.items();
            drag = EstimateDrag(ReadMeasuredFlight(s, fa.Data(), fa.burn.c1, fa.burn.c2, o.site));
        }
        MeasuredRocket rocket;
        std::string reason;
        if (!MeasureRocket(drag, fa.record.m_fLaunchWeight, motors[a].totalKg, rocket, reason)) {
            std::printf("%-9s no rocket: %s\n", motors[a].designation.c_str(), reason.c_str());
            continue;
        }
        const AirColumn air(o.site);
        for (std::size_t b = 0; b < motors.size(); ++b) {
            // The same rocket takes motors a class or two either side of its own.
            const double ratio = TotalImpulse(motors[b]) / TotalImpulse(motors[a]);
            if (ratio < 0.24 || ratio > 4.1)
                continue;
            SynthParams pb = fa.params;
            pb.motor = motors[b];
            Flown fb;
            if (!Fly(pb, fb, reason))
                continue;
            const Prediction p = PredictFlight(rocket, motors[b], PredictOptions{}, air);
            if (!p.flies)
                continue;
            const SynthTruth& t = fb.synth.truth;
            const double da = Percent(p.apogee, t.apogeeM),
                         dv = Percent(p.maxVelocity, t.maxVelocityMs),
                         dt = Percent(p.apogeeTime, t.apogeeTimeS);
            if (a == b) {
                self.Add(da, 2.0);
            } else {
                apogee.Add(da, 3.0);
                velocity.Add(dv, 3.0);
                apogeeTime.Add(dt, 3.0);
            }
            std::printf("%-9s %-9s %9.1f %9.1f %+7.2f %8.1f %+7.2f %8.2f %+7.2f %s\n",
                        motors[a].designation.c_str(), motors[b].designation.c_str(), p.apogee,
                        t.apogeeM, da, p.maxVelocity, dv, p.apogeeTime, dt,
                        p.beyondMeasuredSpeed ? "yes" : "no");
        }
    }
    auto line = [](const char* what, const Tally& t, double bound) {
        std::printf("%-40s %3d checked, worst %6.2f %%, %d beyond %.0f %%\n", what, t.checked,
                    t.worst, t.failed, bound);
    };
    std::printf("\nSummary (%s air, site %.0f m, noise %.2f counts):\n",
                o.standard ? "standard" : "constant", o.site, o.noise);
    line("motor report impulse vs certified", impulse, 2.0);
    line("ENG impulse vs measured (10/20/32)", engImpulse, 1.0);
    line("ENG peak vs measured (10/20/32)", engPeak, 2.0);
    line("predicted apogee, other motors", apogee, 3.0);
    line("predicted max velocity, other motors", velocity, 3.0);
    line("predicted apogee time, other motors", apogeeTime, 3.0);
    line("predicted apogee, the flown motor", self, 2.0);
    std::filesystem::remove_all(dir);
    const int failed = impulse.failed + engImpulse.failed + engPeak.failed + apogee.failed +
                       velocity.failed + apogeeTime.failed + self.failed;
    return failed == 0 ? 0 : 1;
}
