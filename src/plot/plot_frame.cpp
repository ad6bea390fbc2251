#include "plot/plot_frame.h"

#include <algorithm>

namespace tavo {

int ClampIndex(int index, std::size_t count) {
    if (count == 0 || index < 0)
        return 0;
    const int last = static_cast<int>(std::min<std::size_t>(count - 1, 2147483647u));
    return index > last ? last : index;
}

GraphFrame LayoutGraph(const GraphPage& page, bool ownAxes) {
    GraphFrame f;
    if (page.printing) {
        f.L = page.mx + 35;
        f.T = page.my;
        f.R = page.cw - page.mx;
        f.B0 = page.ch - page.mx - 20;
    } else {
        f.L = 35;
        f.T = 0;
        f.R = page.cw;
        f.B0 = page.ch - 20;
    }
    f.B = f.B0 - f.T;
    if (ownAxes) {
        f.L += kOwnAxesLeftExtra;
        f.R -= 2 * kOwnAxisColumn;
    }
    return f;
}

Rect ReportWindowFrame(int width, int height) {
    return Rect{50, 0, width, height - 20};
}

Rect ReportPageFrame(int width, int height, int mx, int my) {
    // The bottom margin is the horizontal one, as the page has always been laid out.
    return Rect{mx + 70, my, width - mx, height - mx - 20 - my};
}

} // namespace tavo
