#pragma once
// The user guide's session: every task of docs/guide.md played on the real windows of
// the program started with the demo recorder, with a picture of each.

#include <QString>
#include <cstddef>
#include <vector>

#include "step_player.h"

namespace tavo {
class CTAVOkitApp;
}

namespace guideshots {

struct GuidePaths {
    QString out;                 // pictures, the printed PDF and the exported files
    QString motorFile;           // the certified curve to compare with
    QString rdasFile;            // the RDAS text to import (written before the session)
    std::size_t rdasSamples = 0; // the lines of its table
};

// The pictures the session writes into `out`, in the guide's order (the printed page
// arrives as a PDF, made into a picture by the wrapper script).
std::vector<QString> GuidePictures();

std::vector<Step> GuideSteps(tavo::CTAVOkitApp& app, const GuidePaths& paths);

// Writes the first `seconds` of a ".flt" flight as an RDAS text file. False, with the
// reason, when the flight cannot be read or the file written.
// `samples` receives the number of table lines.
bool WriteRdasFromFlight(const QString& flightPath, const QString& rdasPath, int seconds,
                         std::size_t& samples, QString& reason);

} // namespace guideshots
