#include "view/paint/graph_paint.h"

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
    const GraphPage page{cw, ch, false, 0, 0};
    PrepareGraph(flight, view, page);
    QPainterCanvas canvas(painter, true);
    DrawGraph(canvas, flight, view, page);
}

void PaintGraphPage(QPainter& painter, const QPagedPaintDevice& device, int cw, int ch,
                    FlightRecord& flight, GraphViewState& view) {
    const QRect page = device.pageLayout().paintRectPixels(device.logicalDpiX());
    const PageMapping m = MapGraphPage(cw, ch, page.width(), page.height(), device.logicalDpiX(),
                                       device.logicalDpiY());
    const GraphPage graphPage{cw, ch, true, m.mx, m.my};
    PrepareGraph(flight, view, graphPage);
    painter.save();
    painter.scale(m.scale, m.scale);
    {
        QPainterCanvas canvas(painter, false);
        DrawGraph(canvas, flight, view, graphPage);
    }
    painter.restore();
}

QImage RenderGraphImage(int cw, int ch, FlightRecord& flight, GraphViewState& view) {
    const GraphPage page{cw, ch, false, 0, 0};
    PrepareGraph(flight, view, page);
    return DrawToImage(cw, ch, [&](Canvas& canvas) { DrawGraph(canvas, flight, view, page); });
}

QByteArray RenderGraphSvg(int cw, int ch, FlightRecord& flight, GraphViewState& view) {
    const GraphPage page{cw, ch, false, 0, 0};
    PrepareGraph(flight, view, page);
    return DrawToSvg(cw, ch, QStringLiteral("TAVOkit flight graph"),
                     [&](Canvas& canvas) { DrawGraph(canvas, flight, view, page); });
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

QByteArray RenderGraphFile(GraphFileFormat format, int cw, int ch, FlightRecord& flight,
                           GraphViewState& view) {
    switch (format) {
    case GraphFileFormat::Svg:
        return RenderGraphSvg(cw, ch, flight, view);
    case GraphFileFormat::Pdf:
        return RenderGraphPdf(cw, ch, flight, view);
    case GraphFileFormat::Png:
        break;
    }
    const QImage image = RenderGraphImage(cw, ch, flight, view);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (image.isNull() || !buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
        return QByteArray();
    return bytes;
}

} // namespace tavo
