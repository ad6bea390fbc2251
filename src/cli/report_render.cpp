// The report pictures of `tavokit-cli render --report motor|cd`.

#include "cli/report_render.h"

#include <QBuffer>
#include <QImage>

#include "canvas/qt/svg_canvas.h"
#include "cli/cli_common.h"
#include "flight/atomic_file.h"
#include "flight/text_format.h"
#include "reports/paint/report_paint.h"

namespace tavo::cli {

namespace {

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
        return Failure(WithReason("Could not write " + FileNameOf(path), reason));
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

int RenderReport(CTAVOkitDoc& doc, const std::string& kind, int c1, int c2, const std::string& out,
                 int width, int height) {
    const CursorRange range{c1, c2};
    const bool pdf = EndsWith(out, ".pdf");
    const bool svg = EndsWith(out, ".svg");
    if (!pdf && !svg && !EndsWith(out, ".png"))
        return UsageError("render", "OUT must end in .png, .svg or .pdf");
    AnsweringPrompt prompt;
    if (kind == "motor") {
        MotorReport report;
        if (!report.ComputeMotorReport(doc.Data(), range, prompt))
            return Failure(prompt.Message());
        if (pdf)
            return WriteOut(out, MotorReportPdf(doc.Data(), report, width, height));
        const DrawFunction draw = [&](Canvas& canvas) {
            DrawMotorReport(canvas, doc.Data(), report, width, height);
        };
        if (svg)
            return WriteOut(out, DrawToSvg(width, height, QStringLiteral("Motor Report"), draw));
        return WriteOut(out, PngBytes(DrawToImage(width, height, draw)));
    }
    if (kind == "cd") {
        CdReport report;
        if (!report.ComputeCdReport(doc.Data(), range, prompt, CdKind::Drag))
            return Failure(prompt.Message());
        if (pdf)
            return WriteOut(out, CdReportPdf(doc.Data(), report, width, height));
        const DrawFunction draw = [&](Canvas& canvas) {
            DrawCdReport(canvas, doc.Data(), report, width, height);
        };
        if (svg)
            return WriteOut(out, DrawToSvg(width, height, QStringLiteral("Cd"), draw));
        return WriteOut(out, PngBytes(DrawToImage(width, height, draw)));
    }
    return UsageError("render", "--report takes motor or cd");
}

} // namespace tavo::cli
