// The graph on real paint devices: the screen picture, SVG and the printed page.

#include "support/qt_app.h"
#include "view/paint/graph_paint.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "canvas/qt/qpainter_canvas.h"
#include "plot/graph_curves.h"
#include "support/flight_builder.h"

namespace tavo {
namespace {

using test::GuiApp;

void Flight(test::Flight& f) {
    for (int i = 0; i < 400; ++i)
        f.m_pSamples.items().push_back(std::to_string(i < 100 ? 2048 : i < 200 ? 1948 : 2060));
    f.m_nSampleRate = 100;
    f.m_fTwoGeeFile = 30.0f;
    f.Recompute();
}

TEST(GraphPaint, ScreenPictureHasTheFrameCursorsAndCurves) {
    GuiApp();
    test::Flight f;
    Flight(f);
    GraphViewState v;
    const QImage image = RenderGraphImage(635, 420, f, v);
    ASSERT_EQ(image.size(), QSize(635, 420));
    // Frame: left edge at x = 35 from the top to B = 400; the cursors in red.
    EXPECT_EQ(image.pixelColor(35, 200), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(634, 200), QColor(Qt::black));
    // C1 on the first sample at or right of a third of the width: 134 at x 236.
    EXPECT_EQ(image.pixelColor(35 + 201, 300), QColor(Qt::red));
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
    EXPECT_EQ(ShownCursors(f, v, {635, 420, false, 0, 0}).c1, 134)
        << "the screen drawing found the sample under C1";
}

// A curve drawn from every point, or thinned to what each pixel column needs before it
// is clipped: the same picture, whole flight or zoomed, beyond the frame or not. Qt's
// polyline leaves out the odd pixel where a line doubles back on itself or ends on a
// repeated point, so a lone pixel may differ; a thinning that lost a column's extreme
// or a clipped stretch would differ in hundreds.
TEST(GraphPaint, ThinnedCurvesLightTheSamePixelsAsEveryPoint) {
    GuiApp();
    const GraphFrame f = LayoutGraph({400, 200, false, 0, 0});
    for (const int n : {300, 5000, 60000}) {
        std::vector<float> values(static_cast<std::size_t>(n));
        unsigned seed = static_cast<unsigned>(n);
        float level = 0.0f;
        for (float& v : values) {
            seed = seed * 1103515245u + 12345u;
            level += static_cast<float>(static_cast<int>((seed >> 16) % 21u) - 10) * 0.1f;
            v = level;
        }
        for (const TimeWindow w : {TimeWindow{}, TimeWindow{n * 0.3, n * 0.05}}) {
            QImage images[2];
            for (const bool thin : {false, true}) {
                QImage& image = images[thin];
                image = QImage(400, 200, QImage::Format_RGB32);
                image.fill(Qt::white);
                QPainter painter(&image);
                QPainterCanvas canvas(painter, false);
                canvas.SetPen(kBluePen);
                // A scale that puts part of the walk beyond the frame, top and bottom.
                for (const auto& piece : GraphCurvePieces(f, w, n, values, -5.0f, 8.0f, thin))
                    canvas.DrawPolyline(piece);
            }
            int differ = 0;
            for (int y = 0; y < 200; ++y)
                for (int x = 0; x < 400; ++x)
                    differ += images[0].pixel(x, y) != images[1].pixel(x, y);
            EXPECT_LE(differ, 3) << n << " samples, window " << w.start;
        }
    }
}

// A noisy flight's whole-flight graph on a full-screen window.
void NoisyFlight(test::Flight& f) {
    unsigned seed = 99u;
    for (int i = 0; i < 32768; ++i) {
        seed = seed * 1103515245u + 12345u;
        const int base = i < 3000 ? 2048 : i < 6000 ? 1900 : 2063;
        f.m_pSamples.items().push_back(
            std::to_string(base + static_cast<int>((seed >> 16) % 9u) - 4));
    }
    f.m_nSampleRate = 500;
    f.m_fTwoGeeFile = 30.0f;
    f.Recompute();
}

TEST(GraphPaint, WindowShowsThePictureOfQtsLinesWithinAPixel) {
    GuiApp();
    test::Flight f;
    NoisyFlight(f);
    GraphViewState view;
    QImage window(1200, 700, QImage::Format_RGB32), buffer;
    {
        QPainter painter(&window);
        PaintGraphOnScreen(painter, 1200, 700, f, view, buffer);
    }
    EXPECT_EQ(window, RenderGraphImage(1200, 700, f, view)) << "the PNG file shows the window";
    QImage qt(1200, 700, QImage::Format_RGB32);
    {
        QPainter painter(&qt);
        QPainterCanvas canvas(painter, true);
        DrawGraph(canvas, f, view, {1200, 700, false, 0, 0});
    }
    // A pixel one picture lights and the other lights nowhere within a pixel, by colour:
    // a lost stroke or a shifted curve shows in hundreds; Qt's turns differ by a pixel.
    int strays = 0, differ = 0;
    const auto same = [](const QImage& im, int x, int y, QRgb c) {
        return x >= 0 && y >= 0 && x < im.width() && y < im.height() && im.pixel(x, y) == c;
    };
    for (int y = 0; y < 700; ++y)
        for (int x = 0; x < 1200; ++x) {
            const QRgb a = window.pixel(x, y), b = qt.pixel(x, y);
            if (a == b)
                continue;
            ++differ;
            for (const auto& [im, c] : {std::pair{&qt, a}, std::pair{&window, b}}) {
                bool near = c == 0xffffffffu;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        near |= same(*im, x + dx, y + dy, c);
                strays += !near;
            }
        }
    EXPECT_EQ(strays, 0);
    EXPECT_GT(differ, 0) << "the window's curves are not Qt's lines";
    // Painted whole, the picture goes straight into the window's surface where the
    // client area lies on it (the backing store places it by a shift), and nowhere else.
    QImage store(1300, 800, QImage::Format_RGB32), kept;
    store.fill(0xff123456u);
    {
        QPainter painter(&store);
        painter.translate(40, 58);
        PaintGraphOnScreen(painter, 1200, 700, f, view, kept, true);
    }
    EXPECT_TRUE(kept.isNull()) << "no picture to copy";
    EXPECT_EQ(store.copy(40, 58, 1200, 700), window);
    int outside = 0;
    for (int y = 0; y < 800; ++y)
        for (int x = 0; x < 1300; ++x)
            outside +=
                (x < 40 || x >= 1240 || y < 58 || y >= 758) && store.pixel(x, y) != 0xff123456u;
    EXPECT_EQ(outside, 0);
    // Zoomed in to fewer samples than columns, the window is drawn on directly.
    view.window = {1000, 500};
    QImage unused;
    QPainter painter(&window);
    PaintGraphOnScreen(painter, 1200, 700, f, view, unused);
    EXPECT_TRUE(unused.isNull());
}

// On a screen of two device pixels a unit the layout stays in units while every line
// and letter is drawn at device resolution, not as an enlarged picture.
TEST(GraphPaint, DenseScreenDrawsAtDeviceResolution) {
    GuiApp();
    test::Flight f;
    NoisyFlight(f);
    GraphViewState view;
    QImage window(2 * 635, 2 * 420, QImage::Format_RGB32), buffer;
    window.setDevicePixelRatio(2.0);
    {
        QPainter painter(&window);
        PaintGraphOnScreen(painter, 635, 420, f, view, buffer);
    }
    EXPECT_TRUE(buffer.isNull()) << "no picture of units to enlarge";
    // The frame's left and right edges at units 35 and 634: one device pixel wide.
    const QRgb black = 0xff000000u, white = 0xffffffffu;
    int edges = 0;
    for (int y = 200; y < 600; ++y)
        edges += window.pixel(70, y) == black && window.pixel(69, y) == white &&
                 window.pixel(1268, y) == black && window.pixel(1269, y) == white &&
                 window.pixel(1267, y) == white;
    EXPECT_GT(edges, 350);
    // An enlarged picture repeats every pixel in its 2 x 2 block; this one must not.
    int split = 0;
    for (int y = 0; y < window.height(); y += 2)
        for (int x = 0; x < window.width(); x += 2)
            split += window.pixel(x, y) != window.pixel(x + 1, y) ||
                     window.pixel(x, y) != window.pixel(x, y + 1);
    EXPECT_GT(split, 2000);
}

TEST(GraphPaint, SvgAndPdfCarryTheDrawing) {
    GuiApp();
    test::Flight f;
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

TEST(GraphPaint, EveryPathKeepsTheCursorsOnTheSameSamples) {
    GuiApp();
    test::Flight f;
    Flight(f);
    // On screen, 800 wide: L 35, W 765, 400 samples 1.9125 apart. The window's paint
    // starts the cursors at x 290 and 545, over samples 134 and 267.
    GraphViewState view;
    QImage surface(800, 600, QImage::Format_RGB32), buffer;
    {
        QPainter painter(&surface);
        PaintGraphOnScreen(painter, 800, 600, f, view, buffer, true);
    }
    const GraphPage screen{800, 600, false, 0, 0};
    EXPECT_EQ(view.cursor1, 134);
    EXPECT_EQ(ShownCursors(f, view, screen).c1, 134);
    EXPECT_EQ(ShownCursors(f, view, screen).c2, 267);
    // On A4 the plot is laid out narrower (L 73, W 689), yet the page, a smaller window
    // and a zoomed one show the same samples, and leave the ones the reports and cuts use.
    ASSERT_FALSE(RenderGraphPdf(800, 600, f, view).isEmpty());
    EXPECT_EQ(ShownCursors(f, view, screen).c1, 134);
    RenderGraphImage(300, 200, f, view);
    view.window = {120, 40};
    RenderGraphImage(640, 480, f, view);
    EXPECT_EQ(ShownCursors(f, view, screen).c1, 134);
    EXPECT_EQ(ShownCursors(f, view, screen).c2, 267);
    // A page printed before any screen shows them at its own thirds, 133 and 266, and
    // places nothing.
    GraphViewState printed;
    ASSERT_FALSE(RenderGraphPdf(800, 600, f, printed).isEmpty());
    EXPECT_EQ(ShownCursors(f, printed, {800, 600, true, 38, 38}).c1, 133);
    EXPECT_EQ(ShownCursors(f, printed, {800, 600, true, 38, 38}).c2, 266);
    EXPECT_EQ(printed.cursor1, -1);
}

} // namespace
} // namespace tavo
