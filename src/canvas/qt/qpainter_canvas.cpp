#include "canvas/qt/qpainter_canvas.h"

#include <QFontMetricsF>
#include <QString>

#include "canvas/text_extent.h"
#include "flight/text_format.h"

namespace tavo {

QPainterCanvas::QPainterCanvas(QPainter& painter, bool reducePolylines)
    : m_painter(painter), m_reduce(reducePolylines) {
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
    m_pen = QPen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    m_painter.setPen(m_pen);
    m_painter.setBrush(Qt::NoBrush);
}

QPainterCanvas::~QPainterCanvas() {
    m_painter.restore();
}

void QPainterCanvas::SetPen(const Pen& pen) {
    m_pen = QPen(ToQColor(pen.color), pen.width,
                 pen.style == PenStyle::Dash ? Qt::DashLine : Qt::SolidLine, Qt::SquareCap,
                 Qt::MiterJoin);
    // At one unit a pixel a one-unit solid pen lights the same pixels as a cosmetic one,
    // which Qt draws a good deal faster.
    if (m_reduce && pen.width == 1 && pen.style == PenStyle::Solid)
        m_pen.setCosmetic(true);
    m_painter.setPen(m_pen);
}

void QPainterCanvas::SetFont(int cellHeight) {
    m_painter.setFont(PlotFont(cellHeight));
}

QFont PlotFont(int cellHeight) {
    // The drawings' label boxes were laid out for the narrow sans-serif faces of the
    // recorder's desktop: a value such as "-12.8" just fits the 30 units left of the
    // frame. A wide default face clips such a label on the left, and a negative value
    // then reads as positive. So the faces with those proportions come first.
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                      QStringLiteral("Nimbus Sans"), QStringLiteral("Helvetica"),
                      QStringLiteral("Arial"), QStringLiteral("Sans Serif")});
    font.setStyleHint(QFont::SansSerif);
    // The cell height counts ascent plus descent, but those faces report line heights
    // from 1.12 to 1.38 em for the same glyph widths, so sizing by the installed face's
    // line height would make the text, and whether "-12.8" fits its box, depend on the
    // fonts a machine happens to have. The em is therefore the cell height over 1.38, the
    // line height of the face the drawings were laid out with, rounded to the pixel.
    font.setPixelSize(TextEm(cellHeight));
    return font;
}

void QPainterCanvas::FillRect(const Rect& rect, Color color) {
    const QRect area(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    m_painter.fillRect(area, ToQColor(color));
    m_white = color == Color{255, 255, 255} ? area : QRect();
}

void QPainterCanvas::DrawRectangle(const Rect& rect) {
    // The outline lies inside left..right-1 and top..bottom-1, as the graph's frame
    // has always been drawn, so the right edge stays on the client area.
    const int w = rect.right - rect.left - 1;
    const int h = rect.bottom - rect.top - 1;
    if (w < 0 || h < 0)
        return;
    const QRect outline(rect.left, rect.top, w, h);
    // A frame drawn right after the page was filled white needs no second fill: on a
    // full-screen graph that is a whole screen of pixels saved.
    const bool white = m_white.contains(outline);
    m_white = QRect();
    if (!white)
        m_painter.setBrush(Qt::white);
    m_painter.drawRect(outline);
    m_painter.setBrush(Qt::NoBrush);
}

void QPainterCanvas::DrawLine(Point from, Point to) {
    m_white = QRect();
    m_painter.drawLine(QPoint(from.x, from.y), QPoint(to.x, to.y));
}

void QPainterCanvas::DrawPolyline(const std::vector<Point>& points) {
    m_white = QRect();
    if (points.empty())
        return;
    m_scratch.clear();
    if (m_reduce && m_pen.style() == Qt::SolidLine) {
        ReducePolylineToColumns(points, m_scratch);
    } else {
        m_scratch.reserve(points.size());
        for (const Point& p : points)
            m_scratch.emplace_back(p.x, p.y);
    }
    if (m_scratch.size() == 1) {
        m_painter.drawPoint(m_scratch.front());
        return;
    }
    m_painter.drawPolyline(m_scratch.data(), static_cast<int>(m_scratch.size()));
}

int QtAlignment(unsigned flags) {
    int align = (flags & TextHCenter) ? Qt::AlignHCenter
                : (flags & TextRight) ? Qt::AlignRight
                                      : Qt::AlignLeft;
    align |= (flags & TextVCenter) ? Qt::AlignVCenter : Qt::AlignTop;
    return (flags & TextSingleLine) ? align | Qt::TextSingleLine : align;
}

void QPainterCanvas::DrawText(const Rect& rect, const std::string& text, unsigned flags) {
    const int align = QtAlignment(flags);
    const QRect r(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    if (r.width() <= 0 || r.height() <= 0)
        return;
    m_white = QRect();
    m_painter.save();
    m_painter.setClipRect(r, Qt::IntersectClip);
    m_painter.setPen(ToQColor(m_textColor));
    m_painter.drawText(r, align, QString::fromStdString(Windows1252ToUtf8(text)));
    m_painter.restore();
}

void ReducePolylineToColumns(const std::vector<Point>& points, std::vector<QPoint>& out) {
    const std::size_t n = points.size();
    std::size_t i = 0;
    while (i < n) {
        std::size_t j = i + 1;
        while (j < n && points[j].x == points[i].x)
            ++j;
        // points[i .. j-1] share one column.
        if (j - i <= 4) {
            for (std::size_t k = i; k < j; ++k)
                out.emplace_back(points[k].x, points[k].y);
        } else {
            std::size_t lo = i, hi = i;
            for (std::size_t k = i + 1; k < j; ++k) {
                if (points[k].y < points[lo].y)
                    lo = k;
                if (points[k].y > points[hi].y)
                    hi = k;
            }
            const std::size_t a = lo < hi ? lo : hi;
            const std::size_t b = lo < hi ? hi : lo;
            // By index, not by value: a run's first or last point may be its extreme.
            std::size_t keep[4] = {i, a, b, j - 1};
            std::size_t last = n;
            for (std::size_t k : keep) {
                if (k == last)
                    continue;
                out.emplace_back(points[k].x, points[k].y);
                last = k;
            }
        }
        i = j;
    }
}

} // namespace tavo
