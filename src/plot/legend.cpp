#include "plot/legend.h"

#include <algorithm>

namespace tavo {

namespace {

constexpr int kLineLength = 18; // the colour sample
constexpr int kLineGap = 4;     // between the sample and the name
constexpr int kEntryGap = 12;   // between two entries of a row
constexpr int kRowHeight = 20;
// The top line's texts: the apogee ends 205 units right of the frame's left edge, the
// point count starts 105 units left of the plot width (taken as an x, as it always has).
constexpr int kApogeeEnd = 205;
constexpr int kPointsStart = 105;

int EntryWidth(const std::string& text) {
    const int chars = static_cast<int>(std::min<std::size_t>(text.size(), 200));
    return kLineLength + kLineGap + chars * kLegendCharWidth;
}

LegendEntry EntryAt(int x, int top, int width) {
    const int mid = top + kRowHeight / 2;
    LegendEntry e;
    e.lineFrom = {x, mid};
    e.lineTo = {x + kLineLength, mid};
    e.text = {x + kLineLength + kLineGap, top, x + width, top + kRowHeight};
    e.box = {x - 3, top - 1, x + width + 3, top + kRowHeight + 1};
    return e;
}

} // namespace

std::vector<LegendEntry> PlaceLegend(const GraphFrame& frame, const std::vector<std::string>& texts,
                                     bool readoutRight) {
    std::vector<LegendEntry> entries;
    if (texts.empty())
        return entries;
    std::vector<int> widths;
    int row = -kEntryGap, column = 0;
    for (const std::string& t : texts) {
        widths.push_back(EntryWidth(t));
        row += widths.back() + kEntryGap;
        column = std::max(column, widths.back());
    }
    const int from = frame.L + kApogeeEnd + 5;
    const int to = frame.W() - kPointsStart - 5;
    if (row <= to - from) {
        int x = from + (to - from - row) / 2;
        for (const int w : widths) {
            entries.push_back(EntryAt(x, frame.T + 5, w));
            x += w + kEntryGap;
        }
        return entries;
    }
    // Below the top line, clear of the readout box's side.
    const int x = readoutRight ? frame.L + 8 : frame.R - 8 - column;
    int top = frame.T + 30;
    for (const int w : widths) {
        entries.push_back(EntryAt(x, top, w));
        top += kRowHeight + 2;
    }
    return entries;
}

} // namespace tavo
