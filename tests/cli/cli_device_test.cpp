// tavokit-cli against a recorder: zr7sim on a pseudo-terminal, unpaced for speed.

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

#include "cli_run.h"
#include "device/zr7_recorder.h"
#include "flight/flight_file.h"

namespace tavo {
namespace {

using testing::JsonField;
using testing::RunCli;
using testing::TempDir;

class CliRecorder : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "cli_device_test";
        static char* argv[] = {name, nullptr};
        if (QCoreApplication::instance() == nullptr)
            new QCoreApplication(argc, argv);
    }
    void SetUp() override { Serve({}); }
    void Serve(const QStringList& faults) {
        if (m_sim.state() != QProcess::NotRunning)
            TearDown();
        m_sim.setProgram(QStringLiteral(TAVOKIT_BINARY_DIR "/tools/zr7sim/zr7sim"));
        m_sim.setArguments(QStringList{QStringLiteral("--samples"), QStringLiteral("7000"),
                                       QStringLiteral("--baud"), QStringLiteral("0")} +
                           faults);
        m_sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_sim.start();
        ASSERT_TRUE(m_sim.waitForStarted(30000));
        while (!m_sim.canReadLine() && m_sim.waitForReadyRead(30000)) {
        }
        port = m_sim.readLine().trimmed().toStdString();
        ASSERT_EQ(port.rfind("/dev/", 0), 0u) << port;
    }
    void TearDown() override {
        m_sim.terminate();
        if (!m_sim.waitForFinished(5000))
            m_sim.kill();
    }

    std::string port;
    QProcess m_sim;
};

TEST_F(CliRecorder, DownloadWritesTheServedFlight) {
    const std::string out = TempDir("cli_download") + "/flight.flt";
    const auto r = RunCli({"download", out, "--port", port, "--max", "2000"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.err.find("Samples read: 2008"), std::string::npos) << r.err;
    FlightRecord flight;
    FileError error;
    ASSERT_TRUE(LoadFlightFile(out, flight, error)) << error.message;
    const auto words = GenerateTestFlight(7000);
    ASSERT_EQ(flight.m_pSamples.size(), 2006u);
    for (std::size_t i = 0; i < 2006; ++i)
        ASSERT_EQ(flight.m_pSamples.items()[i], std::to_string(words[i])) << i;
    EXPECT_EQ(flight.m_nSampleRate, 200);
    EXPECT_EQ(flight.m_nPreLaunchSetting, 512);
    EXPECT_EQ(flight.m_fTwoGeeFile, 40.0f);
}

TEST_F(CliRecorder, ADownloadThatEndsBeforeTheRecordingFailsUnlessThePartialFlightIsWanted) {
    Serve({QStringLiteral("--silent-after"), QStringLiteral("50")});
    const std::string out = TempDir("cli_partial") + "/flight.flt";
    auto r = RunCli({"download", out, "--port", port, "--max", "40000"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("Download incomplete: 400 of 32768 samples read.\n\nThe recorder "
                         "stopped sending"),
              std::string::npos)
        << r.err;
    EXPECT_FALSE(QFile::exists(QString::fromStdString(out)));

    Serve({QStringLiteral("--silent-after"), QStringLiteral("50")});
    r = RunCli({"download", out, "--port", port, "--max", "40000", "--keep-partial"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.err.find("Download incomplete: 400 of 32768"), std::string::npos) << r.err;
    FlightRecord flight;
    FileError error;
    ASSERT_TRUE(LoadFlightFile(out, flight, error)) << error.message;
    EXPECT_EQ(flight.m_pSamples.size(), 398u);
}

TEST_F(CliRecorder, WriteThenReadAndDefaults) {
    auto r = RunCli({"recorder", "write", "--port", port, "sampleRate=100", "eventDelay=300",
                     "breakwire=1", "preLaunchSamples=12"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Comm port open\nConnected\nLoaded data from TAVO\n"
                     "Pre-launch buffer under range! Setting to 64\nStored data to TAVO\n"
                     "Comm port closed\n");
    r = RunCli({"recorder", "read", "--port", port});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(JsonField(r.out, "samplePeriod"), "10");
    EXPECT_EQ(JsonField(r.out, "sampleRate"), "100");
    EXPECT_EQ(JsonField(r.out, "eventDelay"), "300");
    EXPECT_EQ(JsonField(r.out, "preLaunchSamples"), "64");
    EXPECT_EQ(JsonField(r.out, "breakwire"), "true");

    r = RunCli({"recorder", "defaults", "--port", port});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("Set to Defaults. TAVO not updated\nStored data to TAVO\n"),
              std::string::npos);
    r = RunCli({"recorder", "read", "--port", port});
    EXPECT_EQ(JsonField(r.out, "samplePeriod"), "5");
    EXPECT_EQ(JsonField(r.out, "twoGeeValue"), "15");
    EXPECT_EQ(JsonField(r.out, "breakwire"), "false");
}

TEST_F(CliRecorder, IdentifyCommandAndSensor) {
    auto r = RunCli({"recorder", "identify", "--port", port});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out,
              "{\"model\":\"ZR7\",\"serialNumber\":1234,\"version\":210,\"fullFeatures\":true}\n");
    r = RunCli({"recorder", "command", "--port", port, "S", "--address", "10"});
    EXPECT_EQ(r.out, "512K\n");
    r = RunCli({"recorder", "command", "--port", port, "R", "--value", "300", "--address", "6"});
    EXPECT_EQ(r.out, "K\n");
    r = RunCli({"recorder", "command", "--port", port, "S", "--address", "6"});
    EXPECT_EQ(r.out, "300K\n");
    r = RunCli({"recorder", "command", "--port", port, "s"});
    EXPECT_EQ(r.out, "Invalid command\n");
    r = RunCli({"recorder", "sensor", "--port", port});
    EXPECT_EQ(r.out, std::to_string(GenerateTestFlight(1)[0] & 0xFFF) + "\n");
}

TEST_F(CliRecorder, ReadAndWriteCheckTheSettingsAsTheAdministerDialogDoes) {
    // A recorder left with a pre-launch word of 0 and the event mode 7 by the console.
    for (const char* value_address : {"0 10", "7 4"}) {
        const std::string va = value_address;
        const auto r =
            RunCli({"recorder", "command", "--port", port, "R", "--value",
                    va.substr(0, va.find(' ')), "--address", va.substr(va.find(' ') + 1)});
        ASSERT_EQ(r.out, "K\n") << r.err;
    }
    auto r = RunCli({"recorder", "read", "--port", port});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(JsonField(r.out, "preLaunchSamples"), "64");
    EXPECT_EQ(JsonField(r.out, "eventMode"), "7");
    EXPECT_NE(r.err.find("Pre-Launch buffer out of range!\nSetting to 64"), std::string::npos)
        << r.err;
    r = RunCli({"recorder", "write", "--port", port, "eventDelay=5"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Comm port open\nConnected\nPre-Launch buffer out of range! Setting to 64\n"
                     "Loaded data from TAVO\nStored data to TAVO\nComm port closed\n");
    r = RunCli({"recorder", "command", "--port", port, "S", "--address", "10"});
    EXPECT_EQ(r.out, "128K\n"); // 64 samples stored; the mode 7 stays 7
    r = RunCli({"recorder", "command", "--port", port, "S", "--address", "4"});
    EXPECT_EQ(r.out, "7K\n");
}

TEST(CliRecorderErrors, UsageAndMissingDevices) {
    EXPECT_EQ(RunCli({"download", "x.flt"}).exitCode, 2);
    EXPECT_EQ(RunCli({"recorder", "read"}).exitCode, 2);
    EXPECT_EQ(RunCli({"recorder", "write", "--port", "COM1", "eventDelay=0"}).exitCode, 2);
    EXPECT_EQ(RunCli({"recorder", "write", "--port", "COM1", "colour=red"}).exitCode, 2);
    EXPECT_EQ(RunCli({"recorder", "command", "--port", "COM1", "R", "--value", "70000"}).exitCode,
              2);
    const auto refused = RunCli({"recorder", "command", "--port", "COM1", "R", "--value", "-1"});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_NE(refused.err.find("Please enter a positive integer."), std::string::npos);
    const auto r = RunCli({"recorder", "identify", "--port", "/nonexistent/ttyZR7"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.rfind("COMM open error\n\n", 0), 0u) << r.err;
    const auto d =
        RunCli({"download", TempDir("cli_nodev") + "/x.flt", "--port", "/nonexistent/ttyZR7"});
    EXPECT_EQ(d.exitCode, 1);
}

} // namespace
} // namespace tavo
