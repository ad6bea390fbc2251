#pragma once
// What the main window calls for the import and export menu items, one call each.

#include <functional>

#include "flight/cursor_range.h"

class QWidget;

namespace tavo {

class CTAVOkitDoc;
struct EngMotor;
struct FlightData;

// File > Export (command 32774): the CSV export of the flight.
void OnFileExportCsv(QWidget* parent, const FlightData& flight);

// File > Export Thrust Curve (command 32785): the ENG export between the cursors of
// `range`, the diameter and length prefilled from `compared` (the motor report's compared
// motor file), the drag taken over a launch site `siteAltitudeM` above sea level.
void OnFileExportThrustCurve(QWidget* parent, const FlightData& flight, CursorRange range,
                             const EngMotor* compared = nullptr, double siteAltitudeM = 0.0);

// File > "Import RDAS..." and command 32783: replaces the document's samples and sample
// rate with an RDAS file's table, marks it modified and redraws. A modified flight is
// offered to be saved first through `saveModified` (false: keep it). Returns true when
// the flight changed; a cancelled or refused import changes nothing.
bool OnImportRdas(QWidget* parent, CTAVOkitDoc& doc, const std::function<bool()>& saveModified);

} // namespace tavo
