#pragma once
// How far a text reaches when a canvas draws it: what the graph and the report pages
// need to set labels and boxes clear of each other, and what tests measure. The
// canvases set every text in a narrow sans-serif face of Arial's proportions
// (Liberation Sans, Arimo, Nimbus Sans) with an em of the cell height over 1.38;
// those faces share one table of advance widths, so a text's width is known without a
// font. The figures are the face's design widths without kerning, which only ever
// narrows a text, so a measured text is never wider than said here.

#include <string_view>

#include "canvas/canvas.h"

namespace tavo {

// The em in view units of the font a canvas sets for `cellHeight` (12 for 16).
int TextEm(int cellHeight);
// The distance from one line's top to the next (14 at an em of 12).
int TextLinePitch(int cellHeight);
// The width of the widest line of `text` (lines end at "\n"; a single-line text counts
// a "\n" as a blank, as it is drawn), rounded up to whole units.
int TextWidth(std::string_view text, int cellHeight, bool singleLine = false);
// The lines `text` is drawn as.
int TextLineCount(std::string_view text, bool singleLine = false);

// Where the ink of `text`, drawn in `rect` with TextFlags, lies: from the tops of its
// capitals and figures to the bottom of its descenders, across its widest line, before
// the rectangle clips it. A text clipped by its rectangle reaches outside it.
Rect TextExtent(const Rect& rect, std::string_view text, unsigned flags, int cellHeight);

// Whether two rectangles share any area (touching edges share none).
bool RectsOverlap(const Rect& a, const Rect& b);
// Whether `inner` lies wholly inside `outer`.
bool RectContains(const Rect& outer, const Rect& inner);

} // namespace tavo
