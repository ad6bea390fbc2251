// The printed pages' mapping: one scale for both axes and 10 mm margins in view units.

#include "plot/page_mapping.h"

#include <gtest/gtest.h>

#include <climits>

#include "plot/plot_frame.h"

namespace tavo {
namespace {

TEST(PageMapping, GraphPageKeepsProportionsAndATenMillimetreMargin) {
    struct Case {
        int cw, ch, pageW, pageH, dpiX, dpiY;
        double scale;
        int mx, my;
    };
    const Case cases[] = {
        // The width decides: 4.8 px per unit; 10 mm is 236.2 px, that is 49 units.
        {1000, 500, 4800, 6600, 600, 600, 4.8, 49, 49},
        // The height decides: 3.3 px per unit; unequal resolutions, unequal margins.
        {500, 2000, 4800, 6600, 600, 300, 3.3, 72, 36},
        // Nothing to map: scale 1, no margins.
        {0, 0, 10, 10, 600, 600, 1.0, 0, 0},
        {800, 600, 0, 6600, 600, 600, 1.0, 0, 0},
        // A resolution no printer has on a one-pixel page: margins far off the page
        // rather than a wrapped int.
        {16384, 16384, 1, 1, INT_MAX, INT_MAX, 1.0 / 16384, kCoordLimit, kCoordLimit},
    };
    for (const Case& c : cases) {
        const PageMapping m = MapGraphPage(c.cw, c.ch, c.pageW, c.pageH, c.dpiX, c.dpiY);
        EXPECT_DOUBLE_EQ(m.scale, c.scale) << c.cw << "x" << c.ch;
        EXPECT_EQ(m.mx, c.mx) << c.cw << "x" << c.ch;
        EXPECT_EQ(m.my, c.my) << c.cw << "x" << c.ch;
    }
}

TEST(PageMapping, ReportPageKeepsProportionsAndATenMillimetreMargin) {
    struct Case {
        int cw, ch, pageW, pageH;
        double dpiX, dpiY;
        ReportPageGeometry want;
    };
    const Case cases[] = {
        // Portrait paper at 600 dpi: the width decides, 7.5 pixels a unit; 10 mm are
        // 236.2 pixels, 31.5 units.
        {640, 320, 4800, 6600, 600, 600, {640, 320, 7.5, 31, 31}},
        // A short page: the height decides; unequal resolutions give unequal margins.
        {640, 320, 6000, 1600, 300, 600, {640, 320, 5.0, 24, 47}},
        // Degenerate inputs give a usable page rather than a division by zero.
        {0, -3, 0, 0, 0, 0, {1, 1, 1.0, 0, 0}},
        {640, 320, 4800, 6600, -600, 1e300, {640, 320, 7.5, 0, kCoordLimit}},
    };
    for (const Case& c : cases) {
        const ReportPageGeometry g = MapReportPage(c.cw, c.ch, c.pageW, c.pageH, c.dpiX, c.dpiY);
        EXPECT_EQ(g.width, c.want.width) << c.cw << "x" << c.ch;
        EXPECT_EQ(g.height, c.want.height) << c.cw << "x" << c.ch;
        EXPECT_DOUBLE_EQ(g.scale, c.want.scale) << c.cw << "x" << c.ch;
        EXPECT_EQ(g.marginX, c.want.marginX) << c.cw << "x" << c.ch;
        EXPECT_EQ(g.marginY, c.want.marginY) << c.cw << "x" << c.ch;
    }
}

} // namespace
} // namespace tavo
