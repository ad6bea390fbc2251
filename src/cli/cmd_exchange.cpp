// Commands on import and export: export-csv, export-eng, import-rdas.

#include <iostream>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "exchange/commands/exchange_flow.h"
#include "exchange/csv_export.h"
#include "exchange/eng_export.h"
#include "exchange/rdas_import.h"
#include "flight/text_format.h"

namespace tavo::cli {

int RunExportCsv(const CommandArgs& argv) {
    Args args;
    int code = 0;
    if (!ParseCommandArgs("export-csv", argv, FlightOptionSpecs(), 2, args, code))
        return code;
    CTAVOkitDoc doc;
    if ((code = LoadFlight(args.Positional()[0], args, doc)) != kExitOk)
        return code;
    if (doc.SampleCount() == 0)
        return Failure(kNothingToExportText);
    const std::string& out = args.Positional()[1];
    std::string reason;
    if (!WriteCsvFile(out, doc.Data(), reason))
        return Failure(FileFailureText(out, reason, true));
    return kExitOk;
}

int RunExportEng(const CommandArgs& argv) {
    Args args;
    int code = 0;
    const char* texts[] = {"--designation", "--diameter-mm", "--length-mm",   "--delays",
                           "--pre-fire",    "--post-fire",   "--manufacturer"};
    std::vector<OptionSpec> specs = {{"--c1", 1},     {"--c2", 1},      {"--points", 1},
                                     {"--thrust", 1}, {"--spacing", 1}, {"--site-altitude-m", 1}};
    for (const char* t : texts)
        specs.push_back({t, 1});
    if (!ParseCommandArgs("export-eng", argv, WithFlightOptions(specs), 2, args, code))
        return code;
    int c1 = 0, c2 = 0;
    EngExportParams params;
    const std::pair<const char*, int*> numbers[] = {
        {"--c1", &c1}, {"--c2", &c2}, {"--points", &params.points}};
    for (const auto& [name, value] : numbers) {
        const std::optional<std::string> v = args.Value(name);
        if (!v)
            return UsageError("export-eng", std::string(name) + " is required");
        if (!ParseInt(*v, *value))
            return UsageError("export-eng",
                              std::string(name) + " needs a whole number, not \"" + *v + "\"");
    }
    if (params.points == 0)
        return UsageError("export-eng", kZeroPointsText);
    if (auto thrust = args.Value("--thrust")) {
        if (*thrust == "net")
            params.thrust = ThrustKind::Net;
        else if (*thrust != "motor")
            return UsageError("export-eng", "--thrust takes motor or net");
    }
    EngSpacing spacing = EngSpacing::Shape;
    if (auto word = args.Value("--spacing")) {
        if (*word == "even")
            spacing = EngSpacing::Even;
        else if (*word != "shape")
            return UsageError("export-eng", "--spacing takes shape or even");
    }
    if (!ParseSiteAltitude(args, "export-eng", params.siteAltitudeM, code))
        return code;

    CTAVOkitDoc doc;
    if ((code = LoadFlight(args.Positional()[0], args, doc)) != kExitOk)
        return code;
    if (const char* missing = MissingWeightMessage(doc.Data()))
        return Failure(missing);
    // The cursor question is answered yes.
    const CursorRange range{c1, c2};
    if (!EngCursorsHoldData(doc.Data(), range))
        return Failure(NothingToExportText(doc.Record(), range));
    // What the dialog would start from; the options replace it field by field.
    // No motor file is compared here, so the diameter and length come from the options.
    const EngExportParams suggested = SuggestEngExportParams(doc.Data(), range, params.thrust);
    params.spacing = spacing;
    params.designation = suggested.designation;
    params.diameter = suggested.diameter;
    params.delays = suggested.delays;
    std::string* fields[] = {&params.designation, &params.diameter,      &params.length,
                             &params.delays,      &params.preFireWeight, &params.postFireWeight,
                             &params.manufacturer};
    for (std::size_t k = 0; k < std::size(texts); ++k) {
        if (auto v = args.Value(texts[k]))
            *fields[k] = Utf8ToWindows1252(*v);
    }
    if (!args.Has("--post-fire"))
        params.postFireWeight =
            SuggestPostFireWeight(params.preFireWeight, doc.Record().m_fPropellantWeight);
    const EngFieldFault fault = EngExportFault(params);
    if (!fault.message.empty())
        return UsageError("export-eng", Windows1252ToUtf8(fault.message));
    const std::string& out = args.Positional()[1];
    std::string reason;
    EngExportFigures figures;
    if (!WriteEngFile(out, doc.Data(), range, params, reason, &figures))
        return Failure(FileFailureText(out, reason, true));
    std::cout << EngExportFiguresText(figures) << "\n";
    return kExitOk;
}

int RunImportRdas(const CommandArgs& argv) {
    Args args;
    int code = 0;
    if (!ParseCommandArgs("import-rdas", argv, {{"--into", 1}}, 2, args, code))
        return code;
    CTAVOkitDoc doc;
    ApplyFirstRunSettings(doc.Settings());
    if (auto into = args.Value("--into")) {
        FileError error;
        if (!LoadFlightFile(*into, doc.Record(), error))
            return Failure(error.message);
    }
    const std::string& in = args.Positional()[0];
    RdasTable table;
    std::string reason;
    if (!ReadRdasFile(in, table, reason))
        return Failure(FileFailureText(in, reason, false));
    ApplyRdasTable(doc, std::move(table));
    return SaveFlight(args.Positional()[1], doc);
}

} // namespace tavo::cli
