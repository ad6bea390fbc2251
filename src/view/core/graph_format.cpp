#include "view/core/graph_format.h"

#include <cmath>

namespace tavo {

int TruncClamped(double value, int limit, int ifNaN) {
    if (std::isnan(value))
        return ifNaN;
    if (value >= limit)
        return limit;
    if (value <= -limit)
        return -limit;
    return static_cast<int>(value);
}

} // namespace tavo
