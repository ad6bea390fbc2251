#pragma once
// The Cd report window: a resizable modal window showing the drag coefficient between
// the cursors. No menu and no printing.

#include <memory>

#include <QDialog>

#include "doc/tavokit_doc.h"
#include "reports/cd_report.h"

namespace tavo {

class CCdReportDlg : public QDialog {
public:
    // `prompt` replaces the message boxes (tests); without one real boxes are shown.
    explicit CCdReportDlg(QWidget* parent = nullptr, UserPrompt* prompt = nullptr);
    ~CCdReportDlg() override;

    // Computes the value range and, when there is something to report, runs the window.
    int DoModal();
    // The value range, computed once before the window is first shown.
    bool ComputeCdReport();

    const CdReport& Results() const { return m_report; }

    CTAVOkitDoc* m_pDoc = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CdReport m_report;
    std::unique_ptr<UserPrompt> m_ownPrompt;
    UserPrompt* m_pPrompt;
};

} // namespace tavo
