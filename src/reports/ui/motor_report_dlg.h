#pragma once
// The motor report window: a resizable modal window showing the thrust curve between
// the cursors with the figures, a popup menu (Print, Exit) and printing.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QDialog>

#include "doc/tavokit_doc.h"
#include "motor/eng_motor.h"
#include "reports/motor_report.h"

class QAction;
class QMenu;
class QPrinter;

namespace tavo {

class CMotorReportDlg : public QDialog {
public:
    enum {
        ID_REPORT_PRINT = 9000,
        ID_REPORT_EXIT = 9001,
        ID_REPORT_MOTOR_THRUST = 9002,
        ID_REPORT_NET_FORCE = 9003,
        ID_REPORT_COMPARE = 9004,
    };

    // `printer` is the program's shared printer choice (kept between prints); without
    // one the window keeps its own for as long as it is open. `prompt` replaces the
    // message boxes (tests); without one real boxes are shown.
    explicit CMotorReportDlg(QWidget* parent = nullptr, QPrinter* printer = nullptr,
                             UserPrompt* prompt = nullptr);
    ~CMotorReportDlg() override;

    // Computes the figures and, when there is something to report, runs the window.
    // Returns QDialog::Rejected at once when the report is refused or cancelled.
    int DoModal();
    // The figures, computed once before the window is first shown.
    bool ComputeMotorReport();
    // The print job: the print dialog, then the page on the chosen printer.
    void PrintMotorReport();
    // Draws the printed page on a printer already chosen; false if it cannot be opened.
    bool PrintMotorReportTo(QPrinter& printer);
    // Opens the popup menu; `fromKeyboard` puts it near the top left corner.
    void ShowReportMenu(QPoint mousePos, bool fromKeyboard);

    // Shows the other thrust: the figures are recomputed from the same range.
    void SetThrustKind(ThrustKind kind);
    // "Compare with motor file...": a certified curve drawn over the measured one.
    void CompareWithMotorFile();

    const MotorReport& Results() const { return m_report; }
    const std::optional<EngMotor>& Certified() const { return m_certified; }

    CTAVOkitDoc* m_pDoc = nullptr;
    // The launch site above sea level, set before the figures are computed.
    double m_dSiteAltitudeM = 0.0;
    // The cursors the report is made between, as the graph view held them.
    CursorRange m_range;

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Runs the menu at a screen point and returns the chosen item (tests override it).
    virtual QAction* ExecPopupMenu(QMenu& menu, QPoint globalPos);
    // Shows the print dialog; true when the user confirmed (tests override it).
    virtual bool ConfirmPrint(QPrinter& printer);
    // Picks one of several motors of a file; -1 when cancelled (tests override it).
    virtual int ChooseMotor(const std::vector<std::string>& labels);

private:
    MotorReport m_report;
    std::optional<EngMotor> m_certified;
    QPrinter* m_pPrinter;
    std::unique_ptr<QPrinter> m_ownPrinter;
    std::unique_ptr<UserPrompt> m_ownPrompt;
    UserPrompt* m_pPrompt;
};

} // namespace tavo
