// Commands on flight files: info, curves, convert, edit, cut.

#include <algorithm>
#include <cstdio>
#include <iostream>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "doc/flight_edit.h"
#include "flight/text_format.h"

namespace tavo::cli {

int RunInfo(const CommandArgs& argv) {
    Args args;
    int code = 0;
    if (!ParseCommandArgs("info", argv, FlightOptionSpecs(), 1, args, code))
        return code;
    CTAVOkitDoc doc;
    int version = 0;
    if ((code = LoadFlight(args.Positional()[0], args, doc, &version)) != kExitOk)
        return code;
    JsonObject events;
    events.Add("1", doc.Curves().m_nEvent1)
        .Add("2", doc.Curves().m_nEvent2)
        .Add("4", doc.Curves().m_nEvent4)
        .Add("8", doc.Curves().m_nEvent8);
    JsonObject out;
    out.Add("version", version)
        .Add("samples", static_cast<long long>(doc.Record().m_pSamples.size()))
        .Add("sampleRate", doc.Record().m_nSampleRate)
        .Add("sampleInterval", doc.Curves().m_fSampleInterval)
        .Add("twoGeeFile", doc.Record().m_fTwoGeeFile)
        .Add("twoGee", doc.Curves().m_fTwoGee)
        .Add("accelOffset", doc.Record().m_nAccelOffset)
        .Add("preLaunchSetting", doc.Record().m_nPreLaunchSetting)
        .Add("date", FormatUtcDate(doc.Record().m_timeDate))
        .Add("name", Windows1252ToUtf8(doc.Record().m_strName))
        .Add("motor", Windows1252ToUtf8(doc.Record().m_strMotor))
        .Add("comment", Windows1252ToUtf8(doc.Record().m_strComment))
        .Add("launchWeight", doc.Record().m_fLaunchWeight)
        .Add("propellantWeight", doc.Record().m_fPropellantWeight)
        .Add("maxDiameter", doc.Record().m_fMaxDiameter)
        .AddObject("events", events)
        .Add("accelMin", doc.Curves().m_fAccelMin)
        .Add("accelMax", doc.Curves().m_fAccelMax)
        .Add("velMin", doc.Curves().m_fVelMin)
        .Add("velMax", doc.Curves().m_fVelMax)
        .Add("altMin", doc.Curves().m_fAltMin)
        .Add("altMax", doc.Curves().m_fAltMax);
    std::cout << out.Text() << "\n";
    return kExitOk;
}

int RunCurves(const CommandArgs& argv) {
    Args args;
    int code = 0;
    if (!ParseCommandArgs("curves", argv, FlightOptionSpecs(), 1, args, code))
        return code;
    CTAVOkitDoc doc;
    if ((code = LoadFlight(args.Positional()[0], args, doc)) != kExitOk)
        return code;
    const std::vector<std::string>& samples = doc.Record().m_pSamples.items();
    // Derived arrays have one entry per sample after a Recompute on a non-empty flight.
    const std::size_t n =
        std::min({samples.size(), doc.Curves().m_arrAccel.size(), doc.Curves().m_arrVelocity.size(),
                  doc.Curves().m_arrAltitude.size(), doc.Curves().m_arrCd.size()});
    std::string out = "index,word,accel,velocity,altitude,cd\n";
    out.reserve(n * 48 + out.size());
    for (std::size_t i = 0; i < n; ++i) {
        out += std::to_string(i);
        out += ',';
        out += std::to_string(ParseSampleWord(samples[i]));
        for (const std::vector<float>* arr : {&doc.Curves().m_arrAccel, &doc.Curves().m_arrVelocity,
                                              &doc.Curves().m_arrAltitude, &doc.Curves().m_arrCd}) {
            out += ',';
            out += FormatFloat((*arr)[i]);
        }
        out += '\n';
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return std::fflush(stdout) == 0 ? kExitOk : Failure("Cannot write the curves.");
}

int RunConvert(const CommandArgs& argv) {
    Args args;
    int code = 0;
    if (!ParseCommandArgs("convert", argv, {}, 2, args, code))
        return code;
    CTAVOkitDoc doc;
    FileError error;
    if (!LoadFlightFile(args.Positional()[0], doc.Record(), error))
        return Failure(error.message);
    return SaveFlight(args.Positional()[1], doc);
}

int RunEdit(const CommandArgs& argv) {
    Args args;
    int code = 0;
    const std::vector<OptionSpec> specs = {
        {"--name", 1},   {"--motor", 1},      {"--comment", 1},  {"--date", 1},
        {"--weight", 1}, {"--propellant", 1}, {"--diameter", 1}, {"--two-gee-file", 1}};
    if (!ParseCommandArgs("edit", argv, specs, 2, args, code))
        return code;
    CTAVOkitDoc doc;
    FileError error;
    if (!LoadFlightFile(args.Positional()[0], doc.Record(), error))
        return Failure(error.message);
    if (auto v = args.Value("--name"))
        doc.Record().m_strName = Utf8ToWindows1252(*v);
    if (auto v = args.Value("--motor"))
        doc.Record().m_strMotor = Utf8ToWindows1252(*v);
    if (auto v = args.Value("--comment"))
        doc.Record().m_strComment = Utf8ToWindows1252(*v);
    if (auto v = args.Value("--date")) {
        std::int64_t midnight = 0;
        if (!ParseDate(*v, midnight))
            return UsageError("edit", "--date needs a date YYYY-MM-DD, not \"" + *v + "\"");
        // A new date keeps the hour the flight was flown, as the Details dialog does.
        doc.Record().m_timeDate = OnUtcDay(doc.Record().m_timeDate, midnight);
    }
    const std::pair<const char*, float*> numbers[] = {
        {"--weight", &doc.Record().m_fLaunchWeight},
        {"--propellant", &doc.Record().m_fPropellantWeight},
        {"--diameter", &doc.Record().m_fMaxDiameter},
        {"--two-gee-file", &doc.Record().m_fTwoGeeFile}};
    for (const auto& [name, field] : numbers) {
        if (auto v = args.Value(name)) {
            if (!ParseFloat(*v, *field))
                return UsageError("edit",
                                  std::string(name) + " needs a number, not \"" + *v + "\"");
        }
    }
    return SaveFlight(args.Positional()[1], doc);
}

int RunCut(const CommandArgs& argv) {
    Args args;
    int code = 0;
    if (!ParseCommandArgs("cut", argv, {{"--before", 1}, {"--after", 1}, {"--between", 2}}, 2, args,
                          code))
        return code;
    const int chosen = (args.Has("--before") ? 1 : 0) + (args.Has("--after") ? 1 : 0) +
                       (args.Has("--between") ? 1 : 0);
    if (chosen != 1)
        return UsageError("cut", "give exactly one of --before, --after, --between");
    CTAVOkitDoc doc;
    FileError error;
    if (!LoadFlightFile(args.Positional()[0], doc.Record(), error))
        return Failure(error.message);
    CutKind kind = CutKind::ToC1;
    std::vector<std::string> indices;
    if (args.Has("--before")) {
        indices = {*args.Value("--before")};
    } else if (args.Has("--after")) {
        kind = CutKind::AfterC2;
        indices = {*args.Value("--after")};
    } else {
        kind = CutKind::BetweenCursors;
        indices = args.Values("--between");
    }
    int values[2] = {0, 0};
    for (std::size_t k = 0; k < indices.size(); ++k) {
        if (!ParseInt(indices[k], values[k]))
            return UsageError("cut",
                              "sample indices are whole numbers, not \"" + indices[k] + "\"");
    }
    CursorRange range;
    if (kind == CutKind::AfterC2)
        range.c2 = values[0];
    else
        range.c1 = values[0];
    if (kind == CutKind::BetweenCursors)
        range.c2 = values[1];
    if (!doc.Cut(kind, range)) {
        return Failure(StrFormat("Nothing was cut: the sample indices do not fit the flight's %zu "
                                 "samples for this cut.",
                                 doc.Record().m_pSamples.size()));
    }
    return SaveFlight(args.Positional()[1], doc);
}

} // namespace tavo::cli
