#pragma once
// The commands of tavokit-cli. Each takes the words after its name and returns the
// exit status (0 done, 1 the operation failed, 2 bad usage).

#include <string>
#include <vector>

namespace tavo::cli {

using CommandArgs = std::vector<std::string>;

struct Command {
    const char* name;
    const char* summary;
    const char* usage; // arguments and options, shown by --help
    int (*run)(const CommandArgs& args);
};

// Flight files: cmd_flight.cpp.
int RunInfo(const CommandArgs& args);
int RunCurves(const CommandArgs& args);
int RunConvert(const CommandArgs& args);
int RunEdit(const CommandArgs& args);
int RunCut(const CommandArgs& args);

// The recorder: cmd_device.cpp.
int RunDownload(const CommandArgs& args);
int RunRecorder(const CommandArgs& args);

// Live telemetry: cmd_telemetry.cpp.
int RunCapture(const CommandArgs& args);
int RunTelemetryList(const CommandArgs& args);

// Import and export: cmd_exchange.cpp.
int RunExportCsv(const CommandArgs& args);
int RunExportEng(const CommandArgs& args);
int RunImportRdas(const CommandArgs& args);

// Reports: cmd_reports.cpp.
int RunMotorReport(const CommandArgs& args);
int RunCdReport(const CommandArgs& args);

// The measured rocket flown again: cmd_predict.cpp.
int RunDrag(const CommandArgs& args);
int RunPredict(const CommandArgs& args);

// Motor files: cmd_motors.cpp.
int RunMotors(const CommandArgs& args);

// Drawing: cmd_render.cpp.
int RunRender(const CommandArgs& args);

// Flight statistics: cmd_stats.cpp.
int RunStats(const CommandArgs& args);

} // namespace tavo::cli
