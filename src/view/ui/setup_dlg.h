#pragma once
// Tools > Setup: port, display switches, sample rate and the two-G choice.

#include <QDialog>

#include "uikit/dlg_common.h"
#include "uikit/qt_user_prompt.h"
#include "view/core/display_dialogs.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace tavo {

class PortDirectory;

class CSetupDlg : public QDialog {
public:
    // The "Comm port" list shows the ports of `ports`.
    CSetupDlg(const SetupValues& values, PortDirectory& ports, QWidget* parent = nullptr);

    // The values as accepted; valid after OK.
    const SetupValues& Values() const { return m_values; }
    // OK reads the fields; a refused field keeps the dialog open.
    void accept() override;

    // Where refusals go: message boxes over the dialog, unless a test answers instead.
    UserPrompt* prompt = &m_ownPrompt;

    QComboBox* commPort;
    QCheckBox* autoCom;
    QComboBox* baud;
    QRadioButton* cursorLeft;
    QRadioButton* cursorRight;
    QLineEdit* sampleRate;
    QCheckBox* accelInGees;
    QCheckBox* drawGrid;
    QCheckBox* useAccelOffset;
    QLineEdit* accelOffset;
    QRadioButton* useFileTwoGee;
    QRadioButton* useOtherTwoGee;
    QLineEdit* twoGee;
    QCheckBox* saveTwoGee;
    QCheckBox* displayRaw;

private:
    SetupValues m_values;
    QtUserPrompt m_ownPrompt{this};
};

} // namespace tavo
