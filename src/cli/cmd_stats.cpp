// stats: the figures of View > Flight Statistics, as JSON.

#include <iostream>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "stats/flight_stats.h"

namespace tavo::cli {

int RunStats(const CommandArgs& argv) {
    Args args;
    int code = kExitOk;
    if (!ParseCommandArgs("stats", argv, FlightOptionSpecs(), 1, args, code))
        return code;
    CTAVOkitDoc doc;
    code = LoadFlight(args.Positional()[0], args, doc);
    if (code != kExitOk)
        return code;
    FlightStats s;
    std::string reason;
    if (!ComputeFlightStats(doc.Data(), s, reason))
        return Failure(reason);
    JsonObject out;
    out.Add("accelUnits", s.accelUnits)
        .Add("velocityUnits", s.velocityUnits)
        .Add("altitudeUnits", s.altitudeUnits)
        .Add("descentRateUnits", s.descentRateUnits)
        .Add("apogee", s.apogee)
        .Add("apogeeTime", s.apogeeTime)
        .Add("maxAccel", s.maxAccel)
        .Add("maxAccelTime", s.maxAccelTime)
        .Add("maxVelocity", s.maxVelocity)
        .Add("maxVelocityTime", s.maxVelocityTime)
        .AddOptional("launchTime", s.launchTime)
        .AddOptional("burnoutTime", s.burnoutTime)
        .AddOptional("burnTime", s.burnTime)
        .AddOptional("coastTime", s.coastTime)
        .AddOptional("descentRate", s.descentRate)
        .AddOptional("duration", s.duration)
        .AddOptional("landingTime", s.landingTime);
    std::cout << out.Text() << "\n";
    return kExitOk;
}

} // namespace tavo::cli
