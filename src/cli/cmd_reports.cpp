// Commands on the reports: motor-report, cd-report, and the report pictures that
// `render --report` draws.

#include <iostream>

#include <QBuffer>
#include <QImage>

#include "canvas/svg_canvas.h"
#include "cli/cli_common.h"
#include "cli/commands.h"
#include "cli/report_render.h"
#include "flight/atomic_file.h"
#include "reports/report_paint.h"

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

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

int WriteOut(const std::string& path, const QByteArray& bytes) {
    if (bytes.isEmpty())
        return Failure("Could not draw " + FileNameOf(path) + ".");
    std::string reason;
    if (!WriteFileAtomically(path, bytes.constData(), static_cast<std::size_t>(bytes.size()),
                             reason))
        return Failure(reason);
    return kExitOk;
}

QByteArray PngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return QByteArray();
    return bytes;
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

int RenderReport(CTAVOkitDoc& doc, const std::string& kind, int c1, int c2, const std::string& out,
                 int width, int height) {
    doc.m_nCursor1 = c1;
    doc.m_nCursor2 = c2;
    const bool pdf = EndsWith(out, ".pdf");
    const bool svg = EndsWith(out, ".svg");
    if (!pdf && !svg && !EndsWith(out, ".png"))
        return UsageError("render", "OUT must end in .png, .svg or .pdf");
    AnsweringPrompt prompt;
    if (kind == "motor") {
        MotorReport report;
        if (!report.ComputeMotorReport(doc, prompt))
            return Failure(prompt.Message());
        if (pdf)
            return WriteOut(out, MotorReportPdf(doc, report, width, height));
        const DrawFunction draw = [&](Canvas& canvas) {
            DrawMotorReport(canvas, doc, report, width, height);
        };
        if (svg)
            return WriteOut(out, DrawToSvg(width, height, QStringLiteral("Motor Report"), draw));
        return WriteOut(out, PngBytes(DrawToImage(width, height, draw)));
    }
    if (kind == "cd") {
        if (pdf)
            return UsageError("render", "the Cd report has no printed page");
        CdReport report;
        if (!report.ComputeCdReport(doc, prompt))
            return Failure(prompt.Message());
        const DrawFunction draw = [&](Canvas& canvas) {
            DrawCdReport(canvas, doc, report, width, height);
        };
        if (svg)
            return WriteOut(out, DrawToSvg(width, height, QStringLiteral("Cd"), draw));
        return WriteOut(out, PngBytes(DrawToImage(width, height, draw)));
    }
    return UsageError("render", "--report takes motor or cd");
}

} // namespace tavo::cli
