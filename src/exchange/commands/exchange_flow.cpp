#include "exchange/commands/exchange_flow.h"

#include <filesystem>
#include <system_error>

#include "exchange/csv_export.h"
#include "flight/atomic_file.h"
#include "flight/text_format.h"

namespace tavo {
namespace {

// Shows the busy cursor for the lifetime of the guard.
class BusyGuard {
public:
    explicit BusyGuard(UserPrompt& prompt) : m_prompt(prompt) { m_prompt.SetBusy(true); }
    ~BusyGuard() { m_prompt.SetBusy(false); }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;

private:
    UserPrompt& m_prompt;
};

// Runs one file operation under the busy cursor and tells the user when it failed.
template <typename Operation>
bool RunFileOperation(UserPrompt& prompt, const std::string& path, bool writing,
                      Operation operation) {
    std::string reason;
    bool ok;
    {
        BusyGuard busy(prompt);
        ok = operation(reason);
    }
    if (!ok)
        prompt.ShowMessage(FileFailureText(path, reason, writing), "Error", Severity::Error);
    return ok;
}

// "Rockets" in the current directory when it exists, else the current directory.
std::string ExchangeStartFolder() {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path current = fs::current_path(ec);
    if (ec)
        return std::string();
    const fs::path folder = current / kExchangeFolder;
    return fs::is_directory(folder, ec) ? folder.string() : current.string();
}

FileChoice ExchangeChoice(bool save, const char* title, const char* filterText,
                          const char* extension) {
    FileChoice choice;
    choice.save = save;
    choice.title = title;
    choice.filterText = filterText;
    choice.extension = extension;
    choice.startFolder = ExchangeStartFolder();
    return choice;
}

} // namespace

FileChoice CsvSaveChoice() {
    return ExchangeChoice(true, "Save File As CSV", "CSV file", "csv");
}
FileChoice EngSaveChoice() {
    return ExchangeChoice(true, "Save File As ENG", "ENG file", "eng");
}
FileChoice RdasOpenChoice() {
    return ExchangeChoice(false, "Import File", "RDAS file", "txt");
}

std::string FileFailureText(const std::string& path, const std::string& reason, bool writing) {
    return WithReason(
        std::string(writing ? "Could not write " : "Could not import ") + FileNameOf(path), reason);
}

bool RunCsvExport(UserPrompt& prompt, const FlightData& flight) {
    if (flight.record.SampleCount() == 0) {
        prompt.ShowMessage(kNothingToExportText, "Error", Severity::Error);
        return false;
    }
    std::string path;
    if (!prompt.ChooseFile(CsvSaveChoice(), path))
        return false;
    return RunFileOperation(prompt, path, true, [&](std::string& reason) {
        return WriteCsvFile(path, flight, reason);
    });
}

bool RunEngExport(UserPrompt& prompt, const EditMotorParams& editParams, const FlightData& flight,
                  CursorRange range, const EngMotor* compared, double siteAltitudeM) {
    if (const char* missing = MissingWeightMessage(flight)) {
        prompt.ShowMessage(missing, "Notice", Severity::Information);
        return false;
    }
    if (!prompt.AskOkCancel(kCursorQuestionText, "Notice"))
        return false;
    if (!EngCursorsHoldData(flight, range)) {
        prompt.ShowMessage(NothingToExportText(flight.record, range), "Error", Severity::Error);
        return false;
    }
    // The dialog starts from what the flight knows, and stays up until every field can
    // be written into a file that readers load.
    EngExportParams params = SuggestEngExportParams(flight, range, ThrustKind::Motor, compared);
    params.siteAltitudeM = siteAltitudeM;
    for (;;) {
        if (!editParams(params))
            return false;
        if (params.points == 0) {
            prompt.ShowMessage(kZeroPointsText, "Notice", Severity::Information);
            continue;
        }
        const EngFieldFault fault = EngExportFault(params);
        if (fault.message.empty())
            break;
        prompt.ShowMessage(fault.message, "Notice", Severity::Information);
    }
    std::string path;
    if (!prompt.ChooseFile(EngSaveChoice(), path))
        return false;
    return RunFileOperation(prompt, path, true, [&](std::string& reason) {
        return WriteEngFile(path, flight, range, params, reason);
    });
}

bool RunRdasImport(UserPrompt& prompt, RdasTable& table) {
    std::string path;
    if (!prompt.ChooseFile(RdasOpenChoice(), path))
        return false;
    return RunFileOperation(prompt, path, false,
                            [&](std::string& reason) { return ReadRdasFile(path, table, reason); });
}

bool ImportRdasInto(UserPrompt& prompt, CTAVOkitDoc& doc,
                    const std::function<bool()>& saveModified) {
    RdasTable table;
    if (!RunRdasImport(prompt, table))
        return false;
    if (saveModified && !saveModified())
        return false;
    doc.SetModifiedFlag(true);
    ApplyRdasTable(doc, std::move(table));
    return true;
}

void ApplyRdasTable(CTAVOkitDoc& doc, RdasTable table) {
    doc.Record().m_nSampleRate = table.sampleRate;
    doc.ReplaceSamples(std::move(table.values));
}

} // namespace tavo
