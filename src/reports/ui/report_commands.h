#pragma once
// The Tools menu's report commands, for the main window to call.

#include "flight/cursor_range.h"

class QPrinter;
class QWidget;

namespace tavo {

class CTAVOkitDoc;

// Tools > Create Motor Report: a fresh report window over `parent`, modal, between the
// cursors of `range`. `printer` is the program's shared printer choice (the one Print
// Setup uses), kept between prints.
void RunMotorReport(QWidget* parent, CTAVOkitDoc& doc, CursorRange range,
                    QPrinter* printer = nullptr);

// Tools > Create CD Report: a fresh Cd report window over `parent`, modal, between the
// cursors of `range`, printing on the program's shared printer choice.
void RunCdReport(QWidget* parent, CTAVOkitDoc& doc, CursorRange range, QPrinter* printer = nullptr);

} // namespace tavo
