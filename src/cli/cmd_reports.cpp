// Commands on the reports: motor-report and cd-report.

#include <iostream>
#include <optional>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "flight/atomic_file.h"
#include "flight/text_format.h"
#include "motor/rasp_reader.h"
#include "reports/cd_report.h"
#include "reports/motor_comparison.h"
#include "reports/motor_report.h"

namespace tavo::cli {

namespace {

// FLIGHT --c1 I --c2 J with the flight options (and `extra`): loads the flight and reads
// the cursors.
int LoadWithCursors(const char* command, const CommandArgs& argv, CTAVOkitDoc& doc,
                    CursorRange& range, Args& args, std::vector<OptionSpec> extra = {}) {
    int code = kExitOk;
    extra.push_back({"--c1", 1});
    extra.push_back({"--c2", 1});
    if (!ParseCommandArgs(command, argv, WithFlightOptions(extra), 1, args, code))
        return code;
    int c1 = 0, c2 = 0;
    if (!args.Has("--c1") || !args.Has("--c2"))
        return UsageError(command, "--c1 and --c2 are required");
    if (!ParseInt(*args.Value("--c1"), c1) || !ParseInt(*args.Value("--c2"), c2))
        return UsageError(command, "--c1 and --c2 take sample indices");
    code = LoadFlight(args.Positional()[0], args, doc);
    if (code != kExitOk)
        return code;
    range = {c1, c2};
    return kExitOk;
}

// The motor of `path` to compare with: the one named, or the only one.
int LoadCertified(const std::string& path, const std::optional<std::string>& name,
                  EngMotor& motor) {
    RaspFile file;
    std::string reason;
    if (!LoadRaspFile(path, file, reason))
        return Failure(WithReason("Could not read " + FileNameOf(path), reason));
    std::string names;
    for (EngMotor& m : file.motors) {
        if (name && Utf8ToWindows1252(*name) == m.designation) {
            motor = std::move(m);
            return kExitOk;
        }
        names += (names.empty() ? "" : ", ") + Windows1252ToUtf8(m.designation);
    }
    if (!name && file.motors.size() == 1) {
        motor = std::move(file.motors.front());
        return kExitOk;
    }
    if (file.motors.empty()) {
        std::string refusals;
        for (const RaspRefusal& r : file.refused)
            refusals += (refusals.empty() ? "" : "\n") + Windows1252ToUtf8(RefusalText(r));
        return Failure(
            WithReason(FileNameOf(path) + " holds no motor that can be read.", refusals));
    }
    if (name)
        return UsageError("motor-report",
                          FileNameOf(path) + " holds no motor " + *name + "; it holds " + names);
    return UsageError("motor-report",
                      FileNameOf(path) + " holds several motors; name one with --motor: " + names);
}

} // namespace

int RunMotorReport(const CommandArgs& argv) {
    CTAVOkitDoc doc;
    CursorRange range;
    Args args;
    int code = LoadWithCursors(
        "motor-report", argv, doc, range, args,
        {{"--thrust", 1}, {"--compare", 1}, {"--motor", 1}, {"--site-altitude-m", 1}});
    if (code != kExitOk)
        return code;
    ThrustKind kind = ThrustKind::Motor;
    if (auto thrust = args.Value("--thrust")) {
        if (*thrust == "net")
            kind = ThrustKind::Net;
        else if (*thrust != "motor")
            return UsageError("motor-report", "--thrust takes motor or net");
    }
    if (args.Has("--motor") && !args.Has("--compare"))
        return UsageError("motor-report", "--motor names a motor of the --compare file");
    EngMotor certified;
    if (auto compare = args.Value("--compare")) {
        if ((code = LoadCertified(*compare, args.Value("--motor"), certified)) != kExitOk)
            return code;
    }
    AnsweringPrompt prompt;
    MotorReport report;
    if (!ParseSiteAltitude(args, "motor-report", report.m_dSiteAltitudeM, code))
        return code;
    if (!report.ComputeMotorReport(doc.Data(), range, prompt, kind))
        return Failure(prompt.Message());
    JsonObject out;
    out.Add("motorClass", report.m_strMotorClass)
        .Add("burnTime", report.m_strBurnTime)
        .Add("avgThrustN", report.m_strAvgThrustN)
        .Add("avgThrustLb", report.m_strAvgThrustLb)
        .Add("peakThrustN", report.m_strPeakThrustN)
        .Add("peakThrustLb", report.m_strPeakThrustLb)
        .Add("totalImpulseN", report.m_strTotalImpulseN)
        .Add("totalImpulseLb", report.m_strTotalImpulseLb)
        .Add("isp", report.m_strIsp)
        .Add("peakAccel", report.m_fPeakAccel)
        .Add("thrust", ThrustKindWord(kind))
        .Add("thrustAbovePad", report.m_bThrustAbovePad)
        .Add("impulseUncertainty", static_cast<float>(report.m_dImpulseUncertainty))
        .Add("classNote", report.m_strClassNote);
    // The class is empty for a range with no burn: the reader of the JSON is told why.
    if (!report.m_bThrustAbovePad)
        std::cerr << "tavokit-cli motor-report: " << kNoThrustText
                  << " between the cursors: no motor class.\n";
    const DragEstimate& drag = report.m_drag;
    JsonObject model;
    model.Add("weightImpulse", static_cast<float>(report.m_dWeightImpulse))
        .Add("dragImpulse", static_cast<float>(report.m_dDragImpulse))
        .Add("dragFromCoast", drag.usable)
        .Add("dragFactor", static_cast<float>(drag.dragFactor))
        .Add("cd", static_cast<float>(drag.cd))
        .Add("coastSamples", drag.coastSamples)
        .Add("burnoutSpeed", static_cast<float>(drag.burnoutSpeed))
        .Add("airDensity", static_cast<float>(drag.airDensity))
        .Add("siteAltitude", static_cast<float>(report.m_dSiteAltitudeM))
        .Add("note", kind == ThrustKind::Motor && !drag.usable ? drag.reason : std::string());
    out.AddObject("model", model);
    if (args.Has("--compare")) {
        const MotorComparison c = CompareWithCertified(report, certified);
        JsonObject cert;
        cert.Add("designation", Windows1252ToUtf8(c.certified.designation))
            .Add("manufacturer", Windows1252ToUtf8(c.certified.manufacturer))
            .Add("class", std::string(1, c.certified.impulseClass))
            .Add("totalImpulse", static_cast<float>(c.certified.totalImpulse))
            .Add("avgThrust", static_cast<float>(c.certified.avgThrust))
            .Add("peakThrust", static_cast<float>(c.certified.peakThrust))
            .Add("burnTime", static_cast<float>(c.certified.burnTime));
        JsonObject diff;
        diff.Add("totalImpulse", static_cast<float>(c.totalImpulsePercent))
            .Add("avgThrust", static_cast<float>(c.avgThrustPercent))
            .Add("peakThrust", static_cast<float>(c.peakThrustPercent))
            .Add("burnTime", static_cast<float>(c.burnTimePercent));
        out.AddObject("certified", cert).AddObject("differencePercent", diff);
    }
    std::cout << out.Text() << "\n";
    return kExitOk;
}

int RunCdReport(const CommandArgs& argv) {
    CTAVOkitDoc doc;
    CursorRange range;
    Args args;
    int code = LoadWithCursors("cd-report", argv, doc, range, args, {{"--cd", 1}});
    if (code != kExitOk)
        return code;
    CdKind kind = CdKind::Drag;
    if (auto cd = args.Value("--cd")) {
        if (*cd == "document")
            kind = CdKind::Document;
        else if (*cd != "drag")
            return UsageError("cd-report", "--cd takes drag or document");
    }
    AnsweringPrompt prompt;
    CdReport report;
    if (!report.ComputeCdReport(doc.Data(), range, prompt, kind))
        return Failure(prompt.Message());
    JsonObject out;
    out.Add("cdMin", report.m_fCdMin)
        .Add("cdMax", report.m_fCdMax)
        .Add("cdMean", report.m_fCdMean)
        .Add("cd", CdKindWord(kind))
        .Add("samples", report.m_nSamples)
        .Add("burnoutSpeed", static_cast<float>(report.m_dBurnoutSpeed))
        .Add("speedFloor", static_cast<float>(report.m_dSpeedFloor))
        .Add("minSpeed", static_cast<float>(report.m_dMinSpeed))
        .Add("maxSpeed", static_cast<float>(report.m_dMaxSpeed))
        .Add("note", report.m_strNote);
    std::cout << out.Text() << "\n";
    return kExitOk;
}

} // namespace tavo::cli
