#include "reports/paint/report_paint.h"

#include <cmath>
#include <functional>

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "canvas/qt/qpainter_canvas.h"

namespace tavo {

namespace {

using PageDraw = std::function<void(Canvas&, const ReportPageGeometry&)>;

bool PaintReportPage(QPaintDevice& device, int clientWidth, int clientHeight,
                     const PageDraw& draw) {
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
        draw(canvas, page);
    }
    return painter.end();
}

QByteArray ReportPdf(const QString& title, int clientWidth, int clientHeight,
                     const PageDraw& draw) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly))
        return QByteArray();
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(title);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setResolution(1200);
        if (!PaintReportPage(writer, clientWidth, clientHeight, draw))
            return QByteArray();
    }
    buffer.close();
    return bytes;
}

} // namespace

bool PaintMotorReportPage(QPaintDevice& device, const FlightData& flight, const MotorReport& report,
                          int clientWidth, int clientHeight, const EngMotor* certified) {
    return PaintReportPage(device, clientWidth, clientHeight,
                           [&](Canvas& canvas, const ReportPageGeometry& page) {
                               DrawMotorReportPage(canvas, flight, report, page, certified);
                           });
}

QByteArray MotorReportPdf(const FlightData& flight, const MotorReport& report, int clientWidth,
                          int clientHeight) {
    return ReportPdf(QStringLiteral("Motor Report"), clientWidth, clientHeight,
                     [&](Canvas& canvas, const ReportPageGeometry& page) {
                         DrawMotorReportPage(canvas, flight, report, page);
                     });
}

bool PaintCdReportPage(QPaintDevice& device, const FlightData& flight, const CdReport& report,
                       int clientWidth, int clientHeight) {
    return PaintReportPage(device, clientWidth, clientHeight,
                           [&](Canvas& canvas, const ReportPageGeometry& page) {
                               DrawCdReportPage(canvas, flight, report, page);
                           });
}

QByteArray CdReportPdf(const FlightData& flight, const CdReport& report, int clientWidth,
                       int clientHeight) {
    return ReportPdf(QStringLiteral("Cd Report"), clientWidth, clientHeight,
                     [&](Canvas& canvas, const ReportPageGeometry& page) {
                         DrawCdReportPage(canvas, flight, report, page);
                     });
}

} // namespace tavo
