#pragma once
// Coordinates the drawing computes from data.

namespace tavo {

// Converts to int by truncation toward zero, saturating at +-limit; NaN gives
// `ifNaN`. Every coordinate the drawing computes from data goes through this.
int TruncClamped(double value, int limit, int ifNaN);

} // namespace tavo
