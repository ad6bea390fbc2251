// The motors command: every motor of a RASP file as the program's reader reads it.

#include <iostream>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "flight/atomic_file.h"
#include "flight/text_format.h"
#include "motor/rasp_reader.h"

namespace tavo::cli {

namespace {

std::string JsonArray(const std::vector<std::string>& items) {
    std::string s = "[";
    for (std::size_t i = 0; i < items.size(); ++i)
        s += (i > 0 ? "," : "") + items[i];
    return s + "]";
}

std::string Text(const std::string& bytes) {
    return JsonString(Windows1252ToUtf8(bytes));
}

} // namespace

int RunMotors(const CommandArgs& argv) {
    Args args;
    int code = kExitOk;
    if (!ParseCommandArgs("motors", argv, {}, 1, args, code))
        return code;
    const std::string& path = args.Positional()[0];
    RaspFile file;
    std::string reason;
    if (!LoadRaspFile(path, file, reason))
        return Failure(WithReason("Could not read " + FileNameOf(path), reason));
    std::vector<std::string> motors, refused, fileWarnings;
    for (const EngMotor& m : file.motors) {
        const double impulse = TotalImpulse(m);
        std::vector<std::string> warnings;
        for (const std::string& w : m.warnings)
            warnings.push_back(Text(w));
        JsonObject o;
        o.Add("designation", Windows1252ToUtf8(m.designation))
            .Add("class", std::string(1, ImpulseClassLetter(impulse)))
            .Add("diameter", static_cast<float>(m.diameterMm))
            .Add("length", static_cast<float>(m.lengthMm))
            .Add("delays", Windows1252ToUtf8(m.delaysText))
            .Add("propellantMass", static_cast<float>(m.propellantKg))
            .Add("totalMass", static_cast<float>(m.totalKg))
            .Add("manufacturer", Windows1252ToUtf8(m.manufacturer))
            .Add("totalImpulse", static_cast<float>(impulse))
            .Add("burnTime", static_cast<float>(BurnTime(m)))
            .Add("peakThrust", static_cast<float>(PeakThrust(m)))
            .Add("points", static_cast<long long>(m.points.size()))
            .Add("line", static_cast<long long>(m.headerLine))
            .AddRaw("warnings", JsonArray(warnings));
        motors.push_back(o.Text());
    }
    for (const RaspRefusal& r : file.refused) {
        JsonObject o;
        o.Add("motor", Windows1252ToUtf8(r.motor))
            .Add("line", static_cast<long long>(r.line))
            .Add("reason", Windows1252ToUtf8(r.reason));
        refused.push_back(o.Text());
    }
    for (const std::string& w : file.warnings)
        fileWarnings.push_back(Text(w));
    JsonObject out;
    out.AddRaw("motors", JsonArray(motors))
        .AddRaw("refused", JsonArray(refused))
        .AddRaw("warnings", JsonArray(fileWarnings));
    std::cout << out.Text() << "\n";
    return kExitOk;
}

} // namespace tavo::cli
