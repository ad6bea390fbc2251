#pragma once
// View > Scaling: the six axis limits, with AUTO.

#include <array>

#include <QDialog>

#include "uikit/dlg_common.h"
#include "uikit/qt_user_prompt.h"
#include "view/core/display_dialogs.h"

class QLineEdit;
class QPushButton;

namespace tavo {

class CScalingDlg : public QDialog {
public:
    // AUTO works on `doc` at once, even when the dialog is then cancelled.
    CScalingDlg(CTAVOkitDoc& doc, QWidget* parent = nullptr);

    const ScalingValues& Values() const { return m_values; }
    void accept() override;
    void OnAuto();

    // Where refusals go: message boxes over the dialog, unless a test answers instead.
    UserPrompt* prompt = &m_ownPrompt;
    // Max/Min Acceleration, Max/Min Velocity, Max/Min Altitude.
    std::array<QLineEdit*, 6> edits{};
    QPushButton* autoButton = nullptr;

private:
    void Show(const ScalingValues& v);
    CTAVOkitDoc& m_doc;
    ScalingValues m_values;
    QtUserPrompt m_ownPrompt{this};
};

} // namespace tavo
