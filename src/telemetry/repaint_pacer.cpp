#include "telemetry/repaint_pacer.h"

#include <algorithm>

namespace tavo {

bool RepaintPacer::Due(std::size_t lines, std::int64_t nowMicros) const {
    if (!m_bPainted)
        return true;
    if (lines == m_nLines)
        return false;
    const std::int64_t gap = std::max(kMinRepaintMicros, 2 * m_nDuration);
    return nowMicros - m_nStart >= gap;
}

void RepaintPacer::Painted(std::size_t lines, std::int64_t startMicros, std::int64_t endMicros) {
    m_bPainted = true;
    m_nLines = lines;
    m_nStart = startMicros;
    m_nDuration = std::max<std::int64_t>(0, endMicros - startMicros);
    ++m_nRepaints;
}

} // namespace tavo
