// Commands on the measured rocket: drag (its drag curve) and predict (its flight on
// other motors).

#include <iostream>
#include <mutex>
#include <optional>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "cli/report_render.h"
#include "flight/atomic_file.h"
#include "flight/text_format.h"
#include "motor/rasp_reader.h"
#include "predict/predict.h"

namespace tavo::cli {

namespace {

// Reads a sample index option that must be there.
bool IndexOption(const char* command, const Args& args, const char* name, int& value,
                 int& exitCode) {
    const std::optional<std::string> text = args.Value(name);
    if (!text) {
        exitCode = UsageError(command, std::string(name) + " is required");
        return false;
    }
    if (!ParseInt(*text, value)) {
        exitCode =
            UsageError(command, std::string(name) + " takes a sample index, not \"" + *text + "\"");
        return false;
    }
    return true;
}

// A positive number of metres or kilograms, below `limit`.
bool PositiveOption(const char* command, const Args& args, const char* name, double limit,
                    double& value, int& exitCode) {
    const std::optional<std::string> text = args.Value(name);
    if (!text)
        return true;
    float parsed = 0.0f;
    if (!ParseFloat(*text, parsed) || !(parsed > 0.0f) || !(parsed < limit)) {
        exitCode = UsageError(command,
                              std::string(name) + " needs a number above 0, not \"" + *text + "\"");
        return false;
    }
    value = parsed;
    return true;
}

// The measured flight between the cursors, read under the samples' lock; false (with the
// exit code) when the cursors hold no samples.
bool ReadFlight(const CTAVOkitDoc& doc, int c1, int c2, double site, MeasuredFlight& flight,
                int& exitCode) {
    std::lock_guard<std::mutex> lock(doc.Record().m_pSamples.mutex());
    const std::vector<std::string>& samples = doc.Record().m_pSamples.items();
    if (c1 < 0 || c2 <= c1 || static_cast<std::size_t>(c2) > samples.size()) {
        exitCode = Failure("The burn must run from C1 to C2 within the flight's " +
                           std::to_string(samples.size()) + " samples.");
        return false;
    }
    flight = ReadMeasuredFlight(samples, doc.Data(), c1, c2, site);
    return true;
}

JsonObject PointJson(const DragCurvePoint& p) {
    JsonObject o;
    o.Add("mach", static_cast<float>(p.mach))
        .Add("speed", static_cast<float>(p.speed))
        .Add("cd", static_cast<float>(p.cd))
        .Add("samples", p.samples);
    return o;
}

// The flown motor of a file: the one named, the only one, or the one the flight's motor
// text names ("C6-5" flies a C6).
int ChooseFlownMotor(const std::string& path, const std::optional<std::string>& name,
                     const std::string& flightMotor, EngMotor& motor,
                     const char* command = "predict") {
    std::vector<EngMotor> motors;
    std::string reason;
    if (!LoadEngFile(path, motors, reason))
        return Failure(Windows1252ToUtf8(reason));
    std::string names;
    const EngMotor* byText = nullptr;
    for (const EngMotor& m : motors) {
        if (name && Utf8ToWindows1252(*name) == m.designation) {
            motor = m;
            return kExitOk;
        }
        if (flightMotor == m.designation || flightMotor.rfind(m.designation + "-", 0) == 0)
            byText = &m;
        names += (names.empty() ? "" : ", ") + Windows1252ToUtf8(m.designation);
    }
    if (!name && (motors.size() == 1 || byText != nullptr)) {
        motor = motors.size() == 1 ? motors.front() : *byText;
        return kExitOk;
    }
    const std::string file = FileNameOf(path);
    if (name)
        return UsageError(command, file + " holds no motor " + *name + "; it holds " + names);
    return UsageError(
        command, file + " holds several motors; name the flown one with --flown-motor: " + names);
}

// The rocket measured between C1 and C2: the launch weight less the flown motor's loaded
// mass (from its file, or `motorMass` as typed) and the drag of the coast after C2.
int MeasureFlownRocket(const CTAVOkitDoc& doc, const std::optional<std::string>& flown,
                       const std::optional<std::string>& flownName, double motorMass, int c1,
                       int c2, double site, const char* command, MeasuredRocket& rocket) {
    if (!(doc.Record().m_fLaunchWeight > 0.0f))
        return Failure("Please enter a weight in the details section.");
    int code = kExitOk;
    if (flown) {
        EngMotor motor;
        if ((code = ChooseFlownMotor(*flown, flownName, doc.Record().m_strMotor, motor, command)) !=
            kExitOk)
            return code;
        motorMass = motor.totalKg;
    }
    MeasuredFlight flight;
    if (!ReadFlight(doc, c1, c2, site, flight, code))
        return code;
    std::string reason;
    if (!MeasureRocket(EstimateDrag(flight), doc.Record().m_fLaunchWeight, motorMass, rocket,
                       reason))
        return Failure(reason);
    return kExitOk;
}

} // namespace

int AddPredictionToRender(const Args& args, const CTAVOkitDoc& doc, int c1, int c2,
                          ExtraFlights& extra) {
    const char* cmd = "render";
    int code = kExitOk;
    double motorMass = 0.0;
    if (!PositiveOption(cmd, args, "--motor-mass", 1e4, motorMass, code))
        return code;
    if (args.Has("--flown") == args.Has("--motor-mass"))
        return UsageError(cmd, "--predict needs the flown motor's loaded mass from --flown "
                               "FILE.eng or --motor-mass KG, not both");
    MeasuredRocket rocket;
    if ((code = MeasureFlownRocket(doc, args.Value("--flown"), std::nullopt, motorMass, c1, c2, 0.0,
                                   cmd, rocket)) != kExitOk)
        return code;
    std::string reason;

    const std::string path = *args.Value("--predict");
    RaspFile file;
    if (!LoadRaspFile(path, file, reason))
        return Failure(WithReason("Could not read " + FileNameOf(path), reason));
    const std::optional<std::string> name = args.Value("--motor");
    const EngMotor* motor = file.motors.empty() ? nullptr : &file.motors.front();
    if (name) {
        motor = nullptr;
        for (const EngMotor& m : file.motors)
            if (m.designation == Utf8ToWindows1252(*name))
                motor = &m;
    }
    if (motor == nullptr)
        return Failure(name ? "No motor " + *name + " in " + FileNameOf(path) + "."
                            : FileNameOf(path) + " holds no motor that can be flown.");
    PredictOptions options;
    options.curveInterval = doc.Curves().m_fSampleInterval;
    const Prediction p = PredictFlight(rocket, *motor, options, AirColumn(0.0));
    const std::string designation = Windows1252ToUtf8(motor->designation);
    if (!p.flies)
        return Failure("Nothing to draw for the " + designation + ": " + p.reason);
    const PredictedCurves curves{options.curveInterval, p.accel, p.velocity, p.altitude};
    if (!extra.AddPrediction(designation + " predicted", curves, c1 * options.curveInterval,
                             doc.Settings(), reason))
        return Failure(reason);
    return kExitOk;
}

int RunDrag(const CommandArgs& argv) {
    Args args;
    int code = kExitOk;
    if (!ParseCommandArgs("drag", argv,
                          WithFlightOptions({{"--c2", 1}, {"--csv", 0}, {"--site-altitude-m", 1}}),
                          1, args, code))
        return code;
    int c2 = 0;
    double site = 0.0;
    if (!IndexOption("drag", args, "--c2", c2, code) ||
        !ParseSiteAltitude(args, "drag", site, code))
        return code;
    CTAVOkitDoc doc;
    if ((code = LoadFlight(args.Positional()[0], args, doc)) != kExitOk)
        return code;
    // The speed is integrated from the launch marker, or from the first sample of a flight
    // without one (the pad reads no acceleration).
    const int c1 =
        doc.Curves().m_nEvent1 > 0 && doc.Curves().m_nEvent1 < c2 ? doc.Curves().m_nEvent1 : 0;
    MeasuredFlight flight;
    if (!ReadFlight(doc, c1, c2, site, flight, code))
        return code;
    const DragCurve curve = BuildDragCurve(EstimateDrag(flight));
    if (!curve.usable)
        return Failure("No drag curve: " + curve.reason + ".");
    if (!(curve.area > 0.0))
        return Failure("The drag coefficient needs the rocket's diameter: enter it in the "
                       "flight details or give --diameter M.");
    if (args.Has("--csv")) {
        std::cout << DragCurveCsv(curve, "\n");
        return std::cout.flush() ? kExitOk : Failure("Cannot write the drag curve.");
    }
    std::string points = "[";
    for (const DragCurvePoint& p : curve.points)
        points += (points.size() > 1 ? "," : "") + PointJson(p).Text();
    JsonObject out;
    out.Add("dragFactor", static_cast<float>(curve.dragFactor))
        .Add("cd", static_cast<float>(curve.cd))
        .Add("coastSamples", curve.coastSamples)
        .AddRaw("points", points + "]");
    std::cout << out.Text() << "\n";
    return kExitOk;
}

int RunPredict(const CommandArgs& argv) {
    const char* cmd = "predict";
    Args args;
    int code = kExitOk;
    const std::vector<OptionSpec> specs = {
        {"--c1", 1},          {"--c2", 1},         {"--flown", 1},
        {"--flown-motor", 1}, {"--motor-mass", 1}, {"--motor", 1, true},
        {"--name", 1},        {"--rail-m", 1},     {"--site-altitude-m", 1}};
    if (!ParseCommandArgs(cmd, argv, WithFlightOptions(specs), 1, args, code))
        return code;
    int c1 = 0, c2 = 0;
    double site = 0.0, motorMass = 0.0, rail = 0.0;
    if (!IndexOption(cmd, args, "--c1", c1, code) || !IndexOption(cmd, args, "--c2", c2, code) ||
        !ParseSiteAltitude(args, cmd, site, code) ||
        !PositiveOption(cmd, args, "--motor-mass", 1e4, motorMass, code) ||
        !PositiveOption(cmd, args, "--rail-m", 1e3, rail, code))
        return code;
    if (args.Has("--flown") == args.Has("--motor-mass"))
        return UsageError(cmd, "give the flown motor's loaded mass with --flown FILE.eng or "
                               "--motor-mass KG, not both");
    if (args.Has("--flown-motor") && !args.Has("--flown"))
        return UsageError(cmd, "--flown-motor names a motor of the --flown file");
    const std::vector<std::string>& motorFiles = args.Values("--motor");
    if (motorFiles.empty())
        return UsageError(cmd, "name at least one motor file to fly with --motor FILE.eng");

    CTAVOkitDoc doc;
    if ((code = LoadFlight(args.Positional()[0], args, doc)) != kExitOk)
        return code;
    MeasuredRocket rocket;
    if ((code = MeasureFlownRocket(doc, args.Value("--flown"), args.Value("--flown-motor"),
                                   motorMass, c1, c2, site, cmd, rocket)) != kExitOk)
        return code;

    const std::optional<std::string> only = args.Value("--name");
    const AirColumn air(site);
    PredictOptions options;
    options.railLengthM = rail;
    std::string predictions = "[";
    std::string reason;
    int flown = 0;
    for (const std::string& path : motorFiles) {
        RaspFile file;
        if (!LoadRaspFile(path, file, reason))
            return Failure(WithReason("Could not read " + FileNameOf(path), reason));
        for (const RaspRefusal& r : file.refused)
            std::cerr << FileNameOf(path) << ": " << Windows1252ToUtf8(RefusalText(r))
                      << " (left out)\n";
        for (const EngMotor& motor : file.motors) {
            if (only && Utf8ToWindows1252(*only) != motor.designation)
                continue;
            const Prediction p = PredictFlight(rocket, motor, options, air);
            const std::string name = Windows1252ToUtf8(motor.designation);
            if (!p.flies)
                std::cerr << FileNameOf(path) << ": " << name << ": " << p.reason << "\n";
            auto figure = [&p](double value) {
                return p.flies ? std::optional<float>(static_cast<float>(value)) : std::nullopt;
            };
            JsonObject o;
            o.Add("motor", name)
                .Add("file", path)
                .Add("class", std::string(1, ImpulseClassLetter(TotalImpulse(motor))))
                .AddOptional("apogee", figure(p.apogee))
                .AddOptional("apogeeTime", figure(p.apogeeTime))
                .AddOptional("maxVelocity", figure(p.maxVelocity))
                .AddOptional("maxAccel", figure(p.maxAccel))
                .Add("burnout", static_cast<float>(p.burnout))
                .AddOptional("bestDelay", figure(p.bestDelay))
                .AddOptional("railExitVelocity",
                             p.railExit
                                 ? std::optional<float>(static_cast<float>(p.railExitVelocity))
                                 : std::nullopt)
                .Add("beyondMeasuredSpeed", p.beyondMeasuredSpeed);
            predictions += (flown++ > 0 ? "," : "") + o.Text();
        }
    }
    if (flown == 0)
        return Failure(only ? "No motor " + *only + " in the motor files."
                            : std::string("The motor files hold no motor that can be flown."));
    JsonObject r;
    r.Add("dryMass", static_cast<float>(rocket.dryMassKg))
        .Add("dragFactor", static_cast<float>(rocket.drag.dragFactor))
        .Add("cd", static_cast<float>(rocket.drag.cd))
        .Add("maxMeasuredSpeed", static_cast<float>(rocket.maxMeasuredSpeed));
    JsonObject out;
    out.AddObject("rocket", r).AddRaw("predictions", predictions + "]");
    std::cout << out.Text() << "\n";
    return kExitOk;
}

} // namespace tavo::cli
