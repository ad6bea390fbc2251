#include "view/core/extra_flights.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "flight/atomic_file.h"
#include "flight/units.h"

namespace tavo {

namespace {

// The document's switches as another flight is computed with them: its own two-G value
// from its own file, whatever the document's flight was given by hand.
UserSettings ForOtherFlight(const UserSettings& settings) {
    UserSettings s = settings;
    s.m_bUseFileTwoGee = true;
    return s;
}

bool SameUnits(const UserSettings& a, const UserSettings& b) {
    return a.m_bMetricUnits == b.m_bMetricUnits && a.m_bAccelInGees == b.m_bAccelInGees &&
           a.m_bDisplayRaw == b.m_bDisplayRaw && a.m_bUseAccelOffset == b.m_bUseAccelOffset;
}

// `values` in the display's units, with the range the graph scales to (0 always within,
// as for a recorded flight).
void Convert(const std::vector<double>& values, double factor, std::vector<float>& out, float& min,
             float& max) {
    out.clear();
    out.reserve(values.size());
    min = 0.0f;
    max = 0.0f;
    for (const double v : values) {
        const float f = static_cast<float>(std::isfinite(v) ? v * factor : 0.0);
        out.push_back(f);
        min = std::min(min, f);
        max = std::max(max, f);
    }
}

} // namespace

void ExtraFlights::Compute(Flight& f, const UserSettings& settings) {
    f.settings = ForOtherFlight(settings);
    if (!f.predicted) {
        f.curves.Recompute(f.record, f.settings);
        return;
    }
    const bool metric = f.settings.m_bMetricUnits;
    FlightCurves& c = f.curves;
    c.Clear();
    c.m_fSampleInterval = static_cast<float>(f.si.interval);
    // A prediction has no recorder counts to show.
    if (f.settings.m_bDisplayRaw)
        return;
    const double accel = f.settings.m_bAccelInGees ? 1.0 / kGee : metric ? 1.0 : kMetreToFoot;
    Convert(f.si.accel, accel, c.m_arrAccel, c.m_fAccelMin, c.m_fAccelMax);
    Convert(f.si.velocity, metric ? 1.0 : kMpsToMph, c.m_arrVelocity, c.m_fVelMin, c.m_fVelMax);
    Convert(f.si.altitude, metric ? 1.0 : kMetreToFoot, c.m_arrAltitude, c.m_fAltMin, c.m_fAltMax);
}

int ExtraFlights::FreeShade() const {
    std::array<int, 3> used{};
    for (const auto& f : m_flights)
        ++used[static_cast<std::size_t>(f->shade % 3)];
    return static_cast<int>(std::min_element(used.begin(), used.end()) - used.begin());
}

bool ExtraFlights::AddFile(const std::string& path, const UserSettings& settings,
                           FileError& error) {
    if (m_flights.size() >= kMaxFlights) {
        error = {"Overlay Flight", "No more than " + std::to_string(kMaxFlights) +
                                       " flights can be laid over the graph: remove the overlays "
                                       "first."};
        return false;
    }
    auto f = std::make_unique<Flight>();
    if (!LoadFlightFile(path, f->record, error))
        return false;
    f->name = FileNameOf(path);
    f->shade = FreeShade();
    Compute(*f, settings);
    m_flights.push_back(std::move(f));
    return true;
}

bool ExtraFlights::AddPrediction(const std::string& name, const PredictedCurves& curves,
                                 double startS, const UserSettings& settings, std::string& reason) {
    // The same motor drawn again takes the place of its earlier curves.
    std::erase_if(m_flights, [&](const auto& f) { return f->predicted && f->name == name; });
    if (m_flights.size() >= kMaxFlights) {
        reason = "No more than " + std::to_string(kMaxFlights) +
                 " flights can be laid over the graph: remove the overlays first.";
        return false;
    }
    const std::size_t n = curves.accel.size();
    if (n < 2 || curves.velocity.size() != n || curves.altitude.size() != n ||
        !(curves.interval > 0.0) || !std::isfinite(curves.interval) || !std::isfinite(startS)) {
        reason = "The prediction has no curves to draw.";
        return false;
    }
    auto f = std::make_unique<Flight>();
    f->name = name;
    f->predicted = true;
    f->si = curves;
    f->startS = startS;
    f->shade = FreeShade();
    Compute(*f, settings);
    m_flights.push_back(std::move(f));
    return true;
}

void ExtraFlights::RemovePredictions() {
    std::erase_if(m_flights, [](const auto& f) { return f->predicted; });
}

void ExtraFlights::Follow(const UserSettings& settings) {
    const UserSettings wanted = ForOtherFlight(settings);
    for (const auto& f : m_flights)
        if (!SameUnits(f->settings, wanted))
            Compute(*f, settings);
}

std::vector<ExtraFlight> ExtraFlights::ToDraw(const FlightCurves& main) const {
    std::vector<ExtraFlight> list;
    const double mainLaunch =
        static_cast<double>(main.m_nEvent1) * static_cast<double>(main.m_fSampleInterval);
    for (const auto& p : m_flights) {
        const Flight& f = *p;
        // A prediction starts at ignition: on the launch marker, or where the rocket was
        // measured from on a flight without one.
        const double offset = !f.predicted         ? LaunchAlignedOffset(main, f.curves)
                              : main.m_nEvent1 > 0 ? mainLaunch
                                                   : f.startS;
        list.push_back({&f.curves, offset, f.name, f.shade});
    }
    return list;
}

FlightData ExtraFlights::Data(std::size_t i) const {
    const Flight& f = *m_flights.at(i);
    return {f.record, f.curves, f.settings};
}

} // namespace tavo
