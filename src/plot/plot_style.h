#pragma once
// The pens, the page colour and the font height that the graph and the report pages
// are drawn with.

#include "canvas/canvas.h"

namespace tavo {

inline constexpr Color kWhite{255, 255, 255};
inline constexpr Color kBlack{0, 0, 0};
inline constexpr Pen kBlackPen{PenStyle::Solid, 1, {0, 0, 0}};
inline constexpr Pen kRedPen{PenStyle::Solid, 1, {255, 0, 0}};
inline constexpr Pen kGreenPen{PenStyle::Solid, 1, {0, 255, 0}};
inline constexpr Pen kBluePen{PenStyle::Solid, 1, {0, 0, 255}};
inline constexpr Pen kGridPen{PenStyle::Dash, 1, {194, 194, 194}};
inline constexpr int kPlotFontHeight = 16;

} // namespace tavo
