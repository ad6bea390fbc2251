#include "settings/window_settings.h"

#include <QSettings>

namespace tavo {

namespace {
const QString kGeometryKey = QStringLiteral("Window/Geometry");
} // namespace

QByteArray LoadWindowGeometry(QSettings& settings) {
    return settings.value(kGeometryKey).toByteArray();
}

void SaveWindowGeometry(QSettings& settings, const QByteArray& geometry) {
    settings.setValue(kGeometryKey, geometry);
    settings.sync();
}

} // namespace tavo
