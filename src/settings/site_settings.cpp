#include "settings/site_settings.h"

#include <QSettings>
#include <cmath>

#include "flight/number_text.h"
#include "flight/text_format.h"
#include "motor/atmosphere.h"

namespace tavo {

namespace {
const QString kSiteKey = QStringLiteral("LaunchSite/AltitudeM");

bool Within(double metres) {
    return std::isfinite(metres) && metres >= kMinSiteAltitudeM && metres <= kMaxSiteAltitudeM;
}
} // namespace

double LoadSiteAltitude(QSettings& settings) {
    // Stored as text without the locale, so a file written under a decimal comma
    // reads back the same everywhere.
    const std::string text = settings.value(kSiteKey).toString().toStdString();
    double metres = 0.0;
    if (!ParseWholeNumber(text, metres) || !Within(metres))
        return 0.0;
    return metres;
}

bool SaveSiteAltitude(QSettings& settings, double metres) {
    if (!Within(metres))
        return false;
    settings.setValue(kSiteKey, QString::fromStdString(FormatFixed(metres, 1)));
    settings.sync();
    return true;
}

} // namespace tavo
