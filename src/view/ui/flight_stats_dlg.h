#pragma once
// View > Flight Statistics: the flight's figures, one per row, read only.

#include <QDialog>

#include "stats/flight_stats.h"

class QFormLayout;

namespace tavo {

class CFlightStatsDlg : public QDialog {
public:
    CFlightStatsDlg(const FlightStats& stats, QWidget* parent = nullptr);

    // The rows as shown, "name" and "value", for tests.
    QFormLayout* form = nullptr;
};

} // namespace tavo
