// tavokit-cli render, run as a separate program: the picture it writes is the one the
// window's drawing code makes from the same flight.

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>

#include "cli/cli_common.h"
#include "cli_run.h"
#include "support/qt_app.h"
#include "view/core/extra_flights.h"
#include "view/paint/graph_paint.h"

namespace tavo {
namespace {

using testing::RunCli;
using testing::TempDir;

const std::string kDemo = std::string(TAVOKIT_SOURCE_DIR) + "/data/demo.flt";

using test::GuiApp;

TEST(CliRender, PngIsTheWindowsDrawingOfTheFlight) {
    GuiApp();
    const std::string dir = TempDir("render_png");
    const std::string out = dir + "/graph.png";
    const auto r = RunCli({"render", kDemo, out, "--size", "700x450", "--curve", "altitude",
                           "--cursors", "200", "400", "--readout-right"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const QImage written(QString::fromStdString(out));
    ASSERT_EQ(written.size(), QSize(700, 450));

    CTAVOkitDoc doc;
    ApplyFirstRunSettings(doc.Settings());
    FileError error;
    ASSERT_TRUE(doc.OnOpenDocument(kDemo, error)) << error.message;
    doc.Settings().m_nCursorPosition = 1;
    GraphViewState view;
    view.displayCurve = 2;
    PlaceCursorsAtX(doc.Data(), view, {700, 450, false, 0, 0}, 200, 400);
    const QImage drawn = RenderGraphImage(700, 450, doc.Data(), view);
    EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32), drawn);
}

// Flights laid over the graph: an overlay is drawn as the window draws it, a prediction
// changes the picture, and every option that cannot be used says so.
TEST(CliRender, OverlaysAndPredictionsAreDrawnOverTheFlight) {
    GuiApp();
    const std::string dir = TempDir("render_extra");
    const std::string c6 = std::string(TAVOKIT_SOURCE_DIR) + "/data/motors/C6.eng";
    const std::vector<std::string> burn = {"--c1", "256", "--c2", "439"};
    const auto run = [&](const std::string& out, std::vector<std::string> more) {
        std::vector<std::string> args = {"render", kDemo, dir + "/" + out, "--size", "700x450"};
        args.insert(args.end(), more.begin(), more.end());
        return RunCli(args);
    };
    ASSERT_EQ(run("plain.png", {}).exitCode, 0);
    const auto overlay = run("overlay.png", {"--overlay", kDemo, "--overlay", kDemo});
    ASSERT_EQ(overlay.exitCode, 0) << overlay.err;
    std::vector<std::string> predict = {"--predict", c6, "--flown", c6};
    predict.insert(predict.end(), burn.begin(), burn.end());
    const auto predicted = run("predicted.png", predict);
    ASSERT_EQ(predicted.exitCode, 0) << predicted.err;

    CTAVOkitDoc doc;
    ApplyFirstRunSettings(doc.Settings());
    FileError error;
    ASSERT_TRUE(doc.OnOpenDocument(kDemo, error)) << error.message;
    doc.Settings().m_nCursorPosition = 0;
    ExtraFlights extra;
    ASSERT_TRUE(extra.AddFile(kDemo, doc.Settings(), error));
    ASSERT_TRUE(extra.AddFile(kDemo, doc.Settings(), error));
    const auto image = [&](const char* name) {
        return QImage(QString::fromStdString(dir + "/" + name))
            .convertToFormat(QImage::Format_RGB32);
    };
    EXPECT_EQ(image("overlay.png"),
              RenderGraphImage(700, 450, doc.Data(), {}, extra.ToDraw(doc.Curves())));
    EXPECT_NE(image("predicted.png"), image("plain.png"));

    struct Bad {
        std::vector<std::string> args;
        int exitCode;
    };
    const Bad bad[] = {
        {{"--predict", c6, "--flown", c6}, 2},
        {{"--predict", c6, "--flown", c6, "--motor-mass", "0.02", "--c1", "1", "--c2", "9"}, 2},
        {{"--motor", "C6", "--flown", c6}, 2},
        {{"--report", "motor", "--overlay", kDemo, "--c1", "256", "--c2", "439"}, 2},
        {{"--predict", c6, "--motor", "Z9", "--motor-mass", "0.02", "--c1", "256", "--c2", "439"},
         1},
        {{"--overlay", dir + "/none.flt"}, 1},
    };
    for (const Bad& b : bad) {
        const auto r = run("bad.png", b.args);
        EXPECT_EQ(r.exitCode, b.exitCode) << b.args[0] << " " << b.args[1];
        EXPECT_FALSE(r.err.empty());
    }
    EXPECT_FALSE(QFile::exists(QString::fromStdString(dir + "/bad.png")));
}

TEST(CliRender, SvgAndPdfAreWritten) {
    const std::string dir = TempDir("render_vector");
    ASSERT_EQ(RunCli({"render", kDemo, dir + "/g.svg", "--no-grid"}).exitCode, 0);
    QFile svg(QString::fromStdString(dir + "/g.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    const QByteArray text = svg.readAll();
    EXPECT_TRUE(text.contains("11308 Points"));
    EXPECT_TRUE(text.contains("Apogee="));
    EXPECT_FALSE(text.contains("Flight summary"));
    // The summary box and every curve on its own axis, with the readout of all three.
    ASSERT_EQ(RunCli({"render", kDemo, dir + "/s.svg", "--summary", "--own-axes"}).exitCode, 0);
    QFile own(QString::fromStdString(dir + "/s.svg"));
    ASSERT_TRUE(own.open(QIODevice::ReadOnly));
    const QByteArray ownText = own.readAll();
    for (const char* shown : {"Flight summary", "Burn time: 1.83 s", "Alt (m)", "Vel (m/s)"})
        EXPECT_TRUE(ownText.contains(shown)) << shown;

    ASSERT_EQ(RunCli({"render", kDemo, dir + "/g.pdf", "--no-cursors"}).exitCode, 0);
    QFile pdf(QString::fromStdString(dir + "/g.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.readAll().startsWith("%PDF"));
}

TEST(CliRender, DrawsAReportWindowBetweenTwoSamples) {
    GuiApp();
    const std::string dir = TempDir("render_report");
    const auto r = RunCli({"render", kDemo, dir + "/motor.png", "--report", "motor", "--c1", "250",
                           "--c2", "450", "--size", "500x300"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(QImage(QString::fromStdString(dir + "/motor.png")).size(), QSize(500, 300));
    EXPECT_EQ(RunCli({"render", kDemo, dir + "/m.png", "--report", "motor"}).exitCode, 2);
    EXPECT_EQ(
        RunCli({"render", kDemo, dir + "/m.png", "--report", "drag", "--c1", "1", "--c2", "2"})
            .exitCode,
        2);
    EXPECT_EQ(RunCli({"render", kDemo, dir + "/m.png", "--c1", "1"}).exitCode, 2);
}

TEST(CliRender, RefusesBadUsageAndReportsAMissingFlight) {
    const std::string dir = TempDir("render_bad");
    EXPECT_EQ(RunCli({"render", kDemo, dir + "/g.gif"}).exitCode, 2);
    EXPECT_EQ(RunCli({"render", kDemo, dir + "/g.png", "--size", "10x10"}).exitCode, 2);
    EXPECT_EQ(RunCli({"render", kDemo, dir + "/g.png", "--size", "99999x600"}).exitCode, 2);
    EXPECT_EQ(RunCli({"render", kDemo, dir + "/g.png", "--curve", "speed"}).exitCode, 2);
    EXPECT_EQ(RunCli({"render", kDemo, dir + "/g.png", "--cursors", "2147483647", "10"}).exitCode,
              2);
    EXPECT_EQ(RunCli({"render", kDemo}).exitCode, 2);
    const auto missing = RunCli({"render", dir + "/none.flt", dir + "/g.png"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_FALSE(missing.err.empty());
    EXPECT_FALSE(QFile::exists(QString::fromStdString(dir + "/g.png")));
}

} // namespace
} // namespace tavo
