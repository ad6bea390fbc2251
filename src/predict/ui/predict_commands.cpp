#include "predict/ui/predict_commands.h"

#include <mutex>

#include <QDialog>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include "doc/tavokit_doc.h"
#include "flight/number_text.h"
#include "flight/text_format.h"
#include "flight/units.h"
#include "motor/atmosphere.h"
#include "motor/thrust_model.h"
#include "predict/ui/predict_dlg.h"
#include "reports/report_checks.h"
#include "settings/site_settings.h"
#include "uikit/dlg_common.h"

namespace tavo {

void RunPredict(QWidget* parent, CTAVOkitDoc& doc, CursorRange range, double siteAltitudeM,
                UserPrompt& prompt, DrawPrediction drawOnGraph) {
    if (!CheckReportPreconditions(doc.Data(), range, prompt))
        return;
    CPredictDlg dialog(ReadPredictFlight(doc.Data(), range, siteAltitudeM), BundledMotorFiles(),
                       parent, &prompt);
    dialog.drawOnGraph = std::move(drawOnGraph);
    dialog.exec();
}

CLaunchSiteDlg::CLaunchSiteDlg(double metres, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Launch Site"));
    altitude = new QLineEdit(QString::fromStdString(FormatFixed(metres, 0)));
    auto* note = new QLabel(
        QStringLiteral(
            "The air over the site thins with its height: the motor report, the thrust-curve "
            "export, the drag curve and Predict take it into account. %1 to %2 m.")
            .arg(kMinSiteAltitudeM)
            .arg(kMaxSiteAltitudeM));
    note->setWordWrap(true);
    auto* form = new QFormLayout;
    auto* label = new QLabel(QStringLiteral("&Height above sea level, m:"));
    label->setBuddy(altitude);
    form->addRow(label, altitude);
    form->addRow(note);
    LayOutWithOkCancel(*this, form);
}

void RunLaunchSite(QWidget* parent, QSettings& settings, UserPrompt& prompt) {
    CLaunchSiteDlg dialog(LoadSiteAltitude(settings), parent);
    for (;;) {
        if (dialog.exec() != QDialog::Accepted)
            return;
        float metres = 0.0f;
        if (!ReadRealEdit(dialog.altitude, metres, prompt))
            continue;
        if (SaveSiteAltitude(settings, metres))
            return;
        prompt.ShowMessage(StrFormat("The launch site must lie within %.0f to %.0f m above sea "
                                     "level.",
                                     kMinSiteAltitudeM, kMaxSiteAltitudeM),
                           "Launch Site", Severity::Information);
    }
}

} // namespace tavo
