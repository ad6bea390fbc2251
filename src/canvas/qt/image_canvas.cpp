#include "canvas/qt/image_canvas.h"

#include <span>

namespace tavo {

ImageCanvas::ImageCanvas(QPainter& painter, QImage& image)
    : QPainterCanvas(painter, true), m_image(image) {
    const QImage::Format format = image.format();
    m_direct = painter.isActive() && painter.device() == &image &&
               (format == QImage::Format_RGB32 || format == QImage::Format_ARGB32_Premultiplied) &&
               image.devicePixelRatio() == 1.0 && painter.deviceTransform().isIdentity() &&
               painter.compositionMode() == QPainter::CompositionMode_SourceOver &&
               painter.opacity() == 1.0;
}

void ImageCanvas::SetPen(const Pen& pen) {
    m_pen = pen;
    QPainterCanvas::SetPen(pen);
}

namespace {

std::uint32_t OpaquePixel(Color c) {
    return 0xff000000u | (std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) | c.b;
}

} // namespace

PixelBuffer ImageCanvas::Pixels() {
    // The painter writes its pixels as it goes, so the image's bits are current; an image
    // is not shared while it is painted, so bits() hands back the buffer the painter has.
    return {reinterpret_cast<std::uint32_t*>(m_image.bits()), m_image.bytesPerLine() / 4,
            m_image.width(), m_image.height()};
}

void ImageCanvas::DrawPolyline(const std::vector<Point>& points) {
    if (!Direct() || m_pen.style != PenStyle::Solid || m_pen.width != 1 || points.size() < 2 ||
        !StepsByColumns(points)) {
        QPainterCanvas::DrawPolyline(points);
        return;
    }
    Drew();
    DrawColumnPolyline(Pixels(), std::span<const Point>(points), OpaquePixel(m_pen.color));
}

void ImageCanvas::FillRect(const Rect& rect, Color color) {
    if (!Direct()) {
        QPainterCanvas::FillRect(rect, color);
        return;
    }
    FillPixelRect(Pixels(), rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                  OpaquePixel(color));
    Filled(QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top), color);
}

} // namespace tavo
