#pragma once
// The rules of File > Export, File > Export Thrust Curve and the RDAS import: which
// message, question, dialog and file chooser comes when, and what each answer does. The
// window supplies the talking through a UserPrompt; tests supply a script of answers.

#include <functional>
#include <string>

#include "doc/tavokit_doc.h"
#include "exchange/eng_export.h"
#include "exchange/rdas_import.h"
#include "prompt/user_prompt.h"

namespace tavo {

// The folder the exchange file choosers start in, relative to the current directory.
inline constexpr const char* kExchangeFolder = "Rockets";

// The choosers' titles, filters and extensions; they start in kExchangeFolder when it
// exists, else in the current directory.
FileChoice CsvSaveChoice();
FileChoice EngSaveChoice();
FileChoice RdasOpenChoice();

// The "Export motor file" dialog, starting from `params`; false when cancelled.
using EditMotorParams = std::function<bool(EngExportParams& params)>;

// File > Export. Returns true when a file was written.
bool RunCsvExport(UserPrompt& prompt, const FlightData& flight);

// File > Export Thrust Curve between the cursors of `range`. The dialog's diameter and
// length start from `compared`, the motor file the motor report was last compared with
// (none: left for the user); the motor thrust takes its drag in the air over a site
// `siteAltitudeM` above sea level. Returns true when a file was written.
bool RunEngExport(UserPrompt& prompt, const EditMotorParams& editParams, const FlightData& flight,
                  CursorRange range, const EngMotor* compared = nullptr,
                  double siteAltitudeM = 0.0);

// The RDAS import up to the point of changing the flight: asks for the file and reads
// it. Returns true with the table to apply; false when cancelled or refused (the user
// has been told why), and the flight must stay as it was.
bool RunRdasImport(UserPrompt& prompt, RdasTable& table);

// The window's import: RunRdasImport, then `saveModified` (the question a modified
// flight gets before another takes its place, as Open asks it; false keeps the flight),
// then ApplyRdasTable, marking the document modified. A refused file is said before
// anything is asked. Returns true when the flight changed.
bool ImportRdasInto(UserPrompt& prompt, CTAVOkitDoc& doc,
                    const std::function<bool()>& saveModified);

// Puts an imported table into the document: its samples and sample rate; the
// calibration and details stay. Like every new recording it empties the undo
// list, then recomputes and redraws. The caller marks the document modified.
void ApplyRdasTable(CTAVOkitDoc& doc, RdasTable table);

// The message for a file that could not be written or read.
std::string FileFailureText(const std::string& path, const std::string& reason, bool writing);

} // namespace tavo
