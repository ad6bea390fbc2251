// Commands on the reports: motor-report and cd-report.

#include <iostream>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "reports/cd_report.h"
#include "reports/motor_report.h"

namespace tavo::cli {

namespace {

// FLIGHT --c1 I --c2 J with the flight options: loads the flight and sets the cursors.
int LoadWithCursors(const char* command, const CommandArgs& argv, CTAVOkitDoc& doc) {
    Args args;
    std::string error;
    if (!args.Parse(argv, WithFlightOptions({{"--c1", 1}, {"--c2", 1}}), error))
        return UsageError(command, error);
    if (args.Positional().size() != 1)
        return UsageError(command, "expected one flight file");
    int c1 = 0, c2 = 0;
    if (!args.Has("--c1") || !args.Has("--c2"))
        return UsageError(command, "--c1 and --c2 are required");
    if (!ParseInt(*args.Value("--c1"), c1) || !ParseInt(*args.Value("--c2"), c2))
        return UsageError(command, "--c1 and --c2 take sample indices");
    const int code = LoadFlight(args.Positional()[0], args, doc);
    if (code != kExitOk)
        return code;
    doc.m_nCursor1 = c1;
    doc.m_nCursor2 = c2;
    return kExitOk;
}

} // namespace

int RunMotorReport(const CommandArgs& argv) {
    CTAVOkitDoc doc;
    int code = LoadWithCursors("motor-report", argv, doc);
    if (code != kExitOk)
        return code;
    AnsweringPrompt prompt;
    MotorReport report;
    if (!report.ComputeMotorReport(doc, prompt))
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
        .Add("peakAccel", report.m_fPeakAccel);
    std::cout << out.Text() << "\n";
    return kExitOk;
}

int RunCdReport(const CommandArgs& argv) {
    CTAVOkitDoc doc;
    int code = LoadWithCursors("cd-report", argv, doc);
    if (code != kExitOk)
        return code;
    AnsweringPrompt prompt;
    CdReport report;
    if (!report.ComputeCdReport(doc, prompt))
        return Failure(prompt.Message());
    JsonObject out;
    out.Add("cdMin", report.m_fCdMin).Add("cdMax", report.m_fCdMax);
    std::cout << out.Text() << "\n";
    return kExitOk;
}

} // namespace tavo::cli
