// The command console and calibration on the Administer dialog's link.

#include "admin/command_logic.h"

#include <gtest/gtest.h>

#include "admin/admin_test_support.h"

namespace tavo {
namespace {

using test::AdminBench;
using test::HostBytes;
using Lines = std::vector<std::string>;

struct Connected : AdminBench {
    Connected() {
        logic.OnConnect();
        ClearHostLog();
        user = test::ScriptedPrompt{};
    }
};

// The first-character table itself is the device's (console_command_test.cpp); here the
// fields' texts reach the frame and the write question reaches the user.
TEST(CommandConsole, SendsTheFieldsAndAsksBeforeAWrite) {
    Connected b;
    b.SetWords({{10, 512}});
    CommandLogic console(b.logic.Link(), b.user);
    ASSERT_TRUE(console.Send("S", "0", " 10 "));
    EXPECT_EQ(console.Reply(), "512K");
    b.user.okCancel = Answer::Cancel;
    ASSERT_TRUE(console.Send("R", "300", "6"));
    EXPECT_EQ(b.user.QuestionTexts(), Lines{kWriteMemoryQuestion});
    EXPECT_EQ(b.user.questions[0].severity, Severity::Warning);
    EXPECT_EQ(console.Reply(), ""); // emptied, nothing sent
    EXPECT_EQ(b.Word(6), 1);
    b.user.okCancel = Answer::Ok;
    ASSERT_TRUE(console.Send("R", "300", "6"));
    EXPECT_EQ(console.Reply(), "K");
    EXPECT_EQ(HostBytes(*b.device), std::string("S\x0AR\x2C\x01\x06", 6));
    EXPECT_EQ(b.Word(6), 300);
}

TEST(CommandConsole, ARefusedValueOrAddressSendsNothing) {
    struct Case {
        const char* value;
        const char* address;
        const char* message;
        CommandField field;
    };
    const Case cases[] = {
        {"abc", "6", "Please enter a positive integer.", CommandField::Value},
        {"-1", "6", "Please enter a positive integer.", CommandField::Value},
        {"65536", "6", "Please enter an integer between 0 and 65535.", CommandField::Value},
        {"300", "256", "Please enter an integer between 0 and 255.", CommandField::Address},
        {"300", "x", "Please enter an integer between 0 and 255.", CommandField::Address},
        {"300", "-1", "Please enter an integer between 0 and 255.", CommandField::Address},
    };
    for (const Case& c : cases) {
        Connected b;
        CommandLogic console(b.logic.Link(), b.user);
        EXPECT_FALSE(console.Send("R", c.value, c.address)) << c.value << " " << c.address;
        EXPECT_EQ(console.RefusedField(), c.field);
        EXPECT_EQ(b.user.MessageTexts(), Lines{c.message});
        EXPECT_TRUE(b.user.questions.empty());
        EXPECT_EQ(HostBytes(*b.device), "");
    }
}

TEST(CommandConsole, HelpListsTheCommands) {
    Connected b;
    CommandLogic console(b.logic.Link(), b.user);
    console.Help();
    ASSERT_EQ(b.user.messages.size(), 1u);
    EXPECT_EQ(b.user.messages[0].caption, "Help");
    EXPECT_EQ(b.user.messages[0].text,
              "M = Report Model\nV = Report Version\nR = Write memory\nS = Read memory\n"
              "B = Buzz buzzer\nF = Fire Output\nA = Read sensor\n");
    EXPECT_EQ(HostBytes(*b.device), "");
}

TEST(Calibration, ShowsTheDifferenceOnceBothReadingsAreIn) {
    Connected b;
    CalibrateLogic calibration(b.logic.Protocol(), b.user, b.logic.Settings().m_nTwoGeeValue);
    auto reading = [&](int value) {
        auto lock = b.device->Lock();
        b.device->Recorder().SetFlight({static_cast<std::uint16_t>(value)}, 0, 15);
    };
    EXPECT_EQ(calibration.ReadingText(0), "");
    EXPECT_EQ(calibration.DifferenceText(), "");
    struct Step {
        int slot;
        int value;
        const char* first;
        const char* second;
        const char* difference;
    };
    const Step steps[] = {
        {0, 620, "620", "", ""}, {1, 400, "620", "400", "220"}, {0, 615, "615", "400", "215"},
        {0, 0, "0", "400", ""},  {1, 300, "0", "300", ""},      {0, 450, "450", "300", "150"},
    };
    for (const Step& s : steps) {
        reading(s.value);
        calibration.OnRead(s.slot);
        EXPECT_EQ(calibration.ReadingText(0), s.first) << s.value;
        EXPECT_EQ(calibration.ReadingText(1), s.second) << s.value;
        EXPECT_EQ(calibration.DifferenceText(), s.difference) << s.value;
    }
    // Each READ is "A", a pause, the value and its reply; nothing is written.
    EXPECT_EQ(HostBytes(*b.device), std::string(6, 'A'));
}

TEST(Calibration, OkTakesTheTypedValueWithinTheRecordersWord) {
    Connected b;
    struct Case {
        const char* text;
        bool taken;
        int value;
        const char* message;
    };
    const Case cases[] = {{"220", true, 220, ""},
                          {"0", true, 0, ""},
                          {"65535", true, 65535, ""},
                          {"abc", false, 15, "Please enter an integer."},
                          {"-1", false, 15, "Please enter an integer between 0 and 65535."},
                          {"70000", false, 15, "Please enter an integer between 0 and 65535."}};
    for (const Case& c : cases) {
        b.user.messages.clear();
        CalibrateLogic calibration(b.logic.Protocol(), b.user, 15);
        EXPECT_EQ(calibration.OnOK(c.text), c.taken) << c.text;
        EXPECT_EQ(calibration.TwoGeeValue(), c.value) << c.text;
        EXPECT_EQ(b.user.MessageTexts(), *c.message ? Lines{c.message} : Lines{}) << c.text;
    }
}

} // namespace
} // namespace tavo
