#pragma once
// The samples under the cursors. A cut, a report or an export works on the range it is
// handed by whoever placed the cursors (the graph view, a command line), never on one a
// drawing left behind: drawing a picture at another size must not move what is cut.

namespace tavo {

// Cursor C1 on sample `c1`, cursor C2 on sample `c2`. The reports and the thrust-curve
// export read the samples from c1 up to, not including, c2; the cuts take away the
// samples before c1, from c2 on, or from c1 up to c2. Either may lie outside the flight
// (a typed index): each user checks before it reads.
struct CursorRange {
    int c1 = 0;
    int c2 = 0;
};

} // namespace tavo
