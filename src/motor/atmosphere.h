#pragma once
// The standard atmosphere: temperature, density and the speed of sound at a height above
// sea level. A flight's drag depends on the air it flies through, and a rocket that
// climbs a kilometre meets a tenth less of it; the site's own altitude adds to the
// rocket's height above the pad.

#include <vector>

namespace tavo {

struct AirState {
    double temperatureK = 0.0;
    double pressurePa = 0.0;
    double densityKgM3 = 0.0;
    double speedOfSoundMs = 0.0;
};

// Sea-level density of the standard atmosphere, kg/m^3.
constexpr double kStandardSeaLevelDensity = 1.225;

// Launch sites the program takes, metres above sea level: from the Dead Sea's shore to
// above any site flown from. The setting and the command line keep to them.
constexpr double kMinSiteAltitudeM = -500.0;
constexpr double kMaxSiteAltitudeM = 9000.0;

// The air at `altitudeM` metres above sea level. Heights below -5 km or above 84 km
// (where the layered model ends) are taken at those limits; NaN gives sea level, so a
// stray value never poisons a whole flight.
AirState StandardAir(double altitudeM);

// The standard air over a launch site, tabulated once for a flight's many look-ups (a
// prediction asks tens of thousands of times): density and the speed of sound at a
// height above the pad, linear between 10 m steps, which is far finer than the air
// changes. Heights below the pad are taken at the pad, above the table at its top.
class AirColumn {
public:
    explicit AirColumn(double siteAltitudeM = 0.0, double topM = 40000.0);
    double SiteAltitude() const { return m_site; }
    double Density(double heightM) const { return Lookup(m_density, heightM); }
    double SpeedOfSound(double heightM) const { return Lookup(m_sound, heightM); }

private:
    double Lookup(const std::vector<double>& column, double heightM) const;
    double m_site = 0.0;
    std::vector<double> m_density;
    std::vector<double> m_sound;
};

} // namespace tavo
