#pragma once
// View > Details: date, name, motor, comment, weights and diameter, each quantity in
// the unit the user picks; the flight always receives kg and m.

#include <array>

#include <QDialog>

#include "uikit/dlg_common.h"
#include "uikit/qt_user_prompt.h"
#include "view/core/display_dialogs.h"

class QComboBox;
class QDateEdit;
class QLineEdit;
class QPlainTextEdit;

namespace tavo {

class CDetailsDlg : public QDialog {
public:
    CDetailsDlg(const FlightRecord& doc, QWidget* parent = nullptr);

    // The details in kg and m; valid after OK.
    const DetailsLogic& Details() const { return m_logic; }
    void accept() override;
    void reject() override;

    // Where refusals go: message boxes over the dialog, unless a test answers instead.
    UserPrompt* prompt = &m_ownPrompt;
    QDateEdit* date;
    QLineEdit* name;
    QLineEdit* motor;
    QPlainTextEdit* comment;
    // Pre-launch weight, propellant weight, max diameter, with their unit boxes.
    std::array<QLineEdit*, 3> values{};
    std::array<QComboBox*, 3> units{};

private:
    void OnUnitChanged(int quantity, int index);
    bool ReadValues();
    void ShowValues();
    DetailsLogic m_logic;
    std::int64_t m_timeOfDayFrom = 0;
    QtUserPrompt m_ownPrompt{this};
};

} // namespace tavo
