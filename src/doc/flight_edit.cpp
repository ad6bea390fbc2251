#include "doc/flight_edit.h"

#include <mutex>

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

bool ApplyCut(FlightRecord& flight, CutKind kind) {
    {
        std::lock_guard<std::mutex> lock(flight.m_pSamples.mutex());
        std::vector<std::string>& samples = flight.m_pSamples.items();
        const long long n = static_cast<long long>(samples.size());
        const long long i1 = flight.m_nCursor1;
        const long long i2 = flight.m_nCursor2;
        // The conditions compare as the recorder software always has; a negative index
        // can only come from outside (a script), and would remove nothing sensible.
        bool ok = false;
        switch (kind) {
        case CutKind::ToC1:
            ok = i1 >= 0 && i1 < n;
            break;
        case CutKind::AfterC2:
            ok = i2 >= 0 && i2 < n;
            break;
        case CutKind::BetweenCursors:
            ok = i1 >= 0 && i1 < i2 && i2 < n;
            break;
        }
        if (!ok)
            return false;
        flight.m_pUndoSamples = samples;
        switch (kind) {
        case CutKind::ToC1:
            samples.erase(samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(i1));
            break;
        case CutKind::AfterC2:
            samples.resize(static_cast<std::size_t>(i2));
            break;
        case CutKind::BetweenCursors:
            samples.erase(samples.begin() + static_cast<std::ptrdiff_t>(i1),
                          samples.begin() + static_cast<std::ptrdiff_t>(i2));
            break;
        }
    }
    flight.Recompute();
    return true;
}

bool UndoCut(FlightRecord& flight) {
    if (flight.m_pUndoSamples.empty())
        return false;
    {
        std::lock_guard<std::mutex> lock(flight.m_pSamples.mutex());
        flight.m_pSamples.items().swap(flight.m_pUndoSamples);
        flight.m_pUndoSamples.clear();
    }
    flight.Recompute();
    return true;
}

} // namespace tavo
