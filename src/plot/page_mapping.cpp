#include "plot/page_mapping.h"

#include <algorithm>
#include <cmath>

#include "plot/plot_frame.h"

namespace tavo {

namespace {

// A margin in view units, rounded half away from zero. A resolution far beyond any
// printer's stays a margin far off the page instead of wrapping around.
int MarginUnits(double units) {
    return TruncClamped(std::round(units), kCoordLimit, 0);
}

} // namespace

PageMapping MapGraphPage(int cw, int ch, int pageW, int pageH, int dpiX, int dpiY) {
    PageMapping m;
    if (cw <= 0 || ch <= 0 || pageW <= 0 || pageH <= 0)
        return m;
    m.scale = std::min(static_cast<double>(pageW) / cw, static_cast<double>(pageH) / ch);
    // 10 mm is 1000 hundredths of a millimetre; through the printer's pixels per inch
    // into device pixels, then back through the scale into view units.
    m.mx = MarginUnits(1000.0 * dpiX / 2540.0 / m.scale);
    m.my = MarginUnits(1000.0 * dpiY / 2540.0 / m.scale);
    return m;
}

ReportPageGeometry MapReportPage(int clientWidth, int clientHeight, int pageWidth, int pageHeight,
                                 double dpiX, double dpiY) {
    ReportPageGeometry page;
    page.width = clientWidth > 0 ? clientWidth : 1;
    page.height = clientHeight > 0 ? clientHeight : 1;
    const double sx = static_cast<double>(pageWidth) / page.width;
    const double sy = static_cast<double>(pageHeight) / page.height;
    double scale = sx < sy ? sx : sy;
    if (!(scale > 0) || !std::isfinite(scale))
        scale = 1;
    page.scale = scale;
    // 10 mm: first device pixels, then page units.
    const auto toUnits = [scale](double dpi) {
        const double pixels = (dpi > 0 && std::isfinite(dpi)) ? 10.0 * dpi / 25.4 : 0.0;
        return MarginUnits(pixels / scale);
    };
    page.marginX = toUnits(dpiX);
    page.marginY = toUnits(dpiY);
    return page;
}

} // namespace tavo
