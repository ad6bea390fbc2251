#pragma once
// View > Scaling: the six axis limits, with AUTO.

#include <array>

#include <QDialog>

#include "view/display_dialogs.h"
#include "view/dlg_common.h"

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

    DialogMessage message = DefaultDialogMessage();
    // Max/Min Acceleration, Max/Min Velocity, Max/Min Altitude.
    std::array<QLineEdit*, 6> edits{};
    QPushButton* autoButton = nullptr;

private:
    void Show(const ScalingValues& v);
    CTAVOkitDoc& m_doc;
    ScalingValues m_values;
};

} // namespace tavo
