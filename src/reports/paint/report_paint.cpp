#include "reports/paint/report_paint.h"

#include <cmath>

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "canvas/qt/qpainter_canvas.h"

namespace tavo {

bool PaintMotorReportPage(QPaintDevice& device, const FlightRecord& flight,
                          const MotorReport& report, int clientWidth, int clientHeight,
                          const EngMotor* certified) {
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const ReportPageGeometry page =
        MapReportPage(clientWidth, clientHeight, device.width(), device.height(),
                      device.logicalDpiX(), device.logicalDpiY());
    // One scale on both axes from the top left corner: the window's page keeps its shape.
    painter.setWindow(0, 0, page.width, page.height);
    painter.setViewport(0, 0, static_cast<int>(std::lround(page.width * page.scale)),
                        static_cast<int>(std::lround(page.height * page.scale)));
    {
        QPainterCanvas canvas(painter);
        DrawMotorReportPage(canvas, flight, report, page, certified);
    }
    return painter.end();
}

QByteArray MotorReportPdf(const FlightRecord& flight, const MotorReport& report, int clientWidth,
                          int clientHeight) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly))
        return QByteArray();
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(QStringLiteral("Motor Report"));
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setResolution(1200);
        if (!PaintMotorReportPage(writer, flight, report, clientWidth, clientHeight))
            return QByteArray();
    }
    buffer.close();
    return bytes;
}

} // namespace tavo
