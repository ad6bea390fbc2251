#pragma once
// The flights the graph lays over the document's: other flights read from their files,
// and motors' predicted flights. Each keeps its own record and curves, computed in the
// document's units and computed again when those change, so every curve on the graph
// reads against the same axes.

#include <memory>
#include <string>
#include <vector>

#include "flight/flight_curves.h"
#include "flight/flight_data.h"
#include "flight/flight_file.h"
#include "view/core/draw_graph.h"

namespace tavo {

// A predicted flight in SI units, a point every `interval` s from ignition.
struct PredictedCurves {
    double interval = 0.0;
    std::vector<double> accel;    // m/s^2, the rocket's own
    std::vector<double> velocity; // m/s
    std::vector<double> altitude; // m above the pad
};

class ExtraFlights {
public:
    // At most this many: beyond it the graph is a tangle no flyer reads.
    static constexpr std::size_t kMaxFlights = 6;

    // Reads the flight file at `path` and lists it under its file name, computed with
    // `settings`. False, with the message File > Open would give, when the file is
    // refused or the list is full; the list is then unchanged.
    bool AddFile(const std::string& path, const UserSettings& settings, FileError& error);
    // Lists a predicted flight named `name` (in place of one of that name), launched when the main
    // flight's launch marker says, or at `startS` (s) on a flight without one. False, with why, for
    // curves that give nothing to draw or a full list.
    bool AddPrediction(const std::string& name, const PredictedCurves& curves, double startS,
                       const UserSettings& settings, std::string& reason);
    // Forgets the predicted flights: they belong to the flight they were made from.
    void RemovePredictions();
    void Clear() { m_flights.clear(); }
    bool Empty() const { return m_flights.empty(); }
    std::size_t Size() const { return m_flights.size(); }

    // Computes again the flights whose curves were made in other units than
    // `settings` give.
    void Follow(const UserSettings& settings);
    // The list as the graph draws it over a main flight of curves `main`.
    std::vector<ExtraFlight> ToDraw(const FlightCurves& main) const;
    // Flight `i` as the statistics read it, and its name.
    FlightData Data(std::size_t i) const;
    const std::string& Name(std::size_t i) const { return m_flights.at(i)->name; }
    bool IsPrediction(std::size_t i) const { return m_flights.at(i)->predicted; }

private:
    struct Flight {
        std::string name;
        FlightRecord record;
        FlightCurves curves;
        UserSettings settings; // what the curves were computed with
        bool predicted = false;
        PredictedCurves si;
        double startS = 0.0;
        int shade = 0;
    };
    static void Compute(Flight& flight, const UserSettings& settings);
    int FreeShade() const;
    // Each where it was made: the lists drawn point at their curves.
    std::vector<std::unique_ptr<Flight>> m_flights;
};

} // namespace tavo
