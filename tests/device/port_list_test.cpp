#include "device/port_list.h"

#include <gtest/gtest.h>

#include "device/device_test_support.h"

namespace tavo {
namespace {

// Two numbered devices, one with a description, as the lists show them.
class DescribedBench final : public PortDirectory {
public:
    std::vector<std::string> Devices() override { return {"/dev/ttyACM0", "/dev/ttyUSB0"}; }
    std::vector<DescribedDevice> DescribedDevices() override {
        return {{"/dev/ttyACM0", ""}, {"/dev/ttyUSB0", "FT232R USB UART (FTDI)"}};
    }
    std::unique_ptr<SerialPort> CreatePort(const std::string&) override {
        return std::make_unique<test::AbsentPort>();
    }
    Clock& PortClock() override { return m_clock; }

private:
    VirtualClock m_clock;
};

TEST(PortList, ListsEveryPortAndKeepsAStoredNameThatIsNotThere) {
    struct Case {
        const char* current;
        std::size_t entries;
        int selected;
    };
    const Case cases[] = {
        {"COM1:", 2, 0},        {"COM2", 2, 1},  {"com2:", 2, 1}, {"\\\\.\\COM2", 2, 1},
        {"/dev/ttyUSB0", 2, 1}, {"", 2, -1},     {"COM7:", 3, 2}, {"/dev/ttyUSB3", 3, 2},
        {"COM0", 3, 2},         {"COM2x", 3, 2},
    };
    DescribedBench ports;
    for (const Case& c : cases) {
        const std::vector<PortChoice> list = ListPortChoices(ports, c.current);
        ASSERT_EQ(list.size(), c.entries) << c.current;
        EXPECT_EQ(FindPortChoice(list, c.current), c.selected) << c.current;
        EXPECT_EQ(list[0].name, "COM1:");
        EXPECT_EQ(list[1].name, "COM2:");
        EXPECT_EQ(list[1].device, "/dev/ttyUSB0");
        EXPECT_EQ(list[1].description, "FT232R USB UART (FTDI)");
        if (c.entries == 3) {
            EXPECT_EQ(list[2].name, c.current);
            EXPECT_FALSE(list[2].present);
            EXPECT_EQ(list[2].description, kPortNotFound);
        }
    }
}

TEST(PortList, ADirectoryWithoutDescriptionsListsItsDevicesPlain) {
    test::BenchDirectory ports;
    ports.Add();
    ports.Add();
    const std::vector<PortChoice> list = ListPortChoices(ports, "COM3:");
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[1].device, "sim2");
    EXPECT_EQ(list[1].description, "");
    EXPECT_TRUE(list[1].present);
    EXPECT_FALSE(list[2].present);
}

} // namespace
} // namespace tavo
