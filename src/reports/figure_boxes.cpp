#include "reports/figure_boxes.h"

#include <algorithm>
#include <array>

#include "canvas/text_extent.h"
#include "plot/label_space.h"
#include "plot/plot_style.h"

namespace tavo {

namespace {

// The boxes' least sizes, as they have always been drawn, and the room between them.
constexpr int kResultsWidth = 170;
constexpr int kCertifiedWidth = 190;
constexpr int kBoxHeight = 110;
constexpr int kBoxGap = 10;
// Room kept from the frame's edges, and below the caption line at its top.
constexpr int kInset = 8;
constexpr int kCaptionRoom = 26;

// A box wide and high enough for its text, with the margins the text has always had.
int BoxWidth(const std::string& text, int least) {
    return std::max(least, TextWidth(text, kPlotFontHeight) + 14);
}
int BoxHeight(const std::string& text) {
    return std::max(kBoxHeight, TextLineCount(text) * TextLinePitch(kPlotFontHeight) + 10);
}

} // namespace

FigureBoxes PlaceFigureBoxes(const Rect& frame, int width, int height,
                             const std::string& resultsText, const std::string& certifiedText,
                             std::span<const Rect> taken,
                             std::span<const std::span<const Point>> curves) {
    const bool compared = !certifiedText.empty();
    const int w1 = BoxWidth(resultsText, kResultsWidth);
    const int w2 = compared ? BoxWidth(certifiedText, kCertifiedWidth) : 0;
    const int h = std::max(BoxHeight(resultsText), compared ? BoxHeight(certifiedText) : 0);
    const int group = w1 + (compared ? kBoxGap + w2 : 0);

    // Half the frame width taken as an x of its own: the box has always stood a little
    // left of the frame's centre, on its bottom edge.
    const int xc = (frame.right - frame.left) / 2;
    const int usual = xc - kResultsWidth / 2;
    const int right = frame.right - kInset - group;
    const int left = frame.left + kInset;
    const int centre = frame.left + (frame.right - frame.left - group) / 2;
    const int bottom = frame.bottom - h;
    const int top = frame.top + kCaptionRoom;
    const std::array<Rect, 6> spots{
        Rect{usual, bottom, usual + group, frame.bottom},
        Rect{right, top, right + group, top + h},
        Rect{right, bottom, right + group, frame.bottom},
        Rect{centre, top, centre + group, top + h},
        Rect{left, bottom, left + group, frame.bottom},
        Rect{left, top, left + group, top + h},
    };
    LabelSpace space({0, 0, width, height}, kPlotFontHeight);
    for (const Rect& t : taken)
        space.Take(t);
    // The usual spot stays the first choice whatever the frame's size; another that
    // leaves the frame is no better than one on the curve.
    std::vector<Rect> candidates{spots[0]};
    for (std::size_t s = 1; s < spots.size(); ++s)
        if (RectContains(frame, spots[s]))
            candidates.push_back(spots[s]);
    const Rect at = candidates[ChooseClearPlace(candidates, space, curves)];

    FigureBoxes boxes;
    boxes.results = {at.left, at.top, at.left + w1, at.top + h};
    if (compared)
        boxes.certified = {at.left + w1 + kBoxGap, at.top, at.left + group, at.top + h};
    return boxes;
}

} // namespace tavo
