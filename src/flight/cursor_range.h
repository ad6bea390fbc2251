#pragma once
// The samples under the cursors, and why they cannot be reported on or exported. A
// cut, a report or an export works on the range it is handed by whoever placed the
// cursors (the graph view, a command line), never on one a drawing left behind: drawing
// a picture at another size must not move what is cut.

#include <cstddef>
#include <string>

namespace tavo {

// Cursor C1 on sample `c1`, cursor C2 on sample `c2`. The reports and the thrust-curve
// export read the samples from c1 up to, not including, c2; the cuts take away the
// samples before c1, from c2 on, or from c1 up to c2. Either may lie outside the flight
// (a typed index): each user checks before it reads.
struct CursorRange {
    int c1 = 0;
    int c2 = 0;
};

// Empty when C1 at sample `c1` and C2 at sample `c2` enclose samples of a recording of
// `count` samples (C1's sample included, C2's not); otherwise why they do not. The
// reports and the thrust-curve export refuse the same ranges, in words a flyer can act
// on.
std::string CursorRangeFault(std::size_t count, int c1, int c2);

} // namespace tavo
