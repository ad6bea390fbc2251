#include "reports/ui/motor_report_dlg.h"

#include <QContextMenuEvent>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include "canvas/qt/qpainter_canvas.h"
#include "reports/motor_comparison.h"
#include "reports/paint/report_paint.h"
#include "reports/report_checks.h"
#include "reports/report_draw.h"
#include "uikit/dlg_common.h"
#include "uikit/print_job.h"
#include "uikit/qt_user_prompt.h"

namespace tavo {

CMotorReportDlg::CMotorReportDlg(QWidget* parent, QPrinter* printer, UserPrompt* prompt)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      m_pPrinter(printer), m_pPrompt(prompt) {
    setWindowTitle(QStringLiteral("Motor Report"));
    setModal(true);
    resize(DialogUnitsToPixels(*this, 426, 206));
    // The page is painted whole at every paint; nothing behind it needs erasing.
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (m_pPrompt == nullptr) {
        m_ownPrompt = std::make_unique<QtUserPrompt>(this);
        m_pPrompt = m_ownPrompt.get();
    }
}

CMotorReportDlg::~CMotorReportDlg() = default;

int CMotorReportDlg::DoModal() {
    if (!ComputeMotorReport())
        return QDialog::Rejected;
    return exec();
}

bool CMotorReportDlg::ComputeMotorReport() {
    if (m_pDoc == nullptr)
        return false;
    m_report.m_dSiteAltitudeM = m_dSiteAltitudeM;
    return m_report.ComputeMotorReport(m_pDoc->Data(), m_range, *m_pPrompt);
}

void CMotorReportDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_pDoc == nullptr) {
        painter.fillRect(rect(), Qt::white);
        return;
    }
    QPainterCanvas canvas(painter, true);
    DrawMotorReport(canvas, m_pDoc->Data(), m_report, width(), height(),
                    m_certified ? &*m_certified : nullptr);
}

void CMotorReportDlg::contextMenuEvent(QContextMenuEvent* event) {
    ShowReportMenu(event->pos(), event->reason() == QContextMenuEvent::Keyboard);
    event->accept();
}

void CMotorReportDlg::keyPressEvent(QKeyEvent* event) {
    // Shift+F10 is the other keyboard way to a context menu; the menu key arrives as a
    // context-menu request of its own.
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        ShowReportMenu(QPoint(-1, -1), true);
        event->accept();
        return;
    }
    if (event->modifiers() == Qt::ControlModifier && event->key() == Qt::Key_P) {
        PrintMotorReport();
        event->accept();
        return;
    }
    if (event->modifiers() == Qt::ControlModifier && event->key() == Qt::Key_O) {
        CompareWithMotorFile();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CMotorReportDlg::ShowReportMenu(QPoint mousePos, bool fromKeyboard) {
    QMenu menu(this);
    QAction* motor = menu.addAction(QString::fromLatin1(ThrustKindName(ThrustKind::Motor)));
    motor->setData(static_cast<int>(ID_REPORT_MOTOR_THRUST));
    motor->setCheckable(true);
    motor->setChecked(m_report.m_thrust == ThrustKind::Motor);
    QAction* net = menu.addAction(QString::fromLatin1(ThrustKindName(ThrustKind::Net)));
    net->setData(static_cast<int>(ID_REPORT_NET_FORCE));
    net->setCheckable(true);
    net->setChecked(m_report.m_thrust == ThrustKind::Net);
    QAction* compare = menu.addAction(QStringLiteral("Compare with motor file..."));
    compare->setData(static_cast<int>(ID_REPORT_COMPARE));
    menu.addSeparator();
    QAction* print = menu.addAction(QStringLiteral("Print"));
    print->setData(static_cast<int>(ID_REPORT_PRINT));
    QAction* exit = menu.addAction(QStringLiteral("Exit"));
    exit->setData(static_cast<int>(ID_REPORT_EXIT));
    const Point client = ReportMenuClientPoint(Point{mousePos.x(), mousePos.y()}, fromKeyboard);
    QAction* chosen = ExecPopupMenu(menu, mapToGlobal(QPoint(client.x, client.y)));
    if (chosen == motor) {
        SetThrustKind(ThrustKind::Motor);
    } else if (chosen == net) {
        SetThrustKind(ThrustKind::Net);
    } else if (chosen == compare) {
        CompareWithMotorFile();
    } else if (chosen == print) {
        PrintMotorReport();
    } else if (chosen == exit) {
        // Posted, so the menu has fully closed before the window goes.
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    }
}

void CMotorReportDlg::SetThrustKind(ThrustKind kind) {
    if (m_pDoc == nullptr || kind == m_report.m_thrust)
        return;
    if (!m_report.ComputeFigures(m_pDoc->Data(), m_report.range, kind))
        m_pPrompt->ShowMessage(NothingToReportText(m_pDoc->Record(), m_report.range), "Error",
                               Severity::Error);
    update();
}

void CMotorReportDlg::CompareWithMotorFile() {
    EngMotor motor;
    if (!ChooseCertifiedMotor(
            *m_pPrompt,
            [this](const std::vector<std::string>& labels) { return ChooseMotor(labels); }, motor))
        return;
    m_certified = std::move(motor);
    update();
}

int CMotorReportDlg::ChooseMotor(const std::vector<std::string>& labels) {
    QStringList items;
    for (const std::string& label : labels)
        items << FromFlightText(label);
    bool ok = false;
    const QString item = QInputDialog::getItem(this, QStringLiteral("Compare with motor file"),
                                               QStringLiteral("The file holds several motors:"),
                                               items, 0, false, &ok);
    return ok ? static_cast<int>(items.indexOf(item)) : -1;
}

QAction* CMotorReportDlg::ExecPopupMenu(QMenu& menu, QPoint globalPos) {
    return menu.exec(globalPos);
}

bool CMotorReportDlg::ConfirmPrint(QPrinter& printer) {
    QPrintDialog dialog(&printer, this);
    // All pages of one page: nothing to choose but the printer and its settings. Printing
    // to a file stays offered: on a desktop without a printer it is the only way out.
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setPrintRange(QAbstractPrintDialog::AllPages);
    return dialog.exec() == QDialog::Accepted;
}

void CMotorReportDlg::PrintMotorReport() {
    if (m_pPrinter == nullptr) {
        if (!m_ownPrinter)
            m_ownPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_pPrinter = m_ownPrinter.get();
    }
    PreparePrintJob(*m_pPrinter, QStringLiteral("Motor Report"),
                    FlightFileStem(m_pDoc != nullptr ? m_pDoc->GetTitle() : std::string()) +
                        QStringLiteral(" motor report"));
    if (!ConfirmPrint(*m_pPrinter))
        return;
    // A chosen printer that will not start is said so, rather than nothing happening.
    if (!PrintMotorReportTo(*m_pPrinter))
        m_pPrompt->ShowMessage("The printer could not be started.", "Error", Severity::Error);
}

bool CMotorReportDlg::PrintMotorReportTo(QPrinter& printer) {
    if (m_pDoc == nullptr)
        return false;
    return PaintMotorReportPage(printer, m_pDoc->Data(), m_report, width(), height(),
                                m_certified ? &*m_certified : nullptr);
}

} // namespace tavo
