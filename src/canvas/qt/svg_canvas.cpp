#include "canvas/qt/svg_canvas.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>

#include "canvas/qt/qpainter_canvas.h"

namespace tavo {

QByteArray DrawToSvg(int width, int height, const QString& title, const DrawFunction& draw) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(QSize(width, height));
    generator.setViewBox(QRect(0, 0, width, height));
    generator.setTitle(title);
    {
        QPainter painter(&generator);
        // Vector output keeps every point: nothing is lost when the picture is zoomed.
        QPainterCanvas canvas(painter, false);
        draw(canvas);
    }
    return bytes;
}

QImage DrawToImage(int width, int height, const DrawFunction& draw) {
    QImage image(width < 1 ? 1 : width, height < 1 ? 1 : height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QPainterCanvas canvas(painter, true);
    draw(canvas);
    return image;
}

} // namespace tavo
