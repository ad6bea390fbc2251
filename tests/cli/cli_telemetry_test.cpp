// tavokit-cli capture and telemetry-list against zr7sim streaming on a pseudo-terminal.

#include <QCoreApplication>
#include <QProcess>
#include <gtest/gtest.h>
#include <sstream>

#include "cli_run.h"
#include "device/zr7_recorder.h"
#include "flight/flight_file.h"

namespace tavo {
namespace {

using testing::RunCli;
using testing::TempDir;

TEST(CliTelemetry, CapturesEveryStreamedLineAndListsThem) {
    static int argc = 1;
    static char name[] = "cli_telemetry_test";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr)
        new QCoreApplication(argc, argv);
    QProcess sim;
    sim.setProgram(QStringLiteral(TAVOKIT_BINARY_DIR "/tools/zr7sim/zr7sim"));
    sim.setArguments({QStringLiteral("--samples"), QStringLiteral("3000"),
                      QStringLiteral("--telemetry"), QStringLiteral("--telemetry-rate"),
                      QStringLiteral("1000"), QStringLiteral("--lines"), QStringLiteral("1500"),
                      QStringLiteral("--baud"), QStringLiteral("0")});
    sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    sim.start();
    ASSERT_TRUE(sim.waitForStarted(30000));
    while (!sim.canReadLine() && sim.waitForReadyRead(30000)) {
    }
    const std::string port = sim.readLine().trimmed().toStdString();
    ASSERT_EQ(port.rfind("/dev/", 0), 0u) << port;

    const std::string out = TempDir("cli_capture") + "/live.flt";
    const auto r = RunCli({"capture", out, "--port", port, "--seconds", "4"});
    sim.terminate();
    sim.waitForFinished(5000);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    // How many of the 1,500 lines arrive in the four seconds depends on how busy the
    // machine is; what arrived is the stream's beginning, in order, nothing lost.
    const std::size_t tail = r.err.rfind("Lines received: ");
    ASSERT_NE(tail, std::string::npos) << r.err;
    const std::size_t received = std::stoul(r.err.substr(tail + 16));
    EXPECT_GE(received, 1u);
    EXPECT_LE(received, 1500u);

    FlightRecord flight;
    FileError error;
    ASSERT_TRUE(LoadFlightFile(out, flight, error)) << error.message;
    const std::vector<std::uint16_t> words = GenerateTestFlight(3000);
    ASSERT_EQ(flight.m_pSamples.size(), received);
    for (std::size_t i = 0; i < received; ++i) {
        const int d = TelemetryDigits(words[i], words[0] & 0xFFF, 40);
        ASSERT_EQ(flight.m_pSamples.items()[i], std::to_string(d / 10) + std::to_string(d % 10))
            << i;
    }

    const auto list = RunCli({"telemetry-list", out});
    ASSERT_EQ(list.exitCode, 0) << list.err;
    std::istringstream lines(list.out);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "DAC value\tAltitude");
    std::size_t count = 0;
    while (std::getline(lines, line)) {
        if (count == 0) {
            EXPECT_EQ(line.substr(0, line.find('\t')),
                      std::to_string(ParseSampleWord(flight.m_pSamples.items()[0])));
        }
        ++count;
    }
    EXPECT_EQ(count, received);
}

TEST(CliTelemetry, UsageAndPortFailures) {
    EXPECT_EQ(RunCli({"capture", "x.flt", "--port", "COM1"}).exitCode, 2);
    EXPECT_EQ(RunCli({"capture", "x.flt", "--seconds", "1"}).exitCode, 2);
    EXPECT_EQ(RunCli({"capture", "x.flt", "--port", "COM1", "--seconds", "-1"}).exitCode, 2);
    EXPECT_EQ(RunCli({"telemetry-list"}).exitCode, 2);
    const std::string out = TempDir("cli_capture_nodev") + "/x.flt";
    const auto r = RunCli({"capture", out, "--port", "/nonexistent/ttyZR7", "--seconds", "1"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.rfind("COMM open error", 0), 0u) << r.err;
    EXPECT_EQ(RunCli({"telemetry-list", out}).exitCode, 1); // nothing was written
}

} // namespace
} // namespace tavo
