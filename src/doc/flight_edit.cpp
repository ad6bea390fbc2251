#include "doc/flight_edit.h"

#include <iterator>
#include <mutex>

#include "flight/flight_curves.h"

namespace tavo {

const char* CutQuestion(CutKind kind) {
    switch (kind) {
    case CutKind::ToC1:
        return "All Data before Cursor 1 will be lost!\n Continue?";
    case CutKind::AfterC2:
        return "All Data after Cursor 2 will be lost!\n Continue?";
    case CutKind::BetweenCursors:
        break;
    }
    return "All Data between Cursor 1 and Cursor 2 will be lost!\n Continue?";
}

bool ApplyCut(FlightRecord& flight, const UserSettings& settings, CutKind kind, CursorRange range) {
    {
        std::lock_guard<std::mutex> lock(flight.m_pSamples.mutex());
        std::vector<std::string>& samples = flight.m_pSamples.items();
        const long long n = static_cast<long long>(samples.size());
        const long long i1 = range.c1;
        const long long i2 = range.c2;
        // The conditions compare as the recorder software always has; a negative index
        // can only come from outside (a script), and would remove nothing sensible.
        // Each cut takes away one run of samples, [first, last).
        bool ok = false;
        long long first = 0, last = 0;
        switch (kind) {
        case CutKind::ToC1:
            ok = i1 >= 0 && i1 < n;
            last = i1;
            break;
        case CutKind::AfterC2:
            ok = i2 >= 0 && i2 < n;
            first = i2;
            last = n;
            break;
        case CutKind::BetweenCursors:
            ok = i1 >= 0 && i1 < i2 && i2 < n;
            first = i1;
            last = i2;
            break;
        }
        if (!ok)
            return false;
        // Taking away the first samples keeps the recording's zero reference. Before C1
        // the curves go on from where the whole recording stood at C1; between the
        // cursors from where it stood before the gap, as they do anywhere else.
        std::optional<FlightStart> start = flight.m_start;
        if (first == 0 && last > 0) {
            start = StartBefore(flight, settings, samples,
                                static_cast<std::size_t>(kind == CutKind::ToC1 ? last : first));
        }
        const auto from = samples.begin() + static_cast<std::ptrdiff_t>(first);
        const auto to = samples.begin() + static_cast<std::ptrdiff_t>(last);
        SampleCut cut{static_cast<std::size_t>(first),
                      {std::make_move_iterator(from), std::make_move_iterator(to)},
                      flight.m_start};
        samples.erase(from, to);
        flight.m_start = start;
        flight.m_pUndoSamples.Record(std::move(cut));
    }
    return true;
}

bool UndoCut(FlightRecord& flight) {
    CutHistory& history = flight.m_pUndoSamples;
    {
        std::lock_guard<std::mutex> lock(flight.m_pSamples.mutex());
        std::vector<std::string>& samples = flight.m_pSamples.items();
        // A level that no longer fits the samples (they were replaced behind the
        // history's back) would put data in the wrong place: the history is dropped.
        if (!history.m_undo.empty() && history.m_undo.back().at > samples.size())
            history.clear();
        if (history.m_undo.empty())
            return false;
        SampleCut cut = std::move(history.m_undo.back());
        history.m_undo.pop_back();
        samples.insert(samples.begin() + static_cast<std::ptrdiff_t>(cut.at),
                       std::make_move_iterator(cut.removed.begin()),
                       std::make_move_iterator(cut.removed.end()));
        history.m_redo.push_back({cut.at, cut.removed.size(), flight.m_start});
        flight.m_start = cut.start;
    }
    return true;
}

bool RedoCut(FlightRecord& flight) {
    CutHistory& history = flight.m_pUndoSamples;
    {
        std::lock_guard<std::mutex> lock(flight.m_pSamples.mutex());
        std::vector<std::string>& samples = flight.m_pSamples.items();
        if (!history.m_redo.empty() &&
            (history.m_redo.back().at > samples.size() ||
             history.m_redo.back().count > samples.size() - history.m_redo.back().at))
            history.clear();
        if (history.m_redo.empty())
            return false;
        const SampleRedo redo = history.m_redo.back();
        history.m_redo.pop_back();
        const auto from = samples.begin() + static_cast<std::ptrdiff_t>(redo.at);
        const auto to = from + static_cast<std::ptrdiff_t>(redo.count);
        SampleCut cut{
            redo.at, {std::make_move_iterator(from), std::make_move_iterator(to)}, flight.m_start};
        samples.erase(from, to);
        flight.m_start = redo.start;
        // Not Record: the cuts still waiting to be made again stay.
        history.m_undo.push_back(std::move(cut));
    }
    return true;
}

} // namespace tavo
