// The demo recorder of `tavokit --demo`: installed in-process as port 1, found by
// automatic detection and by "COM1:", serving the demo flight on the real clock.

#include <QCoreApplication>
#include <algorithm>
#include <gtest/gtest.h>

#include "device/device_test_support.h"
#include "device/flight_download.h"
#include "device/qt/demo_recorder.h"
#include "device/qt/system_port_directory.h"
#include "device/served_flight.h"

namespace tavo {
namespace {

TEST(DemoRecorder, AutomaticDetectionAndCom1FindItAndItServesTheDemoFlight) {
    static int argc = 1;
    static char name[] = "demo_recorder_test";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr)
        new QCoreApplication(argc, argv);

    ServedFlight demo;
    std::string error;
    ASSERT_TRUE(LoadServedFlight(TAVOKIT_SOURCE_DIR "/data/demo.flt", demo, error)) << error;
    SystemPortDirectory ports;
    InstallDemoRecorder(ports, TAVOKIT_SOURCE_DIR "/data/demo.flt");
    ASSERT_FALSE(ports.Devices().empty());
    EXPECT_EQ(ports.Devices().front(), kDemoDeviceName);
    // The demo belongs to the directory it was installed in, and goes with it.
    const std::vector<std::string> machine = SystemPortDirectory().Devices();
    EXPECT_EQ(std::count(machine.begin(), machine.end(), kDemoDeviceName), 0);

    for (bool automatic : {true, false}) {
        test::ScriptedPrompt sink;
        SerialLink link(ports, sink);
        link.m_bAutoPort = automatic;
        link.m_strPortName = "COM1:";
        FlightDownload download(link);
        ASSERT_EQ(download.DownloadFlight(600), DownloadOutcome::Downloaded) << automatic;
        if (automatic) {
            EXPECT_EQ(sink.status.at(1), "COM1-Comm port open");
        }
        ASSERT_EQ(download.m_pReceived.size(), 606u);
        for (std::size_t i = 0; i < download.m_pReceived.size(); ++i)
            ASSERT_EQ(download.m_pReceived[i], std::to_string(demo.words[i])) << i;
        EXPECT_EQ(download.m_description.m_nSampleRate, demo.sampleRate);
    }
}

} // namespace
} // namespace tavo
