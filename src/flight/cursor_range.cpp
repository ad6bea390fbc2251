#include "flight/cursor_range.h"

namespace tavo {

std::string CursorRangeFault(std::size_t count, int c1, int c2) {
    const auto sample = [](int index) { return "sample " + std::to_string(index); };
    if (count == 0)
        return "There is no flight: the recording holds no samples.";
    if (c1 < 0)
        return "C1 (" + sample(c1) + ") stands before the flight's first sample, 0.";
    if (c2 == c1)
        return "C1 and C2 stand on the same sample (" + std::to_string(c1) +
               "): there are no samples between them.";
    if (c2 < c1)
        return "C1 (" + sample(c1) + ") stands after C2 (" + sample(c2) +
               "): C1 marks the start of the range and C2 its end.";
    if (static_cast<std::size_t>(c2) > count)
        return "C2 (" + sample(c2) + ") stands beyond the end of the flight's " +
               std::to_string(count) + " samples.";
    return std::string();
}

} // namespace tavo
