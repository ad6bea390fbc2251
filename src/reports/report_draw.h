#pragma once
// The report pages: the motor report's and the Cd report's window contents, and the
// motor report's printed page. One drawing path serves the window, the printer, the
// PDF and picture exports and the tests.

#include "canvas/canvas.h"
#include "flight/flight_data.h"
#include "motor/eng_motor.h"
#include "reports/cd_report.h"
#include "reports/motor_report.h"
#include "reports/report_layout.h"

namespace tavo {

// The motor report window's client area of width x height: the thrust curve of the
// report's range and the box with the figures; with a `certified` motor, its curve over the
// measured one and its figures beside them.
void DrawMotorReport(Canvas& canvas, const FlightData& flight, const MotorReport& report, int width,
                     int height, const EngMotor* certified = nullptr);

// The motor report's printed page: the window's page laid out with margins, the flight
// details and the figures below the graph. The canvas maps page units as `page` says.
void DrawMotorReportPage(Canvas& canvas, const FlightData& flight, const MotorReport& report,
                         const ReportPageGeometry& page, const EngMotor* certified = nullptr);

// The Cd report window's client area of width x height: the curve of the report's range
// and, for the drag alone, a caption line with its figures.
void DrawCdReport(Canvas& canvas, const FlightData& flight, const CdReport& report, int width,
                  int height);

// The Cd report's printed page, laid out as the motor report's: the window's page with
// margins, the flight details and the figures below the graph.
void DrawCdReportPage(Canvas& canvas, const FlightData& flight, const CdReport& report,
                      const ReportPageGeometry& page);

// The texts of the figures: on screen one line per figure, on paper with blank lines
// between them.
std::string MotorResultsText(const MotorReport& report);
std::string MotorResultsPageText(const MotorReport& report);
// The flight details block of the printed page.
std::string FlightDetailsPageText(const FlightData& flight);

} // namespace tavo
