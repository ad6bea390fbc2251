#include "reports/ui/cd_report_dlg.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include "canvas/qt/qpainter_canvas.h"
#include "reports/paint/report_paint.h"
#include "reports/report_checks.h"
#include "reports/report_draw.h"
#include "uikit/dlg_common.h"
#include "uikit/print_job.h"
#include "uikit/qt_user_prompt.h"

namespace tavo {

CCdReportDlg::CCdReportDlg(QWidget* parent, UserPrompt* prompt, QPrinter* printer)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      m_pPrinter(printer), m_pPrompt(prompt) {
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
    m_report.m_dSiteAltitudeM = m_dSiteAltitudeM;
    return m_report.ComputeCdReport(m_pDoc->Data(), m_range, *m_pPrompt, CdKind::Drag);
}

void CCdReportDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_pDoc == nullptr) {
        painter.fillRect(rect(), Qt::white);
        return;
    }
    QPainterCanvas canvas(painter, true);
    DrawCdReport(canvas, m_pDoc->Data(), m_report, width(), height());
}

void CCdReportDlg::contextMenuEvent(QContextMenuEvent* event) {
    ShowReportMenu(event->pos(), event->reason() == QContextMenuEvent::Keyboard);
    event->accept();
}

void CCdReportDlg::keyPressEvent(QKeyEvent* event) {
    // Shift+F10 is the other keyboard way to a context menu; the menu key arrives as a
    // context-menu request of its own.
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        ShowReportMenu(QPoint(-1, -1), true);
    } else if (event->modifiers() == Qt::ControlModifier && event->key() == Qt::Key_P) {
        PrintCdReport();
    } else if (event->matches(QKeySequence::Copy)) {
        CopyReport();
    } else if (event->modifiers() == Qt::ControlModifier && event->key() == Qt::Key_M) {
        ShowDragCurve(!m_report.m_bShowDragCurve);
    } else if (event->modifiers() == Qt::ControlModifier && event->key() == Qt::Key_E) {
        ExportDragCurveFile();
    } else {
        QDialog::keyPressEvent(event);
        return;
    }
    event->accept();
}

void CCdReportDlg::ShowReportMenu(QPoint mousePos, bool fromKeyboard) {
    QMenu menu(this);
    const auto choice = [&](CdKind kind, int id) {
        QAction* action = menu.addAction(QString::fromLatin1(CdKindName(kind)));
        action->setData(id);
        action->setCheckable(true);
        action->setChecked(m_report.m_kind == kind);
        return action;
    };
    QAction* drag = choice(CdKind::Drag, ID_CD_DRAG);
    QAction* document = choice(CdKind::Document, ID_CD_DOCUMENT);
    menu.addSeparator();
    QAction* curve = menu.addAction(QStringLiteral("Drag Curve against Mach"));
    curve->setData(static_cast<int>(ID_CD_DRAG_CURVE));
    curve->setCheckable(true);
    curve->setChecked(m_report.m_bShowDragCurve);
    curve->setShortcut(QKeySequence(QStringLiteral("Ctrl+M")));
    QAction* exportCurve = menu.addAction(QStringLiteral("Export Drag Curve..."));
    exportCurve->setData(static_cast<int>(ID_CD_EXPORT_DRAG));
    exportCurve->setShortcut(QKeySequence(QStringLiteral("Ctrl+E")));
    menu.addSeparator();
    QAction* copy = menu.addAction(QStringLiteral("Copy"));
    copy->setData(static_cast<int>(ID_CD_COPY));
    copy->setShortcut(QKeySequence::Copy);
    QAction* print = menu.addAction(QStringLiteral("Print"));
    print->setData(static_cast<int>(ID_CD_PRINT));
    print->setShortcut(QKeySequence(QStringLiteral("Ctrl+P")));
    QAction* exit = menu.addAction(QStringLiteral("Exit"));
    exit->setData(static_cast<int>(ID_CD_EXIT));
    const Point client = ReportMenuClientPoint(Point{mousePos.x(), mousePos.y()}, fromKeyboard);
    QAction* chosen = ExecPopupMenu(menu, mapToGlobal(QPoint(client.x, client.y)));
    if (chosen == drag) {
        SetCdKind(CdKind::Drag);
    } else if (chosen == document) {
        SetCdKind(CdKind::Document);
    } else if (chosen == curve) {
        ShowDragCurve(!m_report.m_bShowDragCurve);
    } else if (chosen == exportCurve) {
        ExportDragCurveFile();
    } else if (chosen == copy) {
        CopyReport();
    } else if (chosen == print) {
        PrintCdReport();
    } else if (chosen == exit) {
        // Posted, so the menu has fully closed before the window goes.
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    }
}

void CCdReportDlg::SetCdKind(CdKind kind) {
    if (m_pDoc == nullptr || kind == m_report.m_kind)
        return;
    if (!m_report.ComputeFigures(m_pDoc->Data(), m_report.range, kind))
        m_pPrompt->ShowMessage(NothingToReportText(m_pDoc->Record(), m_report.range), "Error",
                               Severity::Error);
    update();
}

void CCdReportDlg::ShowDragCurve(bool show) {
    m_report.m_bShowDragCurve = show;
    update();
}

void CCdReportDlg::ExportDragCurveFile() {
    ExportDragCurve(*m_pPrompt, m_report.m_dragCurve,
                    ToUtf8(FlightFileStem(m_pDoc != nullptr ? m_pDoc->GetTitle() : std::string())));
}

void CCdReportDlg::CopyReport() {
    if (m_pDoc == nullptr)
        return;
    QGuiApplication::clipboard()->setText(FromFlightText(CdReportTable(m_pDoc->Data(), m_report)));
}

QAction* CCdReportDlg::ExecPopupMenu(QMenu& menu, QPoint globalPos) {
    return menu.exec(globalPos);
}

bool CCdReportDlg::ConfirmPrint(QPrinter& printer) {
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setPrintRange(QAbstractPrintDialog::AllPages);
    return dialog.exec() == QDialog::Accepted;
}

void CCdReportDlg::PrintCdReport() {
    if (m_pPrinter == nullptr) {
        if (!m_ownPrinter)
            m_ownPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_pPrinter = m_ownPrinter.get();
    }
    PreparePrintJob(*m_pPrinter, QStringLiteral("Cd Report"),
                    FlightFileStem(m_pDoc != nullptr ? m_pDoc->GetTitle() : std::string()) +
                        QStringLiteral(" Cd report"));
    if (!ConfirmPrint(*m_pPrinter))
        return;
    if (!PrintCdReportTo(*m_pPrinter))
        m_pPrompt->ShowMessage("The printer could not be started.", "Error", Severity::Error);
}

bool CCdReportDlg::PrintCdReportTo(QPrinter& printer) {
    if (m_pDoc == nullptr)
        return false;
    return PaintCdReportPage(printer, m_pDoc->Data(), m_report, width(), height());
}

} // namespace tavo
