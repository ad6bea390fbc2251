// tavokit-cli render, run as a separate program: the picture it writes is the one the
// window's drawing code makes from the same flight.

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>

#include "cli/cli_common.h"
#include "cli_run.h"
#include "support/qt_app.h"
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
