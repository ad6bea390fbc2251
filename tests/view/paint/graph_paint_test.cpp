// The graph on real paint devices: the screen picture, SVG and the printed page.

#include "view/paint/graph_paint.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>

namespace tavo {
namespace {

QGuiApplication& App() {
    static int argc = 1;
    static char name[] = "graph_paint_tests";
    static char* argv[] = {name, nullptr};
    // Never destroyed: Qt's own clean-up at exit must not run after the test's statics.
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    return *app;
}

void Flight(FlightRecord& f) {
    for (int i = 0; i < 400; ++i)
        f.m_pSamples.items().push_back(std::to_string(i < 100 ? 2048 : i < 200 ? 1948 : 2060));
    f.m_nSampleRate = 100;
    f.m_fTwoGeeFile = 30.0f;
    f.Recompute();
}

TEST(GraphPaint, ScreenPictureHasTheFrameCursorsAndCurves) {
    App();
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

TEST(GraphPaint, PageMappingKeepsProportionsAndATenMillimetreMargin) {
    // A 1000 x 500 client on a 4800 x 6600 page at 600 dpi: the width decides, 4.8 px
    // per unit, and 10 mm is 236.2 px, that is 49 units.
    const PageMapping m = MapClientToPage(1000, 500, 4800, 6600, 600, 600);
    EXPECT_DOUBLE_EQ(m.scale, 4.8);
    EXPECT_EQ(m.mx, 49);
    EXPECT_EQ(m.my, 49);
    const PageMapping tall = MapClientToPage(500, 2000, 4800, 6600, 600, 300);
    EXPECT_DOUBLE_EQ(tall.scale, 3.3);
    EXPECT_EQ(tall.my, 36);
    EXPECT_DOUBLE_EQ(MapClientToPage(0, 0, 10, 10, 600, 600).scale, 1.0);
}

TEST(GraphPaint, SvgAndPdfCarryTheDrawing) {
    App();
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
