#pragma once
// The Cd report window: a resizable modal window showing the drag coefficient between
// the cursors, with a popup menu (which Cd, Copy, Print, Exit) and a printed page.

#include <memory>

#include <QDialog>

#include "doc/tavokit_doc.h"
#include "reports/cd_report.h"

class QAction;
class QMenu;
class QPrinter;

namespace tavo {

class CCdReportDlg : public QDialog {
public:
    enum {
        ID_CD_PRINT = 9100,
        ID_CD_EXIT = 9101,
        ID_CD_DRAG = 9102,
        ID_CD_DOCUMENT = 9103,
        ID_CD_COPY = 9104,
        ID_CD_DRAG_CURVE = 9105,
        ID_CD_EXPORT_DRAG = 9106,
    };

    // `printer` is the program's shared printer choice (kept between prints); without
    // one the window keeps its own while it is open. `prompt` replaces the message
    // boxes (tests); without one real boxes are shown.
    explicit CCdReportDlg(QWidget* parent = nullptr, UserPrompt* prompt = nullptr,
                          QPrinter* printer = nullptr);
    ~CCdReportDlg() override;

    // Computes the figures and, when there is something to report, runs the window.
    int DoModal();
    // The figures of the drag alone, computed once before the window is first shown.
    bool ComputeCdReport();
    // Shows the other Cd: the figures are recomputed from the same range.
    void SetCdKind(CdKind kind);
    // The figures and the range's samples onto the clipboard, as text.
    void CopyReport();
    // Shows the drag curve against Mach, or Cd against time again.
    void ShowDragCurve(bool show);
    // "Export Drag Curve...": the (Mach, Cd) CSV file.
    void ExportDragCurveFile();
    // The print job: the print dialog, then the page on the chosen printer.
    void PrintCdReport();
    // Draws the printed page on a printer already chosen; false if it cannot be opened.
    bool PrintCdReportTo(QPrinter& printer);
    // Opens the popup menu; `fromKeyboard` puts it near the top left corner.
    void ShowReportMenu(QPoint mousePos, bool fromKeyboard);

    const CdReport& Results() const { return m_report; }

    CTAVOkitDoc* m_pDoc = nullptr;
    // The launch site above sea level, for the air of the drag curve.
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

private:
    CdReport m_report;
    QPrinter* m_pPrinter;
    std::unique_ptr<QPrinter> m_ownPrinter;
    std::unique_ptr<UserPrompt> m_ownPrompt;
    UserPrompt* m_pPrompt;
};

} // namespace tavo
