#include "view/paint/graph_paint.h"

#include <algorithm>

#include <QBuffer>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPdfWriter>

#include "canvas/qt/image_canvas.h"
#include "canvas/qt/qpainter_canvas.h"
#include "canvas/qt/svg_canvas.h"

namespace tavo {

namespace {

// The graph drawn on `image`, which is one pixel a unit and of the page's size.
void DrawOnImage(QImage& image, const FlightData& flight, const GraphViewState& view,
                 const GraphPage& page, std::span<const ExtraFlight> extra) {
    QPainter painter(&image);
    ImageCanvas canvas(painter, image);
    DrawGraph(canvas, flight, view, page, extra);
}

// The picture of a client size in an RGB32 image of that size, reusing `image`'s memory
// when it already has the size. False when no such image could be made.
bool DrawGraphImage(QImage& image, int cw, int ch, const FlightData& flight,
                    const GraphViewState& view, const GraphPage& page,
                    std::span<const ExtraFlight> extra) {
    const QSize size(cw < 1 ? 1 : cw, ch < 1 ? 1 : ch);
    if (image.size() != size || image.format() != QImage::Format_RGB32 ||
        image.devicePixelRatio() != 1.0)
        image = QImage(size, QImage::Format_RGB32);
    if (image.isNull())
        return false;
    // The graph fills its page white first, so the old picture needs no clearing, unless
    // the page is empty.
    if (cw < 1 || ch < 1)
        image.fill(Qt::white);
    DrawOnImage(image, flight, view, page, extra);
    return true;
}

// The part of the painter's own surface that the client area covers, as an image over
// the same pixels, when that surface is a 32-bit image of one pixel a unit and the
// painter places the client area on it by a whole-pixel shift (the window's backing
// store under the raster engine). A null image otherwise.
QImage SurfaceUnder(QPainter& painter, int cw, int ch) {
    QPaintEngine* engine = painter.paintEngine();
    QPaintDevice* device = engine != nullptr ? engine->paintDevice() : nullptr;
    if (device == nullptr || device->devType() != QInternal::Image || cw < 1 || ch < 1)
        return QImage();
    const QImage& surface = *static_cast<const QImage*>(device);
    if ((surface.format() != QImage::Format_RGB32 &&
         surface.format() != QImage::Format_ARGB32_Premultiplied) ||
        surface.devicePixelRatio() != 1.0 || painter.hasClipping())
        return QImage();
    const QTransform t = painter.deviceTransform();
    const double dx = t.dx(), dy = t.dy();
    if (t.type() > QTransform::TxTranslate || dx != static_cast<int>(dx) ||
        dy != static_cast<int>(dy))
        return QImage();
    const int x = static_cast<int>(dx), y = static_cast<int>(dy);
    if (x < 0 || y < 0 || x > surface.width() - cw || y > surface.height() - ch)
        return QImage();
    // The painter is done with nothing yet on these pixels: the graph covers them whole.
    uchar* pixels = const_cast<uchar*>(surface.constBits()) +
                    static_cast<qsizetype>(y) * surface.bytesPerLine() +
                    static_cast<qsizetype>(x) * 4;
    return QImage(pixels, cw, ch, surface.bytesPerLine(), surface.format());
}

} // namespace

void PaintGraphOnScreen(QPainter& painter, int cw, int ch, const FlightData& flight,
                        GraphViewState& view, QImage& buffer, bool whole,
                        std::span<const ExtraFlight> extra) {
    const GraphPage page{cw, ch, false, 0, 0};
    PrepareGraph(flight, view, page);
    // Qt's line drawing is the bulk of a full-screen picture, and it can be bypassed only
    // on an image of one pixel a unit. The window's own surface is no such image, and a
    // dense screen needs its lines at device resolution, which the columns cannot give.
    const QPaintDevice* device = painter.device();
    const bool dense = device != nullptr && device->devicePixelRatio() != 1.0;
    // The copy pays only for curves of a sample or more a column: a view zoomed in that
    // far has a few long lines, as quick through Qt.
    const double shown = view.window.Whole() ? static_cast<double>(flight.curves.m_arrAccel.size())
                                             : view.window.span;
    if (!dense && shown >= cw) {
        // Straight into the window's surface when the whole client area is being
        // painted; a partial repaint must leave the pixels outside it alone.
        if (whole) {
            QImage surface = SurfaceUnder(painter, cw, ch);
            if (!surface.isNull()) {
                DrawOnImage(surface, flight, view, page, extra);
                return;
            }
        }
        if (DrawGraphImage(buffer, cw, ch, flight, view, page, extra)) {
            painter.drawImage(0, 0, buffer);
            return;
        }
    }
    QPainterCanvas canvas(painter, true);
    DrawGraph(canvas, flight, view, page, extra);
}

void PaintGraphPage(QPainter& painter, const QPagedPaintDevice& device, int cw, int ch,
                    const FlightData& flight, const GraphViewState& shown,
                    std::span<const ExtraFlight> extra) {
    const QRect page = device.pageLayout().paintRectPixels(device.logicalDpiX());
    const PageMapping m = MapGraphPage(cw, ch, page.width(), page.height(), device.logicalDpiX(),
                                       device.logicalDpiY());
    const GraphPage graphPage{cw, ch, true, m.mx, m.my};
    GraphViewState view = shown;
    PrepareGraph(flight, view, graphPage);
    painter.save();
    painter.scale(m.scale, m.scale);
    {
        QPainterCanvas canvas(painter, false);
        DrawGraph(canvas, flight, view, graphPage, extra);
    }
    painter.restore();
}

QImage RenderGraphImage(int cw, int ch, const FlightData& flight, const GraphViewState& shown,
                        std::span<const ExtraFlight> extra) {
    const GraphPage page{cw, ch, false, 0, 0};
    GraphViewState view = shown;
    PrepareGraph(flight, view, page);
    QImage image;
    if (!DrawGraphImage(image, cw, ch, flight, view, page, extra))
        return QImage();
    return image;
}

QByteArray RenderGraphSvg(int cw, int ch, const FlightData& flight, const GraphViewState& shown,
                          std::span<const ExtraFlight> extra) {
    const GraphPage page{cw, ch, false, 0, 0};
    GraphViewState view = shown;
    PrepareGraph(flight, view, page);
    return DrawToSvg(cw, ch, QStringLiteral("TAVOkit flight graph"),
                     [&](Canvas& canvas) { DrawGraph(canvas, flight, view, page, extra); });
}

QByteArray RenderGraphPdf(int cw, int ch, const FlightData& flight, const GraphViewState& view,
                          GraphPdfPage page, std::span<const ExtraFlight> extra) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly))
        return QByteArray();
    QPdfWriter writer(&buffer);
    const bool picture = page == GraphPdfPage::PictureSize;
    if (picture) {
        // A page the size a picture of cw x ch pixels has on a screen of 96 per inch, so
        // the file goes into a slide or a newsletter as the PNG would, in vectors.
        constexpr double kPointsPerPixel = 72.0 / 96.0;
        writer.setPageSize(QPageSize(QSizeF(std::max(cw, 1), std::max(ch, 1)) * kPointsPerPixel,
                                     QPageSize::Point, QString(), QPageSize::ExactMatch));
        writer.setResolution(96);
    } else {
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setResolution(600);
    }
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setTitle(QStringLiteral("TAVOkit flight graph"));
    QPainter painter;
    if (!painter.begin(&writer))
        return QByteArray();
    if (picture) {
        const GraphPage screen{cw, ch, false, 0, 0};
        GraphViewState shown = view;
        PrepareGraph(flight, shown, screen);
        QPainterCanvas canvas(painter, false);
        DrawGraph(canvas, flight, shown, screen, extra);
    } else {
        PaintGraphPage(painter, writer, cw, ch, flight, view, extra);
    }
    painter.end();
    return bytes;
}

QByteArray RenderGraphFile(GraphFileFormat format, int cw, int ch, const FlightData& flight,
                           const GraphViewState& view, GraphPdfPage pdfPage,
                           std::span<const ExtraFlight> extra) {
    switch (format) {
    case GraphFileFormat::Svg:
        return RenderGraphSvg(cw, ch, flight, view, extra);
    case GraphFileFormat::Pdf:
        return RenderGraphPdf(cw, ch, flight, view, pdfPage, extra);
    case GraphFileFormat::Png:
        break;
    }
    const QImage image = RenderGraphImage(cw, ch, flight, view, extra);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (image.isNull() || !buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
        return QByteArray();
    return bytes;
}

} // namespace tavo
