// The report pictures behind `render --report`: the window pages as PNG and SVG, the
// report's printed pages as PDF, and the report's refusals.

#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>

#include "cli/report_render.h"
#include "cli_run.h"
#include "flight/flight_file.h"

namespace tavo {
namespace {

const std::string kDemo = std::string(TAVOKIT_SOURCE_DIR) + "/data/demo.flt";

void LoadDemo(CTAVOkitDoc& doc) {
    FileError error;
    ASSERT_TRUE(LoadFlightFile(kDemo, doc.Record(), error)) << error.message;
    doc.Recompute();
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(ReportRender, WindowPagesAndPrintedPage) {
    const std::string dir = testing::TempDir("report_render");
    CTAVOkitDoc doc;
    LoadDemo(doc);

    const std::string png = dir + "/motor.png";
    ASSERT_EQ(cli::RenderReport(doc, "motor", 256, 439, png, 600, 300), 0);
    const QImage image(QString::fromStdString(png));
    ASSERT_EQ(image.size(), QSize(600, 300));
    EXPECT_EQ(image.pixelColor(50, 100), QColor(Qt::black)); // the frame's left edge
    EXPECT_EQ(image.pixelColor(2, 150), QColor(Qt::white));  // left of the value labels

    const std::string svg = dir + "/cd.svg";
    ASSERT_EQ(cli::RenderReport(doc, "cd", 440, 900, svg, 500, 250), 0);
    const std::string svgText = ReadFile(svg);
    EXPECT_NE(svgText.find("<svg"), std::string::npos);
    EXPECT_NE(svgText.find("<title>Cd</title>"), std::string::npos);

    for (const char* kind : {"motor", "cd"}) {
        const std::string pdf = dir + "/" + kind + ".pdf";
        ASSERT_EQ(cli::RenderReport(doc, kind, kind[0] == 'm' ? 256 : 439, 639, pdf, 745, 360), 0);
        const std::string pdfText = ReadFile(pdf);
        EXPECT_EQ(pdfText.rfind("%PDF-", 0), 0u);
        EXPECT_GT(pdfText.size(), 2000u);
    }
}

TEST(ReportRender, RefusalsWriteNothing) {
    const std::string dir = testing::TempDir("report_render_refused");
    CTAVOkitDoc doc;
    LoadDemo(doc);
    struct Case {
        const char* kind;
        int c2;
        const char* file;
        int exitCode;
    };
    for (const Case& c : {Case{"motor", 99999, "beyond.png", 1}, Case{"cd", 99999, "cd.pdf", 1},
                          Case{"motor", 439, "motor.bmp", 2}, Case{"thrust", 439, "t.png", 2}}) {
        const std::string out = dir + "/" + c.file;
        EXPECT_EQ(cli::RenderReport(doc, c.kind, 256, c.c2, out, 600, 300), c.exitCode) << c.file;
        EXPECT_FALSE(std::filesystem::exists(out)) << c.file;
    }
}

} // namespace
} // namespace tavo

// Fonts need the application object for the whole run.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
