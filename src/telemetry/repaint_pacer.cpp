#include "telemetry/repaint_pacer.h"

#include <algorithm>

namespace tavo {

bool RepaintPacer::Due(std::size_t lines, std::int64_t nowMicros) const {
    if (!m_painted)
        return true;
    if (lines == m_lines)
        return false;
    const std::int64_t gap = std::max(kMinRepaintMicros, 2 * m_duration);
    return nowMicros - m_start >= gap;
}

void RepaintPacer::Painted(std::size_t lines, std::int64_t startMicros, std::int64_t endMicros) {
    m_painted = true;
    m_lines = lines;
    m_start = startMicros;
    m_duration = std::max<std::int64_t>(0, endMicros - startMicros);
    ++m_repaints;
}

} // namespace tavo
