// The flights drawn over the main one: laid on the main flight's samples, so they share
// its time axis, its zoom and its cursors, whatever rate they were recorded at.

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "plot/curve_points.h"
#include "plot/graph_curves.h"
#include "view/core/graph_parts.h"

namespace tavo {

namespace {

const std::vector<float>& CurveOf(const FlightCurves& curves, int curve) {
    return curve == 1   ? curves.m_arrVelocity
           : curve == 2 ? curves.m_arrAltitude
                        : curves.m_arrAccel;
}

bool Usable(double interval) {
    return std::isfinite(interval) && interval > 0.0;
}

// The position among `values` (sampled every `interval` s, the first at main time
// `offsetS`) of main time `t`, between samples.
double PositionOf(double t, double interval, double offsetS) {
    return (t - offsetS) / interval;
}

float Between(const std::vector<float>& values, double position) {
    const std::size_t last = values.size() - 1;
    const double at = std::clamp(position, 0.0, static_cast<double>(last));
    const std::size_t k = static_cast<std::size_t>(at);
    if (k >= last)
        return values[last];
    const double frac = at - static_cast<double>(k);
    return static_cast<float>(values[k] + (values[k + 1] - values[k]) * frac);
}

// `values` read at the main flight's samples 0 .. n - 1 (every `mainInterval` s) from
// `first` on, where they begin; empty where they cover none of them.
std::vector<float> OnMainSamples(const std::vector<float>& values, double interval, double offsetS,
                                 double mainInterval, int n, std::size_t& first) {
    first = 0;
    std::vector<float> grid;
    if (values.empty() || n <= 0 || !Usable(interval) || !Usable(mainInterval) ||
        !std::isfinite(offsetS))
        return grid;
    const double from = std::ceil(offsetS / mainInterval);
    const double to =
        std::floor((offsetS + static_cast<double>(values.size() - 1) * interval) / mainInterval);
    const double lastMain = static_cast<double>(n - 1);
    if (!std::isfinite(from) || !std::isfinite(to) || to < 0.0 || from > lastMain || to < from)
        return grid;
    first = from > 0.0 ? static_cast<std::size_t>(from) : 0;
    const std::size_t last = static_cast<std::size_t>(std::min(to, lastMain));
    // The samples before `first` are never drawn; they hold the first value so that a
    // column spanning the start keeps to values the flight had.
    grid.assign(last + 1, values.front());
    for (std::size_t i = first; i <= last; ++i)
        grid[i] =
            Between(values, PositionOf(static_cast<double>(i) * mainInterval, interval, offsetS));
    return grid;
}

} // namespace

std::array<Pen, 3> ExtraFlightPens(int shade) {
    static constexpr Color kSets[3][3] = {
        {{128, 128, 128}, {100, 205, 100}, {115, 115, 255}},
        {{180, 180, 180}, {160, 230, 160}, {170, 170, 255}},
        {{170, 130, 90}, {80, 190, 175}, {185, 125, 235}},
    };
    const Color* set = kSets[(shade % 3 + 3) % 3];
    return {Pen{PenStyle::Solid, 1, set[0]}, Pen{PenStyle::Solid, 1, set[1]},
            Pen{PenStyle::Solid, 1, set[2]}};
}

double LaunchAlignedOffset(const FlightCurves& main, const FlightCurves& extra) {
    const double mainLaunch =
        static_cast<double>(main.m_nEvent1) * static_cast<double>(main.m_fSampleInterval);
    const double extraLaunch =
        static_cast<double>(extra.m_nEvent1) * static_cast<double>(extra.m_fSampleInterval);
    const double offset = mainLaunch - extraLaunch;
    return std::isfinite(offset) ? offset : 0.0;
}

void SetValueRanges(GraphScene& s) {
    const FlightCurves& c = s.flight.curves;
    const float max[3] = {c.m_fAccelMax, c.m_fVelMax, c.m_fAltMax};
    const float min[3] = {c.m_fAccelMin, c.m_fVelMin, c.m_fAltMin};
    for (int k = 0; k < 3; ++k) {
        s.max[k] = max[k];
        s.min[k] = min[k];
    }
    for (const ExtraFlight& e : s.extra) {
        if (e.curves == nullptr)
            continue;
        const FlightCurves& x = *e.curves;
        const float emax[3] = {x.m_fAccelMax, x.m_fVelMax, x.m_fAltMax};
        const float emin[3] = {x.m_fAccelMin, x.m_fVelMin, x.m_fAltMin};
        for (int k = 0; k < 3; ++k) {
            if (CurveOf(x, k).empty())
                continue;
            if (std::isfinite(emax[k]))
                s.max[k] = std::max(s.max[k], emax[k]);
            if (std::isfinite(emin[k]))
                s.min[k] = std::min(s.min[k], emin[k]);
        }
    }
}

std::vector<std::vector<std::vector<Point>>> DrawExtraCurves(Canvas& canvas, const GraphScene& s,
                                                             int drawnCurves) {
    std::vector<std::vector<std::vector<Point>>> all;
    const double mainInterval = s.flight.curves.m_fSampleInterval;
    for (const ExtraFlight& e : s.extra) {
        if (e.curves == nullptr)
            continue;
        const std::array<Pen, 3> pens = ExtraFlightPens(e.shade);
        std::vector<std::vector<float>> grids;
        std::vector<GraphCurve> curves;
        std::vector<Pen> curvePens;
        grids.reserve(3);
        for (int k = 0; k < drawnCurves; ++k) {
            std::size_t first = 0;
            grids.push_back(OnMainSamples(CurveOf(*e.curves, k), e.curves->m_fSampleInterval,
                                          e.offsetS, mainInterval, s.n, first));
            if (grids.back().empty())
                continue;
            curves.push_back(
                {grids.back(), s.min[k], GraphCurveScale(s.f.H(), s.max[k], s.min[k]), first});
            curvePens.push_back(pens[static_cast<std::size_t>(k)]);
        }
        if (curves.empty())
            continue;
        auto pieces = GraphCurvesPieces(s.f, s.window, s.n, curves, canvas.ThinsColumns());
        for (std::size_t c = 0; c < pieces.size(); ++c) {
            canvas.SetPen(curvePens[c]);
            for (const std::vector<Point>& piece : pieces[c])
                canvas.DrawPolyline(piece);
            all.push_back(std::move(pieces[c]));
        }
    }
    return all;
}

std::string ShortFlightName(const std::string& name, std::size_t max) {
    if (name.size() <= max || max < 4)
        return name;
    // Cut on a character's first byte, so a name in UTF-8 stays readable.
    std::size_t cut = max - 3;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
        --cut;
    return name.substr(0, cut) + "...";
}

std::vector<std::string> ExtraLegendTexts(const GraphScene& s) {
    std::vector<std::string> texts;
    for (const ExtraFlight& e : s.extra)
        if (e.curves != nullptr)
            texts.push_back(ShortFlightName(e.name));
    return texts;
}

void DrawExtraLegendLine(Canvas& canvas, const ExtraFlight& extra, Point from, Point to) {
    const std::array<Pen, 3> pens = ExtraFlightPens(extra.shade);
    const int step = (to.x - from.x) / 3;
    for (int k = 0; k < 3; ++k) {
        canvas.SetPen(pens[static_cast<std::size_t>(k)]);
        const int a = from.x + k * step;
        const int b = k == 2 ? to.x : a + step;
        canvas.DrawLine({a, from.y}, {b, to.y});
    }
}

bool ExtraValueAt(const GraphScene& s, const ExtraFlight& extra, int curve, int index,
                  float& value) {
    if (extra.curves == nullptr)
        return false;
    const std::vector<float>& values = CurveOf(*extra.curves, curve);
    const double interval = extra.curves->m_fSampleInterval;
    const double mainInterval = s.flight.curves.m_fSampleInterval;
    if (values.empty() || index < 0 || !Usable(interval) || !Usable(mainInterval))
        return false;
    const double at =
        PositionOf(static_cast<double>(index) * mainInterval, interval, extra.offsetS);
    // A cursor a rounding away from the first or last sample still reads it.
    constexpr double kSlack = 1e-6;
    if (!std::isfinite(at) || at < -kSlack || at > static_cast<double>(values.size() - 1) + kSlack)
        return false;
    value = Between(values, at);
    return true;
}

} // namespace tavo
