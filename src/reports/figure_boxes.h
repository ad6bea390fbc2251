#pragma once
// Where the motor report window's figure boxes stand: below the middle of the frame, as
// they always have, unless the thrust curve (or the certified curve) runs through that
// spot; then in the first corner of the frame that the curves leave free. The figures
// of a report are worth little if they hide the curve they describe.

#include <span>
#include <string>
#include <vector>

#include "canvas/canvas.h"

namespace tavo {

struct FigureBoxes {
    Rect results;
    Rect certified; // empty unless a certified motor is compared
};

// The boxes for a results text (and a certified text beside it, when not empty) in the
// report frame on a page of width x height, clear of `taken` texts where there is room,
// and of the `curves` (polylines whose x never decreases) where the frame allows it.
FigureBoxes PlaceFigureBoxes(const Rect& frame, int width, int height,
                             const std::string& resultsText, const std::string& certifiedText,
                             std::span<const Rect> taken,
                             std::span<const std::span<const Point>> curves);

} // namespace tavo
