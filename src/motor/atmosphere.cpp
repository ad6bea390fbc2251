#include "motor/atmosphere.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace tavo {
namespace {

constexpr double kG0 = 9.80665;            // the model's own gravity, m/s^2
constexpr double kGasConstant = 287.05287; // dry air, J/(kg K)
constexpr double kHeatRatio = 1.4;

// The layers up to 84.852 km: base height (m) and temperature gradient (K/m). The base
// temperatures and pressures follow from sea level, so they are worked out once.
struct Layer {
    double base;
    double lapse;
};
constexpr Layer kLayers[] = {{0.0, -0.0065},    {11000.0, 0.0}, {20000.0, 0.001},
                             {32000.0, 0.0028}, {47000.0, 0.0}, {51000.0, -0.0028},
                             {71000.0, -0.002}, {84852.0, 0.0}};
constexpr int kLayerCount = static_cast<int>(std::size(kLayers)) - 1;
constexpr double kLowest = -5000.0;

struct LayerBase {
    double temperature;
    double pressure;
};

// Temperature and pressure at `dh` above a layer's base.
LayerBase Within(const Layer& layer, const LayerBase& base, double dh) {
    if (layer.lapse == 0.0)
        return {base.temperature,
                base.pressure * std::exp(-kG0 * dh / (kGasConstant * base.temperature))};
    const double t = base.temperature + layer.lapse * dh;
    return {t, base.pressure * std::pow(t / base.temperature, -kG0 / (kGasConstant * layer.lapse))};
}

struct Bases {
    LayerBase at[kLayerCount];
    Bases() {
        at[0] = {288.15, 101325.0};
        for (int i = 1; i < kLayerCount; ++i)
            at[i] = Within(kLayers[i - 1], at[i - 1], kLayers[i].base - kLayers[i - 1].base);
    }
};

} // namespace

AirState StandardAir(double altitudeM) {
    static const Bases bases;
    double h =
        std::isnan(altitudeM) ? 0.0 : std::clamp(altitudeM, kLowest, kLayers[kLayerCount].base);
    int i = kLayerCount - 1;
    while (i > 0 && h < kLayers[i].base)
        --i;
    // Below sea level the first layer's gradient carries on downwards.
    const LayerBase s = Within(kLayers[i], bases.at[i], h - kLayers[i].base);
    AirState air;
    air.temperatureK = s.temperature;
    air.pressurePa = s.pressure;
    air.densityKgM3 = s.pressure / (kGasConstant * s.temperature);
    air.speedOfSoundMs = std::sqrt(kHeatRatio * kGasConstant * s.temperature);
    return air;
}

namespace {
constexpr double kColumnStepM = 10.0;
}

AirColumn::AirColumn(double siteAltitudeM, double topM)
    : m_site(std::isfinite(siteAltitudeM) ? siteAltitudeM : 0.0) {
    const double top = std::isfinite(topM) ? std::clamp(topM, kColumnStepM, 100000.0) : 40000.0;
    const std::size_t n = static_cast<std::size_t>(std::ceil(top / kColumnStepM)) + 1;
    m_density.reserve(n);
    m_sound.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        const AirState air = StandardAir(m_site + static_cast<double>(i) * kColumnStepM);
        m_density.push_back(air.densityKgM3);
        m_sound.push_back(air.speedOfSoundMs);
    }
}

double AirColumn::Lookup(const std::vector<double>& column, double heightM) const {
    if (!(heightM > 0.0)) // also NaN
        return column.front();
    const double x = heightM / kColumnStepM;
    if (!(x < static_cast<double>(column.size() - 1)))
        return column.back();
    const auto i = static_cast<std::size_t>(x);
    const double f = x - static_cast<double>(i);
    return column[i] + (column[i + 1] - column[i]) * f;
}

} // namespace tavo
