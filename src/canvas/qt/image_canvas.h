#pragma once
// The canvas for a QImage drawn at one pixel per view unit: the window's picture and the
// graph's PNG files. It draws as QPainterCanvas with thinned polylines, except that a
// solid one-pixel polyline walking the pixel columns is lit straight into the image's
// pixels (see column_raster.h). Qt's line drawing sets up every segment at some 170 ns
// and lights every pixel at some 9 ns, which on a full-screen noisy curve was most of a
// frame.

#include <QImage>

#include "canvas/column_raster.h"
#include "canvas/qt/qpainter_canvas.h"

namespace tavo {

class ImageCanvas : public QPainterCanvas {
public:
    // `painter` must be active on `image`. The pixels are written directly only while
    // the painter maps one unit to one pixel without a clip and paints opaquely on a
    // 32-bit RGB image; otherwise everything goes through the painter.
    ImageCanvas(QPainter& painter, QImage& image);

    void SetPen(const Pen& pen) override;
    void DrawPolyline(const std::vector<Point>& points) override;
    void FillRect(const Rect& rect, Color color) override;

    // Whether polylines may be written straight into the image (for tests).
    bool WritesPixels() const { return m_direct; }

private:
    // Whether the painter still lets pixels be written past it.
    // Checked on every call: a caller may have set a clip on the painter since.
    bool Direct() { return m_direct && !Painter().hasClipping(); }
    PixelBuffer Pixels();

    QImage& m_image;
    Pen m_pen;
    bool m_direct = false;
};

} // namespace tavo
