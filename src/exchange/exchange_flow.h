#pragma once
// The rules of File > Export, File > Export Thrust Curve and the RDAS import: which
// message, question, dialog and file chooser comes when, and what each answer does. The
// window supplies the talking through ExchangeUi; tests supply a script of answers.

#include <string>

#include "exchange/eng_export.h"
#include "exchange/rdas_import.h"
#include "flight/flight_record.h"

namespace tavo {

// A save or open dialog: title, one filter entry, default extension.
struct FileDialogSpec {
    std::string title;
    std::string filterText; // e.g. "CSV file (*.CSV)"
    std::string pattern;    // e.g. "*.csv"
    std::string defaultExtension;
};

// The folder the exchange dialogs start in, relative to the current directory.
inline constexpr const char* kExchangeFolder = "Rockets";

FileDialogSpec CsvSaveDialogSpec();
FileDialogSpec EngSaveDialogSpec();
FileDialogSpec RdasOpenDialogSpec();

class ExchangeUi {
public:
    virtual ~ExchangeUi() = default;
    // A message box with an OK button.
    virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;
    // An OK/Cancel question; true for OK.
    virtual bool AskOkCancel(const std::string& text, const std::string& caption) = 0;
    // The save dialog (asks before overwriting); false when cancelled.
    virtual bool AskSaveFileName(const FileDialogSpec& spec, std::string& path) = 0;
    // The open dialog; false when cancelled.
    virtual bool AskOpenFileName(const FileDialogSpec& spec, std::string& path) = 0;
    // The "Export motor file" dialog, starting from `params`; false when cancelled.
    virtual bool EditMotorParams(EngExportParams& params) = 0;
    // The busy cursor on long work.
    virtual void SetBusy(bool busy) = 0;
};

// File > Export. Returns true when a file was written.
bool RunCsvExport(ExchangeUi& ui, const FlightRecord& flight);

// File > Export Thrust Curve. Returns true when a file was written.
bool RunEngExport(ExchangeUi& ui, const FlightRecord& flight);

// The RDAS import up to the point of changing the flight: asks for the file and reads
// it. Returns true with the table to apply; false when cancelled or refused (the user
// has been told why), and the flight must stay as it was.
bool RunRdasImport(ExchangeUi& ui, RdasTable& table);

// The message for a file that could not be written or read.
std::string FileFailureText(const std::string& path, const std::string& reason, bool writing);

} // namespace tavo
