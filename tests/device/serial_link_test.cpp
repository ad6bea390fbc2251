#include "device/serial_link.h"

#include <gtest/gtest.h>

#include "device/device_test_support.h"
#include "device/port_directory.h"

namespace tavo {
namespace {

using test::BenchDirectory;
using test::HostBytes;
using test::ScriptedPrompt;
using Lines = std::vector<std::string>;

TEST(PortNames, ComNamesNumberPortsAndOtherNamesAreDevicePaths) {
    EXPECT_EQ(ComPortNumber("COM1:"), 1u);
    EXPECT_EQ(ComPortNumber("COM1"), 1u);
    EXPECT_EQ(ComPortNumber("com12"), 12u);
    EXPECT_EQ(ComPortNumber("\\\\.\\COM3"), 3u);
    EXPECT_EQ(ComPortNumber("COM255"), 255u);
    EXPECT_FALSE(ComPortNumber("COM0"));
    EXPECT_FALSE(ComPortNumber("COM256"));
    EXPECT_FALSE(ComPortNumber("COM1x"));
    EXPECT_FALSE(ComPortNumber("COM:"));
    EXPECT_FALSE(ComPortNumber("/dev/ttyUSB0"));

    BenchDirectory ports;
    ports.Add();
    ports.Add();
    EXPECT_EQ(ports.Resolve("COM2:"), "sim2");
    EXPECT_EQ(ports.Resolve("COM3:"), "");
    EXPECT_EQ(ports.Resolve("COM0"), "");
    EXPECT_EQ(ports.Resolve("/dev/ttyUSB0"), "/dev/ttyUSB0");
}

TEST(PortNames, DevicesSortByKindThenNumber) {
    std::vector<std::string> paths = {"/dev/ttyUSB0", "/dev/ttyS10", "/dev/ttyS2", "/dev/ttyACM1",
                                      "/dev/ttyS0"};
    std::sort(paths.begin(), paths.end(), DevicePathLess);
    EXPECT_EQ(paths,
              (Lines{"/dev/ttyACM1", "/dev/ttyS0", "/dev/ttyS2", "/dev/ttyS10", "/dev/ttyUSB0"}));
}

TEST(SerialLink, ManualOpenConfiguresTheLineAndPauses) {
    BenchDirectory ports;
    ports.Add();
    ScriptedPrompt sink;
    SerialLink link(ports, sink);
    link.m_strPortName = "COM1:";
    const std::int64_t start = ports.clock.NowMicros();
    ASSERT_TRUE(link.OpenPort());
    EXPECT_TRUE(link.m_bPortOpen);
    EXPECT_EQ(ports.clock.NowMicros() - start, 100000);
    const PortLineSettings& line = ports.lastPort->LineSettings();
    EXPECT_EQ(line.baudRate, 19200);
    EXPECT_EQ(line.dataBits, 8);
    EXPECT_FALSE(line.parity);
    EXPECT_EQ(line.stopBits, 1);
    EXPECT_TRUE(line.dtr);
    EXPECT_TRUE(line.rts);
    EXPECT_FALSE(line.hardwareFlowControl);
    EXPECT_FALSE(line.softwareFlowControl);
    const PortTimeouts& t = ports.lastPort->Timeouts();
    EXPECT_EQ(t.readInterval, 100);
    EXPECT_EQ(t.readTotalPerByte, 1);
    EXPECT_EQ(t.readTotalConstant, 100);
    EXPECT_EQ(t.writeTotalPerByte, -1); // the driver's own, untouched
    EXPECT_EQ(sink.events, Lines{"status: Comm port open"});
    link.ClosePort();
    EXPECT_FALSE(link.m_bPortOpen);
    EXPECT_EQ(sink.status.back(), "Comm port closed");
}

struct OpenFailure {
    PortFault fault;
    const char* text;
};

class OpenFailures : public testing::TestWithParam<OpenFailure> {};

TEST_P(OpenFailures, ManualOpenShowsTheStepAndLeavesThePortFree) {
    BenchDirectory ports;
    auto device = ports.Add();
    device->SetFault(GetParam().fault);
    ScriptedPrompt sink;
    SerialLink link(ports, sink);
    EXPECT_FALSE(link.OpenPort());
    EXPECT_FALSE(link.m_bPortOpen);
    // The port opened is named below the step's text.
    EXPECT_EQ(sink.events,
              Lines{std::string("message: ") + GetParam().text + "\n\nPort COM1: (sim1)"});
    // Whatever step failed, the device was let go.
    device->SetFault(PortFault::None);
    EXPECT_TRUE(link.OpenPort());
}

// What the failed detection's message ends with: what the user can check.
constexpr const char* kCheckRecorder =
    "Check that the recorder is connected and switched on, "
    "and that you may use the serial ports (on Linux: a member of the group dialout).";

TEST_P(OpenFailures, AutomaticProbeNamesThePortInStatusAndMessage) {
    BenchDirectory ports;
    ports.Add()->SetFault(GetParam().fault);
    ScriptedPrompt sink;
    SerialLink link(ports, sink);
    link.m_bAutoPort = true;
    EXPECT_FALSE(link.OpenPort());
    const std::string line = std::string("COM1-") + GetParam().text;
    if (GetParam().fault == PortFault::Busy) {
        // A busy port is listed but never probed.
        EXPECT_EQ(sink.events, (Lines{"status: Auto port", "message: Auto Port Open error\n\n" +
                                                               std::string("COM1 is in use by "
                                                                           "another program.\n") +
                                                               kCheckRecorder}));
        EXPECT_EQ(link.m_arrPortBusy, std::vector<unsigned>{1});
    } else {
        EXPECT_EQ(sink.events,
                  (Lines{"status: Auto port", "status: " + line, "message: " + line,
                         "message: Auto Port Open error\n\nNo recorder answered on COM1.\n" +
                             std::string(kCheckRecorder)}));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Steps, OpenFailures,
    testing::Values(OpenFailure{PortFault::Busy, "COMM open error"},
                    OpenFailure{PortFault::QueueSizes, "SetupCom error"},
                    OpenFailure{PortFault::GetLineSettings, "GetCommState error"},
                    OpenFailure{PortFault::SetLineSettings, "SetCommState error"},
                    OpenFailure{PortFault::Purge, "PurgeComm error"},
                    OpenFailure{PortFault::Timeouts, "SetCommTimeouts error"}));

TEST(AutomaticDetection, NoPortsAtAll) {
    BenchDirectory ports;
    ScriptedPrompt sink;
    SerialLink link(ports, sink);
    link.m_bAutoPort = true;
    EXPECT_FALSE(link.OpenPort());
    EXPECT_FALSE(link.m_bPortOpen);
    EXPECT_EQ(sink.events,
              (Lines{"status: Auto port", "message: No ports available",
                     std::string("message: Auto Port Open error\n\n") + kCheckRecorder}));
}

TEST(AutomaticDetection, AFailureNamesThePortsTriedAndTheBusyOnes) {
    BenchDirectory ports;
    Zr7Options modem;
    modem.buzzReply = "OK";
    ports.Add(modem);
    ports.Add()->SetFault(PortFault::Busy);
    ports.Add(modem);
    ports.Add()->SetFault(PortFault::Busy);
    ScriptedPrompt sink;
    SerialLink link(ports, sink);
    link.m_bAutoPort = true;
    EXPECT_FALSE(link.OpenPort());
    ASSERT_FALSE(sink.messages.empty());
    EXPECT_EQ(sink.messages.back().text,
              std::string("Auto Port Open error\n\nNo recorder answered on COM1, COM3. COM2, COM4 "
                          "are in use by other programs.\n") +
                  kCheckRecorder);
}

TEST(AutomaticDetection, SkipsBusyPortsAndDevicesThatAreNoRecorder) {
    BenchDirectory ports;
    Zr7Options modem;
    modem.buzzReply = "OK";
    auto other = ports.Add(modem);
    auto busy = ports.Add();
    auto recorder = ports.Add();
    Zr7Options answersE;
    answersE.buzzReply = "E";
    auto spare = ports.Add(answersE);
    ScriptedPrompt holder;
    SerialLink holding(ports, holder);
    holding.m_strPortName = "COM2";
    ASSERT_TRUE(holding.OpenPort());

    ScriptedPrompt sink;
    SerialLink link(ports, sink);
    link.m_bAutoPort = true;
    ASSERT_TRUE(link.OpenPort());
    EXPECT_EQ(link.m_arrPortNumbers, (std::vector<unsigned>{1, 2, 3, 4}));
    EXPECT_EQ(link.m_arrPortBusy, (std::vector<unsigned>{0, 1, 0, 0}));
    EXPECT_EQ(sink.events, (Lines{"status: Auto port", "status: COM1-Comm port open",
                                  "status: COM1-Connect failed!", "status: COM3-Comm port open",
                                  "status: Comm port open"}));
    EXPECT_EQ(HostBytes(*other), "B");
    EXPECT_EQ(HostBytes(*busy), "");
    EXPECT_EQ(HostBytes(*recorder), "B");
    EXPECT_EQ(HostBytes(*spare), "");
    // The probe's port is the link's port: the recorder hears what comes next.
    EXPECT_TRUE(link.WriteString("M"));
    EXPECT_EQ(HostBytes(*recorder), "BM");
}

TEST(AutomaticDetection, ProbeAnswers) {
    struct Case {
        const char* reply;
        int nuls;
        bool found;
    };
    const Case cases[] = {{"K", 0, true}, {"E", 0, true}, {"KK", 0, true}, {"X", 0, false},
                          {"", 0, false}, {"K", 9, true}, {"K", 10, false}};
    for (const Case& c : cases) {
        BenchDirectory ports;
        Zr7Options options;
        options.buzzReply = c.reply;
        options.nulsBeforeBuzzReply = c.nuls;
        ports.Add(options);
        ScriptedPrompt sink;
        SerialLink link(ports, sink);
        link.m_bAutoPort = true;
        EXPECT_EQ(link.OpenPort(), c.found) << '"' << c.reply << "\" after " << c.nuls << " NULs";
    }
}

TEST(AutomaticDetection, ASilentPortIsGivenTenReadsAfterItsPause) {
    BenchDirectory ports;
    Zr7Options silent;
    silent.buzzReply = "";
    ports.Add(silent);
    ScriptedPrompt sink;
    SerialLink link(ports, sink);
    const std::int64_t start = ports.clock.NowMicros();
    EXPECT_FALSE(link.ProbePort("COM1"));
    EXPECT_EQ(ports.clock.NowMicros() - start, 100000 + 10 * 101000);
    EXPECT_FALSE(link.ProbePort("/dev/ttyS0")); // only COM names are probed
}

TEST(SerialLink, WritesOnAClosedLinkSendNothing) {
    BenchDirectory ports;
    auto device = ports.Add();
    ScriptedPrompt sink;
    SerialLink link(ports, sink);
    EXPECT_FALSE(link.WriteString("B"));
    EXPECT_EQ(link.ReadReply(), "");
    EXPECT_EQ(link.ReadValue(true), 0);
    EXPECT_EQ(HostBytes(*device), "");
    EXPECT_TRUE(sink.events.empty());
}

TEST(SerialLink, AFailedWriteClosesThePort) {
    BenchDirectory ports;
    auto device = ports.Add();
    ScriptedPrompt sink;
    SerialLink link(ports, sink);
    ASSERT_TRUE(link.OpenPort());
    device->SetFault(PortFault::Write);
    EXPECT_FALSE(link.WriteString("B"));
    EXPECT_FALSE(link.m_bPortOpen);
    EXPECT_EQ(sink.events, (Lines{"status: Comm port open", "message: Write port error",
                                  "status: Comm port closed"}));
    device->SetFault(PortFault::None);
    EXPECT_FALSE(link.WriteString("B"));
    EXPECT_EQ(HostBytes(*device), "");
}

TEST(SerialLink, ValuesAreLowByteFirstAndAMissingByteIsZero) {
    BenchDirectory ports;
    auto device = ports.Add();
    ScriptedPrompt sink;
    SerialLink link(ports, sink);
    ASSERT_TRUE(link.OpenPort());
    {
        auto lock = device->Lock();
        device->Recorder().SetWord(6, 300);
    }
    link.WriteString("S");
    link.WriteString(std::string(1, '\x06'));
    EXPECT_EQ(link.ReadValue(true), 300);
    EXPECT_EQ(link.ReadReply(), "K");

    // A device that sends one byte only: that byte is the low byte, after one wait.
    link.WriteString("X"); // answered with the single byte "K"
    const std::int64_t start = ports.clock.NowMicros();
    EXPECT_EQ(link.ReadValue(true), 'K');
    EXPECT_EQ(ports.clock.NowMicros() - start, 101000);
}

TEST(SerialLink, RepliesFromADeviceThatNeverFallsSilentEndAt1024Bytes) {
    BenchDirectory ports;
    Zr7Options babbling;
    babbling.neverSilent = true;
    ports.Add(babbling);
    ScriptedPrompt sink;
    SerialLink link(ports, sink);
    ASSERT_TRUE(link.OpenPort());
    link.WriteString("M");
    EXPECT_EQ(link.ReadReply().size(), kMaxReplyBytes);
    TransferStop stop;
    stop.m_timeLastActivity = ports.clock.WholeSeconds();
    EXPECT_EQ(link.ReadReplyTerminated(stop).size(), kMaxReplyBytes);
    EXPECT_FALSE(stop.m_bStopRequest);
}

TEST(SerialLink, TerminatedReplyEndsAtKOrNewlineAndOnlyStopsForSilenceAfterTwoSeconds) {
    BenchDirectory ports;
    Zr7Options options;
    options.modelReply = "ZR\n7";
    auto device = ports.Add(options);
    ScriptedPrompt sink;
    SerialLink link(ports, sink);
    ASSERT_TRUE(link.OpenPort());
    TransferStop stop;
    stop.m_timeLastActivity = ports.clock.WholeSeconds();
    link.WriteString("V"); // two version bytes (210 = 0xD2, 0x00), then "K"
    EXPECT_EQ(link.ReadReplyTerminated(stop), std::string("\xD2\x00K", 3));
    link.WriteString("M");
    EXPECT_EQ(link.ReadReplyTerminated(stop), "ZR\n");
    EXPECT_EQ(link.ReadReplyTerminated(stop), "7");
    EXPECT_TRUE(stop.m_bStopRequest); // the "7" was followed by silence
    // Silence ends the reply only once more than two whole seconds have passed.
    stop.m_bStopRequest = false;
    stop.m_timeLastActivity = ports.clock.WholeSeconds();
    const std::int64_t start = ports.clock.NowMicros();
    EXPECT_EQ(link.ReadReplyTerminated(stop), "");
    const std::int64_t waited = ports.clock.NowMicros() - start;
    EXPECT_GT(waited, 2000000);
    EXPECT_LE(waited, 3101000);
    EXPECT_TRUE(stop.m_bStopRequest);
}

} // namespace
} // namespace tavo
