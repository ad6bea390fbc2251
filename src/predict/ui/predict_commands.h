#pragma once
// The Tools menu's Predict and Launch Site commands, for the main window to call.

#include <functional>
#include <string>

#include <QDialog>

#include "flight/cursor_range.h"
#include "predict/predict.h"
#include "predict/ui/predict_dlg.h"

class QLineEdit;
class QSettings;

namespace tavo {

class CTAVOkitDoc;
class UserPrompt;

// Tools > "Predict...": asks what the reports ask (weights, "Are cursors C1 & C2 placed
// around your curve?"), then opens the window over `parent`, modal, with the bundled
// motors, for the rocket measured between the cursors of `range`. `drawOnGraph` takes a
// chosen motor's predicted curves to the graph.
void RunPredict(QWidget* parent, CTAVOkitDoc& doc, CursorRange range, double siteAltitudeM,
                UserPrompt& prompt, DrawPrediction drawOnGraph = {});

// The launch site's height above sea level, in metres.
class CLaunchSiteDlg : public QDialog {
public:
    explicit CLaunchSiteDlg(double metres, QWidget* parent = nullptr);
    QLineEdit* altitude;
};

// Tools > "Launch Site...": the site's height above sea level, kept in `settings`; a
// height outside the sites flown from is refused and the window stays.
void RunLaunchSite(QWidget* parent, QSettings& settings, UserPrompt& prompt);

} // namespace tavo
