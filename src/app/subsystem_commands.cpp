#include "app/subsystem_commands.h"

#include <memory>

#include "admin/ui/administer_dlg.h"
#include "app/command_ids.h"
#include "app/main_frame.h"
#include "device/ui/download_dlg.h"
#include "exchange/ui/exchange_actions.h"
#include "flight/text_format.h"
#include "predict/ui/predict_commands.h"
#include "reports/ui/report_commands.h"
#include "settings/my_settings.h"
#include "settings/site_settings.h"
#include "telemetry/ui/live_telemetry.h"
#include "view/ui/tavokit_view.h"

namespace tavo {

namespace {

// Predict's "Draw on Graph": the motor's predicted flight laid over the measured one,
// in place of one drawn for it before.
void DrawPredictionOnGraph(CMainFrame& frame, const Prediction& p, double interval,
                           const std::string& motor, double startS) {
    const std::string name = Windows1252ToUtf8(motor);
    std::string reason = p.reason;
    if (p.flies) {
        const PredictedCurves curves{interval, p.accel, p.velocity, p.altitude};
        if (frame.View().Extra().AddPrediction(name + " predicted", curves, startS,
                                               frame.Document().Settings(), reason)) {
            frame.View().update();
            frame.UpdateCommandUI();
            return;
        }
    }
    frame.prompt->ShowMessage("Nothing to draw for the " + name + ": " + reason, "Predict",
                              Severity::Information);
}

} // namespace

void WireSubsystemCommands(CMainFrame& frame) {
    CMainFrame* f = &frame;
    frame.WireCommand(ID_TOOLS_DOWNLOAD, [f] {
        std::string port;
        bool autoDetect = true;
        MySettings::LoadPortSettings(f->Settings(), port, autoDetect);
        RunDownloadDialog(f, f->Document(), f->Ports(), port);
    });
    frame.WireCommand(ID_TOOLS_ADMINISTER,
                      [f] { RunAdministerDialog(f, f->Settings(), f->Ports()); });
    // The reports and the thrust-curve export work between the cursors the view shows.
    const auto cursors = [f] { return f->View().Controller().Cursors(); };
    // The motor file the motor report compared with stays for the thrust-curve export
    // until another flight takes the window; the site is read from the settings each time.
    auto context = std::make_shared<ReportContext>();
    const auto withSite = [f, context] {
        context->siteAltitudeM = LoadSiteAltitude(f->Settings());
        return context.get();
    };
    frame.WireCommand(ID_TOOLS_MOTOR_REPORT, [f, cursors, withSite] {
        RunMotorReport(f, f->Document(), cursors(), &f->Printer(), withSite());
    });
    frame.WireCommand(ID_TOOLS_CD_REPORT, [f, cursors, withSite] {
        RunCdReport(f, f->Document(), cursors(), &f->Printer(), withSite());
    });
    frame.WireCommand(ID_FILE_EXPORT, [f] { OnFileExportCsv(f, f->Document().Data()); });
    frame.WireCommand(ID_FILE_EXPORT_THRUST, [f, cursors, withSite] {
        const ReportContext* c = withSite();
        OnFileExportThrustCurve(f, f->Document().Data(), cursors(),
                                c->compared ? &*c->compared : nullptr, c->siteAltitudeM);
    });
    frame.OnEachFlightReplaced([context] { context->compared.reset(); });
    frame.WireCommand(ID_TOOLS_PREDICT, [f, cursors] {
        const CursorRange range = cursors();
        // Drawn from where the rocket was measured, on a flight without a launch marker.
        const double startS =
            range.c1 * static_cast<double>(f->Document().Curves().m_fSampleInterval);
        RunPredict(f, f->Document(), range, LoadSiteAltitude(f->Settings()), *f->prompt,
                   [f, startS](const Prediction& p, double interval, const std::string& motor) {
                       DrawPredictionOnGraph(*f, p, interval, motor, startS);
                   });
    });
    frame.WireCommand(ID_TOOLS_LAUNCH_SITE, [f] { RunLaunchSite(f, f->Settings(), *f->prompt); });
    frame.WireCommand(ID_FILE_IMPORT_RDAS,
                      [f] { OnImportRdas(f, f->Document(), [f] { return f->SaveModified(); }); });
    // Live capture belongs to the window (a child of it), and ends with it.
    auto* live = new LiveTelemetry(
        f, f->Document(), &f->View(), f->statusBar(), &f->prompt,
        [f](QDialog& d) { return f->runDialog(d); }, [f] { return f->SaveModified(); }, f->Ports());
    frame.WireCommand(
        ID_TELEMETRY_START, [live] { live->Start(); },
        [live] { return live->Controller().CanStart(); });
    frame.WireCommand(
        ID_TELEMETRY_STOP, [live] { live->Stop(); },
        [live] { return live->Controller().CanStop(); });
    frame.WireCommand(ID_TELEMETRY_SHOW, [live] { live->ShowList(); });
    frame.OnEachFlightReplaced([live] { live->OnFlightReplaced(); });
}

} // namespace tavo
