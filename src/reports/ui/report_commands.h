#pragma once
// The Tools menu's report commands, for the main window to call.

#include <optional>

#include "flight/cursor_range.h"
#include "motor/eng_motor.h"

class QPrinter;
class QWidget;

namespace tavo {

class CTAVOkitDoc;

// What the report windows take from the program and leave for its other commands.
struct ReportContext {
    // The launch site above sea level (the setting), for the air the drag is taken in.
    double siteAltitudeM = 0.0;
    // The motor file the motor report was last compared with on this flight: the
    // thrust-curve export starts its diameter and length from it.
    std::optional<EngMotor> compared;
};

// Tools > Create Motor Report: a fresh report window over `parent`, modal, between the
// cursors of `range`. `printer` is the program's shared printer choice (the one Print
// Setup uses), kept between prints. A motor file compared in the window is left in
// `context`.
void RunMotorReport(QWidget* parent, CTAVOkitDoc& doc, CursorRange range,
                    QPrinter* printer = nullptr, ReportContext* context = nullptr);

// Tools > Create CD Report: a fresh Cd report window over `parent`, modal, between the
// cursors of `range`, printing on the program's shared printer choice.
void RunCdReport(QWidget* parent, CTAVOkitDoc& doc, CursorRange range, QPrinter* printer = nullptr,
                 const ReportContext* context = nullptr);

} // namespace tavo
