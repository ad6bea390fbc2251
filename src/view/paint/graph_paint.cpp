#include "view/paint/graph_paint.h"

#include <algorithm>
#include <cmath>

#include <QBuffer>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include "canvas/qt/qpainter_canvas.h"
#include "canvas/qt/svg_canvas.h"

namespace tavo {

void PaintGraphOnScreen(QPainter& painter, int cw, int ch, FlightRecord& flight,
                        GraphViewState& view) {
    QPainterCanvas canvas(painter, true);
    DrawGraph(canvas, flight, view, {cw, ch, false, 0, 0});
}

PageMapping MapClientToPage(int cw, int ch, int pageW, int pageH, int dpiX, int dpiY) {
    PageMapping m;
    if (cw <= 0 || ch <= 0 || pageW <= 0 || pageH <= 0)
        return m;
    m.scale = std::min(static_cast<double>(pageW) / cw, static_cast<double>(pageH) / ch);
    // 10 mm is 1000 hundredths of a millimetre; through the printer's pixels per inch
    // into device pixels, then back through the scale into view units.
    m.mx = static_cast<int>(std::lround(1000.0 * dpiX / 2540.0 / m.scale));
    m.my = static_cast<int>(std::lround(1000.0 * dpiY / 2540.0 / m.scale));
    return m;
}

void PaintGraphPage(QPainter& painter, const QPagedPaintDevice& device, int cw, int ch,
                    FlightRecord& flight, GraphViewState& view) {
    const QRect page = device.pageLayout().paintRectPixels(device.logicalDpiX());
    const PageMapping m = MapClientToPage(cw, ch, page.width(), page.height(), device.logicalDpiX(),
                                          device.logicalDpiY());
    painter.save();
    painter.scale(m.scale, m.scale);
    {
        QPainterCanvas canvas(painter, false);
        DrawGraph(canvas, flight, view, {cw, ch, true, m.mx, m.my});
    }
    painter.restore();
}

QImage RenderGraphImage(int cw, int ch, FlightRecord& flight, GraphViewState& view) {
    return DrawToImage(cw, ch, [&](Canvas& canvas) {
        DrawGraph(canvas, flight, view, {cw, ch, false, 0, 0});
    });
}

QByteArray RenderGraphSvg(int cw, int ch, FlightRecord& flight, GraphViewState& view) {
    return DrawToSvg(cw, ch, QStringLiteral("TAVOkit flight graph"), [&](Canvas& canvas) {
        DrawGraph(canvas, flight, view, {cw, ch, false, 0, 0});
    });
}

QByteArray RenderGraphPdf(int cw, int ch, FlightRecord& flight, GraphViewState& view) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly))
        return QByteArray();
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(600);
    writer.setTitle(QStringLiteral("TAVOkit flight graph"));
    QPainter painter;
    if (!painter.begin(&writer))
        return QByteArray();
    PaintGraphPage(painter, writer, cw, ch, flight, view);
    painter.end();
    return bytes;
}

} // namespace tavo
