#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include "canvas/qt/qpainter_canvas.h"
#include "canvas/qt/svg_canvas.h"
#include "canvas/recording_canvas.h"
#include "support/qt_app.h"

namespace tavo {
namespace {

// Qt needs an application object for fonts; one per test process.
using test::GuiApp;

std::vector<Point> Wiggle(int n, int width, int height, unsigned seed) {
    std::vector<Point> pts;
    float x = 3.0f;
    const float step = static_cast<float>(width - 6) / static_cast<float>(n);
    unsigned s = seed;
    for (int i = 0; i < n; ++i) {
        s = s * 1103515245u + 12345u;
        pts.push_back(
            {static_cast<int>(x), static_cast<int>((s >> 16) % static_cast<unsigned>(height))});
        x += step;
    }
    return pts;
}

QImage Draw(const std::vector<Point>& pts, bool reduce) {
    QImage image(400, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QPainterCanvas canvas(painter, reduce);
    canvas.SetPen({PenStyle::Solid, 1, {0, 0, 255}});
    canvas.DrawPolyline(pts);
    return image;
}

TEST(QPainterCanvas, ColumnReductionLightsTheSamePixels) {
    GuiApp();
    for (int n : {50, 399, 5000, 100000}) {
        const auto pts = Wiggle(n, 400, 200, static_cast<unsigned>(n));
        std::vector<QPoint> reduced;
        ReducePolylineToColumns(pts, reduced);
        if (n > 1000) {
            EXPECT_LT(reduced.size(), pts.size() / 2) << n;
        }
        const QImage full = Draw(pts, false);
        const QImage thin = Draw(pts, true);
        int differ = 0;
        for (int y = 0; y < full.height(); ++y)
            for (int x = 0; x < full.width(); ++x)
                if (full.pixel(x, y) != thin.pixel(x, y) && ++differ < 5)
                    ADD_FAILURE() << n << " points: pixel " << x << "," << y << " full " << std::hex
                                  << full.pixel(x, y) << " thin " << thin.pixel(x, y) << std::dec;
        EXPECT_EQ(differ, 0) << n << " points";
    }
}

TEST(QPainterCanvas, ReductionKeepsRunEndsAndExtremesInOrder) {
    const std::vector<Point> pts{{0, 5}, {1, 7}, {1, 2}, {1, 9}, {1, 4}, {1, 6}, {2, 1}};
    std::vector<QPoint> out;
    ReducePolylineToColumns(pts, out);
    const std::vector<QPoint> want{{0, 5}, {1, 7}, {1, 2}, {1, 9}, {1, 6}, {2, 1}};
    // Run at x=1 is 5 long: first (7), lowest y (2), highest y (9), last (6).
    EXPECT_EQ(out, want);
}

TEST(QPainterCanvas, FrameOutlineStaysInsideRightAndBottomEdges) {
    GuiApp();
    QImage image(50, 40, QImage::Format_RGB32);
    image.fill(Qt::gray);
    {
        QPainter painter(&image);
        QPainterCanvas canvas(painter);
        canvas.DrawRectangle({10, 5, 50, 40});
    }
    EXPECT_EQ(image.pixelColor(49, 20), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(10, 20), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(30, 39), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(30, 20), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(9, 20), QColor(Qt::gray));
}

TEST(QPainterCanvas, TextIsClippedToItsRectangle) {
    GuiApp();
    QImage image = DrawToImage(100, 60, [](Canvas& c) {
        c.SetFont(16);
        c.DrawText({10, 10, 30, 30}, "WWWWWWWWWWWWWWWW", TextLeft);
    });
    bool inked = false;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 100; ++x) {
            const bool dark = qGray(image.pixel(x, y)) < 128;
            if (dark && (x < 10 || x >= 30 || y < 10 || y >= 30))
                ADD_FAILURE() << "ink outside the text rectangle at " << x << "," << y;
            inked = inked || dark;
        }
    EXPECT_TRUE(inked);
}

TEST(QPainterCanvas, GraphFontFitsANegativeValueLabelInItsBox) {
    // The graph's value labels stand right-aligned in 30 units left of the frame and
    // are clipped there; a face too wide for "-12.8" would cut off its sign.
    GuiApp();
    QImage image(100, 40, QImage::Format_RGB32);
    QPainter painter(&image);
    QPainterCanvas canvas(painter);
    canvas.SetFont(16);
    const QFontMetricsF metrics(painter.font());
    // The same size whichever of the narrow faces the machine has installed.
    EXPECT_EQ(painter.font().pixelSize(), 12) << painter.font().family().toStdString();
    for (const char* label : {"-12.8", "-9.6", "-25.6"})
        EXPECT_LE(metrics.horizontalAdvance(QString::fromLatin1(label)), 30.0)
            << label << " in " << painter.font().family().toStdString();
}

TEST(SvgCanvas, WritesAnSvgDocumentWithTheText) {
    GuiApp();
    const QByteArray svg = DrawToSvg(200, 100, QStringLiteral("t"), [](Canvas& c) {
        c.SetFont(16);
        c.DrawText({0, 0, 200, 30}, "Apogee=12 Meters", TextLeft);
        c.DrawPolyline({{0, 0}, {10, 10}, {20, 5}});
    });
    EXPECT_TRUE(svg.startsWith("<?xml"));
    EXPECT_TRUE(svg.contains("<svg"));
    EXPECT_TRUE(svg.contains("Apogee=12 Meters"));
    EXPECT_TRUE(svg.contains("polyline"));
}

TEST(RecordingCanvas, KeepsCallsWithThePenInForce) {
    RecordingCanvas c;
    const Pen red{PenStyle::Solid, 1, {255, 0, 0}};
    c.SetPen(red);
    c.DrawLine({1, 2}, {3, 4});
    c.DrawText({0, 0, 5, 5}, "x", TextRight);
    ASSERT_EQ(c.Lines().size(), 1u);
    EXPECT_EQ(c.Lines()[0].pen, red);
    EXPECT_EQ(c.Lines()[0].points, (std::vector<Point>{{1, 2}, {3, 4}}));
    ASSERT_NE(c.FindText("x"), nullptr);
    EXPECT_EQ(c.FindText("x")->flags, static_cast<unsigned>(TextRight));
}

} // namespace
} // namespace tavo
