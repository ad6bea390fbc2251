#pragma once
// How often the window repaints while lines arrive. A line may come every
// millisecond; the graph is repainted at most 30 times a second, and never so often
// that painting takes more than half of the window's time, so a long capture whose
// drawing grows slower keeps the window answering the user.

#include <cstddef>
#include <cstdint>

namespace tavo {

// The shortest time between two live repaints: 30 a second.
constexpr std::int64_t kMinRepaintMicros = 1000000 / 30;

class RepaintPacer {
public:
    // Whether to repaint at `nowMicros` with `lines` received so far: only when lines
    // came since the last repaint and the last one is long enough ago.
    bool Due(std::size_t lines, std::int64_t nowMicros) const;
    // A repaint showing `lines` ran from `startMicros` to `endMicros`.
    void Painted(std::size_t lines, std::int64_t startMicros, std::int64_t endMicros);
    // Forget the last repaint (a new capture).
    void Reset() { *this = RepaintPacer(); }

    std::int64_t Repaints() const { return m_repaints; }

private:
    bool m_painted = false;
    std::size_t m_lines = 0;
    std::int64_t m_start = 0;
    std::int64_t m_duration = 0;
    std::int64_t m_repaints = 0;
};

} // namespace tavo
