#pragma once
// View > Details: date, name, motor, comment, weights and diameter, each quantity in
// the unit the user picks; the flight always receives kg and m.

#include <array>

#include <QDialog>

#include "view/display_dialogs.h"
#include "view/dlg_common.h"

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

    DialogMessage message = DefaultDialogMessage();
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
};

} // namespace tavo
