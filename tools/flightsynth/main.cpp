// flightsynth: writes a synthesised flight file from a motor curve and rocket figures,
// and prints the parameters and the flight's true figures beside it, so a flight used
// for demonstrations or tests can be remade and checked.

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "flight/atomic_file.h"
#include "flight/civil_date.h"
#include "flight/flight_file.h"
#include "flight/number_text.h"
#include "flight/text_format.h"
#include "motor/rasp_reader.h"
#include "sim/flight_synth.h"

namespace {

using namespace tavo;

const char* const kUsage =
    "usage: flightsynth OUT.flt --motor FILE.eng [options]\n"
    "  --designation D     motor of that name in the file (default: the first)\n"
    "  --dry-mass KG       rocket without motor (0.050)\n"
    "  --diameter M        body diameter (0.0246)\n"
    "  --cd X              body drag coefficient (0.6)\n"
    "  --chute-diameter M  parachute diameter (0.30)\n"
    "  --chute-cd X        parachute drag coefficient (1.5)\n"
    "  --delay S           burn-out to deployment (default: the motor's nearest delay)\n"
    "  --rate HZ           sample rate (200)\n"
    "  --prelaunch N       pre-launch samples (256)\n"
    "  --zero-g C          reading at zero g, counts (512.5)\n"
    "  --two-gee X         counts for two g (15)\n"
    "  --noise C           peak noise, counts (0)\n"
    "  --seed N            noise seed (1)\n"
    "  --after-landing S   recording after touch-down (2)\n"
    "  --site-altitude M   fly in the standard atmosphere over a site M metres above sea\n"
    "                      level (default: a constant 1.2 kg/m^3)\n"
    "  --name T  --comment T  --date YYYY-MM-DD   flight details\n"
    "  --motor-text T      the flight's motor text (default: the designation)\n"
    "  --info FILE         also write the description to FILE\n";

bool ParseDouble(const char* text, double& value) {
    return ParseWholeNumber(text, value) && std::isfinite(value);
}

// A flight date the file's unsigned 32-bit time can hold.
bool ParseFlightDate(const char* text, std::int64_t& seconds) {
    std::int64_t parsed = 0;
    if (!ParseDate(text, parsed) || parsed < 0 || parsed > 0xFFFFFFFFll)
        return false;
    seconds = parsed;
    return true;
}

std::string Quote(const std::string& arg) {
    if (!arg.empty() && arg.find_first_of(" \t\"'\\$`") == std::string::npos)
        return arg;
    std::string q = "'";
    for (char c : arg)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

std::string Format(const char* fmt, double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, fmt, value);
    return buf;
}

std::string Describe(const std::string& command, const SynthParams& p, const SynthFlight& f) {
    const SynthTruth& t = f.truth;
    auto idx = [](int i) { return i < 0 ? std::string("none") : std::to_string(i); };
    std::string s;
    s += "Made with (from the repository root, flightsynth being "
         "build/tools/flightsynth/flightsynth):\n  " +
         command + "\n\n";
    s += "Parameters:\n";
    s += "  motor " + p.motor.designation + " (" + p.motor.manufacturer + "), propellant " +
         Format("%.4f", p.motor.propellantKg) + " kg, loaded " + Format("%.4f", p.motor.totalKg) +
         " kg, burn " + Format("%.3f", BurnTime(p.motor)) + " s\n";
    s += "  rocket without motor " + Format("%.4f", p.rocket.dryMassKg) + " kg, diameter " +
         Format("%.4f", p.rocket.diameterM) + " m, Cd " + Format("%.3f", p.rocket.cd) + "\n";
    s += "  parachute diameter " + Format("%.3f", p.rocket.chuteDiameterM) + " m, Cd " +
         Format("%.3f", p.rocket.chuteCd) + ", deployment delay " +
         (t.deployDelayS < 0.0 ? std::string("none") : Format("%.3f", t.deployDelayS) + " s") +
         "\n";
    s += "  recorder " + std::to_string(p.recorder.sampleRate) + " Hz, " +
         std::to_string(p.recorder.preLaunchSamples) + " pre-launch samples, zero g " +
         Format("%.1f", p.recorder.zeroG) + " counts, two-G " + Format("%.3f", p.recorder.twoGee) +
         " counts, noise " + Format("%.2f", p.recorder.noiseCounts) + " counts, seed " +
         std::to_string(p.recorder.seed) + "\n";
    if (p.air.standard)
        s += "  standard atmosphere over a site " + Format("%.1f", p.air.siteAltitudeM) +
             " m above sea level\n";
    s += "\n";
    s += "Recording:\n";
    s += "  samples " + std::to_string(f.words.size()) + (f.truncated ? " (memory full)" : "") +
         ", pad reading / acceleration offset " + std::to_string(f.padReading) + "\n";
    s += "  event samples: launch " + idx(f.launchIndex) + ", burn-out " + idx(f.burnoutIndex) +
         ", apogee " + idx(f.apogeeIndex) + ", deployment " + idx(f.deployIndex) + "\n\n";
    s += "Truth (times after ignition; impulses from launch to burn-out):\n";
    s += "  launch mass " + Format("%.4f", t.launchMassKg) + " kg\n";
    s += "  lift-off " + Format("%.4f", t.liftoffTimeS) + " s, burn-out " +
         Format("%.4f", t.burnoutTimeS) + " s, apogee " + Format("%.4f", t.apogeeTimeS) +
         " s, deployment " + (t.deployTimeS < 0.0 ? "none" : Format("%.4f", t.deployTimeS) + " s") +
         ", landing " + (t.landingTimeS < 0.0 ? "none" : Format("%.4f", t.landingTimeS) + " s") +
         "\n";
    s += "  motor impulse " + Format("%.4f", t.motorImpulseNs) + " N s\n";
    s += "  thrust impulse " + Format("%.4f", t.thrustImpulseNs) + " N s\n";
    s += "  weight impulse " + Format("%.4f", t.weightImpulseNs) + " N s\n";
    s += "  drag impulse " + Format("%.4f", t.dragImpulseNs) + " N s\n";
    s += "  net impulse " + Format("%.4f", t.netImpulseNs) + " N s\n";
    s += "  apogee " + Format("%.2f", t.apogeeM) + " m\n";
    s += "  max velocity " + Format("%.2f", t.maxVelocityMs) + " m/s\n";
    s += "  landing velocity " + Format("%.2f", t.landingVelocityMs) + " m/s\n";
    return s;
}

int Usage(const char* message) {
    std::fprintf(stderr, "flightsynth: %s\n%s", message, kUsage);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    SynthParams p;
    std::string out, motorPath, designation, infoPath, motorText;
    std::string command = "flightsynth";
    for (int i = 1; i < argc; ++i)
        command += " " + Quote(argv[i]);

    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (a.rfind("--", 0) != 0) {
            if (!out.empty())
                return Usage("only one output file");
            out = a;
            continue;
        }
        if (i + 1 >= argc)
            return Usage((a + " needs a value").c_str());
        const char* v = argv[++i];
        bool ok = true;
        if (a == "--motor")
            motorPath = v;
        else if (a == "--designation")
            designation = v;
        else if (a == "--dry-mass")
            ok = ParseDouble(v, p.rocket.dryMassKg);
        else if (a == "--diameter")
            ok = ParseDouble(v, p.rocket.diameterM);
        else if (a == "--cd")
            ok = ParseDouble(v, p.rocket.cd);
        else if (a == "--chute-diameter")
            ok = ParseDouble(v, p.rocket.chuteDiameterM);
        else if (a == "--chute-cd")
            ok = ParseDouble(v, p.rocket.chuteCd);
        else if (a == "--delay")
            ok = ParseDouble(v, p.deployDelayS) && p.deployDelayS >= 0.0;
        else if (a == "--rate")
            ok = ParseWholeNumber(v, p.recorder.sampleRate);
        else if (a == "--prelaunch")
            ok = ParseWholeNumber(v, p.recorder.preLaunchSamples);
        else if (a == "--zero-g")
            ok = ParseDouble(v, p.recorder.zeroG);
        else if (a == "--two-gee") {
            double x = 0.0;
            ok = ParseDouble(v, x) && x > 0.0 && x < 1e6;
            p.recorder.twoGee = static_cast<float>(x);
        } else if (a == "--noise")
            ok = ParseDouble(v, p.recorder.noiseCounts);
        else if (a == "--seed")
            ok = ParseWholeNumber(v, p.recorder.seed);
        else if (a == "--after-landing")
            ok = ParseDouble(v, p.recorder.afterLandingS);
        else if (a == "--site-altitude") {
            ok = ParseDouble(v, p.air.siteAltitudeM);
            p.air.standard = true;
        } else if (a == "--name")
            p.name = Utf8ToWindows1252(v);
        else if (a == "--motor-text")
            motorText = Utf8ToWindows1252(v);
        else if (a == "--comment")
            p.comment = Utf8ToWindows1252(v);
        else if (a == "--date")
            ok = ParseFlightDate(v, p.date);
        else if (a == "--info")
            infoPath = v;
        else
            return Usage(("unknown option " + a).c_str());
        if (!ok)
            return Usage(("bad value for " + a + ": " + v).c_str());
    }
    if (out.empty() || motorPath.empty())
        return Usage("an output file and --motor are needed");

    std::vector<EngMotor> motors;
    std::string reason;
    if (!LoadEngFile(motorPath, motors, reason)) {
        std::fprintf(stderr, "flightsynth: %s\n", reason.c_str());
        return 1;
    }
    const EngMotor* motor = &motors.front();
    if (!designation.empty()) {
        motor = nullptr;
        for (const EngMotor& m : motors)
            if (m.designation == designation)
                motor = &m;
        if (motor == nullptr) {
            std::fprintf(stderr, "flightsynth: no motor %s in %s\n", designation.c_str(),
                         motorPath.c_str());
            return 1;
        }
    }
    p.motor = *motor;

    SynthFlight flight;
    if (!SynthesizeFlight(p, flight, reason)) {
        std::fprintf(stderr, "flightsynth: %s\n", reason.c_str());
        return 1;
    }
    FlightRecord record;
    FillFlightRecord(p, flight, record);
    if (!motorText.empty())
        record.m_strMotor = motorText;
    FileError error;
    if (!SaveFlightFile(out, record, error)) {
        std::fprintf(stderr, "flightsynth: %s\n", error.message.c_str());
        return 1;
    }
    std::string text = Describe(command, p, flight);
    std::fputs(text.c_str(), stdout);
    if (!infoPath.empty() && !WriteFileAtomically(infoPath, text, reason)) {
        std::fprintf(stderr, "flightsynth: %s: %s\n", infoPath.c_str(), reason.c_str());
        return 1;
    }
    return 0;
}
