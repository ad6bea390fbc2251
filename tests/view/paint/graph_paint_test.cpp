// The graph on real paint devices: the screen picture, SVG and the printed page.

#include "support/qt_app.h"
#include "view/paint/graph_paint.h"

#include <gtest/gtest.h>

#include <QImage>

namespace tavo {
namespace {

using test::GuiApp;

void Flight(FlightRecord& f) {
    for (int i = 0; i < 400; ++i)
        f.m_pSamples.items().push_back(std::to_string(i < 100 ? 2048 : i < 200 ? 1948 : 2060));
    f.m_nSampleRate = 100;
    f.m_fTwoGeeFile = 30.0f;
    f.Recompute();
}

TEST(GraphPaint, ScreenPictureHasTheFrameCursorsAndCurves) {
    GuiApp();
    FlightRecord f;
    Flight(f);
    GraphViewState v;
    const QImage image = RenderGraphImage(635, 420, f, v);
    ASSERT_EQ(image.size(), QSize(635, 420));
    // Frame: left edge at x = 35 from the top to B = 400; the cursors in red.
    EXPECT_EQ(image.pixelColor(35, 200), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(634, 200), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(35 + 600 / 3, 300), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(10, 410 - 100), QColor(Qt::white)) << "outside the frame";
    int green = 0, blue = 0;
    for (int y = 0; y < 400; ++y)
        for (int x = 36; x < 634; ++x) {
            const QColor c = image.pixelColor(x, y);
            green += c == QColor(0, 255, 0);
            blue += c == QColor(0, 0, 255);
        }
    EXPECT_GT(green, 300);
    EXPECT_GT(blue, 300);
    EXPECT_EQ(f.m_nCursor1, 134) << "the screen drawing found the sample under C1";
}

TEST(GraphPaint, SvgAndPdfCarryTheDrawing) {
    GuiApp();
    FlightRecord f;
    Flight(f);
    f.m_strName = "Svg test";
    GraphViewState v;
    const QByteArray svg = RenderGraphSvg(800, 600, f, v);
    EXPECT_TRUE(svg.contains("400 Points"));
    EXPECT_FALSE(svg.contains("Name: Svg test")) << "the details block is printed only";
    const QByteArray pdf = RenderGraphPdf(800, 600, f, v);
    ASSERT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_TRUE(pdf.contains("/Type /Page"));
    EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page "), 1);
}

} // namespace
} // namespace tavo

namespace tavo {
namespace {

TEST(GraphPaint, EachPathStoresTheCursorSamplesOfItsOwnLayout) {
    GuiApp();
    FlightRecord f;
    Flight(f);
    // On screen, 800 wide: L 35, W 765, 400 samples 1.9125 apart. The cursors start at
    // 290 and 545, over samples 134 and 267.
    GraphViewState screen;
    RenderGraphSvg(800, 600, f, screen);
    EXPECT_EQ(screen.m_xCursor1, 290);
    EXPECT_EQ(f.m_nCursor1, 134);
    EXPECT_EQ(f.m_nCursor2, 267);
    // On A4 the same client maps at about 6.2 device pixels a unit, so the 10 mm margin
    // is 38 units: L 73, W 689, samples 1.7225 apart. The printed cursors start at 302
    // and 531, over samples 133 and 266.
    GraphViewState printed;
    ASSERT_FALSE(RenderGraphPdf(800, 600, f, printed).isEmpty());
    EXPECT_EQ(printed.m_xCursor1, 302);
    EXPECT_EQ(f.m_nCursor1, 133);
    EXPECT_EQ(f.m_nCursor2, 266);
}

} // namespace
} // namespace tavo
