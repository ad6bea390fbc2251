#pragma once
// View > Flight Statistics: the flight's figures, one per row, read only; with flights
// laid over the graph, a column of each beside the flight's own.

#include <string>
#include <vector>

#include <QDialog>

#include "stats/flight_stats.h"

class QFormLayout;
class QGridLayout;

namespace tavo {

// A flight laid over the graph, for its column: its name and its figures, or why it has
// none.
struct StatsColumn {
    std::string name;
    bool computed = false;
    FlightStats stats;
    std::string reason;
};

class CFlightStatsDlg : public QDialog {
public:
    // `others` empty: the flight alone, as a form; else a table whose first figure column
    // is the flight's (headed `flightName`), then one a flight laid over it.
    CFlightStatsDlg(const FlightStats& stats, QWidget* parent = nullptr,
                    const std::string& flightName = {},
                    const std::vector<StatsColumn>& others = {});

    // The rows as shown, "name" and "value", for tests; the table instead with others.
    QFormLayout* form = nullptr;
    QGridLayout* grid = nullptr;
};

} // namespace tavo
