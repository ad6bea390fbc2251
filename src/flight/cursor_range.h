#pragma once
// Why the samples between the cursors cannot be reported on or exported, in words a
// flyer can act on: the reports and the thrust-curve export refuse the same ranges.

#include <cstddef>
#include <string>

namespace tavo {

// Empty when C1 at sample `c1` and C2 at sample `c2` enclose samples of a recording of
// `count` samples (C1's sample included, C2's not); otherwise why they do not.
std::string CursorRangeFault(std::size_t count, int c1, int c2);

} // namespace tavo
