#include "reports/ui/report_commands.h"

#include "reports/ui/cd_report_dlg.h"
#include "reports/ui/motor_report_dlg.h"

namespace tavo {

void RunMotorReport(QWidget* parent, CTAVOkitDoc& doc, CursorRange range, QPrinter* printer,
                    ReportContext* context) {
    CMotorReportDlg dialog(parent, printer);
    dialog.m_pDoc = &doc;
    dialog.m_range = range;
    if (context != nullptr)
        dialog.m_dSiteAltitudeM = context->siteAltitudeM;
    dialog.DoModal();
    if (context != nullptr && dialog.Certified())
        context->compared = dialog.Certified();
}

void RunCdReport(QWidget* parent, CTAVOkitDoc& doc, CursorRange range, QPrinter* printer,
                 const ReportContext* context) {
    CCdReportDlg dialog(parent, nullptr, printer);
    dialog.m_pDoc = &doc;
    dialog.m_range = range;
    if (context != nullptr)
        dialog.m_dSiteAltitudeM = context->siteAltitudeM;
    dialog.DoModal();
}

} // namespace tavo
