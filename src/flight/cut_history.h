#pragma once
// The cuts made to a flight's samples, newest last, for Undo and Redo. A cut always
// takes away one run of neighbouring samples, so a level keeps only that run and where
// it stood: every level together never holds more than the flight had, however many
// cuts are made, and a million-sample flight is not copied whole for each.

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "flight/flight_start.h"

namespace tavo {

// One cut: the samples it took away, which stood from index `at` on, and where the
// curves started before it.
struct SampleCut {
    SampleCut() = default;
    SampleCut(std::size_t from, std::vector<std::string> taken,
              std::optional<FlightStart> before = std::nullopt)
        : at(from), removed(std::move(taken)), start(before) {}

    std::size_t at = 0;
    std::vector<std::string> removed;
    std::optional<FlightStart> start;
};

// One undone cut, ready to be made again: `count` samples from index `at`, and where
// the curves started after it.
struct SampleRedo {
    SampleRedo() = default;
    SampleRedo(std::size_t from, std::size_t length,
               std::optional<FlightStart> after = std::nullopt)
        : at(from), count(length), start(after) {}

    std::size_t at = 0;
    std::size_t count = 0;
    std::optional<FlightStart> start;
};

class CutHistory {
public:
    // Nothing to undo.
    bool empty() const { return m_undo.empty(); }
    // The levels of Undo.
    std::size_t size() const { return m_undo.size(); }
    // Forgets every level of Undo and Redo (another recording's samples must never come
    // back under this one).
    void clear() {
        m_undo.clear();
        m_redo.clear();
    }

    // A new cut: it is the one Undo takes back next, and what was undone before can no
    // longer be made again.
    void Record(SampleCut cut) {
        m_undo.push_back(std::move(cut));
        m_redo.clear();
    }

    std::vector<SampleCut> m_undo;
    std::vector<SampleRedo> m_redo;
};

} // namespace tavo
