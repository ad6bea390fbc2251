#pragma once
// The report pages on a Qt paint device: a printer, a PDF writer. Qt Gui
// only, so the command-line program prints the same page as the report window.

#include <QByteArray>
#include <QPaintDevice>

#include "reports/report_draw.h"

namespace tavo {

// Lays the page of a report window with the given client size onto the device (its
// paintable area, from the top left corner) and draws it. False when the device cannot
// be painted on (no printer context): nothing has been drawn then.
bool PaintMotorReportPage(QPaintDevice& device, const FlightData& flight, const MotorReport& report,
                          int clientWidth, int clientHeight, const EngMotor* certified = nullptr);

// The printed page as the bytes of a one-page PDF document titled "Motor Report", on
// A4 at 1200 dots per inch. Empty when it could not be made.
QByteArray MotorReportPdf(const FlightData& flight, const MotorReport& report, int clientWidth,
                          int clientHeight);

// The Cd report's printed page, as PaintMotorReportPage lays the motor report's.
bool PaintCdReportPage(QPaintDevice& device, const FlightData& flight, const CdReport& report,
                       int clientWidth, int clientHeight);

// The Cd report's printed page as a one-page PDF document titled "Cd Report".
QByteArray CdReportPdf(const FlightData& flight, const CdReport& report, int clientWidth,
                       int clientHeight);

} // namespace tavo
