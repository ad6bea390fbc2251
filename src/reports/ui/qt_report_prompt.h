#pragma once
// The reports' questions and messages as real message boxes over a window.

#include <QPointer>
#include <QWidget>

#include "reports/report_prompt.h"

namespace tavo {

class QtReportPrompt : public ReportPrompt {
public:
    // Boxes are owned by `owner`, or by its parent window while `owner` is not shown yet.
    explicit QtReportPrompt(QWidget* owner) : m_owner(owner) {}
    void ShowMessage(const std::string& text, const std::string& caption) override;
    bool AskOkCancel(const std::string& text, const std::string& caption) override;

private:
    QWidget* Owner() const;
    QPointer<QWidget> m_owner;
};

// Dialog units of the dialog font to pixels, the way the report windows' sizes are given.
QSize DialogUnitsToPixels(const QWidget& widget, int horizontal, int vertical);

} // namespace tavo
