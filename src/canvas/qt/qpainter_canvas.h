#pragma once
// The Canvas on a QPainter: the window, the printer, PDF and PNG images, and SVG
// through QSvgGenerator. Coordinates are the painter's logical coordinates, so the
// caller sets any page mapping on the painter first.

#include <vector>

#include <QFont>
#include <QPainter>
#include <QPen>

#include "canvas/canvas.h"

namespace tavo {

class QPainterCanvas : public Canvas {
public:
    // `reducePolylines` may be set for raster targets drawn at one view unit per pixel
    // or coarser: a polyline is then thinned to what lands on each x column, which
    // leaves the lit pixels unchanged and keeps million-point curves quick.
    explicit QPainterCanvas(QPainter& painter, bool reducePolylines = false);
    ~QPainterCanvas() override;

    void SetPen(const Pen& pen) override;
    void SetFont(int cellHeight) override;
    void FillRect(const Rect& rect, Color color) override;
    void DrawRectangle(const Rect& rect) override;
    void DrawLine(Point from, Point to) override;
    void DrawPolyline(const std::vector<Point>& points) override;
    void DrawText(const Rect& rect, const std::string& text, unsigned flags) override;
    void SetTextColor(Color color) override { m_textColor = color; }
    bool ThinsColumns() const override { return m_reduce; }

protected:
    QPainter& Painter() { return m_painter; }
    // Something was drawn past the painter's back: the last white fill is no longer clean.
    void Drew() { m_white = QRect(); }
    // `area` was filled with `color` past the painter's back.
    void Filled(const QRect& area, Color color) {
        m_white = color == Color{255, 255, 255} ? area : QRect();
    }

private:
    QPainter& m_painter;
    bool m_reduce;
    QPen m_pen;
    Color m_textColor;
    std::vector<QPoint> m_scratch;
    QRect m_white; // filled white by the last call, with nothing drawn on it since
};

// The font the canvases set for a cell height: a narrow face of Arial's proportions
// with an em of the cell height over 1.38 (see canvas/text_extent.h).
QFont PlotFont(int cellHeight);

// Qt's alignment flags for TextFlags.
int QtAlignment(unsigned flags);

// Thins a polyline whose x never decreases between neighbours in a run: every run of
// points on one x column becomes its first, lowest, highest and last point, in the
// order they occur. The vertical strokes within a column cover the same span, so a
// one-pixel pen lights the same pixels. Appends to `out`.
void ReducePolylineToColumns(const std::vector<Point>& points, std::vector<QPoint>& out);

// Converts a canvas colour to Qt's.
inline QColor ToQColor(Color c) {
    return QColor(c.r, c.g, c.b);
}

} // namespace tavo
