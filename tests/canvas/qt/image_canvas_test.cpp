#include "canvas/qt/image_canvas.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "support/qt_app.h"

namespace tavo {
namespace {

using test::GuiApp;

// A noisy walk over the columns from x 2, `perColumn` points a column (a fraction: a
// point every few columns), between rows 5 and 94.
std::vector<Point> Walk(double perColumn, int columns, unsigned seed) {
    std::vector<Point> points;
    const int n = static_cast<int>(perColumn * columns);
    for (int i = 0; i < n; ++i) {
        seed = seed * 1103515245u + 12345u;
        points.push_back(
            {2 + static_cast<int>(i / perColumn), 5 + static_cast<int>((seed >> 16) % 90u)});
    }
    return points;
}

enum class Target { Plain, Premultiplied, Straight, Dense, Moved, Clipped };

// The walk drawn on a white 200 x 100 picture through an ImageCanvas or, for comparison,
// through Qt's own lines.
QImage Draw(Target target, const std::vector<Point>& points, bool qtLines, bool* direct = nullptr) {
    const QImage::Format format = target == Target::Premultiplied
                                      ? QImage::Format_ARGB32_Premultiplied
                                  : target == Target::Straight ? QImage::Format_ARGB32
                                                               : QImage::Format_RGB32;
    const int scale = target == Target::Dense ? 2 : 1;
    QImage image(200 * scale, 100 * scale, format);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::white);
    QPainter painter(&image);
    if (target == Target::Moved)
        painter.translate(3, 0);
    const auto draw = [&](QPainterCanvas& canvas) {
        if (target == Target::Clipped)
            painter.setClipRect(0, 0, 120, 100);
        canvas.SetPen({PenStyle::Solid, 1, {0, 0, 255}});
        canvas.DrawPolyline(points);
    };
    if (qtLines) {
        QPainterCanvas canvas(painter, true);
        draw(canvas);
    } else {
        ImageCanvas canvas(painter, image);
        if (direct)
            *direct = canvas.WritesPixels();
        draw(canvas);
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

// The pixels lit in one picture with no pixel lit within one pixel in the other.
int Strays(const QImage& a, const QImage& b) {
    const auto lit = [](const QImage& im, int x, int y) {
        return x >= 0 && y >= 0 && x < im.width() && y < im.height() &&
               im.pixel(x, y) != 0xffffffffu;
    };
    int strays = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            if (lit(a, x, y) == lit(b, x, y))
                continue;
            const QImage& other = lit(a, x, y) ? b : a;
            bool near = false;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    near |= lit(other, x + dx, y + dy);
            strays += !near;
        }
    return strays;
}

TEST(ImageCanvas, WritesPixelsOnlyOnAPlainImageAndThenDrawsWhatQtWould) {
    GuiApp();
    const struct {
        Target target;
        bool direct;
    } cases[] = {{Target::Plain, true},  {Target::Premultiplied, true}, {Target::Straight, false},
                 {Target::Dense, false}, {Target::Moved, false},        {Target::Clipped, true}};
    for (const auto& c : cases) {
        const int target = static_cast<int>(c.target);
        for (const double perColumn : {0.3, 1.0, 3.5, 40.0}) {
            const auto points = Walk(perColumn, 190, static_cast<unsigned>(target + 7));
            bool direct = false;
            const QImage ours = Draw(c.target, points, false, &direct);
            const QImage qt = Draw(c.target, points, true);
            EXPECT_EQ(direct, c.direct) << "target " << target;
            // A zoomed-in walk skips columns, a clip may have been set since: Qt draws.
            if (!c.direct || perColumn < 1.0 || c.target == Target::Clipped) {
                EXPECT_EQ(ours, qt) << "target " << target << ", " << perColumn << " a column";
                continue;
            }
            // Qt's lines leave out or add the odd pixel where a line turns; the columns
            // are never more than a pixel away from them, and never lose a stroke.
            EXPECT_EQ(Strays(ours, qt), 0) << "target " << target << ", " << perColumn;
            EXPECT_NE(ours, QImage(ours.size(), ours.format()));
        }
    }
}

} // namespace
} // namespace tavo

namespace tavo {
namespace {

// Fills written past the painter land where Qt's would, however the rectangle sits on
// the image's rows and edges.
TEST(ImageCanvas, FillsThePixelsQtWouldFill) {
    GuiApp();
    const Rect rects[] = {{0, 0, 203, 61}, {3, 5, 40, 16},   {-4, -2, 16, 8}, {190, 50, 260, 90},
                          {7, 7, 8, 8},    {50, 10, 50, 30}, {1, 1, 202, 60}};
    for (const QImage::Format format :
         {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied}) {
        for (const Rect& r : rects) {
            QImage ours(203, 61, format), qt(203, 61, format);
            ours.fill(Qt::white);
            qt.fill(Qt::white);
            {
                QPainter painter(&ours);
                ImageCanvas canvas(painter, ours);
                ASSERT_TRUE(canvas.WritesPixels());
                canvas.FillRect(r, Color{20, 140, 60});
            }
            {
                QPainter painter(&qt);
                painter.fillRect(QRect(r.left, r.top, r.right - r.left, r.bottom - r.top),
                                 QColor(20, 140, 60));
            }
            EXPECT_EQ(ours, qt) << r.left << "," << r.top << " - " << r.right << "," << r.bottom;
        }
    }
}

} // namespace
} // namespace tavo
