#pragma once
// A flight as everything that only reads it takes it: the drawing, the reports, the
// exports and the statistics. Its parts are owned elsewhere (by the document, or by a
// window showing another flight beside it); nothing through this changes them.

#include "flight/flight_curves.h"
#include "flight/flight_record.h"
#include "flight/user_settings.h"

namespace tavo {

struct FlightData {
    const FlightRecord& record;
    // Computed from the record with `settings`, in the units they name.
    const FlightCurves& curves;
    const UserSettings& settings;
    // A capture appends to the record while it is read: the curves cover the lines up
    // to their last computing, and a line beyond them has no values yet.
    bool live = false;
};

} // namespace tavo
