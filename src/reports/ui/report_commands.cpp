#include "reports/ui/report_commands.h"

#include "reports/ui/cd_report_dlg.h"
#include "reports/ui/motor_report_dlg.h"

namespace tavo {

void RunMotorReport(QWidget* parent, CTAVOkitDoc& doc, CursorRange range, QPrinter* printer) {
    CMotorReportDlg dialog(parent, printer);
    dialog.m_pDoc = &doc;
    dialog.m_range = range;
    dialog.DoModal();
}

void RunCdReport(QWidget* parent, CTAVOkitDoc& doc, CursorRange range, QPrinter* printer) {
    CCdReportDlg dialog(parent, nullptr, printer);
    dialog.m_pDoc = &doc;
    dialog.m_range = range;
    dialog.DoModal();
}

} // namespace tavo
