#pragma once
// Where the main window was and how large, kept between runs beside the "MySettings"
// values (in a group of its own, so those nine values stay as they always were).

#include <QByteArray>

class QSettings;

namespace tavo {

// The saved geometry, as QWidget::saveGeometry() made it; empty when none was saved.
QByteArray LoadWindowGeometry(QSettings& settings);
// Keeps the geometry for the next run.
void SaveWindowGeometry(QSettings& settings, const QByteArray& geometry);

} // namespace tavo
