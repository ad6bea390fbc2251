#include "exchange/ui/exchange_actions.h"

#include "exchange/commands/exchange_flow.h"
#include "exchange/ui/export_motor_dlg.h"
#include "uikit/qt_user_prompt.h"

namespace tavo {
namespace {

// The "Export motor file" dialog over `parent`, starting from the given values.
EditMotorParams MotorDialog(QWidget* parent, const FlightData& flight, CursorRange range) {
    return [parent, &flight, range](EngExportParams& params) {
        CExportMotorDlg dialog(parent);
        dialog.m_fPropellantKg = flight.record.m_fPropellantWeight;
        dialog.preview = [&flight, range](const EngExportParams& p) {
            EngExportFigures figures;
            std::string reason;
            return ComputeEngExportFigures(flight, range, p, figures, reason)
                       ? EngExportFiguresText(figures)
                       : reason;
        };
        dialog.SetParams(params);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        params = dialog.Params();
        return true;
    };
}

} // namespace

void OnFileExportCsv(QWidget* parent, const FlightData& flight) {
    QtUserPrompt prompt(parent);
    RunCsvExport(prompt, flight);
}

void OnFileExportThrustCurve(QWidget* parent, const FlightData& flight, CursorRange range,
                             const EngMotor* compared, double siteAltitudeM) {
    QtUserPrompt prompt(parent);
    RunEngExport(prompt, MotorDialog(parent, flight, range), flight, range, compared,
                 siteAltitudeM);
}

bool OnImportRdas(QWidget* parent, CTAVOkitDoc& doc, const std::function<bool()>& saveModified) {
    QtUserPrompt prompt(parent);
    return ImportRdasInto(prompt, doc, saveModified);
}

} // namespace tavo
