// The Administer dialog's rules against the simulated recorder on virtual time: what a
// user meets from opening the dialog to closing it.

#include "admin/administer_logic.h"

#include <gtest/gtest.h>

#include "admin/admin_test_support.h"

namespace tavo {
namespace {

using test::AdminBench;
using test::HostBytes;
using Lines = std::vector<std::string>;

TEST(AdministerOpen, ShowsTheDefaultsWithoutAWordToTheRecorder) {
    AdminBench b; // the values shown are checked on the widgets (administer_dlg_test.cpp)
    EXPECT_EQ(b.Rate(), "200 Hz");
    EXPECT_EQ(b.PreLaunch(), "256 samples");
    EXPECT_FALSE(b.logic.View().connected);
    EXPECT_FALSE(b.logic.IsModified());
    b.logic.OnSetDefaults();
    EXPECT_FALSE(b.logic.IsModified());
    EXPECT_TRUE(b.user.events.empty());
    EXPECT_EQ(HostBytes(*b.device), "");
}

TEST(AdministerConnect, IdentifiesReadsAndShowsTheRecordersValues) {
    AdminBench b;
    b.SetWords({{2, 10}, {10, 1024}, {4, 2}, {6, 300}, {8, 40}, {16, 150}, {18, 3}, {20, 0x21}});
    b.logic.OnConnect();
    EXPECT_EQ(b.user.events, (Lines{"busy", "status: Comm port open", "status: Connected",
                                    "status: Loaded data from TAVO", "idle"}));
    const AdministerView& v = b.logic.View();
    EXPECT_TRUE(v.connected);
    EXPECT_EQ(v.m_strModel, "ZR7");
    EXPECT_EQ(v.m_strVersion, "210");
    EXPECT_EQ(v.m_strSerialNumber, "1234");
    EXPECT_EQ(b.Rate(), "100 Hz");
    EXPECT_EQ(b.PreLaunch(), "512 samples");
    EXPECT_EQ(v.eventRadio, kEventBurnOut);
    EXPECT_EQ(v.eventDelay, "300");
    EXPECT_EQ(v.m_strTwoGee, "40");
    EXPECT_EQ(v.actionTime, "150");
    EXPECT_EQ(v.burnOutNumber, "3");
    EXPECT_TRUE(v.breakwire);
    EXPECT_EQ(v.contactRadio, 1);
    EXPECT_FALSE(b.logic.IsModified());

    b.logic.OnConnect(); // now reads "Disconnect"
    EXPECT_FALSE(b.logic.View().connected);
    EXPECT_EQ(b.user.status.back(), "Disconnected");
    EXPECT_EQ(b.user.status.end()[-2], "Comm port closed");
}

TEST(AdministerConnect, TheFirmwareGateMovesTheSevenControlsTogether) {
    struct Case {
        int version;
        bool enabled;
        Lines messages;
    };
    const Case cases[] = {
        {209, false, {kFirmwareMessage}}, {210, true, {}}, {0, false, {kFirmwareMessage}}};
    for (const Case& c : cases) {
        Zr7Options options;
        options.firmwareVersion = c.version;
        AdminBench b(options);
        b.logic.OnConnect();
        const AdministerView& v = b.logic.View();
        EXPECT_EQ(v.launchDetectEnabled, c.enabled) << c.version;
        EXPECT_EQ(v.burnOutEnabled, c.enabled) << c.version;
        EXPECT_EQ(v.contactEnabled, c.enabled) << c.version;
        EXPECT_EQ(b.user.MessageTexts(), c.messages) << c.version;
        // Reading keeps the gate's states: the event and breakwire do not move them.
        b.SetWords({{4, 1}, {20, 0}});
        b.logic.OnReadValues();
        EXPECT_EQ(b.logic.View().burnOutEnabled, c.enabled) << c.version;
        EXPECT_EQ(b.logic.View().contactEnabled, c.enabled) << c.version;
    }
}

TEST(AdministerConnect, IdentifyingAloneSendsOnlyTheHandshakeAndOneMemoryRead) {
    AdminBench b;
    ASSERT_TRUE(b.logic.ConnectAndIdentify());
    EXPECT_EQ(HostBytes(*b.device), std::string("BMS\0V", 5));
    EXPECT_EQ(b.logic.Identity().m_strModel, "ZR7");
    EXPECT_EQ(b.logic.Identity().m_nSerialNumber, 1234);
    EXPECT_EQ(b.logic.Identity().m_nVersion, 210);
    EXPECT_TRUE(b.logic.FullFeatures());
}

TEST(AdministerRead, EventModeSevenShowsLaunchAndIsWrittenBackAsSeven) {
    AdminBench b;
    b.SetWords({{4, 7}});
    b.logic.OnConnect();
    EXPECT_EQ(b.logic.View().eventRadio, kEventLaunch);
    EXPECT_EQ(b.logic.Settings().m_nEventMode, 7);
    ASSERT_TRUE(b.logic.OnWriteValues());
    EXPECT_EQ(b.Word(4), 7);
}

TEST(AdministerRead, PreLaunchWordsOutOfTheListAreCaughtOnReadOrOnWrite) {
    struct Case {
        int word;
        const char* shown;
        int kept;
        Lines readMessages;
        Lines writeMessages;
    };
    const Case cases[] = {
        {0, "64 samples", 64, {"Pre-Launch buffer out of range!\nSetting to 64"}, {}},
        {24, "128 samples", 12, {}, {"Pre-launch buffer under range!\nSetting to 64"}},
        {2, "128 samples", 1, {}, {"Pre-launch buffer under range!\nSetting to 64"}},
        {8192, "4096 samples", 4096, {}, {}},
        {700, "64 samples", 64, {"Pre-Launch buffer out of range!\nSetting to 64"}, {}},
    };
    for (const Case& c : cases) {
        AdminBench b;
        b.SetWords({{10, c.word}});
        b.logic.OnConnect();
        EXPECT_EQ(b.PreLaunch(), c.shown) << c.word;
        EXPECT_EQ(b.logic.Settings().m_nPreLaunchSamples, c.kept) << c.word;
        EXPECT_EQ(b.user.MessageTexts(), c.readMessages) << c.word;
        b.user.messages.clear();
        ASSERT_TRUE(b.logic.OnWriteValues()) << c.word;
        EXPECT_EQ(b.user.MessageTexts(), c.writeMessages) << c.word;
        EXPECT_EQ(b.Word(10), c.kept < 64 ? 128 : 2 * c.kept) << c.word;
        EXPECT_EQ(b.PreLaunch(), c.kept < 64 ? "64 samples" : c.shown) << c.word;
    }
    // The out-of-range line comes as the word arrives, between its neighbours' reads.
    AdminBench b;
    b.SetWords({{10, 0}});
    b.logic.OnConnect();
    EXPECT_EQ(b.user.events, (Lines{"busy", "status: Comm port open", "status: Connected",
                                    "status: Pre-Launch buffer out of range! Setting to 64",
                                    "message: Pre-Launch buffer out of range!\nSetting to 64",
                                    "status: Loaded data from TAVO", "idle"}));
}

TEST(AdministerRead, TheRateListFollowsThePeriodByLeadingDigits) {
    struct Case {
        int period;
        const char* shown; // the list as it was (200 Hz) when nothing matches
    };
    const Case cases[] = {{10, "100 Hz"}, {20, "50 Hz"}, {1, "1000 Hz"}, {250, "4 Hz"},
                          {8, "125 Hz"},  {0, "200 Hz"}, {3, "200 Hz"},  {500, "20 Hz"}};
    for (const Case& c : cases) {
        AdminBench b;
        b.SetWords({{2, c.period}});
        b.logic.OnConnect();
        EXPECT_EQ(b.Rate(), c.shown) << c.period;
        EXPECT_EQ(b.logic.Settings().m_nSamplePeriod, c.period) << c.period;
    }
}

TEST(AdministerRead, AFailedWordStopsTheReadAndKeepsWhatArrived) {
    Zr7Options options;
    options.refusedAddresses = {4};
    AdminBench b(options);
    b.SetWords({{2, 10}, {10, 1024}, {6, 300}});
    b.logic.OnConnect();
    EXPECT_EQ(b.logic.Settings().m_nSamplePeriod, 10);
    EXPECT_EQ(b.logic.Settings().m_nPreLaunchSamples, 512);
    EXPECT_EQ(b.logic.Settings().m_nEventDelay, 1);
    EXPECT_EQ(b.user.MessageTexts(), Lines{"FAILED getting TAVO data!"});
    EXPECT_EQ(b.user.status.back(), "FAILED getting TAVO data!");
}

TEST(AdministerEdit, HandlersChangeTheSettingsAndMarkTheDialogModified) {
    AdminBench b;
    b.logic.OnConnect();
    struct Case {
        const char* what;
        std::function<void(AdministerLogic&)> act;
        std::function<bool(const RecorderSettings&)> holds;
    };
    const Case cases[] = {
        {"125 Hz", [](auto& l) { l.OnRateChosen(8); },
         [](auto& s) { return s.m_nSamplePeriod == 8; }},
        {"1000 Hz", [](auto& l) { l.OnRateChosen(12); },
         [](auto& s) { return s.m_nSamplePeriod == 1; }},
        {"4 Hz", [](auto& l) { l.OnRateChosen(0); },
         [](auto& s) { return s.m_nSamplePeriod == 250; }},
        {"2048 samples", [](auto& l) { l.OnPreLaunchChosen(5); },
         [](auto& s) { return s.m_nPreLaunchSamples == 2048; }},
        {"burn-out", [](auto& l) { l.OnEventRadio(kEventBurnOut); },
         [](auto& s) { return s.m_nEventMode == 2; }},
        {"launch", [](auto& l) { l.OnEventRadio(kEventLaunch); },
         [](auto& s) { return s.m_nEventMode == 1; }},
        {"delay typed", [](auto& l) { l.OnEventDelayChanged("450"); },
         [](auto& s) { return s.m_nEventDelay == 450; }},
        // Text that is no value within the limits (yet) leaves the recorder's value.
        {"delay half typed", [](auto& l) { l.OnEventDelayChanged(""); },
         [](auto& s) { return s.m_nEventDelay == 1; }},
        {"delay out of range", [](auto& l) { l.OnEventDelayChanged("70000"); },
         [](auto& s) { return s.m_nEventDelay == 1; }},
        {"burn-out 4", [](auto& l) { l.OnBurnOutChanged("4"); },
         [](auto& s) { return s.m_nBurnOutNumber == 4; }},
        {"action time left", [](auto& l) { l.OnActionTimeLeft("99"); },
         [](auto& s) { return s.m_nActionTime == 99; }},
        {"breakwire", [](auto& l) { l.OnBreakwire(true); }, [](auto& s) { return s.m_bBreakwire; }},
        {"normally open", [](auto& l) { l.OnContact(0); },
         [](auto& s) { return !s.m_bNormallyClosed; }},
    };
    for (const Case& c : cases) {
        b.logic.OnReadValues();
        EXPECT_FALSE(b.logic.IsModified()) << c.what;
        c.act(b.logic);
        EXPECT_TRUE(b.logic.IsModified()) << c.what;
        EXPECT_TRUE(c.holds(b.logic.Settings())) << c.what;
    }
    EXPECT_TRUE(b.user.messages.empty()); // typing is never interrupted by a box
    b.logic.OnEventRadio(kEventApogee);
    EXPECT_FALSE(b.logic.View().burnOutEnabled);
    b.logic.OnEventRadio(kEventBurnOut);
    EXPECT_TRUE(b.logic.View().burnOutEnabled);
    b.logic.OnBreakwire(false);
    EXPECT_FALSE(b.logic.View().contactEnabled);
}

TEST(AdministerEdit, RefusedFieldsAreToldWhenTheValuesAreTaken) {
    struct Case {
        const char* burnOut;
        const char* delay;
        const char* action;
        const char* message; // empty: taken
        AdminField field;
    };
    const Case cases[] = {
        {"1", "1", "200", "", AdminField::None},
        {"5", "65536", "10", "", AdminField::None},
        {"0", "1", "200", "Please enter an integer between 1 and 5.", AdminField::BurnOutNumber},
        {"6", "1", "200", "Please enter an integer between 1 and 5.", AdminField::BurnOutNumber},
        {"1", "0", "200", "Please enter an integer between 1 and 65536.", AdminField::EventDelay},
        {"1", "65537", "200", "Please enter an integer between 1 and 65536.",
         AdminField::EventDelay},
        {"1", "1", "9", "Please enter an integer between 10 and 255.", AdminField::ActionTime},
        {"1", "1", "256", "Please enter an integer between 10 and 255.", AdminField::ActionTime},
        {"1", "1e3", "200", "Please enter an integer.", AdminField::EventDelay},
        {"", "1", "200", "Please enter an integer.", AdminField::BurnOutNumber},
        {"x", "0", "2", "Please enter an integer.", AdminField::BurnOutNumber},
    };
    for (const Case& c : cases) {
        AdminBench b;
        b.logic.OnEventRadio(kEventBurnOut); // the burn-out edit can be typed in
        b.logic.SetFieldTexts(c.burnOut, c.delay, c.action);
        EXPECT_EQ(b.logic.TakeFieldValues(), c.field == AdminField::None) << c.delay;
        EXPECT_EQ(b.logic.RefusedField(), c.field) << c.delay;
        EXPECT_EQ(b.user.MessageTexts(), *c.message ? Lines{c.message} : Lines{})
            << c.burnOut << c.delay << c.action;
    }
}

TEST(AdministerEdit, AFieldTheUserCannotEditIsNeverHeldAgainstTheWrite) {
    Zr7Options options;
    options.firmwareVersion = 209; // burn-out number and action time disabled
    AdminBench b(options);
    b.SetWords({{16, 5}, {18, 9}});
    b.logic.OnConnect();
    EXPECT_EQ(b.logic.View().actionTime, "5");
    ASSERT_TRUE(b.logic.OnWriteValues());
    EXPECT_EQ(b.user.MessageTexts(), Lines{kFirmwareMessage});
    EXPECT_EQ(b.Word(16), 5); // the recorder keeps what it had
    EXPECT_EQ(b.Word(18), 9);
}

TEST(AdministerWrite, WritesWhatTheDialogHoldsAndNothingWhenAFieldIsRefused) {
    AdminBench b;
    b.logic.OnConnect();
    b.logic.OnRateChosen(7); // 100 Hz
    b.logic.OnEventRadio(kEventBurnOut);
    b.logic.OnBurnOutChanged("2");
    b.logic.OnEventDelayChanged("300");
    b.logic.OnBreakwire(true);
    b.logic.OnContact(0);
    ASSERT_TRUE(b.logic.OnWriteValues());
    EXPECT_FALSE(b.logic.IsModified());
    EXPECT_EQ(b.user.status.back(), "Stored data to TAVO");
    const std::pair<int, int> words[] = {{2, 10}, {4, 2}, {6, 300}, {18, 2}, {20, 1}};
    for (const auto& [address, value] : words)
        EXPECT_EQ(b.Word(address), value) << address;

    b.ClearHostLog();
    b.logic.SetFieldTexts("2", "300", "5");
    EXPECT_FALSE(b.logic.OnWriteValues());
    EXPECT_EQ(b.user.MessageTexts().back(), "Please enter an integer between 10 and 255.");
    EXPECT_EQ(HostBytes(*b.device), "");
}

TEST(AdministerWrite, BeforeConnectingItConnectsReadsAndWritesTheRecordersOwnValues) {
    AdminBench b;
    b.SetWords({{2, 20}, {6, 77}});
    b.logic.OnRateChosen(12);
    b.logic.OnEventDelayChanged("900");
    ASSERT_TRUE(b.logic.OnWriteValues());
    EXPECT_EQ(b.user.events,
              (Lines{"busy", "status: Comm port open", "status: Connected",
                     "status: Loaded data from TAVO", "status: Stored data to TAVO", "idle"}));
    EXPECT_EQ(b.Rate(), "50 Hz");
    EXPECT_EQ(b.Word(2), 20);
    EXPECT_EQ(b.Word(6), 77);
    // On the wire: the buzz, model, serial number, version, eight reads, eight writes.
    const std::string bytes = HostBytes(*b.device);
    EXPECT_EQ(bytes.substr(0, 5), std::string("BMS\0V", 5));
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), 'R'), 8);
}

TEST(AdministerWrite, TakesNoLongerThanTheProtocolsPausesRequire) {
    Zr7Options options;
    options.byteMicros = kByteMicros19200;
    AdminBench b(options);
    b.logic.OnConnect();
    const std::int64_t start = b.ports.clock.NowMicros();
    ASSERT_TRUE(b.logic.OnWriteValues());
    const std::int64_t took = b.ports.clock.NowMicros() - start;
    // Eight memory writes, each three 100 ms pauses and the 101 ms of silence that end
    // the acknowledgement.
    const std::int64_t floor = 8 * (3 * kPauseMillis + kSilenceMillis) * 1000;
    EXPECT_GE(took, floor);
    EXPECT_LE(took, floor + floor / 20);
    RecordProperty("write_values_us", std::to_string(took));
    RecordProperty("floor_us", std::to_string(floor));
}

TEST(AdministerClose, CancelNeverAsksAndOkAsksOnlyWhenModified) {
    AdminBench b;
    b.logic.OnConnect();
    b.logic.OnCancel();
    EXPECT_TRUE(b.user.questions.empty());
    EXPECT_EQ(b.user.status.back(), "Comm port closed");

    AdminBench ok;
    ok.logic.OnConnect();
    EXPECT_TRUE(ok.logic.OnOK());
    EXPECT_TRUE(ok.user.questions.empty());
    EXPECT_FALSE(ok.logic.Link().m_bPortOpen);

    AdminBench edited;
    edited.logic.OnConnect();
    edited.logic.OnSetDefaults();
    EXPECT_EQ(edited.user.status.back(), "Set to Defaults. TAVO not updated");
    edited.user.okCancel = Answer::Cancel;
    EXPECT_FALSE(edited.logic.OnOK());
    EXPECT_EQ(edited.user.QuestionTexts(),
              Lines{"Data modified but not saved.\nContinue to exit?"});
    EXPECT_EQ(edited.user.questions[0].severity, Severity::Warning);
    EXPECT_TRUE(edited.logic.Link().m_bPortOpen);
    edited.user.okCancel = Answer::Ok;
    EXPECT_TRUE(edited.logic.OnOK());
    EXPECT_FALSE(edited.logic.Link().m_bPortOpen);

    // A refused field keeps the dialog open, its port closed and its button "Connect".
    AdminBench refused;
    refused.logic.OnConnect();
    refused.logic.SetFieldTexts("1", "0", "200");
    EXPECT_FALSE(refused.logic.OnOK());
    EXPECT_FALSE(refused.logic.Link().m_bPortOpen);
    EXPECT_FALSE(refused.logic.View().connected);
}

TEST(AdministerClose, ClosingMidWriteEndsAtTheNextWholeWord) {
    AdminBench b;
    b.logic.OnConnect();
    b.ClearHostLog();
    // The stop arrives while the third word is on its way.
    int words = 0;
    b.hook.onSleep = [&] {
        if (HostBytes(*b.device).size() == 9 && ++words == 1)
            b.logic.RequestStop();
    };
    EXPECT_FALSE(b.logic.OnWriteValues());
    const std::string bytes = HostBytes(*b.device);
    EXPECT_EQ(bytes.size(), 12u); // three whole frames of "R", low, high, address
    EXPECT_EQ(bytes[8], 'R');
    EXPECT_NE(b.user.status.back(), "Stored data to TAVO");
}

TEST(AdministerSubWindows, CalibrateAndCommandWantAConnection) {
    AdminBench b;
    EXPECT_FALSE(b.logic.RequireConnection());
    EXPECT_EQ(b.user.MessageTexts(), Lines{"Please connect first."});
    EXPECT_EQ(b.user.messages[0].severity, Severity::Warning);
    EXPECT_EQ(HostBytes(*b.device), "");
    b.logic.OnConnect();
    b.user.messages.clear();
    EXPECT_TRUE(b.logic.RequireConnection());
    EXPECT_TRUE(b.user.messages.empty());

    // The calibration's value is an edit: OK then asks before dropping it.
    b.logic.OnReadValues();
    b.logic.ApplyCalibration(222);
    EXPECT_EQ(b.logic.View().m_strTwoGee, "222");
    EXPECT_EQ(b.logic.Settings().m_nTwoGeeValue, 222);
    EXPECT_TRUE(b.logic.IsModified());
}

} // namespace
} // namespace tavo
