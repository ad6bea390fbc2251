#pragma once
// How a window's picture lands on a printed page: one scale on both axes, the smaller
// of the two ratios, from the top left corner, and 10 mm margins in view units. The
// graph and the report have always worked the figures out a little differently (the
// millimetres, the degenerate sizes), so each keeps its own variant: a printed figure
// never moves by a unit.

namespace tavo {

// The graph's printed page.
struct PageMapping {
    double scale = 1.0; // device pixels per view unit
    int mx = 0;         // 10 mm across, in view units
    int my = 0;         // 10 mm down, in view units
};
// A client picture of cw x ch on a page of pageW x pageH device pixels at dpiX x dpiY.
// Any size of 0 or less leaves the scale at 1 and no margins.
PageMapping MapGraphPage(int cw, int ch, int pageW, int pageH, int dpiX, int dpiY);

// A report window's printed page.
struct ReportPageGeometry {
    int width = 0;    // the window's client width, in page units
    int height = 0;   // the window's client height, in page units
    double scale = 1; // device pixels per page unit
    int marginX = 0;  // 10 mm across, in page units
    int marginY = 0;  // 10 mm down, in page units
};
// A client size of 0 or less counts as 1; a page that gives no usable scale gets 1, a
// resolution that is not positive no margin.
ReportPageGeometry MapReportPage(int clientWidth, int clientHeight, int pageWidth, int pageHeight,
                                 double dpiX, double dpiY);

} // namespace tavo
