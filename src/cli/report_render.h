#pragma once
// The report pictures of `tavokit-cli render --report motor|cd`.

#include <string>

#include "cli/cli_common.h"
#include "doc/tavokit_doc.h"
#include "view/core/extra_flights.h"

namespace tavo::cli {

// Draws a report window of client size width x height as .png or .svg, or the report's
// printed page as .pdf, between sample indices c1 and c2 of the loaded flight,
// answering the report's question with yes. Needs a QGuiApplication. Returns the exit
// status, having printed any failure (the report's own message) or usage error.
int RenderReport(CTAVOkitDoc& doc, const std::string& kind, int c1, int c2, const std::string& out,
                 int width, int height);

// `render --predict FILE.eng [--motor NAME]`: the motor NAME of the file (its first
// without a name) flown by the rocket measured from c1 to c2, its loaded mass from
// `--flown FILE.eng` or `--motor-mass KG` in `args`, with curves at the flight's own
// rate, laid over the graph from c1 on. Returns the exit status, having printed any
// failure or usage error.
int AddPredictionToRender(const Args& args, const CTAVOkitDoc& doc, int c1, int c2,
                          ExtraFlights& extra);

} // namespace tavo::cli
