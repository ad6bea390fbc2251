#include "exchange/exchange_flow.h"

#include "exchange/csv_export.h"
#include "flight/atomic_file.h"

namespace tavo {
namespace {

// Shows the busy cursor for the lifetime of the guard.
class BusyGuard {
public:
    explicit BusyGuard(ExchangeUi& ui) : m_ui(ui) { m_ui.SetBusy(true); }
    ~BusyGuard() { m_ui.SetBusy(false); }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;

private:
    ExchangeUi& m_ui;
};

} // namespace

FileDialogSpec CsvSaveDialogSpec() {
    return {"Save File As CSV", "CSV file (*.CSV)", "*.csv", "csv"};
}
FileDialogSpec EngSaveDialogSpec() {
    return {"Save File As ENG", "ENG file (*.ENG)", "*.eng", "eng"};
}
FileDialogSpec RdasOpenDialogSpec() {
    return {"Import File", "RDAS file (*.TXT)", "*.txt", "txt"};
}

std::string FileFailureText(const std::string& path, const std::string& reason, bool writing) {
    return std::string(writing ? "Could not write " : "Could not import ") + FileNameOf(path) +
           ":\n" + reason;
}

bool RunCsvExport(ExchangeUi& ui, const FlightRecord& flight) {
    if (flight.SampleCount() == 0) {
        ui.ShowMessage(kNothingToExportText, "Error");
        return false;
    }
    std::string path;
    if (!ui.AskSaveFileName(CsvSaveDialogSpec(), path))
        return false;
    std::string reason;
    bool ok;
    {
        BusyGuard busy(ui);
        ok = WriteCsvFile(path, flight, reason);
    }
    if (!ok)
        ui.ShowMessage(FileFailureText(path, reason, true), "Error");
    return ok;
}

bool RunEngExport(ExchangeUi& ui, const FlightRecord& flight) {
    if (const char* missing = MissingWeightMessage(flight)) {
        ui.ShowMessage(missing, "Notice");
        return false;
    }
    if (!ui.AskOkCancel(kCursorQuestionText, "Notice"))
        return false;
    if (!EngCursorsHoldData(flight)) {
        ui.ShowMessage(kNothingToExportText, "Error");
        return false;
    }
    // The dialog starts empty each time, and stays up until the points are usable.
    EngExportParams params;
    for (;;) {
        if (!ui.EditMotorParams(params))
            return false;
        if (params.points != 0)
            break;
        ui.ShowMessage(kZeroPointsText, "Notice");
    }
    std::string path;
    if (!ui.AskSaveFileName(EngSaveDialogSpec(), path))
        return false;
    std::string reason;
    bool ok;
    {
        BusyGuard busy(ui);
        ok = WriteEngFile(path, flight, params, reason);
    }
    if (!ok)
        ui.ShowMessage(FileFailureText(path, reason, true), "Error");
    return ok;
}

bool RunRdasImport(ExchangeUi& ui, RdasTable& table) {
    std::string path;
    if (!ui.AskOpenFileName(RdasOpenDialogSpec(), path))
        return false;
    std::string reason;
    bool ok;
    {
        BusyGuard busy(ui);
        ok = ReadRdasFile(path, table, reason);
    }
    if (!ok)
        ui.ShowMessage(FileFailureText(path, reason, false), "Error");
    return ok;
}

} // namespace tavo
