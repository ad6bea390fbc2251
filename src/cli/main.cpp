// tavokit-cli: TAVOkit without windows. Every command is listed here once.

#include <cstring>
#include <iostream>

#include "cli/commands.h"

namespace tavo::cli {
namespace {

constexpr const char* kFlightOptionsHelp =
    "Flight options: --english --no-gees --raw --use-offset --two-gee X --rate HZ\n"
    "                --weight KG --propellant KG --diameter M\n";

const Command kCommands[] = {
    {"info", "load a flight file and print its figures as JSON", "FLIGHT [flight options]",
     RunInfo},
    {"curves", "print the derived curves as CSV, one line per sample", "FLIGHT [flight options]",
     RunCurves},
    {"convert", "read any readable version, write the current version", "FLIGHT OUT", RunConvert},
    {"edit", "change the flight details and save",
     "FLIGHT OUT [--name T] [--motor T] [--comment T] [--date YYYY-MM-DD] [--weight KG]\n"
     "       [--propellant KG] [--diameter M] [--two-gee-file X]",
     RunEdit},
    {"cut", "cut samples before C1, after C2 or between them (sample indices)",
     "FLIGHT OUT (--before C1 | --after C2 | --between C1 C2)", RunCut},
    {"download", "download the recorded flight from a recorder into a flight file",
     "OUT --port NAME|auto [--max N] [--keep-partial]", RunDownload},
    {"recorder", "identify, read, write or command a recorder",
     "(identify | read | write [KEY=VALUE ...] | defaults | command TEXT [--value V]\n"
     "       [--address A] | sensor) --port NAME|auto",
     RunRecorder},
    {"capture", "capture live telemetry lines for S seconds into a flight file",
     "OUT --port NAME --seconds S", RunCapture},
    {"telemetry-list", "the \"Telemetry Data\" list of a flight, tab-separated", "FLIGHT",
     RunTelemetryList},
    {"export-csv", "the CSV export", "FLIGHT OUT.csv [flight options]", RunExportCsv},
    {"export-eng", "the thrust-curve export between sample indices I and J",
     "FLIGHT OUT.eng --c1 I --c2 J --points P [--thrust motor|net] [--spacing shape|even]\n"
     "       [--site-altitude-m A] [--designation T] [--diameter-mm T]"
     " [--length-mm T] [--delays T] [--pre-fire T] [--post-fire T] [--manufacturer T]\n"
     "       [flight options]",
     RunExportEng},
    {"import-rdas", "RDAS text import into a fresh document or into the flight FLIGHT",
     "IN.txt OUT [--into FLIGHT]", RunImportRdas},
    {"motor-report", "the motor report between sample indices I and J, as JSON",
     "FLIGHT --c1 I --c2 J [--thrust motor|net] [--compare FILE.eng [--motor NAME]]\n"
     "       [--site-altitude-m A] [flight options]",
     RunMotorReport},
    {"drag", "the drag curve of the coast after sample J (the burn-out), as JSON or CSV",
     "FLIGHT --c2 J [--csv] [--site-altitude-m A] [flight options]", RunDrag},
    {"predict", "the measured rocket flown on other motors: apogee, delay, speeds, as JSON",
     "FLIGHT --c1 I --c2 J (--flown FILE.eng [--flown-motor NAME] | --motor-mass KG)\n"
     "       --motor FILE.eng [--motor FILE.eng ...] [--name NAME] [--rail-m L]\n"
     "       [--site-altitude-m A] [flight options]",
     RunPredict},
    {"motors", "every motor of a RASP motor file, as JSON, with warnings and refusals", "FILE.eng",
     RunMotors},
    {"cd-report", "the Cd report's figures between sample indices I and J, as JSON",
     "FLIGHT --c1 I --c2 J [--cd drag|document] [flight options]", RunCdReport},
    {"render", "draw the flight graph (or a report window) as PNG, SVG or a printed PDF page",
     "FLIGHT OUT [--size WxH] [--curve acceleration|velocity|altitude] [--cursors X1 X2]\n"
     "       [--no-cursors] [--no-grid] [--readout-right] [--summary] [--own-axes]\n"
     "       [--report motor|cd --c1 I --c2 J] [--overlay OTHER.flt ...]\n"
     "       [--predict FILE.eng [--motor NAME] --c1 I --c2 J (--flown FILE.eng | --motor-mass "
     "KG)]\n"
     "       [flight options]\n"
     "       --summary: the flight summary box; --own-axes: every curve on its own axis;\n"
     "       --overlay: another flight aligned at its launch marker; --predict: a motor's\n"
     "       predicted curves for the rocket measured from I to J",
     RunRender},
    {"stats", "the flight statistics (apogee, burn, descent, landing) as JSON",
     "FLIGHT [flight options]", RunStats},
};

void PrintHelp() {
    std::cout << "Usage: tavokit-cli COMMAND [ARGS]\n\nCommands:\n";
    for (const Command& c : kCommands)
        std::cout << "  " << c.name << std::string(16 - std::strlen(c.name), ' ') << c.summary
                  << "\n";
    std::cout << "\n"
              << kFlightOptionsHelp
              << "\n'tavokit-cli COMMAND --help' shows a command's arguments.\n"
              << "Exit status: 0 done, 1 the operation failed, 2 bad usage.\n";
}

int Main(int argc, char** argv) {
    if (argc < 2) {
        PrintHelp();
        return 2;
    }
    const std::string first = argv[1];
    if (first == "--help" || first == "-h" || first == "help") {
        PrintHelp();
        return 0;
    }
    if (first == "--version") {
        std::cout << "tavokit-cli " TAVOKIT_VERSION "\n";
        return 0;
    }
    for (const Command& c : kCommands) {
        if (first != c.name)
            continue;
        CommandArgs args(argv + 2, argv + argc);
        for (const std::string& a : args) {
            if (a == "--help" || a == "-h") {
                std::cout << "Usage: tavokit-cli " << c.name << " " << c.usage << "\n\n"
                          << c.summary << "\n";
                return 0;
            }
        }
        return c.run(args);
    }
    std::cerr << "tavokit-cli: unknown command '" << first << "'\n";
    PrintHelp();
    return 2;
}

} // namespace
} // namespace tavo::cli

int main(int argc, char** argv) {
    return tavo::cli::Main(argc, argv);
}
