#include "reports/ui/cd_report_dlg.h"

#include <QPainter>

#include "canvas/qt/qpainter_canvas.h"
#include "reports/report_draw.h"
#include "uikit/dlg_common.h"
#include "uikit/qt_user_prompt.h"

namespace tavo {

CCdReportDlg::CCdReportDlg(QWidget* parent, UserPrompt* prompt)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      m_pPrompt(prompt) {
    setWindowTitle(QStringLiteral("Cd"));
    setModal(true);
    resize(DialogUnitsToPixels(*this, 465, 212));
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (m_pPrompt == nullptr) {
        m_ownPrompt = std::make_unique<QtUserPrompt>(this);
        m_pPrompt = m_ownPrompt.get();
    }
}

CCdReportDlg::~CCdReportDlg() = default;

int CCdReportDlg::DoModal() {
    if (!ComputeCdReport())
        return QDialog::Rejected;
    return exec();
}

bool CCdReportDlg::ComputeCdReport() {
    if (m_pDoc == nullptr)
        return false;
    return m_report.ComputeCdReport(*m_pDoc, *m_pPrompt);
}

void CCdReportDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_pDoc == nullptr) {
        painter.fillRect(rect(), Qt::white);
        return;
    }
    QPainterCanvas canvas(painter, true);
    DrawCdReport(canvas, *m_pDoc, m_report, width(), height());
}

} // namespace tavo
