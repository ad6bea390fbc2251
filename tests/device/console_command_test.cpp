#include "device/console_command.h"

#include <gtest/gtest.h>

#include "device/device_test_support.h"

namespace tavo {
namespace {

using test::BenchDirectory;
using test::HostBytes;
using test::HostTimesMs;
using test::ScriptedPrompt;
using Times = std::vector<std::int64_t>;

struct Console {
    Console() : device(ports.Add()), link(ports, sink) {
        link.OpenPort();
        auto lock = device->Lock();
        device->Recorder().SetWord(10, 512);
    }
    std::string Send(const std::string& command, unsigned value = 0, unsigned address = 0,
                     bool confirm = true) {
        {
            auto lock = device->Lock();
            device->ClearHostLog();
        }
        start = ports.clock.NowMicros();
        return SendConsoleCommand(link, command, value, address, [&] {
            ++questions;
            return confirm;
        });
    }
    BenchDirectory ports;
    std::shared_ptr<SimulatedDevice> device;
    ScriptedPrompt sink;
    SerialLink link;
    std::int64_t start = 0;
    int questions = 0;
};

TEST(ConsoleCommand, ReadMemoryShowsTheValueThenTheReply) {
    Console c;
    EXPECT_EQ(c.Send("S", 0, 10), "512K");
    EXPECT_EQ(HostBytes(*c.device), "S\x0A");
    EXPECT_EQ(HostTimesMs(*c.device, c.start), (Times{0, 100}));
    // Only the first character chooses; the whole text is sent, so this recorder takes
    // the "x" for the address (120, an empty word) and refuses the stray address byte.
    EXPECT_EQ(c.Send("Sx", 0, 10), "0KE");
    EXPECT_EQ(HostBytes(*c.device), "Sx\x0A");
}

TEST(ConsoleCommand, WriteAsksFirstAndSendsWithPauses) {
    Console c;
    EXPECT_EQ(c.Send("R", 300, 6, false), "");
    EXPECT_EQ(c.questions, 1);
    EXPECT_EQ(HostBytes(*c.device), "");
    EXPECT_EQ(c.Send("R", 300, 6), "K");
    EXPECT_EQ(HostBytes(*c.device), "R\x2C\x01\x06");
    EXPECT_EQ(HostTimesMs(*c.device, c.start), (Times{0, 100, 200, 300}));
    auto lock = c.device->Lock();
    EXPECT_EQ(c.device->Recorder().Word(6), 300);
}

TEST(ConsoleCommand, OtherFirstCharactersAndTheirPauses) {
    Console c;
    EXPECT_EQ(c.Send("s"), "Invalid command");
    EXPECT_EQ(c.Send("C"), "Invalid command");
    EXPECT_EQ(c.Send(""), "Invalid command");
    EXPECT_EQ(HostBytes(*c.device), "");
    EXPECT_EQ(c.Send("M"), "ZR7K");
    EXPECT_EQ(c.Send("V"), "210K");
    EXPECT_EQ(c.Send("B"), "K");
    // The buzz waits 500 ms before its reply is read, then 101 ms of silence end it.
    EXPECT_EQ(c.ports.clock.NowMicros() - c.start, 601000);
    EXPECT_EQ(c.Send("A"), std::to_string(512) + "K");
    EXPECT_EQ(HostTimesMs(*c.device, c.start), Times{0});
    c.link.ClosePort();
    EXPECT_EQ(c.Send("S", 0, 10), "0"); // a silent recorder: 0 and no reply
}

} // namespace
} // namespace tavo
