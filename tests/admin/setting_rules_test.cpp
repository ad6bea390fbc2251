// The recorder settings' rules as the command line applies them, with their messages;
// the dialog's side of the same rules is in administer_logic_test.cpp.

#include "admin/setting_rules.h"

#include <gtest/gtest.h>

namespace tavo {
namespace {

TEST(SettingRules, EachKeyIsTakenOrRefusedWithItsRulesMessage) {
    struct Case {
        const char* assignment;
        const char* error; // empty: taken
    };
    const Case cases[] = {
        {"sampleRate=125", ""},
        {"sampleRate=30", "sampleRate: the recorder offers 4, 8, 10, 20, 25, 40, 50, 100, 125, "
                          "200, 250, 500 and 1000 Hz"},
        {"sampleRate=2000", "sampleRate: Please enter an integer between 1 and 1000."},
        {"eventDelay=65536", ""},
        {"eventDelay=0", "eventDelay: Please enter an integer between 1 and 65536."},
        {"burnOutNumber=two", "burnOutNumber: Please enter an integer."},
        {"eventMode=7", ""},
        {"eventMode=3", "eventMode: 1 (launch), 2 (burn-out), 4 (apogee) or 7"},
        {"eventMode=apogee", "eventMode: 1 (launch), 2 (burn-out), 4 (apogee) or 7"},
        {"breakwire=true", ""},
        {"normallyClosed=yes", "normallyClosed: expected 0, 1, true or false"},
        {"colour=red", "unknown setting 'colour'"},
        {"eventDelay", "expected KEY=VALUE, got 'eventDelay'"},
    };
    for (const Case& c : cases) {
        RecorderSettings settings;
        std::string error;
        EXPECT_EQ(ApplySettingAssignment(c.assignment, settings, error), *c.error == '\0')
            << c.assignment;
        EXPECT_EQ(error, c.error) << c.assignment;
    }
    RecorderSettings s;
    std::string error;
    for (const char* a : {"sampleRate=125", "eventMode=7", "breakwire=1", "normallyClosed=0"})
        ASSERT_TRUE(ApplySettingAssignment(a, s, error)) << a;
    EXPECT_EQ(s.m_nSamplePeriod, 8);
    EXPECT_EQ(s.m_nEventMode, 7);
    EXPECT_TRUE(s.m_bBreakwire);
    EXPECT_FALSE(s.m_bNormallyClosed);
    // The dialog's radios and the modes they stand for, 7 shown as launch.
    EXPECT_EQ(EventModeOf(EventRadioOf(2)), 2);
    EXPECT_EQ(EventRadioOf(7), kEventLaunch);
    EXPECT_EQ(EventModeOf(3), -1);
}

} // namespace
} // namespace tavo
