#pragma once
// The report pictures of `tavokit-cli render --report motor|cd`.

#include <string>

#include "doc/tavokit_doc.h"

namespace tavo::cli {

// Draws a report window of client size width x height as .png or .svg, or the report's
// printed page as .pdf, between sample indices c1 and c2 of the loaded flight,
// answering the report's question with yes. Needs a QGuiApplication. Returns the exit
// status, having printed any failure (the report's own message) or usage error.
int RenderReport(CTAVOkitDoc& doc, const std::string& kind, int c1, int c2, const std::string& out,
                 int width, int height);

} // namespace tavo::cli
