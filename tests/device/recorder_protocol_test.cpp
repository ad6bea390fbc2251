#include "device/recorder_protocol.h"

#include <gtest/gtest.h>

#include "device/device_test_support.h"

namespace tavo {
namespace {

using test::BenchDirectory;
using test::HostBytes;
using test::HostTimesMs;
using test::ScriptedPrompt;
using Lines = std::vector<std::string>;
using Times = std::vector<std::int64_t>;

struct Bench {
    explicit Bench(Zr7Options options = {}, ConnectReport report = ConnectReport::StatusList)
        : device(ports.Add(std::move(options))), link(ports, sink), protocol(link, report) {}

    // Connects and forgets the bytes and lines of the connect.
    void Connected() {
        ASSERT_TRUE(protocol.ConnectRecorder());
        auto lock = device->Lock();
        device->ClearHostLog();
        sink = ScriptedPrompt{};
    }
    Zr7Recorder& Recorder() { return device->Recorder(); }

    BenchDirectory ports;
    std::shared_ptr<SimulatedDevice> device;
    ScriptedPrompt sink;
    SerialLink link;
    RecorderProtocol protocol;
};

TEST(Connect, OpensPausesAndBuzzes) {
    Bench b;
    const std::int64_t start = b.ports.clock.NowMicros();
    ASSERT_TRUE(b.protocol.ConnectRecorder());
    EXPECT_TRUE(b.protocol.m_bConnected);
    EXPECT_EQ(HostBytes(*b.device), "B");
    EXPECT_EQ(HostTimesMs(*b.device, start), Times{100});
    // The "K" came at once; the reply ends after 101 ms of silence.
    EXPECT_EQ(b.ports.clock.NowMicros() - start, 201000);
    EXPECT_EQ(b.sink.events, Lines{"status: Comm port open"});
}

TEST(Connect, AutomaticDetectionBuzzesTwice) {
    Bench b;
    b.link.m_bAutoPort = true;
    ASSERT_TRUE(b.protocol.ConnectRecorder());
    EXPECT_EQ(HostBytes(*b.device), "BB");
    EXPECT_EQ(b.sink.events, (Lines{"status: Auto port", "status: COM1-Comm port open",
                                    "status: Comm port open"}));
}

TEST(Connect, HandshakeAnswers) {
    struct Case {
        const char* reply;
        int nuls;
        bool connected;
    };
    // The probe skips NULs, the handshake does not: "\0K" is not the reply "K".
    const Case cases[] = {{"K", 0, true},  {"E", 0, true}, {"KK", 0, false},
                          {"K", 2, false}, {"", 0, false}, {"ZR7K", 0, false}};
    for (const Case& c : cases) {
        Zr7Options options;
        options.buzzReply = c.reply;
        options.nulsBeforeBuzzReply = c.nuls;
        Bench b(options);
        const std::int64_t start = b.ports.clock.NowMicros();
        EXPECT_EQ(b.protocol.ConnectRecorder(), c.connected) << c.reply;
        EXPECT_EQ(b.protocol.m_bConnected, c.connected);
        EXPECT_EQ(b.link.m_bPortOpen, c.connected);
        if (!c.connected) {
            ASSERT_EQ(b.sink.events.size(), 4u) << c.reply;
            EXPECT_EQ(b.sink.events[1], "status: Connect failed!");
            // The reason follows, naming the port.
            EXPECT_NE(b.sink.events[2].find("COM1: (sim1)"), std::string::npos) << c.reply;
            EXPECT_EQ(b.sink.events.back(), "status: Comm port closed");
        }
        if (std::string(c.reply).empty()) {
            // Ten silent replies of 101 ms each after the open's pause.
            EXPECT_EQ(b.ports.clock.NowMicros() - start, 100000 + 10 * 101000);
        }
    }
}

TEST(Connect, TheDownloadsMessageBoxNamesThePortAndWhyTheHandshakeFailed) {
    struct Case {
        const char* reply;
        PortFault fault;
        Lines messages;
    } cases[] = {
        {"X\x01",
         PortFault::None,
         {"Connect failed!\n\nCOM1: (sim1) answered \"X\\x01\", not the recorder's K or E."}},
        {"",
         PortFault::None,
         {"Connect failed!\n\nNo answer on COM1: (sim1). Check that the recorder is connected "
          "to this port and switched on."}},
        {"K",
         PortFault::Write,
         {"Write port error",
          "Connect failed!\n\nThe handshake could not be sent on COM1: (sim1)."}},
    };
    for (const Case& c : cases) {
        Zr7Options options;
        options.buzzReply = c.reply;
        Bench b(options, ConnectReport::MessageBox);
        b.device->SetFault(c.fault);
        EXPECT_FALSE(b.protocol.ConnectRecorder());
        EXPECT_EQ(b.sink.MessageTexts(), c.messages);
        EXPECT_FALSE(b.link.m_bPortOpen);
    }
}

TEST(Connect, ReconnectClosesFirstAndDisconnectReports) {
    Bench b;
    b.Connected();
    ASSERT_TRUE(b.protocol.ConnectRecorder());
    b.protocol.DisconnectRecorder();
    EXPECT_FALSE(b.protocol.m_bConnected);
    EXPECT_FALSE(b.link.m_bPortOpen);
    EXPECT_EQ(b.sink.status,
              (Lines{"Comm port closed", "Comm port open", "Comm port closed", "Disconnected"}));
}

TEST(Identify, ReadsModelSerialAndVersionWithTheirPauses) {
    Zr7Options options;
    options.serialNumber = 4321;
    Bench b(options);
    b.Connected();
    RecorderIdentity id;
    const std::int64_t start = b.ports.clock.NowMicros();
    b.protocol.IdentifyRecorder(id);
    EXPECT_EQ(id.m_strModel, "ZR7");
    EXPECT_EQ(id.m_strSerialNumber, "4321");
    EXPECT_EQ(id.m_strVersion, "210");
    EXPECT_TRUE(b.protocol.m_bFullFeatures);
    EXPECT_TRUE(b.sink.messages.empty());
    EXPECT_EQ(HostBytes(*b.device), std::string("MS\0V", 4));
    // "M" at once, its reply ends 101 ms after "ZR7K"; "S" then 100 ms, the address,
    // two bytes and "K" then 101 ms of silence; "V" at once.
    EXPECT_EQ(HostTimesMs(*b.device, start), (Times{0, 101, 201, 302}));
}

TEST(Identify, FirmwareGateAndModelReplies) {
    struct Case {
        int firmware;
        const char* model;
        bool full;
        const char* shown;
    };
    const Case cases[] = {{209, "ZR7K", false, "ZR7"},
                          {210, "ZR7K", true, "ZR7"},
                          {300, "ZR7", true, "previous"},
                          {210, "ZR7KX", true, "previous"},
                          {210, "", true, "previous"}};
    for (const Case& c : cases) {
        Zr7Options options;
        options.firmwareVersion = c.firmware;
        options.modelReply = c.model;
        Bench b(options);
        b.Connected();
        RecorderIdentity id;
        id.m_strModel = "previous";
        b.protocol.IdentifyRecorder(id);
        EXPECT_EQ(b.protocol.m_bFullFeatures, c.full) << c.firmware;
        EXPECT_EQ(id.m_strModel, c.shown) << c.model;
        EXPECT_EQ(id.m_nVersion, c.firmware);
        EXPECT_EQ(b.sink.MessageTexts(), c.full ? Lines{} : Lines{kFirmwareMessage});
    }
}

TEST(Identify, ASilentRecorderIsSerialZeroVersionZero) {
    Bench b;
    b.Connected();
    b.link.ClosePort(); // every read now finds nothing
    RecorderIdentity id;
    b.protocol.IdentifyRecorder(id);
    EXPECT_EQ(id.m_strSerialNumber, "0");
    EXPECT_EQ(id.m_strVersion, "0");
    EXPECT_FALSE(b.protocol.m_bFullFeatures);
    EXPECT_EQ(b.sink.MessageTexts(), Lines{kFirmwareMessage});
}

TEST(Memory, WriteSendsLowHighAddressWithPauses) {
    struct Case {
        int address;
        long value;
        std::string bytes;
        int stored;
    };
    const Case cases[] = {{10, 512, std::string("R\x00\x02\x0A", 4), 512},
                          {6, 300, std::string("R\x2C\x01\x06", 4), 300},
                          {6, 65536, std::string("R\x00\x00\x06", 4), 0}};
    for (const Case& c : cases) {
        Bench b;
        b.Connected();
        const std::int64_t start = b.ports.clock.NowMicros();
        EXPECT_TRUE(b.protocol.WriteMemory(c.address, c.value));
        EXPECT_EQ(HostBytes(*b.device), c.bytes);
        EXPECT_EQ(HostTimesMs(*b.device, start), (Times{0, 100, 200, 300}));
        EXPECT_EQ(b.ports.clock.NowMicros() - start, 401000);
        auto lock = b.device->Lock();
        EXPECT_EQ(b.Recorder().Word(c.address), c.stored);
    }
}

TEST(Memory, ReadSendsTheAddressAsOneRawByteAndByteReadsKeepTheLowByte) {
    Bench b;
    b.Connected();
    {
        auto lock = b.device->Lock();
        b.Recorder().SetWord(16, 0x12C8);
    }
    const std::int64_t start = b.ports.clock.NowMicros();
    int value = 0;
    EXPECT_TRUE(b.protocol.ReadMemory(16, true, value));
    EXPECT_EQ(value, 0x12C8);
    EXPECT_TRUE(b.protocol.ReadMemory(16, false, value));
    EXPECT_EQ(value, 0xC8);
    EXPECT_EQ(HostBytes(*b.device), std::string("S\x10S\x10", 4));
    EXPECT_EQ(HostTimesMs(*b.device, start), (Times{0, 100, 201, 301}));
}

TEST(Settings, ReadConvertsEveryWord) {
    Bench b;
    b.Connected();
    {
        auto lock = b.device->Lock();
        Zr7Recorder& r = b.Recorder();
        r.SetWord(2, 10);
        r.SetWord(10, 512);
        r.SetWord(4, 0x0207); // byte-sized: mode 7
        r.SetWord(6, 300);
        r.SetWord(8, 0x0122); // byte-sized: 34
        r.SetWord(16, 150);
        r.SetWord(18, 3);
        r.SetWord(20, 0x21);
    }
    RecorderSettings s;
    std::vector<int> order;
    EXPECT_TRUE(b.protocol.ReadSettings(s, [&](int address) { order.push_back(address); }));
    EXPECT_EQ(order, (std::vector<int>{2, 10, 4, 6, 8, 16, 18, 20}));
    EXPECT_EQ(s.m_nSamplePeriod, 10);
    EXPECT_EQ(PeriodToRate(s.m_nSamplePeriod), 100);
    EXPECT_EQ(s.m_nPreLaunchSamples, 256);
    EXPECT_EQ(s.m_nEventMode, 7);
    EXPECT_EQ(s.m_nEventDelay, 300);
    EXPECT_EQ(s.m_nTwoGeeValue, 34);
    EXPECT_EQ(s.m_nActionTime, 150);
    EXPECT_EQ(s.m_nBurnOutNumber, 3);
    EXPECT_TRUE(s.m_bBreakwire);
    EXPECT_TRUE(s.m_bNormallyClosed);
    EXPECT_EQ(b.sink.status, Lines{"Loaded data from TAVO"});
}

TEST(Settings, FlagsWords) {
    bool breakwire = false, closed = false;
    WordToFlags(0x21, breakwire, closed);
    EXPECT_TRUE(breakwire && closed);
    WordToFlags(0x01, breakwire, closed);
    EXPECT_TRUE(breakwire && !closed);
    WordToFlags(0x20, breakwire, closed);
    EXPECT_TRUE(!breakwire && closed);
    EXPECT_EQ(FlagsToWord(true, true), 0x21);
    EXPECT_EQ(FlagsToWord(false, false), 0);
    EXPECT_EQ(RateToPeriod(125), 8);
    EXPECT_EQ(RateToPeriod(1000), 1);
    EXPECT_EQ(RateToPeriod(0), 0);
    EXPECT_EQ(PeriodToRate(0), 0);
    EXPECT_EQ(WordToPreLaunch(512), 256);
}

TEST(Settings, AReadRefusedAtTheThirdWordKeepsTheFirstTwo) {
    Zr7Options options;
    options.refusedAddresses = {4};
    Bench b(options);
    b.Connected();
    {
        auto lock = b.device->Lock();
        b.Recorder().SetWord(2, 20);
        b.Recorder().SetWord(10, 1024);
        b.Recorder().SetWord(6, 999);
    }
    RecorderSettings s;
    EXPECT_FALSE(b.protocol.ReadSettings(s));
    EXPECT_EQ(s.m_nSamplePeriod, 20);
    EXPECT_EQ(s.m_nPreLaunchSamples, 512);
    EXPECT_EQ(s.m_nEventMode, RecorderSettings{}.m_nEventMode);
    EXPECT_EQ(s.m_nEventDelay, RecorderSettings{}.m_nEventDelay);
    EXPECT_EQ(b.sink.events,
              (Lines{"status: FAILED getting TAVO data!", "message: FAILED getting TAVO data!"}));
}

TEST(Settings, WriteStoresEveryWordInOrderInALittleOverThreeSeconds) {
    Bench b;
    b.Connected();
    RecorderSettings s;
    s.m_nSamplePeriod = 2;
    s.m_nPreLaunchSamples = 1024;
    s.m_nEventMode = 2;
    s.m_nEventDelay = 65536;
    s.m_nTwoGeeValue = 41;
    s.m_nActionTime = 100;
    s.m_nBurnOutNumber = 5;
    s.m_bBreakwire = true;
    s.m_bNormallyClosed = false;
    const std::int64_t start = b.ports.clock.NowMicros();
    EXPECT_TRUE(b.protocol.WriteSettings(s));
    EXPECT_EQ(b.ports.clock.NowMicros() - start, 8 * 401000);
    const std::string bytes = HostBytes(*b.device);
    ASSERT_EQ(bytes.size(), 32u);
    std::string addresses;
    for (std::size_t i = 3; i < bytes.size(); i += 4)
        addresses.push_back(bytes[i]);
    EXPECT_EQ(addresses, std::string("\x02\x0A\x04\x06\x08\x10\x12\x14", 8));
    auto lock = b.device->Lock();
    Zr7Recorder& r = b.Recorder();
    EXPECT_EQ(r.Word(2), 2);
    EXPECT_EQ(r.Word(10), 2048);
    EXPECT_EQ(r.Word(4), 2);
    EXPECT_EQ(r.Word(6), 0);
    EXPECT_EQ(r.Word(8), 41);
    EXPECT_EQ(r.Word(16), 100);
    EXPECT_EQ(r.Word(18), 5);
    EXPECT_EQ(r.Word(20), 1);
    EXPECT_EQ(b.sink.status, Lines{"Stored data to TAVO"});
}

TEST(Settings, WriteRaisesASmallPreLaunchBufferAndStopsAtARefusal) {
    Zr7Options options;
    options.refusedAddresses = {6};
    Bench b(options);
    b.Connected();
    RecorderSettings s;
    s.m_nPreLaunchSamples = 12;
    s.m_nEventMode = 1;
    EXPECT_FALSE(b.protocol.WriteSettings(s));
    EXPECT_EQ(s.m_nPreLaunchSamples, 64);
    EXPECT_EQ(b.sink.events,
              (Lines{"status: Pre-launch buffer under range! Setting to 64",
                     "message: Pre-launch buffer under range!\nSetting to 64",
                     "status: FAILED setting TAVO data!", "message: FAILED setting TAVO data!"}));
    auto lock = b.device->Lock();
    EXPECT_EQ(b.Recorder().Word(10), 128); // written before the refusal
    EXPECT_EQ(b.Recorder().Word(4), 1);
    EXPECT_EQ(b.Recorder().Word(16), 200); // never reached
}

TEST(Settings, ReadWhileNotConnectedConnectsFirst) {
    Bench b;
    RecorderSettings s;
    EXPECT_TRUE(b.protocol.ReadSettings(s));
    EXPECT_TRUE(b.protocol.m_bConnected);
    EXPECT_EQ(HostBytes(*b.device).substr(0, 2), "BS");
    EXPECT_EQ(b.sink.status, (Lines{"Comm port open", "Loaded data from TAVO"}));
}

TEST(Sensor, SendsAPausesAndReadsTheWord) {
    Bench b;
    b.Connected();
    {
        auto lock = b.device->Lock();
        b.Recorder().SetFlight({620, 700}, 100, 40);
    }
    const std::int64_t start = b.ports.clock.NowMicros();
    EXPECT_EQ(b.protocol.ReadSensor(), 620);
    EXPECT_EQ(HostBytes(*b.device), "A");
    // The pause, then the two bytes at once and the "K" reply with its silence.
    EXPECT_EQ(b.ports.clock.NowMicros() - start, 100000 + 101000);
}

} // namespace
} // namespace tavo
