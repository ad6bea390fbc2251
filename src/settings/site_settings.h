#pragma once
// The launch site's height above sea level, kept between runs in a group of its own
// beside the "MySettings" values (those nine stay as they always were). The motor
// report, the thrust-curve export, the Cd report's drag curve and Predict take the air
// over the site from it; a fresh installation flies from sea level.

class QSettings;

namespace tavo {

// The stored altitude in metres; 0 when none is stored or what is stored is not a number
// within kMinSiteAltitudeM to kMaxSiteAltitudeM (a hand-edited file never reaches the
// air model).
double LoadSiteAltitude(QSettings& settings);
// Keeps `metres` for the next run; false (nothing written) outside the limits.
bool SaveSiteAltitude(QSettings& settings, double metres);

} // namespace tavo
