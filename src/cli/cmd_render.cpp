// render: the flight graph drawn exactly as the window draws it, as a PNG or SVG of
// the screen at a client size, or as a PDF of the printed page.

#include <QByteArray>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "cli/report_render.h"
#include "flight/atomic_file.h"
#include "flight/text_format.h"
#include "view/paint/graph_paint.h"

namespace tavo::cli {

namespace {

// A pointer beyond the frame puts a cursor on the edge sample, as a drag does; the
// bound keeps a mistyped position a plain number.
constexpr int kMaxCursorX = 1000000;

bool ParseSize(const std::string& text, int& w, int& h) {
    const std::size_t x = text.find('x');
    if (x == std::string::npos)
        return false;
    return ParseInt(text.substr(0, x), w) && ParseInt(text.substr(x + 1), h) &&
           IsGraphSizeAllowed(w, h);
}

} // namespace

int RunRender(const CommandArgs& argv) {
    Args args;
    std::string error;
    const auto specs = WithFlightOptions({{"--size", 1},
                                          {"--curve", 1},
                                          {"--cursors", 2},
                                          {"--no-cursors", 0},
                                          {"--no-grid", 0},
                                          {"--readout-right", 0},
                                          {"--summary", 0},
                                          {"--own-axes", 0},
                                          {"--report", 1},
                                          {"--c1", 1},
                                          {"--c2", 1},
                                          {"--overlay", 1, true},
                                          {"--predict", 1},
                                          {"--motor", 1},
                                          {"--flown", 1},
                                          {"--motor-mass", 1}});
    if (!args.Parse(argv, specs, error))
        return UsageError("render", error);
    if (args.Positional().size() != 2)
        return UsageError("render", "expected FLIGHT and OUT");
    const std::string out = args.Positional()[1];
    const std::optional<GraphFileFormat> format = GraphFormatOf(out);
    if (!format)
        return UsageError("render", "OUT must end in .png, .svg or .pdf");

    int cw = 800, ch = 600;
    if (const auto size = args.Value("--size"); size && !ParseSize(*size, cw, ch))
        return UsageError("render", "--size takes WxH, each 50 to 16384");
    int curve = 0;
    if (const auto name = args.Value("--curve")) {
        if (*name == "acceleration")
            curve = 0;
        else if (*name == "velocity")
            curve = 1;
        else if (*name == "altitude")
            curve = 2;
        else
            return UsageError("render", "--curve takes acceleration, velocity or altitude");
    }
    int x1 = -1, x2 = -1;
    if (args.Has("--cursors")) {
        const auto& xs = args.Values("--cursors");
        if (!ParseInt(xs[0], x1) || !ParseInt(xs[1], x2) || x1 < 0 || x2 < 0 || x1 > kMaxCursorX ||
            x2 > kMaxCursorX)
            return UsageError("render", "--cursors takes two x positions in pixels, 0 to 1000000");
    }

    int c1 = 0, c2 = 0;
    const auto report = args.Value("--report");
    const bool predict = args.Has("--predict");
    if (report && (predict || args.Has("--overlay")))
        return UsageError("render", "--overlay and --predict draw on the graph, not on a report");
    if (!predict && (args.Has("--motor") || args.Has("--flown") || args.Has("--motor-mass")))
        return UsageError("render", "--motor, --flown and --motor-mass go with --predict");
    if (report && *report != "motor" && *report != "cd")
        return UsageError("render", "--report takes motor or cd");
    if (report || predict) {
        const auto i = args.Value("--c1"), j = args.Value("--c2");
        if (!i || !j || !ParseInt(*i, c1) || !ParseInt(*j, c2))
            return UsageError("render", std::string(report ? "--report" : "--predict") +
                                            " needs --c1 I and --c2 J (sample indices)");
    } else if (args.Has("--c1") || args.Has("--c2")) {
        return UsageError("render", "--c1 and --c2 go with --report or --predict");
    }

    CTAVOkitDoc doc;
    if (const int code = LoadFlight(args.Positional()[0], args, doc); code != kExitOk)
        return code;
    if (report) {
        EnsureQtApplication(QtApplication::Gui);
        return RenderReport(doc, *report, c1, c2, out, cw, ch);
    }
    doc.Settings().m_bShowCursors = !args.Has("--no-cursors");
    doc.Settings().m_bDrawGrid = !args.Has("--no-grid");
    doc.Settings().m_nCursorPosition = args.Has("--readout-right") ? 1 : 0;
    GraphViewState view;
    view.displayCurve = doc.Settings().m_bDisplayRaw ? 0 : curve;
    view.showSummary = args.Has("--summary");
    view.ownAxes = args.Has("--own-axes");
    // Pixel positions on the window's picture of this size: a printed page shows the
    // cursors on the same samples.
    if (x1 >= 0)
        PlaceCursorsAtX(doc.Data(), view, {cw, ch, false, 0, 0}, x1, x2);
    ExtraFlights extra;
    for (const std::string& path : args.Values("--overlay")) {
        FileError fileError;
        if (!extra.AddFile(path, doc.Settings(), fileError))
            return Failure(fileError.message);
    }
    if (predict) {
        if (const int code = AddPredictionToRender(args, doc, c1, c2, extra); code != kExitOk)
            return code;
    }

    EnsureQtApplication(QtApplication::Gui);
    const QByteArray bytes = RenderGraphFile(*format, cw, ch, doc.Data(), view,
                                             GraphPdfPage::Printed, extra.ToDraw(doc.Curves()));
    if (bytes.isEmpty())
        return Failure("The picture could not be made.");
    std::string reason;
    if (!WriteFileAtomically(out, bytes.constData(), static_cast<std::size_t>(bytes.size()),
                             reason))
        return Failure(WithReason("Could not write " + FileNameOf(out), reason));
    return kExitOk;
}

} // namespace tavo::cli
