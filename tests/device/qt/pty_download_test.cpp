// The download through a real pseudo-terminal, against the zr7sim program paced at
// 19,200 baud, on the real clock and the Qt serial port backend.

#include <QCoreApplication>
#include <QProcess>
#include <filesystem>
#include <gtest/gtest.h>

#include "device/device_test_support.h"
#include "device/flight_download.h"
#include "device/qt/system_port_directory.h"
#include "device/recorder_protocol.h"
#include "device/zr7_recorder.h"
#include "flight/flight_file.h"

namespace tavo {
namespace {

using test::ScriptedPrompt;

class PtyDownload : public testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "pty_download_test";
        static char* argv[] = {name, nullptr};
        if (QCoreApplication::instance() == nullptr)
            s_app = new QCoreApplication(argc, argv);
    }

    // Starts zr7sim with `args` and returns the device path it printed.
    std::string StartSimulator(const QStringList& args) {
        m_sim.setProgram(QStringLiteral(TAVOKIT_BINARY_DIR "/tools/zr7sim/zr7sim"));
        m_sim.setArguments(args);
        m_sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_sim.start();
        if (!m_sim.waitForStarted(30000))
            return std::string();
        while (!m_sim.canReadLine() && m_sim.waitForReadyRead(30000)) {
        }
        return m_sim.readLine().trimmed().toStdString();
    }

    void TearDown() override {
        if (m_sim.state() != QProcess::NotRunning) {
            m_sim.terminate();
            if (!m_sim.waitForFinished(5000))
                m_sim.kill();
        }
    }

    static QCoreApplication* s_app;
    QProcess m_sim;
};

QCoreApplication* PtyDownload::s_app = nullptr;

TEST_F(PtyDownload, SixThousandSamplesComeBackAsTheServedFlight) {
    // The served flight goes to zr7sim as a flight file, as a user would give it.
    const std::vector<std::uint16_t> words = GenerateTestFlight(7000, 200, 512, 40);
    FlightRecord served;
    for (std::uint16_t w : words)
        served.m_pSamples.items().push_back(std::to_string(w));
    served.m_nSampleRate = 200;
    served.m_fTwoGeeFile = 40.0f;
    const std::string file =
        (std::filesystem::temp_directory_path() / "pty_download_served.flt").string();
    FileError error;
    ASSERT_TRUE(SaveFlightFile(file, served, error)) << error.message;

    const std::string device = StartSimulator({"--flight", QString::fromStdString(file)});
    ASSERT_EQ(device.rfind("/dev/", 0), 0u) << device;

    ScriptedPrompt sink;
    SystemPortDirectory ports;
    SerialLink link(ports, sink);
    link.m_strPortName = device;
    FlightDownload download(link);
    int lastCount = 0;
    int updates = 0;
    download.SetProgress([&](int count) {
        lastCount = count;
        ++updates;
    });
    ASSERT_EQ(download.DownloadFlight(6000), DownloadOutcome::Downloaded)
        << (sink.messages.empty() ? "" : sink.messages.front().text);
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(download.m_nSamplesReceived, 6008);
    EXPECT_EQ(updates, 751);
    EXPECT_EQ(lastCount, 6008);
    ASSERT_EQ(download.m_pReceived.size(), 6006u);
    for (std::size_t i = 0; i < download.m_pReceived.size(); ++i)
        ASSERT_EQ(download.m_pReceived[i], std::to_string(words[i])) << "sample " << i;
    EXPECT_EQ(download.m_description.m_nSampleRate, 200);
    EXPECT_EQ(download.m_description.m_fTwoGeeFile, 40.0f);
    std::filesystem::remove(file);
}

TEST_F(PtyDownload, SettingsWrittenOverThePortAreReadBack) {
    const std::string device = StartSimulator({"--samples", "100", "--firmware", "209"});
    ASSERT_FALSE(device.empty());
    ScriptedPrompt sink;
    SystemPortDirectory ports;
    SerialLink link(ports, sink);
    link.m_strPortName = device;
    RecorderProtocol protocol(link, ConnectReport::StatusList);
    ASSERT_TRUE(protocol.ConnectRecorder());
    RecorderIdentity id;
    protocol.IdentifyRecorder(id);
    EXPECT_EQ(id.m_strModel, "ZR7");
    EXPECT_EQ(id.m_nVersion, 209);
    RecorderSettings written;
    written.m_nSamplePeriod = 10;
    written.m_nEventDelay = 300;
    written.m_bBreakwire = true;
    ASSERT_TRUE(protocol.WriteSettings(written));
    RecorderSettings read;
    read.m_nSamplePeriod = 0;
    ASSERT_TRUE(protocol.ReadSettings(read));
    EXPECT_EQ(read.m_nSamplePeriod, 10);
    EXPECT_EQ(read.m_nEventDelay, 300);
    EXPECT_TRUE(read.m_bBreakwire);
    EXPECT_TRUE(read.m_bNormallyClosed);
    protocol.DisconnectRecorder();
}

TEST(SerialLink, ManualOpenOfAMissingDeviceGivesTheSystemReasonBelowTheText) {
    ScriptedPrompt sink;
    SystemPortDirectory ports;
    SerialLink link(ports, sink);
    link.m_strPortName = "/nonexistent/ttyZR7";
    EXPECT_FALSE(link.OpenPort());
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].text.rfind("COMM open error\n\n", 0), 0u) << sink.messages[0].text;
    EXPECT_NE(sink.messages[0].text.find("/nonexistent/ttyZR7: "), std::string::npos);
    EXPECT_TRUE(sink.status.empty());

    link.m_strPortName = "COM255:";
    EXPECT_FALSE(link.OpenPort());
    EXPECT_EQ(sink.messages.at(1).text,
              "COMM open error\n\nThere is no port COM255: on this machine.");
}

} // namespace
} // namespace tavo
